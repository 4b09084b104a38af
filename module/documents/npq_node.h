// CNPQNode: the network fax printer node.
#pragma once

#include <string>

#include "module/snapin/delegation_base.h"
#include "module/snapin/node_texts.h"

// Edits the network print queue through which faxes are printed like documents. Made by its parent
// with the static tree and destroyed with it.
class CNPQNode : public CDelegationBase {
 public:
  explicit CNPQNode(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

 private:
  pw::NodeTexts texts_;
};
