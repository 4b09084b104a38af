// CSMSRouting: the "SMS Routing" node under "SMS".
#pragma once

#include <string>

#include "module/snapin/delegation_base.h"
#include "module/snapin/node_texts.h"

// Edits who receives incoming SMS messages. Made by its parent with the static tree and destroyed
// with it.
class CSMSRouting : public CDelegationBase {
 public:
  explicit CSMSRouting(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

 private:
  pw::NodeTexts texts_;
};
