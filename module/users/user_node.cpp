// CUserNodeDelegation: columns, images, comparison, property pages and the write-back of the
// own-database page.
#include "module/users/user_node.h"

#include "module/snapin/component_data.h"
#include "module/snapin/pwconfig_app.h"
#include "module/snapin/registry_keys.h"
#include "module/snapin/view_hints.h"
#include "module/users/user_pages.h"
#include "platform/com/class_loader.h"
#include "platform/com/strings.h"
#include "platform/win/registry.h"

namespace {

constexpr int kImageUser = 30;
constexpr int kImageGroup = 15;
constexpr int kImageOther = 29;
// View-change hint 0 with negative data: the list sets its item count again, redrawing rows.

HRESULT AddPage(IPropertySheetCallback* callback, CMMCPropertyPage& page) {
  HPROPSHEETPAGE handle = CreatePropertySheetPage(&page.m_psp);
  if (handle == nullptr) return E_UNEXPECTED;
  if (FAILED(callback->AddPage(handle))) {
    DestroyPropertySheetPage(handle);
    return E_UNEXPECTED;
  }
  return S_OK;
}

// The values of the multi-valued address attribute, for the address lists.
std::vector<std::wstring> ReadAddresses(IArdentUserLocator* locator, DWORD mode,
                                        const std::wstring& guid) {
  std::vector<std::wstring> addresses;
  if (locator == nullptr || guid.empty()) return addresses;
  try {
    IArdentUserPtr user;
    const LONG search = mode == CNameLookupInfo::kExchange55 ? udbSearchDN : udbSearchDefault;
    if (locator->FindUser(search, guid, &user) != S_OK || !user) return addresses;
    const VARIANT value = user->GetAttribute(
        mode == CNameLookupInfo::kExchange55 ? L"otherMailbox" : L"proxyAddresses");
    if (value.vt() == (VT_ARRAY | VT_VARIANT)) {
      for (const VARIANT& element : value.Array()) {
        if (element.vt() == VT_BSTR) addresses.push_back(element.bstrVal());
      }
    } else if (value.vt() == VT_BSTR) {
      addresses.push_back(value.bstrVal());
    }
  } catch (const ComError&) {
    // A directory that does not answer shows an empty list.
  }
  return addresses;
}

}  // namespace

// The pages are members of the node so that they outlive any sheet the node opens.
class CUserNodeDelegation::Pages {
 public:
  CPropPageUserGeneral user_general;
  CPropPageUserAddress user_address;
  CPropPageUserPhones user_phones;
  CPropPageUserOrganization user_organization;
  CPropPageGroupGeneral group_general;
  CPropPageMTAGeneral mta_general;
  CPropPageUserSmtp user_smtp;
};

CUserNodeDelegation::CUserNodeDelegation(CDelegationBase* list_node, IUserListOwner* list,
                                         CComponentData* component_data,
                                         const std::wstring& object_type, const std::wstring& guid,
                                         const std::wstring& login)
    : CDelegationBase(list_node),
      list_node_(list_node),
      list_(list),
      component_data_(component_data),
      object_type_hint_(object_type),
      login_hint_(login),
      pages_(std::make_unique<Pages>()) {
  lookup_ = std::make_unique<CNameLookupInfo>(
      component_data != nullptr ? component_data->user_locator() : nullptr,
      component_data != nullptr ? component_data->directory_mode() : 0, guid);
}

CUserNodeDelegation::~CUserNodeDelegation() = default;

void CUserNodeDelegation::RebuildRecord() {
  lookup_ = std::make_unique<CNameLookupInfo>(
      component_data_ != nullptr ? component_data_->user_locator() : nullptr,
      component_data_ != nullptr ? component_data_->directory_mode() : 0, lookup_->guid());
}

HRESULT CUserNodeDelegation::SetComponentData(CComponentData* component_data) {
  if (component_data != component_data_) {
    component_data_ = component_data;
    RebuildRecord();
  }
  return S_OK;
}

HRESULT CUserNodeDelegation::OnAddImages(IImageList*, HSCOPEITEM) { return S_OK; }

void CUserNodeDelegation::Resolve() {
  if (!lookup_->IsResolved()) lookup_->Lookup();
}

bool CUserNodeDelegation::IsResolved() const { return lookup_->IsResolved(); }

const std::wstring& CUserNodeDelegation::guid() const { return lookup_->guid(); }

std::wstring CUserNodeDelegation::object_type() const {
  if (lookup_->IsResolved() && !lookup_->object_type().empty()) return lookup_->object_type();
  if (!object_type_hint_.empty()) return object_type_hint_;
  return lookup_->object_type();
}

std::wstring CUserNodeDelegation::login() const {
  if (lookup_->IsResolved()) return lookup_->login();
  return login_hint_;
}

std::wstring CUserNodeDelegation::name() const { return lookup_->name(); }

std::wstring CUserNodeDelegation::email() const { return lookup_->email(); }

std::wstring CUserNodeDelegation::GetDisplayName(int column) {
  lookup_->LoadFromCache();
  const DWORD mode = lookup_->user_mode();
  switch (column) {
    case 0:
      return lookup_->name();
    case 1:
      return mode == CNameLookupInfo::kExchange55 ? lookup_->email() : lookup_->login();
    case 2:
      return mode == CNameLookupInfo::kExchange55 ? std::wstring() : lookup_->email();
    default:
      return std::wstring();
  }
}

int CUserNodeDelegation::GetBitmapIndex(BOOL) {
  const DWORD mode = lookup_->user_mode();
  if (mode < CNameLookupInfo::kActiveDirectory || mode > CNameLookupInfo::kOwnDatabase) return -1;
  const std::wstring type = object_type();
  if (type == L"user") return kImageUser;
  if (mode == CNameLookupInfo::kOwnDatabase) return kImageOther;
  if (type == L"group") return kImageGroup;
  if (type == L"mailboxagent" && mode == CNameLookupInfo::kExchange55) return kImageUser;
  return kImageOther;
}

HRESULT CUserNodeDelegation::OnSelect(CComponent*, IConsole* console, BOOL, BOOL select) {
  if (!select) return S_OK;
  if (console == nullptr) return E_POINTER;
  pw::ComPtr<IConsoleVerb> verbs;
  const HRESULT hr = console->QueryConsoleVerb(verbs.ReleaseAndGetAddressOf());
  if (FAILED(hr) || verbs == nullptr) return hr;
  verbs->SetVerbState(MMC_VERB_PROPERTIES, ENABLED, TRUE);
  verbs->SetVerbState(MMC_VERB_DELETE, ENABLED, TRUE);
  verbs->SetVerbState(MMC_VERB_REFRESH, ENABLED, TRUE);
  verbs->SetDefaultVerb(MMC_VERB_PROPERTIES);
  return S_OK;
}

HRESULT CUserNodeDelegation::OnRefresh(CComponent* component, IConsole* console) {
  if (list_ == nullptr) return S_FALSE;
  return list_->RefreshUserList(component, console);
}

HRESULT CUserNodeDelegation::HasPropertySheets() {
  const std::wstring type = object_type();
  return type == L"user" || type == L"group" || type == L"mailboxagent" ? S_OK : S_FALSE;
}

HRESULT CUserNodeDelegation::OnDelete(CComponent* component, IConsole* console, int flag) {
  if (list_ == nullptr) return S_FALSE;
  return list_->UnregisterUser(this, component, console, flag);
}

HRESULT CUserNodeDelegation::CompareResultItem(LPARAM, MMC_COOKIE other, int* result) {
  if (result == nullptr) return E_POINTER;
  auto* other_node = dynamic_cast<CUserNodeDelegation*>(reinterpret_cast<CDelegationBase*>(other));
  if (other_node == nullptr) return E_INVALIDARG;
  Resolve();
  other_node->Resolve();
  const auto key = [column = *result](const CNameLookupInfo& record) -> const std::wstring& {
    if (column == 1) return record.login();
    if (column == 2) return record.email();
    return record.name();
  };
  *result = pw::CompareIgnoreCase(key(*lookup_), key(*other_node->lookup_));
  return S_OK;
}

HRESULT CUserNodeDelegation::CreatePropertyPages(CComponent*, CComponentData* component_data,
                                                 IPropertySheetCallback* callback,
                                                 LONG_PTR handle) {
  if (callback == nullptr) return E_UNEXPECTED;
  SetDisplayLanguage();
  if (component_data != nullptr && component_data_ == nullptr) SetComponentData(component_data);
  Resolve();
  if (!lookup_->HasDetails()) lookup_->LookupDetails();
  lookup_->LoadFromCache();
  const CNameLookupInfo& record = *lookup_;
  const DWORD mode = record.user_mode();

  std::vector<CMMCPropertyPage*> pages;
  if (mode == CNameLookupInfo::kOwnDatabase) {
    UserPageValues values;
    values.header = record.display_text();
    values.login = record.login();
    values.full_name = record.name();
    values.email = record.email();
    values.mail_system = record.custom_flags() == pw::kMailSystemSmtp ? pw::kMailSystemSmtp
                                                                      : pw::kMailSystemNetworks;
    values.first_name = record.first_name();
    values.last_name = record.last_name();
    values.company = record.company();
    values.department = record.department();
    values.fax = record.fax();
    values.voice = record.telephone();
    values.internet_email = record.internet_email();
    pages_->user_smtp.Fill(values, record.guid());
    pages.push_back(&pages_->user_smtp);
  } else {
    const std::wstring type = object_type();
    std::vector<std::wstring> addresses = ReadAddresses(record.user_locator(), mode, record.guid());
    if (type == L"user") {
      pages_->user_general.Fill(record, {});
      pages_->user_address.Fill(record, {});
      pages_->user_phones.Fill(record, {});
      pages_->user_organization.Fill(record, addresses);
      pages = {&pages_->user_general, &pages_->user_address, &pages_->user_phones,
               &pages_->user_organization};
    } else if (type == L"group") {
      pages_->group_general.Fill(record, addresses);
      pages.push_back(&pages_->group_general);
    } else if (type == L"mailboxagent") {
      pages_->mta_general.Fill(record, addresses);
      pages.push_back(&pages_->mta_general);
    }
  }
  if (pages.empty()) return S_FALSE;

  std::vector<CPropertyPage*> siblings(pages.begin(), pages.end());
  for (CMMCPropertyPage* page : pages) {
    page->SetComponentData(component_data_);
    page->SetPropertyObject(this);
    page->SetSiblings(siblings);
  }
  notify_handle_ = handle;
  for (CMMCPropertyPage* page : pages) {
    if (const HRESULT hr = AddPage(callback, *page); FAILED(hr)) return hr;
  }
  shown_pages_ = std::move(pages);
  return S_OK;
}

HRESULT CUserNodeDelegation::OnPropertyChange(CComponent*, IConsole* console,
                                              CComponentData* component_data) {
  if (component_data != nullptr && component_data_ == nullptr) SetComponentData(component_data);
  if (lookup_->user_mode() != CNameLookupInfo::kOwnDatabase) return S_OK;
  const HRESULT hr = SaveOwnDatabaseUser();
  CNameLookupInfo::EraseFromCache(lookup_->guid());
  RebuildRecord();
  IConsole* views = console != nullptr
                        ? console
                        : (component_data_ != nullptr ? component_data_->console() : nullptr);
  if (views != nullptr && component_data_ != nullptr && list_node_ != nullptr) {
    pw::ComPtr<IDataObject> list_object;
    if (SUCCEEDED(component_data_->QueryDataObject(list_node_->GetCookie(), CCT_SCOPE,
                                                   list_object.ReleaseAndGetAddressOf()))) {
      views->UpdateAllViews(list_object.Get(), -1, kHintResetCount);
    }
  }
  return hr;
}

HRESULT CUserNodeDelegation::SaveOwnDatabaseUser() {
  std::wstring folder;
  CRegKey config;
  if (config.Open(HKEY_LOCAL_MACHINE, kPagewellConfigKey, KEY_READ) != ERROR_SUCCESS ||
      config.QueryStringValue(L"DBPATH", &folder) != ERROR_SUCCESS) {
    WriteLog(L"Cannot read DBPATH.");
    return S_FALSE;
  }
  pw::ComPtr<IArdentUserDB> database;
  if (FAILED(pw::CreateInstance(CLSID_ArdentUserDB, &database))) return S_FALSE;
  const std::wstring connection = L"dbpath=" + folder + ARDENTUSERDB_FILE_NAME;
  if (FAILED(database->raw_Connect(UDB_CONNECT_WRITE | UDB_CONNECT_CREATE | UDB_CONNECT_OPEN,
                                   connection.c_str()))) {
    WriteLog(L"Connect(%s) FAILED.", connection);
    return S_FALSE;
  }
  const UserPageValues& values = pages_->user_smtp.values();
  try {
    pw::ComPtr<IArdentUserLocator> locator;
    if (FAILED(database.As(&locator))) return S_FALSE;
    IArdentUserPtr user;
    if (locator->FindUser(udbSearchDefault, lookup_->guid(), &user) != S_OK || !user) {
      database->raw_Close();
      return S_FALSE;
    }
    const std::pair<const wchar_t*, const std::wstring*> texts[] = {
        {L"cn", &values.full_name},
        {L"mail", &values.email},
        {L"givenName", &values.first_name},
        {L"sn", &values.last_name},
        {L"department", &values.department},
        {L"company", &values.company},
        {L"telephoneNumber", &values.voice},
        {L"facsimileTelephoneNumber", &values.fax},
        {L"ardentWindowsAccount", &values.login},
    };
    for (const auto& [name, text] : texts) user->SetAttribute(name, VARIANT::FromBstr(*text));
    user->SetAttribute(L"ardentCustomFlags", VARIANT::FromI4(values.mail_system));
    user->SetAttribute(L"ardentInternetMail", VARIANT::FromBstr(values.internet_email));
    user->Save();
  } catch (const ComError& error) {
    database->raw_Close();
    return error.Error();
  }
  database->raw_Close();
  return S_OK;
}
