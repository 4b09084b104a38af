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
#include "module/routing/routing_node.h"
#include "module/routing/sms_options.h"
#include "module/snapin/component_data.h"
#include "module/snapin/node_types.h"
#include "module/snapin/pwconfig_app.h"
#include "module/users/licenced_users.h"
#include "platform/com/com_ptr.h"
#include "platform/ui/ui_constants.h"

namespace {

constexpr int kImage = 0;
constexpr int kOptionColumnWidth = 200;
constexpr int kDescriptionColumnWidth = 500;
// The remote console kind that may administer any server.
constexpr DWORD kRemoteAnyServer = 2;

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

void CStaticNode::SelectAnotherComputer(IConsole*) {}
