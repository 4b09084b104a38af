// CSMSUsers: the "SMS Users" node under "SMS".
#pragma once

#include <string>

#include "module/snapin/delegation_base.h"
#include "module/snapin/node_texts.h"

// Lists the users and groups allowed to send SMS messages. Made by its parent with the static tree
// and destroyed with it.
class CSMSUsers : public CDelegationBase {
 public:
  explicit CSMSUsers(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

 private:
  pw::NodeTexts texts_;
};
