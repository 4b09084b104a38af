// CRoutesCSID: the CSID list's menu, toolbar, new route, import and export.
#include "module/routing/routes_csid.h"

#include "module/resources/routes.h"
#include "module/resources/routing.h"
#include "module/routing/csid_node.h"
#include "module/routing/new_csid_dlg.h"
#include "module/routing/route_file_io.h"
#include "module/snapin/component.h"
#include "module/snapin/component_data.h"
#include "module/snapin/node_types.h"
#include "module/snapin/pwconfig_app.h"

namespace {
constexpr int kImage = 12;
constexpr wchar_t kRuleType[] = L"csid";
}  // namespace

CRoutesCSID::CRoutesCSID(CDelegationBase* owner)
    : CRoutingDelegationBase(owner, kRuleType, ListKind::kCsidRoutes),
      texts_(IDS_ROUTES_CSID, IDS_ROUTES_CSID_DESCRIPTION) {}

std::wstring CRoutesCSID::GetDisplayName(int column) { return texts_.Column(column); }

GUID CRoutesCSID::GetNodeType() { return kNodeTypeRoutesCSID; }

int CRoutesCSID::GetBitmapIndex(BOOL) { return kImage; }

std::wstring CRoutesCSID::GetValueColumnTitle() { return LoadModuleString(IDS_CSID_COLUMN); }

std::unique_ptr<CRouteNode> CRoutesCSID::CreateRuleNode(const std::wstring& display,
                                                        const std::wstring& value,
                                                        IArdentRulePtr rule) {
  return std::make_unique<CCSIDNode>(this, display, value, std::move(rule));
}

HRESULT CRoutesCSID::OnAddMenuItems(IContextMenuCallback* callback, long* insertion_allowed) {
  return AddTopMenuItems(callback, insertion_allowed,
                         {
                             {kNewCommand, IDS_CSID_NEW, IDS_CSID_NEW_STATUS},
                             {kImportCommand, IDS_CSID_IMPORT, IDS_CSID_IMPORT_STATUS},
                             {kExportCommand, IDS_CSID_EXPORT, IDS_CSID_EXPORT_STATUS},
                         });
}

HRESULT CRoutesCSID::OnMenuCommand(CComponent* component, IConsole* console, long command) {
  switch (command) {
    case kNewCommand:
      OnNewRoute(component, console);
      break;
    case kImportCommand:
      OnImport(component, console);
      break;
    case kExportCommand:
      OnExport();
      break;
    default:
      break;
  }
  return S_FALSE;
}

HRESULT CRoutesCSID::OnSetToolbar(CComponent* component, IControlbar* controlbar, BOOL,
                                  BOOL select) {
  return AttachNewButton(component, controlbar, select, kNewButton, IDS_CSID_NEW, IDS_CSID_TOOLTIP);
}

HRESULT CRoutesCSID::OnToolbarCommand(CComponent* component, IConsole* console, long command) {
  if (command != kNewButton) return S_FALSE;
  return OnNewRoute(component, console);
}

HRESULT CRoutesCSID::OnNewRoute(CComponent* component, IConsole* console) {
  return AddEntry(component, console, [&]() -> std::optional<std::wstring> {
    CNewCSIDDlg dialog(this, component_data_, component);
    if (dialog.DoModal() != IDOK) return std::nullopt;
    return dialog.value();
  });
}

HRESULT CRoutesCSID::OnImport(CComponent* component, IConsole* console) {
  return ImportRouteFile(*this, component, console, IDS_CSID_IMPORT_FAILED);
}

HRESULT CRoutesCSID::OnExport() { return ExportRouteFile(*this, IDS_CSID_EXPORT_FAILED); }
