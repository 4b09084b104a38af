// CCallBlockingNode: the call blocking list's menu, toolbar and new entries.
#include "module/documents/call_blocking_node.h"

#include "module/documents/call_block_value.h"
#include "module/documents/single_call_block_node.h"
#include "module/resources/call_blocking.h"
#include "module/resources/documents.h"
#include "module/routing/new_rule_value_dlg.h"
#include "module/snapin/component_data.h"
#include "module/snapin/node_types.h"
#include "module/snapin/pwconfig_app.h"

namespace {
constexpr int kImage = 18;
constexpr wchar_t kRuleType[] = L"callblock";
}  // namespace

CCallBlockingNode::CCallBlockingNode(CDelegationBase* owner)
    : CRoutingDelegationBase(owner, kRuleType, ListKind::kCallBlocking),
      texts_(IDS_CALL_BLOCKING, IDS_CALL_BLOCKING_DESCRIPTION) {}

std::wstring CCallBlockingNode::GetDisplayName(int column) { return texts_.Column(column); }

GUID CCallBlockingNode::GetNodeType() { return kNodeTypeCallBlockingNode; }

int CCallBlockingNode::GetBitmapIndex(BOOL) { return kImage; }

std::wstring CCallBlockingNode::GetValueColumnTitle() {
  return LoadModuleString(IDS_CALL_BLOCK_COLUMN);
}

UINT CCallBlockingNode::GetDescriptionFormat() { return IDS_CALL_BLOCK_COUNT; }

std::unique_ptr<CRouteNode> CCallBlockingNode::CreateRuleNode(const std::wstring& display,
                                                              const std::wstring& value,
                                                              IArdentRulePtr rule) {
  return std::make_unique<CSingleCallBlockNode>(this, display, value, std::move(rule));
}

HRESULT CCallBlockingNode::OnAddMenuItems(IContextMenuCallback* callback, long* insertion_allowed) {
  return AddTopMenuItems(callback, insertion_allowed,
                         {{kNewCommand, IDS_CALL_BLOCK_NEW, IDS_CALL_BLOCK_NEW_STATUS}});
}

HRESULT CCallBlockingNode::OnMenuCommand(CComponent* component, IConsole* console, long command) {
  if (command == kNewCommand) OnNewEntry(component, console);
  return S_FALSE;
}

HRESULT CCallBlockingNode::OnSetToolbar(CComponent* component, IControlbar* controlbar, BOOL,
                                        BOOL select) {
  return AttachNewButton(component, controlbar, select, kNewButton, IDS_CALL_BLOCK_NEW,
                         IDS_CALL_BLOCK_TOOLTIP);
}

HRESULT CCallBlockingNode::OnToolbarCommand(CComponent* component, IConsole* console,
                                            long command) {
  if (command != kNewButton) return S_FALSE;
  return OnNewEntry(component, console);
}

HRESULT CCallBlockingNode::OnNewEntry(CComponent* component, IConsole* console) {
  return AddEntry(component, console, [&]() -> std::optional<std::wstring> {
    CNewRuleValueDlg dialog(IDD_NEW_CALL_BLOCK, IDC_NEW_CALL_BLOCK_EDIT, kNewCallBlockRules, this,
                            component_data_, component);
    if (dialog.DoModal() != IDOK) return std::nullopt;
    return dialog.value();
  });
}
