// CRoutesCSID: the CSID list's menu, toolbar, new route, import and export.
#include "module/routing/routes_csid.h"

#include "installation/interfaces/routeio.h"
#include "module/resources/routes.h"
#include "module/resources/routing.h"
#include "module/routing/csid_node.h"
#include "module/routing/new_csid_dlg.h"
#include "module/routing/route_file_io.h"
#include "module/snapin/component.h"
#include "module/snapin/component_data.h"
#include "module/snapin/node_types.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/wait_cursor.h"

namespace {
constexpr int kImage = 12;
constexpr wchar_t kRuleType[] = L"csid";
constexpr wchar_t kDefaultExtension[] = L"CSV";
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
  if (callback == nullptr || insertion_allowed == nullptr) return E_POINTER;
  if ((*insertion_allowed & CCM_INSERTIONALLOWED_TOP) == 0) return S_OK;
  const struct {
    long command;
    UINT name;
    UINT status;
  } kItems[] = {
      {kNewCommand, IDS_CSID_NEW, IDS_CSID_NEW_STATUS},
      {kImportCommand, IDS_CSID_IMPORT, IDS_CSID_IMPORT_STATUS},
      {kExportCommand, IDS_CSID_EXPORT, IDS_CSID_EXPORT_STATUS},
  };
  for (const auto& entry : kItems) {
    std::wstring name = LoadModuleString(entry.name);
    std::wstring status = LoadModuleString(entry.status);
    CONTEXTMENUITEM item;
    item.strName = name.data();
    item.strStatusBarText = status.data();
    item.lCommandID = entry.command;
    item.lInsertionPointID = CCM_INSERTIONPOINTID_PRIMARY_TOP;
    const HRESULT hr = callback->AddItem(&item);
    if (FAILED(hr)) return hr;
  }
  return S_OK;
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
  if (!select || component == nullptr || controlbar == nullptr) return S_OK;
  IToolbar* toolbar = component->toolbar(ListKind::kCsidRoutes);
  if (toolbar == nullptr) return S_OK;
  std::wstring text = LoadModuleString(IDS_CSID_NEW);
  std::wstring tooltip = LoadModuleString(IDS_CSID_TOOLTIP);
  MMCBUTTON button;
  button.nBitmap = 0;
  button.idCommand = kNewButton;
  button.fsState = TBSTATE_ENABLED;
  button.fsType = TBSTYLE_BUTTON;
  button.lpButtonText = text.data();
  button.lpTooltipText = tooltip.data();
  // The view keeps one toolbar per list kind: its button is added on the first select only.
  toolbar->DeleteButton(0);
  toolbar->InsertButton(0, &button);
  return controlbar->Attach(TOOLBAR, toolbar);
}

HRESULT CRoutesCSID::OnToolbarCommand(CComponent* component, IConsole* console, long command) {
  if (command != kNewButton) return S_FALSE;
  return OnNewRoute(component, console);
}

HRESULT CRoutesCSID::OnNewRoute(CComponent* component, IConsole* console) {
  return AddEntry(component, console, [&]() -> std::optional<std::wstring> {
    CNewCSIDDlg dialog(this, component_data_, component);
    if (dialog.DoModal() != IDOK) return std::nullopt;
    return dialog.csid();
  });
}

HRESULT CRoutesCSID::OnImport(CComponent* component, IConsole* console) {
  CFileDialog dialog(TRUE, kDefaultExtension, {},
                     OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
                     LoadModuleString(IDS_ROUTE_IMPORT_FILTER));
  const std::wstring title = LoadModuleString(IDS_ROUTE_IMPORT_TITLE);
  dialog.m_ofn.lpstrTitle = title.c_str();
  if (console != nullptr) console->GetMainWindow(&dialog.m_ofn.hwndOwner);
  if (dialog.DoModal() != IDOK) return S_FALSE;
  BOOL imported = FALSE;
  {
    CWaitCursor wait;
    imported = RunRouteFileRoutine(ROUTEIO_ORDINAL_IMPORT, component_data_, kRuleType,
                                   dialog.GetPathName());
  }
  if (!imported) {
    component_data_->ShowMessage(LoadModuleString(IDS_CSID_IMPORT_FAILED), MB_ICONEXCLAMATION);
  }
  return OnRefresh(component, console);
}

HRESULT CRoutesCSID::OnExport() {
  CFileDialog dialog(FALSE, kDefaultExtension, {},
                     OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                     LoadModuleString(IDS_ROUTE_EXPORT_FILTER));
  const std::wstring title = LoadModuleString(IDS_ROUTE_EXPORT_TITLE);
  dialog.m_ofn.lpstrTitle = title.c_str();
  if (dialog.DoModal() != IDOK) return S_FALSE;
  BOOL exported = FALSE;
  {
    CWaitCursor wait;
    exported = RunRouteFileRoutine(ROUTEIO_ORDINAL_EXPORT, component_data_, kRuleType,
                                   dialog.GetPathName());
  }
  if (!exported) {
    component_data_->ShowMessage(LoadModuleString(IDS_CSID_EXPORT_FAILED), MB_ICONEXCLAMATION);
    return S_FALSE;
  }
  return S_OK;
}
