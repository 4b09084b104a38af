// CNameLookupInfo: the basic and details lookups of a directory object and their cache.
#include "module/users/name_lookup_info.h"

#include <initializer_list>
#include <utility>
#include <vector>

#include "module/snapin/pwconfig_app.h"
#include "module/users/name_translate.h"
#include "platform/com/strings.h"

namespace {

// A text attribute, or empty when it is missing, unreadable or not a text.
std::wstring ReadText(IArdentUser& user, const wchar_t* name) {
  VARIANT value;
  if (FAILED(user.raw_GetAttribute(name, &value)) || value.vt() != VT_BSTR) return {};
  return value.bstrVal();
}

// The text values of a multi-valued attribute; values of other types do not count.
std::vector<std::wstring> ReadTexts(IArdentUser& user, const wchar_t* name) {
  std::vector<std::wstring> texts;
  VARIANT value;
  if (FAILED(user.raw_GetAttribute(name, &value))) return texts;
  if (value.vt() == VT_BSTR) {
    texts.push_back(value.bstrVal());
  } else if (value.vt() == (VT_ARRAY | VT_VARIANT)) {
    for (const VARIANT& item : value.Array()) {
      if (item.vt() == VT_BSTR) texts.push_back(item.bstrVal());
    }
  }
  return texts;
}

// The object type of the first class value that `rules` maps, or empty.
std::wstring FirstMatchingClass(
    const std::vector<std::wstring>& classes,
    std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> rules) {
  for (const std::wstring& value : classes) {
    for (const auto& [object_class, object_type] : rules) {
      if (pw::EqualsIgnoreCase(value, object_class)) return object_type;
    }
  }
  return {};
}

}  // namespace

std::map<std::wstring, CNameLookupInfo::Basic>& CNameLookupInfo::Cache() {
  // Each identity's first successful answer, for the life of the module: every lookup is a
  // directory query, and lists ask for the same rows again and again.
  static std::map<std::wstring, Basic> cache;
  return cache;
}

CNameLookupInfo::CNameLookupInfo(IArdentUserLocator* user_locator, DWORD user_mode,
                                 std::wstring guid)
    : user_locator_(user_locator), user_mode_(user_mode), guid_(std::move(guid)) {}

void CNameLookupInfo::Lookup() {
  if (resolved_) return;
  if (guid_.empty()) {
    WriteLog(L"m_bstrGuid is NULL!");
    return;
  }
  if (LoadFromCache()) return;
  resolved_ = true;
  bool known_mode = true;
  HRESULT found = S_OK;
  const IArdentUserPtr user = FindObject(&known_mode, &found);
  if (!known_mode) return;
  if (!user) {
    UseIdentityAsName();
    WriteLog(L"NameLookup: Failed to retrieve user information (Error: 0x%08x)",
             static_cast<DWORD>(found));
    return;
  }
  if (FAILED(user->raw_OpenUserObject())) {
    UseIdentityAsName();
    WriteLog(L"NameLookup: Failed to open user object.");
    return;
  }
  ReadBasic(*user);
  ReadObjectType(*user);
  ComposeDisplayText();
  Cache().insert_or_assign(guid_, basic_);
}

IArdentUserPtr CNameLookupInfo::FindObject(bool* known_mode, HRESULT* failure) {
  LONG search_type = udbSearchDefault;
  if (user_mode_ == kActiveDirectory || user_mode_ == kOwnDatabase) {
    WriteLog(L"m_spUL->raw_FindUser(udbSearchDefault, %s, &spUser);", guid_);
  } else if (user_mode_ == kExchange55) {
    WriteLog(L"m_spUL->raw_FindUser(udbSearchDN, %s, &spUser);", guid_);
    search_type = udbSearchDN;
  } else {
    WriteLog(L"Invalid lpNameLookup->dwUsermode");
    *known_mode = false;
    return nullptr;
  }
  if (!user_locator_) {
    *failure = E_POINTER;
    return nullptr;
  }
  IArdentUser* raw = nullptr;
  *failure = user_locator_->raw_FindUser(search_type, guid_.c_str(), &raw);
  IArdentUserPtr user = IArdentUserPtr::Adopt(raw);
  if (*failure != S_OK) return nullptr;
  return user;
}

void CNameLookupInfo::ReadBasic(IArdentUser& user) {
  basic_.name = ReadText(user, L"cn");
  basic_.email = ReadText(user, L"mail");
  basic_.distinguished_name = ReadText(user, L"distinguishedName");
  // Exchange has no login; a failed translation leaves it empty.
  basic_.login.clear();
  if (user_mode_ == kOwnDatabase) {
    basic_.login = ReadText(user, L"ardentWindowsAccount");
  } else if (user_mode_ == kActiveDirectory && !basic_.distinguished_name.empty()) {
    CNameTranslate translate;
    if (SUCCEEDED(translate.Init(CNameTranslate::ADS_NAME_INITTYPE_GC, L"", user_locator_.Get())) &&
        SUCCEEDED(translate.Set(CNameTranslate::ADS_NAME_TYPE_1779, basic_.distinguished_name))) {
      translate.Get(CNameTranslate::ADS_NAME_TYPE_NT4, &basic_.login);
    }
  }
}

void CNameLookupInfo::ReadObjectType(IArdentUser& user) {
  if (user_mode_ == kOwnDatabase) {
    basic_.object_type = L"user";
    return;
  }
  const std::vector<std::wstring> classes = ReadTexts(user, L"ObjectClass");
  if (user_mode_ == kActiveDirectory) {
    basic_.object_type = FirstMatchingClass(classes, {{L"user", L"user"}, {L"group", L"group"}});
    return;
  }
  // A mailbox agent also carries the person classes: it wins over them.
  basic_.object_type = FirstMatchingClass(classes, {{L"Mailbox-Agent", L"mailboxagent"}});
  if (basic_.object_type.empty()) {
    basic_.object_type = FirstMatchingClass(
        classes, {{L"organizationalPerson", L"user"}, {L"groupOfNames", L"group"}});
  }
}

void CNameLookupInfo::ComposeDisplayText() {
  if (!basic_.name.empty()) {
    basic_.display_text = basic_.name;
    const std::wstring& extra = !basic_.email.empty() ? basic_.email : basic_.login;
    if (!extra.empty()) basic_.display_text += L" (" + extra + L")";
    return;
  }
  basic_.name = !basic_.email.empty() ? basic_.email : !basic_.login.empty() ? basic_.login : guid_;
  basic_.display_text = basic_.name;
}

void CNameLookupInfo::UseIdentityAsName() {
  basic_.name = guid_;
  basic_.display_text = guid_;
}

bool CNameLookupInfo::LoadFromCache() {
  const auto found = Cache().find(guid_);
  if (found == Cache().end()) return false;
  basic_ = found->second;
  resolved_ = true;
  return true;
}

void CNameLookupInfo::LookupDetails() {
  if (has_details_) return;
  has_details_ = true;
  bool known_mode = true;
  HRESULT found = S_OK;
  const IArdentUserPtr user = FindObject(&known_mode, &found);
  if (!known_mode) return;
  if (!user || FAILED(user->raw_OpenUserObject())) {
    WriteLog(L"NameLookup: Failed to open user object.");
    return;
  }
  ReadDetails(*user);
}

void CNameLookupInfo::ReadDetails(IArdentUser& user) {
  Details& d = details_;
  if (user_mode_ == kOwnDatabase) {
    d.first_name = ReadText(user, L"givenName");
    d.last_name = ReadText(user, L"sn");
    d.company = ReadText(user, L"company");
    d.department = ReadText(user, L"department");
    d.fax = ReadText(user, L"facsimileTelephoneNumber");
    d.telephone = ReadText(user, L"telephoneNumber");
    VARIANT flags;
    const bool has_flags =
        SUCCEEDED(user.raw_GetAttribute(L"ardentCustomFlags", &flags)) && flags.vt() == VT_I4;
    d.custom_flags = has_flags ? flags.lVal() : 0;
    d.internet_email = ReadText(user, L"ardentInternetMail");
    return;
  }
  d.first_name = ReadText(user, L"givenName");
  d.last_name = ReadText(user, L"sn");
  d.initials = ReadText(user, L"initials");
  d.description = ReadText(user, L"description");
  d.office = ReadText(user, L"physicalDeliveryOfficeName");
  d.telephone = ReadText(user, L"telephoneNumber");
  d.web_page = ReadText(user, L"wWWHomePage");
  d.uid = ReadText(user, L"uid");
  d.street = ReadText(user, user_mode_ == kActiveDirectory ? L"streetAddress" : L"postalAddress");
  d.city = ReadText(user, L"l");
  d.state_or_province = ReadText(user, L"st");
  d.postal_code = ReadText(user, L"postalCode");
  d.country = ReadText(user, L"co");
  d.post_office_box = ReadText(user, L"postOfficeBox");
  d.title = ReadText(user, L"title");
  d.department = ReadText(user, L"department");
  d.company = ReadText(user, L"company");
  d.home_phone = ReadText(user, L"homePhone");
  d.pager = ReadText(user, L"pager");
  d.mobile = ReadText(user, L"mobile");
  d.fax = ReadText(user, L"facsimileTelephoneNumber");
  d.ip_phone = ReadText(user, L"ipPhone");
  d.notes = ReadText(user, L"info");
  d.computer_name = ReadText(user, L"Computer-Name");
  d.secretary = ReadText(user, L"secretary");
  d.manager = ReadText(user, L"manager");
}

void CNameLookupInfo::EraseFromCache(const std::wstring& guid) { Cache().erase(guid); }

void CNameLookupInfo::ClearCache() { Cache().clear(); }

bool CNameLookupInfo::IsCached(const std::wstring& guid) { return Cache().count(guid) != 0; }
