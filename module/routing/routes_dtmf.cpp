// CRoutesDTMF: the DTMF/DID list's menu, toolbar, the bulk creation of new routes, import and
// export.
#include "module/routing/routes_dtmf.h"

#include <set>

#include "module/resources/routes_dtmf.h"
#include "module/resources/routing.h"
#include "module/routing/dtmf_node.h"
#include "module/routing/new_dtmf_dlg.h"
#include "module/routing/route_file_io.h"
#include "module/snapin/component.h"
#include "module/snapin/component_data.h"
#include "module/snapin/node_types.h"
#include "module/snapin/pwconfig_app.h"
#include "module/users/directory_connection.h"
#include "platform/com/strings.h"
#include "platform/ui/wait_cursor.h"

namespace {
constexpr int kImage = 12;
constexpr wchar_t kRuleType[] = L"did";
}  // namespace

CRoutesDTMF::CRoutesDTMF(CDelegationBase* owner)
    : CRoutingDelegationBase(owner, kRuleType, ListKind::kDtmfRoutes),
      texts_(IDS_ROUTES_DTMF, IDS_ROUTES_DTMF_DESCRIPTION) {}

std::wstring CRoutesDTMF::GetDisplayName(int column) { return texts_.Column(column); }

GUID CRoutesDTMF::GetNodeType() { return kNodeTypeRoutesDTMF; }

int CRoutesDTMF::GetBitmapIndex(BOOL) { return kImage; }

std::wstring CRoutesDTMF::GetValueColumnTitle() { return LoadModuleString(IDS_DTMF_COLUMN); }

std::unique_ptr<CRouteNode> CRoutesDTMF::CreateRuleNode(const std::wstring& display,
                                                        const std::wstring& value,
                                                        IArdentRulePtr rule) {
  return std::make_unique<CDTMFNode>(this, display, value, std::move(rule));
}

HRESULT CRoutesDTMF::OnAddMenuItems(IContextMenuCallback* callback, long* insertion_allowed) {
  return AddTopMenuItems(callback, insertion_allowed,
                         {
                             {kNewCommand, IDS_DTMF_NEW, IDS_DTMF_NEW_STATUS},
                             {kImportCommand, IDS_DTMF_IMPORT, IDS_DTMF_IMPORT_STATUS},
                             {kExportCommand, IDS_DTMF_EXPORT, IDS_DTMF_EXPORT_STATUS},
                         });
}

HRESULT CRoutesDTMF::OnMenuCommand(CComponent* component, IConsole* console, long command) {
  switch (command) {
    case kNewCommand:
      OnNewRoutes(component, console);
      break;
    case kImportCommand:
      ImportRouteFile(*this, component, console, IDS_DTMF_IMPORT_FAILED);
      break;
    case kExportCommand:
      ExportRouteFile(*this, IDS_DTMF_EXPORT_FAILED);
      break;
    default:
      break;
  }
  return S_FALSE;
}

HRESULT CRoutesDTMF::OnSetToolbar(CComponent* component, IControlbar* controlbar, BOOL,
                                  BOOL select) {
  return AttachNewButton(component, controlbar, select, kNewButton, IDS_DTMF_NEW, IDS_DTMF_TOOLTIP);
}

HRESULT CRoutesDTMF::OnToolbarCommand(CComponent* component, IConsole* console, long command) {
  if (command != kNewButton) return S_FALSE;
  return OnNewRoutes(component, console);
}

void CRoutesDTMF::AddRoutes(const std::vector<pw::DtmfEntry>& entries, const pw::DtmfFormat& format,
                            std::vector<CRouteNode*>* added,
                            std::vector<std::wstring>* duplicates) {
  pw::ForEachDtmfText(entries, format, [&](const std::wstring& text) {
    std::unique_ptr<CRouteNode> node = CreateRuleNode(text, text, nullptr);
    const HRESULT hr = node->SetComponentData(component_data_);
    if (hr == S_OK) {
      added->push_back(node.get());
      children_.push_back(std::move(node));
    } else if (hr == ARDENTDB_E_DUPLICATEVALUE) {
      duplicates->push_back(text);
    }
    // Any other failure skips this number without a message.
    return true;
  });
}

void CRoutesDTMF::SelectExisting(IConsole* console, const std::vector<std::wstring>& duplicates) {
  std::set<std::wstring> wanted;
  for (const std::wstring& text : duplicates) wanted.insert(pw::ToUpper(text));
  for (int row = 0; row < child_count(); ++row) {
    if (wanted.contains(pw::ToUpper(child_at(row)->value_text()))) {
      UpdateAll(console, row, kHintSelectRow);
    }
  }
}

HRESULT CRoutesDTMF::OnNewRoutes(CComponent* component, IConsole* console) {
  if (component_data_ == nullptr) return E_UNEXPECTED;
  if (console == nullptr) console = component_data_->console();
  if (!component_data_->directory().IsConnected() && !EnsureDirectoryConnection(true, console)) {
    return S_FALSE;
  }
  CNewDTMFDlg dialog;
  if (dialog.DoModal() != IDOK) return S_FALSE;
  const std::vector<pw::DtmfEntry>& entries = dialog.entries();
  if (entries.empty()) {
    component_data_->ShowMessage(LoadModuleString(IDS_DTMF_NO_MEMORY), MB_ICONERROR);
    return E_OUTOFMEMORY;
  }
  const bool single_entry = entries.size() == 1 && !entries.front().is_range;
  std::vector<CRouteNode*> added;
  std::vector<std::wstring> duplicates;
  {
    CWaitCursor wait;
    IPagewell* settings = component_data_->settings_store();
    // Every number is its own rule and save; one transaction around them keeps a large range
    // from committing each one separately.
    const bool bulk = settings != nullptr && SUCCEEDED(settings->raw_BeginBulkUpdate());
    const int first_new_row = child_count();
    AddRoutes(entries, dialog.format(), &added, &duplicates);
    if (single_entry && !added.empty()) OpenPropertySheet(console, added.front());
    if (bulk && FAILED(settings->raw_EndBulkUpdate())) {
      WriteLog(L"CRoutesDTMF: the bulk update of the new routes was not committed.");
    }
    UpdateAll(console, -1, kHintResetCount);
    UpdateAll(console, -1, kHintDeselectRow);
    for (std::size_t index = 0; index < added.size(); ++index) {
      UpdateAll(console, first_new_row + static_cast<int>(index), kHintSelectRow);
    }
  }
  if (!duplicates.empty()) {
    SelectExisting(console, duplicates);
    component_data_->ShowMessage(LoadModuleString(IDS_DTMF_ALREADY_ROUTED), MB_ICONEXCLAMATION);
  }
  return OnRefresh(component, console);
}
