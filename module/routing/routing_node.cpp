// CRoutingNode: its children in tree order, its result columns, and its sheet that loads and
// replaces the default routers and the receive-all users.
#include "module/routing/routing_node.h"

#include <vector>

#include "installation/interfaces/ardent_db.h"
#include "module/resources/routes.h"
#include "module/resources/routing.h"
#include "module/resources/routing_node.h"
#include "module/routing/routes_csid.h"
#include "module/routing/routes_dtmf.h"
#include "module/routing/routes_line.h"
#include "module/routing/routes_ocr.h"
#include "module/routing/routing_msn.h"
#include "module/snapin/component_data.h"
#include "module/snapin/node_types.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/ui/wait_cursor.h"

namespace {

constexpr int kImage = 11;
constexpr int kTypeColumnWidth = 200;
constexpr int kDescriptionColumnWidth = 400;
constexpr DWORD kActiveDirectory = 1;
constexpr DWORD kExchange55 = 2;
constexpr wchar_t kDefaultRouters[] = L"defrouters";
constexpr wchar_t kReceiveAll[] = L"cpyrouters";

// The users of every rule of `type`: the store may hold the list split over several rules.
std::set<std::wstring> LoadUnion(IArdentRULEDB& rules, const wchar_t* type) {
  std::set<std::wstring> users;
  IArdentRuleEnum* raw = nullptr;
  const HRESULT hr = rules.raw_EnumRules(L"", type, &raw);
  const IArdentRuleEnumPtr found = IArdentRuleEnumPtr::Adopt(raw);
  CheckHresult(hr, IArdentRULEDB::kIid);
  IArdentRulePtr rule;
  while (found && found->Next(&rule) == S_OK) {
    const IArdentTextEnumPtr texts = rule->EnumUsers();
    _bstr_t user;
    while (texts && texts->Next(&user) == S_OK) users.insert(user.str());
  }
  return users;
}

// Replaces every rule of `type` with one new rule holding `users`, also when it is empty, so
// that the server finds the list where it looks even after several consoles split it.
void StoreAsOneRule(IArdentRULEDB& rules, const wchar_t* type,
                    const std::set<std::wstring>& users) {
  std::vector<std::wstring> ids;
  IArdentRulePtr rule;
  const IArdentRuleEnumPtr found = rules.EnumRules(L"", type);
  while (found && found->Next(&rule) == S_OK) ids.push_back(rule->GetField(L"ObjectID").ToString());
  for (const std::wstring& id : ids) rules.DeleteRule(id);
  const IArdentRulePtr fresh = rules.CreateRule(type);
  for (const std::wstring& user : users) fresh->AddUser(user);
  rules.SaveRule(fresh.Get(), VARIANT_TRUE);
}

HRESULT AddPage(IPropertySheetCallback* callback, CPropertyPage& page) {
  HPROPSHEETPAGE handle = CreatePropertySheetPage(&page.m_psp);
  if (handle == nullptr) return E_UNEXPECTED;
  if (FAILED(callback->AddPage(handle))) {
    DestroyPropertySheetPage(handle);
    return E_UNEXPECTED;
  }
  return S_OK;
}

}  // namespace

CRoutingNode::CRoutingNode(CDelegationBase* owner)
    : CContainerNode(owner), texts_(IDS_ROUTING, IDS_ROUTING_DESCRIPTION) {
  AddChild<CRoutesCSID>();
  AddChild<CRoutesDTMF>();
  AddChild<CRoutesOCR>();
  AddChild<CRoutesLine>();
  AddChild<CRoutingMSN>();
  default_routers_page_.ConstructPage(IDD_PAGE_USERS, IDS_DEFAULT_ROUTERS_TITLE);
  default_routers_page_.SetDescription(LoadModuleString(IDS_DEFAULT_ROUTERS_TEXT));
  default_routers_page_.SetMinimumUsers(1);
  receive_all_page_.ConstructPage(IDD_PAGE_USERS, IDS_RECEIVE_ALL_TITLE);
  receive_all_page_.SetDescription(LoadModuleString(IDS_RECEIVE_ALL_TEXT));
}

std::wstring CRoutingNode::GetDisplayName(int column) { return texts_.Column(column); }

GUID CRoutingNode::GetNodeType() { return kNodeTypeRoutingNode; }

int CRoutingNode::GetBitmapIndex(BOOL) { return kImage; }

HRESULT CRoutingNode::SetComponentData(CComponentData* component_data) {
  default_routers_page_.Setup(component_data);
  receive_all_page_.Setup(component_data);
  return CContainerNode::SetComponentData(component_data);
}

HRESULT CRoutingNode::OnShow(CComponent*, IConsole* console, CComponentData*, BOOL show,
                             HSCOPEITEM) {
  if (!show) return S_OK;
  if (console == nullptr) return E_POINTER;
  pw::ComPtr<IHeaderCtrl> header;
  const HRESULT hr = console->QueryInterface(IID_IHeaderCtrl, header.ReleaseAndGetVoidAddressOf());
  if (FAILED(hr)) return hr;
  // The rows are the child scope items, which the console lists by itself.
  header->InsertColumn(0, LoadModuleString(IDS_ROUTING_COLUMN_TYPE).c_str(), LVCFMT_LEFT,
                       kTypeColumnWidth);
  header->InsertColumn(1, LoadModuleString(IDS_ROUTING_COLUMN_DESCRIPTION).c_str(), LVCFMT_LEFT,
                       kDescriptionColumnWidth);
  return S_OK;
}

HRESULT CRoutingNode::OnSelect(CComponent*, IConsole* console, BOOL, BOOL) {
  if (console == nullptr) return E_POINTER;
  pw::ComPtr<IConsoleVerb> verbs;
  const HRESULT hr = console->QueryConsoleVerb(verbs.ReleaseAndGetAddressOf());
  if (FAILED(hr) || verbs == nullptr) return hr;
  verbs->SetVerbState(MMC_VERB_PROPERTIES, ENABLED, TRUE);
  verbs->SetVerbState(MMC_VERB_OPEN, ENABLED, TRUE);
  verbs->SetVerbState(MMC_VERB_OPEN, HIDDEN, TRUE);
  verbs->SetDefaultVerb(MMC_VERB_OPEN);
  return S_OK;
}

UINT CRoutingNode::DirectoryErrorMessage() const {
  switch (component_data() != nullptr ? component_data()->directory_mode() : 0) {
    case kActiveDirectory:
      return IDS_RULES_AD_ERROR;
    case kExchange55:
      return IDS_RULES_EX55_ERROR;
    default:
      return IDS_RULES_INTERNAL_ERROR;
  }
}

HRESULT CRoutingNode::CreatePropertyPages(CComponent*, CComponentData* component_data,
                                          IPropertySheetCallback* callback, LONG_PTR handle) {
  if (callback == nullptr) return E_POINTER;
  CComponentData* data =
      this->component_data() != nullptr ? this->component_data() : component_data;
  if (data == nullptr) return E_UNEXPECTED;
  {
    CWaitCursor wait;
    CDirectoryConnection& directory = data->directory();
    if (!directory.connection_tried()) directory.ConnectAutomatically();
  }
  if (!data->directory().IsConnected()) {
    // The pages list users by name, which needs the directory.
    data->ShowMessage(LoadModuleString(DirectoryErrorMessage()), MB_OK | MB_ICONERROR);
    return S_FALSE;
  }
  IArdentRULEDB* rules = data->rule_store();
  if (rules == nullptr) return E_UNEXPECTED;
  try {
    default_routers_ = LoadUnion(*rules, kDefaultRouters);
    receive_all_ = LoadUnion(*rules, kReceiveAll);
  } catch (const ComError& error) {
    WriteLog(L"FAILED raw_EnumRules. Return 0x%08X.", static_cast<DWORD>(error.Error()));
    return error.Error();
  }

  notify_handle_ = handle;
  default_routers_page_.SetUsers(default_routers_);
  receive_all_page_.SetUsers(receive_all_);
  const std::vector<CPropertyPage*> pages{&default_routers_page_, &receive_all_page_};
  for (CPageUsers* page : {&default_routers_page_, &receive_all_page_}) {
    page->SetPropertyObject(this);
    page->SetSiblings(pages);
    if (FAILED(AddPage(callback, *page))) {
      // The console frees the handle of a sheet that never opens.
      notify_handle_ = 0;
      return E_UNEXPECTED;
    }
  }
  return S_OK;
}

HRESULT CRoutingNode::OnPropertyChange(CComponent*, IConsole*, CComponentData* component_data) {
  CComponentData* data =
      this->component_data() != nullptr ? this->component_data() : component_data;
  IArdentRULEDB* rules = data != nullptr ? data->rule_store() : nullptr;
  if (rules == nullptr) return E_UNEXPECTED;
  default_routers_ = default_routers_page_.users();
  receive_all_ = receive_all_page_.users();
  try {
    StoreAsOneRule(*rules, kDefaultRouters, default_routers_);
    StoreAsOneRule(*rules, kReceiveAll, receive_all_);
  } catch (const ComError& error) {
    WriteLog(L"FAILED storing the routing users. Return 0x%08X.",
             static_cast<DWORD>(error.Error()));
    return error.Error();
  }
  return S_OK;
}
