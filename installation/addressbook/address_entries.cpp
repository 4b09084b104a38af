// Reading the address book's rows and matching them against the search text.
#include "installation/addressbook/address_entries.h"

#include <algorithm>
#include <cwctype>

#include "installation/interfaces/ardent_addressbook.h"
#include "platform/com/strings.h"

namespace pw::addressbook {
namespace {

std::wstring Lower(std::wstring_view text) {
  std::wstring lower(text);
  for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return lower;
}

// The object's "mail", or empty when it has none that is a text.
std::wstring MailOf(IArdentUser& user) {
  VARIANT value;
  if (FAILED(user.raw_GetAttribute(L"mail", &value)) || value.vt() != VT_BSTR) return {};
  return value.bstrVal();
}

}  // namespace

HRESULT ReadAddressEntries(IArdentUserLocator& users, LONG flags,
                           std::vector<AddressEntry>* entries) {
  entries->clear();
  static constexpr std::pair<LONG, const wchar_t*> kKinds[] = {
      {ABF_USERS, L"user"}, {ABF_GROUPS, L"group"}, {ABF_MAILBOXAGENTS, L"mailboxagent"}};
  for (const auto& [flag, object_type] : kKinds) {
    if ((flags & flag) == 0) continue;
    IArdentTextEnum* raw = nullptr;
    const HRESULT hr = users.raw_EnumObjects(object_type, &raw);
    const IArdentTextEnumPtr identities = IArdentTextEnumPtr::Adopt(raw);
    if (FAILED(hr)) return hr;
    if (!identities) continue;
    _bstr_t identity;
    while (identities->Next(&identity) == S_OK) {
      IArdentUser* found = nullptr;
      const HRESULT find = users.raw_FindUser(udbSearchDefault, identity.c_str(), &found);
      const IArdentUserPtr user = IArdentUserPtr::Adopt(found);
      if (find != S_OK || !user) continue;
      BSTR name = nullptr;
      if (FAILED(users.raw_GetDisplayName(identity.c_str(), &name))) {
        SysFreeString(name);
        continue;
      }
      entries->push_back(
          {identity.str(), ardent_detail::TakeBstr(name), MailOf(*user), object_type});
    }
  }
  std::stable_sort(entries->begin(), entries->end(), [](const auto& a, const auto& b) {
    const int by_name = CompareIgnoreCase(a.name, b.name);
    if (by_name != 0) return by_name < 0;
    return CompareIgnoreCase(a.address, b.address) < 0;
  });
  return S_OK;
}

bool MatchesSearch(const AddressEntry& entry, std::wstring_view search) {
  const std::wstring wanted = Lower(Trim(search));
  if (wanted.empty()) return true;
  return Lower(entry.name).find(wanted) != std::wstring::npos ||
         Lower(entry.address).find(wanted) != std::wstring::npos;
}

}  // namespace pw::addressbook
