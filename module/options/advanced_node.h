// CAdvancedNode: the "Advanced" container of the static tree, with the fax administrators, the
// less common launchers, transmission reports and call blocking.
#pragma once

#include <string>

#include "module/snapin/container_node.h"
#include "module/snapin/node_texts.h"

class CAdministrators;
class CCallBlockingNode;

// Made by the root with the static tree and destroyed with it. Some launchers only make sense
// with some directory kinds; those are left out of the tree (not out of the child list) when
// the node expands.
class CAdvancedNode : public CContainerNode {
 public:
  // Positions in the child list, which the component also reaches the lists by.
  static constexpr int kAdministratorsPosition = 0;
  static constexpr int kPop3AgentPosition = 5;
  static constexpr int kTransferAgentPosition = 6;
  static constexpr int kMailGatewayPosition = 7;
  static constexpr int kCallBlockingPosition = 9;

  explicit CAdvancedNode(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;
  HRESULT OnExpand(IConsoleNameSpace* name_space, IConsole* console, HSCOPEITEM parent,
                   BOOL expanding) override;

  CAdministrators* administrators() const { return administrators_; }
  CCallBlockingNode* call_blocking() const { return call_blocking_; }

 protected:
  bool IsChildShown(int position) const override;

 private:
  pw::NodeTexts texts_;
  CAdministrators* administrators_ = nullptr;
  CCallBlockingNode* call_blocking_ = nullptr;
};
