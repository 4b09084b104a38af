// CNameTranslate: the Active Directory name translation of a user's login, from its
// distinguished name to "DOMAIN\account", answered by the server's user database.
#pragma once

#include <string>
#include <string_view>

#include "installation/interfaces/ardent_userdb.h"

// Mirrors the platform's name translation object as the login lookup uses it: Init with the
// global catalog, Set a distinguished name, Get the Windows NT 4 name. The snap-in never talks
// LDAP itself, so the account comes from the user database ("ardentWindowsAccount", which it
// reads from "sAMAccountName"), found by the distinguished name. The domain is the first "DC="
// part of the distinguished name in capitals, the NetBIOS name a domain is given unless its
// administrator chose another. Lives on the caller's stack for one translation.
class CNameTranslate {
 public:
  static constexpr LONG ADS_NAME_INITTYPE_GC = 3;
  static constexpr LONG ADS_NAME_TYPE_1779 = 1;
  static constexpr LONG ADS_NAME_TYPE_NT4 = 3;
  // No object has the name, or the name has no domain part (ERROR_NOT_FOUND).
  static constexpr HRESULT kNameNotFound = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);

  // Only the global catalog is known; `path` must be empty.
  HRESULT Init(LONG init_type, std::wstring_view path, IArdentUserLocator* users);
  HRESULT Set(LONG type, std::wstring_view name);
  HRESULT Get(LONG type, std::wstring* name) const;

  // The value of the first "DC=" part of `distinguished_name` in capitals; empty when there is
  // none. Escaped commas ("\,") do not end a part.
  static std::wstring DomainOf(std::wstring_view distinguished_name);

 private:
  IArdentUserLocator* users_ = nullptr;
  std::wstring distinguished_name_;
};
