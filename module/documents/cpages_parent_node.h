// CCPagesParentNode: the "Coverpages" container of the static tree, with the coverpages and front
// covernotes.
#pragma once

#include <string>

#include "module/snapin/container_node.h"
#include "module/snapin/node_texts.h"

// Groups the two lists of documents sent in front of a fax. Made by the root with the static tree
// and destroyed with it.
class CCPagesParentNode : public CContainerNode {
 public:
  explicit CCPagesParentNode(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

 private:
  pw::NodeTexts texts_;
};
