// The user utility library (libuserutil.so): the server's defaults for users, routers and
// administrators, and group membership of registered users. Callers find the functions by
// their C names.
//
// No function throws; each answers an HRESULT. Directory modes as the installation keeps them:
// 1 Active Directory, 2 Exchange 5.5, 3 the server's own user database.
#pragma once

#include "installation/interfaces/ardent_db.h"
#include "installation/interfaces/ardent_userdb.h"

// The two numeric options of UserUtil_InstallPagewellDefaults. `what`: which defaults to make
// sure of (a combination of the bits below; the console passes USERUTIL_DEFAULTS_ALL).
// `mail_system`: the "ardentCustomFlags" of a default user made in the own database (0
// Networks, 1 SMTP).
inline constexpr LONG USERUTIL_DEFAULTS_USERS = 0x1;    // a registered user ("faxusers")
inline constexpr LONG USERUTIL_DEFAULTS_ROUTERS = 0x2;  // "defrouters" and "smsdefrouters"
inline constexpr LONG USERUTIL_DEFAULTS_ADMINS = 0x4;   // "admins"
inline constexpr LONG USERUTIL_DEFAULTS_ALL = 0x7;

// The login, name and address of the default user made in an own database without users.
inline constexpr wchar_t USERUTIL_DEFAULT_LOGIN[] = L"Administrator";
inline constexpr wchar_t USERUTIL_DEFAULT_ADDRESS[] = L"Administrator@Pagewell";

// UserUtil_GetNextUserConfigGroup after the last group.
inline constexpr HRESULT USERUTIL_S_NOMOREGROUPS = S_FALSE;

extern "C" {

// Lines of the library go to `path` (a Windows-style path), in the console's log format;
// null or empty turns them off.
HRESULT UserUtil_SetLogFile(LPCWSTR path);

// Makes sure the server has what it needs to run, and changes nothing that is there already:
// - users: when "faxusers" lists nobody, the default user (login USERUTIL_DEFAULT_LOGIN) is
//   registered; in directory mode 3 it is made in the own database first when missing. In
//   modes 1 and 2 the directory's users are never created here.
// - routers and administrators: each of "defrouters", "smsdefrouters" and "admins" that lists
//   nobody gets the default member: the registered default user, else the first registered
//   object.
// `reserved` must be 0. `user_db` is the console's user database object; when it is not yet
// connected, the library connects it for the duration of the call with `user_db_argument`
// ("dbpath=...", narrow text as the console forms it; flags 7, so a missing file is made).
// `title` names the application in log lines. `mapi_profile` and `directory_server` are the
// mode 2 settings (they may be empty). S_OK when something was added, S_FALSE when everything
// was in place; a failure leaves what was done before it.
HRESULT UserUtil_InstallPagewellDefaults(LONG reserved, IArdentRULEDB* rules,
                                         IArdentUserDB* user_db, LONG directory_mode, LPCWSTR title,
                                         LONG what, LONG mail_system, LPCWSTR mapi_profile,
                                         LPCWSTR directory_server, LPCSTR user_db_argument);

// S_OK when `identity` belongs to the list `list_rule` ("faxusers", "admins", "smsusers", ...)
// through a listed group (directly or through nested groups), S_FALSE when it does not (also
// when no object has the identity). Being listed itself does not count. Failures of the rule
// store or the user database (UDB_E_NOTCONNECTED, ...) are passed on.
HRESULT UserUtil_IsPagewellUser(LPCWSTR identity, IArdentRULEDB* rules, IArdentUserLocator* users,
                                LONG directory_mode, LPCWSTR list_rule);

// Starts an enumeration of the names of the listed groups through which `identity` belongs to
// `list_rule`, sorted by name without regard to case. The object is searched by identity, and
// by distinguished name when that finds nothing (Exchange 5.5 identities). One enumeration per
// thread: starting another abandons the previous one; a failed start leaves none.
HRESULT UserUtil_GetUserConfigGroups(LPCWSTR list_rule, IArdentRULEDB* rules,
                                     IArdentUserLocator* users, LPCWSTR identity);
// S_OK with the next group's name (free it with SysFreeString), or USERUTIL_S_NOMOREGROUPS with
// null after the last one (and without an enumeration started).
HRESULT UserUtil_GetNextUserConfigGroup(BSTR* name);

}  // extern "C"
