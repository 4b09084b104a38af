// UserMatcher: finds the users that a route file names in the user database, and the
// readable names that export writes beside each identity.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "installation/interfaces/ardent_userdb.h"
#include "installation/routeio/route_file.h"
#include "platform/com/strings.h"

namespace pw::routeio {

// Lives for one import or export; borrows the locator (which may be null: then nobody is
// found and every name is empty). Lookups of the locator that fail throw ComError, except in
// ReadableName.
class UserMatcher {
 public:
  UserMatcher(IArdentUserLocator* locator, LONG directory_mode);

  // The identity to store for `user`: found by its identity first; else, by its name, as a
  // login, then as an address, then as the one object whose display name it is. Nothing when
  // no object (or more than one display name) matches; `reason` then says which.
  [[nodiscard]] std::optional<std::wstring> Match(const RouteUser& user, std::wstring* reason);

  // The name that the user database shows for `identity`; empty when it has none for it.
  std::wstring ReadableName(const std::wstring& identity);

 private:
  std::optional<std::wstring> Find(LONG search_type, const std::wstring& text);
  // Identities by display name (without regard to case), read once on first use.
  const std::multimap<std::wstring, std::wstring, LessIgnoreCase>& DisplayNames();

  IArdentUserLocator* locator_;
  LONG directory_mode_;
  std::optional<std::multimap<std::wstring, std::wstring, LessIgnoreCase>> display_names_;
};

}  // namespace pw::routeio
