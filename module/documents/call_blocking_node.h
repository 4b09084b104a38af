// CCallBlockingNode: the "Call blocking" list under "Advanced".
#pragma once

#include <memory>
#include <string>

#include "module/routing/routing_delegation_base.h"
#include "module/snapin/node_texts.h"

// Lists the dial strings users may not call (rules of type "callblock"), each with the users
// and groups it applies to, and adds them through the "New Call block entry" dialog. Made by
// its parent with the static tree and destroyed with it.
class CCallBlockingNode : public CRoutingDelegationBase {
 public:
  static constexpr long kNewCommand = 1;
  static constexpr long kNewButton = 32777;

  explicit CCallBlockingNode(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;
  HRESULT OnAddMenuItems(IContextMenuCallback* callback, long* insertion_allowed) override;
  HRESULT OnMenuCommand(CComponent* component, IConsole* console, long command) override;
  HRESULT OnSetToolbar(CComponent* component, IControlbar* controlbar, BOOL scope,
                       BOOL select) override;
  HRESULT OnToolbarCommand(CComponent* component, IConsole* console, long command) override;

  std::unique_ptr<CRouteNode> CreateRuleNode(const std::wstring& display, const std::wstring& value,
                                             IArdentRulePtr rule) override;
  std::wstring GetValueColumnTitle() override;
  UINT GetDescriptionFormat() override;

 private:
  HRESULT OnNewEntry(CComponent* component, IConsole* console);

  pw::NodeTexts texts_;
};
