// Matching the users of route files against the user database.
#include "installation/routeio/user_matcher.h"

#include "platform/com/strings.h"

namespace pw::routeio {

UserMatcher::UserMatcher(IArdentUserLocator* locator, LONG directory_mode)
    : locator_(locator), directory_mode_(directory_mode) {}

std::optional<std::wstring> UserMatcher::Find(LONG search_type, const std::wstring& text) {
  IArdentUserPtr user;
  if (locator_ == nullptr || locator_->FindUser(search_type, text, &user) != S_OK || !user) {
    return std::nullopt;
  }
  // An Exchange 5.5 directory's objects are stored by distinguished name, which is what an
  // identity search there was given.
  if (search_type == udbSearchDN) return text;
  return user->GetIdentity();
}

std::optional<std::wstring> UserMatcher::Match(const RouteUser& user, std::wstring* reason) {
  if (!user.identity.empty()) {
    const LONG by_identity = directory_mode_ == 2 ? udbSearchDN : udbSearchDefault;
    if (auto identity = Find(by_identity, user.identity)) return identity;
  }
  if (!user.name.empty()) {
    if (auto identity = Find(udbSearchLogin, user.name)) return identity;
    if (auto identity = Find(udbSearchMail, user.name)) return identity;
    const auto& names = DisplayNames();
    const auto [first, last] = names.equal_range(user.name);
    if (first != last && std::next(first) == last) return first->second;
    if (first != last) {
      *reason = L"several users have this name";
      return std::nullopt;
    }
  }
  *reason = L"the user database does not know this user";
  return std::nullopt;
}

const std::multimap<std::wstring, std::wstring, LessIgnoreCase>& UserMatcher::DisplayNames() {
  if (display_names_) return *display_names_;
  display_names_.emplace();
  if (locator_ == nullptr) return *display_names_;
  const IArdentTextEnumPtr identities = locator_->EnumObjects(L"");
  if (!identities) return *display_names_;
  identities->Reset();
  _bstr_t identity;
  while (identities->Next(&identity) == S_OK) {
    // An object removed since the enumeration began has no name and cannot match.
    std::wstring name = ReadableName(identity.str());
    if (!name.empty()) display_names_->emplace(std::move(name), identity.str());
  }
  return *display_names_;
}

std::wstring UserMatcher::ReadableName(const std::wstring& identity) {
  if (locator_ == nullptr || identity.empty()) return {};
  BSTR name = nullptr;
  if (FAILED(locator_->raw_GetDisplayName(identity.c_str(), &name))) return {};
  return ardent_detail::TakeBstr(name);
}

}  // namespace pw::routeio
