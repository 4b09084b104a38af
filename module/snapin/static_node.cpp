// CStaticNode: the static tree, the root's name, its listing columns, verbs and menu.
#include "module/snapin/static_node.h"

#include <utility>

#include "module/documents/auto_print_settings.h"
#include "module/documents/cpages_parent_node.h"
#include "module/documents/npq_node.h"
#include "module/options/advanced_node.h"
#include "module/options/fax_server_settings.h"
#include "module/options/general_advanced.h"
#include "module/options/launcher_rows.h"
#include "module/resources/resource.h"
#include "module/resources/select_computer.h"
#include "module/routing/routing_node.h"
#include "module/routing/sms_options.h"
#include "module/server/select_computer_dlg.h"
#include "module/server/select_computer_page.h"
#include "module/server/server_location.h"
#include "module/snapin/component_data.h"
#include "module/snapin/node_types.h"
#include "module/snapin/pwconfig_app.h"
#include "module/snapin/registry_keys.h"
#include "module/users/licenced_users.h"
#include "platform/com/com_ptr.h"
#include "platform/ui/prop_sheet.h"
#include "platform/ui/ui_constants.h"
#include "platform/ui/wait_cursor.h"
#include "platform/win/paths.h"
#include "platform/win/registry.h"

namespace {

constexpr int kImage = 0;
constexpr int kOptionColumnWidth = 200;
constexpr int kDescriptionColumnWidth = 500;
// The remote console kind that may administer any server.
constexpr DWORD kRemoteAnyServer = 2;

// "REMOTE" of the installation; false when it cannot be read.
bool ReadRemoteKind(DWORD* remote_kind) {
  CRegKey config;
  return config.Open(HKEY_LOCAL_MACHINE, kPagewellConfigKey, KEY_READ) == ERROR_SUCCESS &&
         config.QueryDWORDValue(L"REMOTE", remote_kind) == ERROR_SUCCESS;
}

}  // namespace

CStaticNode::CStaticNode() : CContainerNode(nullptr) {
  AddChild<CFAXServerSettings>(kLinesLauncher);
  licensed_users_ = AddChild<CLicencedUsers>();
  AddChild<CRoutingNode>();
  AddChild<CCPagesParentNode>();
  AddChild<CSMSOptions>();
  AddChild<CNPQNode>();
  AddChild<CFAXServerSettings>(kDocumentConversionLauncher);
  AddChild<CFAXServerSettings>(kSendingOptionsLauncher);
  AddChild<CFAXServerSettings>(kReceivingOptionsLauncher);
  AddChild<CAutoPrintSettings>();
  advanced_ = AddChild<CAdvancedNode>();
  AddChild<GeneralAdvanced>();
}

CStaticNode::~CStaticNode() = default;

std::wstring CStaticNode::GetDisplayName(int) {
  std::wstring name = LoadModuleString(IDS_APP_TITLE);
  // Until the stores are open the computer is not known for sure.
  if (component_data() == nullptr) return name;
  name += L" (";
  name += computer_name_.empty() ? LoadModuleString(IDS_LOCAL) : computer_name_;
  name += L')';
  return name;
}

GUID CStaticNode::GetNodeType() { return kNodeTypeStaticNode; }

int CStaticNode::GetBitmapIndex(BOOL) { return kImage; }

void CStaticNode::set_computer_name(std::wstring name) {
  if (name.size() > kMaxComputerNameChars) name.resize(kMaxComputerNameChars);
  computer_name_ = std::move(name);
}

HRESULT CStaticNode::OnExpand(IConsoleNameSpace* name_space, IConsole* console, HSCOPEITEM parent,
                              BOOL expanding) {
  set_scope_item(parent);
  if (parent != 0) {
    // The console named the root before the computer was known.
    SetItemText(name_space, parent);
    if (console != nullptr) console->SelectScopeItem(parent);
  }
  if (!expanding) return S_OK;
  return InsertChildren(name_space, parent);
}

HRESULT CStaticNode::OnShow(CComponent*, IConsole* console, CComponentData*, BOOL show,
                            HSCOPEITEM) {
  shown_ = show != FALSE;
  if (!show) return S_OK;
  if (console == nullptr) return E_POINTER;
  pw::ComPtr<IHeaderCtrl> header;
  pw::ComPtr<IResultData> result_data;
  HRESULT hr = console->QueryInterface(IID_IHeaderCtrl, header.ReleaseAndGetVoidAddressOf());
  if (FAILED(hr)) return hr;
  hr = console->QueryInterface(IID_IResultData, result_data.ReleaseAndGetVoidAddressOf());
  if (FAILED(hr)) return hr;
  header->InsertColumn(0, LoadModuleString(IDS_COLUMN_OPTION).c_str(), LVCFMT_LEFT,
                       kOptionColumnWidth);
  header->InsertColumn(1, LoadModuleString(IDS_COLUMN_DESCRIPTION).c_str(), LVCFMT_LEFT,
                       kDescriptionColumnWidth);
  return result_data->ModifyViewStyle(MMC_NOSORTHEADER, static_cast<MMC_RESULT_VIEW_STYLE>(0));
}

HRESULT CStaticNode::OnSelect(CComponent*, IConsole* console, BOOL, BOOL) {
  if (console == nullptr) return E_POINTER;
  pw::ComPtr<IConsoleVerb> verbs;
  const HRESULT hr = console->QueryConsoleVerb(verbs.ReleaseAndGetAddressOf());
  if (FAILED(hr) || verbs == nullptr) return hr;
  verbs->SetVerbState(MMC_VERB_OPEN, ENABLED, TRUE);
  verbs->SetVerbState(MMC_VERB_OPEN, HIDDEN, TRUE);
  verbs->SetDefaultVerb(MMC_VERB_OPEN);
  return S_OK;
}

HRESULT CStaticNode::OnAddMenuItems(IContextMenuCallback* callback, long* insertion_allowed) {
  if (callback == nullptr || insertion_allowed == nullptr) return E_POINTER;
  if ((*insertion_allowed & CCM_INSERTIONALLOWED_TOP) == 0) return S_OK;
  if (component_data() == nullptr || component_data()->remote_kind() != kRemoteAnyServer) {
    return S_OK;
  }
  std::wstring name = LoadModuleString(IDS_CONNECT_COMPUTER);
  std::wstring status = LoadModuleString(IDS_CONNECT_COMPUTER_STATUS);
  CONTEXTMENUITEM item;
  item.strName = name.data();
  item.strStatusBarText = status.data();
  item.lCommandID = kConnectCommand;
  item.lInsertionPointID = CCM_INSERTIONPOINTID_PRIMARY_TOP;
  return callback->AddItem(&item);
}

HRESULT CStaticNode::OnMenuCommand(CComponent*, IConsole* console, long command) {
  if (command == kConnectCommand) SelectAnotherComputer(console);
  return S_FALSE;
}

HRESULT CStaticNode::HasPropertySheets() {
  // Only the add wizard asks before the snap-in is initialised.
  if (component_data() != nullptr || CComponentData::process_initialized()) return S_FALSE;
  CRegKey config;
  DWORD remote_kind = 0;
  if (config.Open(HKEY_LOCAL_MACHINE, kPagewellConfigKey, KEY_READ) != ERROR_SUCCESS ||
      config.QueryDWORDValue(L"REMOTE", &remote_kind) != ERROR_SUCCESS) {
    return E_FAIL;
  }
  if (remote_kind != kRemoteAnyServer) return S_FALSE;
  std::wstring machine;
  if (config.QueryStringValue(L"MACHINE", &machine) == ERROR_SUCCESS) {
    if (machine.size() > kMaxComputerNameChars) machine.resize(kMaxComputerNameChars);
    page_start_name_ = std::move(machine);
  }
  return S_OK;
}

HRESULT CStaticNode::CreatePropertyPages(CComponent*, CComponentData*,
                                         IPropertySheetCallback* callback, LONG_PTR handle) {
  SetDisplayLanguage();
  select_computer_page_created_ = true;
  DWORD remote_kind = 0;
  if (!ReadRemoteKind(&remote_kind)) return E_FAIL;
  if (callback == nullptr) return E_UNEXPECTED;
  if (!select_computer_page_) select_computer_page_ = std::make_unique<CSelectComputerPage>();
  select_computer_page_->SetRoot(this, remote_kind);
  if (page_start_name_) select_computer_page_->SetComputerName(*page_start_name_);
  notify_handle_ = handle;
  select_computer_page_->SetPropertyObject(this);
  HPROPSHEETPAGE page = CreatePropertySheetPage(&select_computer_page_->m_psp);
  if (page == nullptr) return E_UNEXPECTED;
  if (FAILED(callback->AddPage(page))) {
    DestroyPropertySheetPage(page);
    return E_UNEXPECTED;
  }
  return S_OK;
}

void CStaticNode::SelectAnotherComputer(IConsole* console) {
  CComponentData* data = component_data();
  if (data == nullptr) return;
  HWND main_window = nullptr;
  if (console != nullptr) console->GetMainWindow(&main_window);
  CSelectComputerDlg dialog(CWnd::FromHandle(main_window));
  dialog.SetChangeMode(computer_name_);
  if (dialog.DoModal() != IDOK) return;

  std::wstring chosen = dialog.computer_name();
  // The local computer's server is reached through its own share like any other.
  std::wstring share_computer = chosen;
  if (share_computer.empty()) GetComputerName(&share_computer);
  const std::wstring previous_path = data->server_path();
  UINT failure = 0;
  {
    CWaitCursor wait;
    if (FAILED(data->ConnectTo(ServerSharePath(share_computer)))) {
      failure = SUCCEEDED(data->ConnectTo(previous_path)) ? IDS_CONNECT_NOT_INSTALLED
                                                          : IDS_CONNECT_NOT_INSTALLED_NO_PREVIOUS;
    }
  }
  if (failure != 0) {
    WriteLog(L"Connecting to %s FAILED", chosen);
    data->ShowMessage(LoadModuleString(failure), MB_OK | MB_ICONWARNING);
    return;
  }
  set_computer_name(std::move(chosen));
  set_computer_chosen(true);
  IConsoleNameSpace* name_space = data->name_space();
  SetItemText(name_space, scope_item());
  data->CompleteConnection();
  RebuildTree(name_space, console);
}

void CStaticNode::RebuildTree(IConsoleNameSpace* name_space, IConsole* console) {
  // Children that were never inserted are inserted when the console first expands the root.
  if (name_space == nullptr || scope_item() == 0) return;
  for (int position = 0; position < GetChildCount(); ++position) {
    CDelegationBase* child = ChildAt(position);
    if (child == nullptr) continue;
    if (child->scope_item() != 0) name_space->DeleteItem(child->scope_item(), TRUE);
    child->set_scope_item(0);
  }
  OnExpand(name_space, console, scope_item(), TRUE);
}
