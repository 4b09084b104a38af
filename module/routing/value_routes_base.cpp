// CValueRoutesBase: the menu, toolbar and new route flow of the line and MSN lists.
#include "module/routing/value_routes_base.h"

#include "module/resources/routes_line_msn.h"
#include "module/snapin/component_data.h"
#include "module/snapin/pwconfig_app.h"

CValueRoutesBase::CValueRoutesBase(CDelegationBase* owner, std::wstring rule_type,
                                   ListKind list_kind, const ValueRouteListTexts& texts)
    : CRoutingDelegationBase(owner, std::move(rule_type), list_kind),
      texts_(texts),
      node_texts_(texts.name, texts.description) {}

CValueRoutesBase::~CValueRoutesBase() = default;

std::wstring CValueRoutesBase::GetDisplayName(int column) { return node_texts_.Column(column); }

std::wstring CValueRoutesBase::GetValueColumnTitle() { return LoadModuleString(texts_.column); }

HRESULT CValueRoutesBase::OnAddMenuItems(IContextMenuCallback* callback, long* insertion_allowed) {
  return AddTopMenuItems(callback, insertion_allowed,
                         {{kNewCommand, IDS_VALUE_ROUTE_NEW, texts_.new_status}});
}

HRESULT CValueRoutesBase::OnMenuCommand(CComponent* component, IConsole* console, long command) {
  if (command == kNewCommand) OnNewRoute(component, console);
  return S_FALSE;
}

HRESULT CValueRoutesBase::OnSetToolbar(CComponent* component, IControlbar* controlbar, BOOL,
                                       BOOL select) {
  return AttachNewButton(component, controlbar, select, kNewButton, IDS_VALUE_ROUTE_NEW,
                         texts_.tooltip);
}

HRESULT CValueRoutesBase::OnToolbarCommand(CComponent* component, IConsole* console, long command) {
  if (command != kNewButton) return S_FALSE;
  return OnNewRoute(component, console);
}

void CValueRoutesBase::ReportFailure(ValueListFailure failure) {
  switch (failure) {
    case ValueListFailure::kNothingLeft:
      component_data_->ShowMessage(LoadModuleString(texts_.nothing_left), MB_ICONINFORMATION);
      return;
    case ValueListFailure::kNoIsdnCards:
      component_data_->ShowMessage(
          LoadModuleString(texts_.no_values != 0 ? texts_.no_values : texts_.nothing_left),
          MB_ICONINFORMATION);
      return;
    case ValueListFailure::kError:
      component_data_->ShowMessage(LoadModuleString(texts_.error), MB_ICONERROR);
      return;
    case ValueListFailure::kNone:
      return;
  }
}

HRESULT CValueRoutesBase::OnNewRoute(CComponent* component, IConsole* console) {
  return AddEntry(component, console, [&]() -> std::optional<std::wstring> {
    ValueListFailure failure = ValueListFailure::kError;
    std::unique_ptr<CNewValueRouteDlg> dialog = MakeNewDialog(&failure);
    if (!dialog) {
      ReportFailure(failure);
      return std::nullopt;
    }
    if (dialog->DoModal() != IDOK || dialog->chosen().empty()) return std::nullopt;
    return dialog->chosen();
  });
}
