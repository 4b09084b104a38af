// CCallBlockingNode: the "Call blocking" list under "Advanced".
#pragma once

#include <string>

#include "module/snapin/delegation_base.h"
#include "module/snapin/node_texts.h"

// Lists the dial strings users may not call. Made by its parent with the static tree and destroyed
// with it.
class CCallBlockingNode : public CDelegationBase {
 public:
  explicit CCallBlockingNode(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

 private:
  pw::NodeTexts texts_;
};
