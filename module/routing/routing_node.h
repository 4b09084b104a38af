// CRoutingNode: the "Routing" container of the static tree, with the five route lists.
#pragma once

#include <string>

#include "module/snapin/container_node.h"
#include "module/snapin/node_texts.h"

// Also edits the server-wide default routers and receive-all users. Made by the root with the
// static tree and destroyed with it.
class CRoutingNode : public CContainerNode {
 public:
  explicit CRoutingNode(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

 private:
  pw::NodeTexts texts_;
};
