// The library's C exports: argument checks, the guard that keeps exceptions inside, and the
// per-thread enumeration of a user's configured groups.
#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "installation/interfaces/userutil.h"
#include "installation/userutil/list_members.h"
#include "installation/userutil/pagewell_defaults.h"
#include "installation/userutil/userutil_log.h"
#include "platform/com/strings.h"

#define PW_LIBRARY_EXPORT extern "C" __attribute__((visibility("default")))

namespace pw::userutil {
namespace {

// Runs an export's body: a ComError becomes its HRESULT, a failed allocation E_OUTOFMEMORY,
// anything else E_UNEXPECTED; each is logged with the export's name.
template <typename Body>
HRESULT Guarded(const wchar_t* function, Body&& body) noexcept {
  HRESULT hr = E_UNEXPECTED;
  try {
    return body();
  } catch (const ComError& error) {
    hr = error.Error();
  } catch (const std::bad_alloc&) {
    hr = E_OUTOFMEMORY;
  } catch (...) {
  }
  try {
    Log(L"FAILED %s. Return 0x%08X.", function, static_cast<ULONG>(hr));
  } catch (...) {
  }
  return hr;
}

bool IsDirectoryMode(LONG mode) { return mode >= 1 && mode <= 3; }

std::wstring Text(LPCWSTR text) { return text != nullptr ? std::wstring(text) : std::wstring(); }

// The names that UserUtil_GetNextUserConfigGroup hands out, one enumeration per thread.
struct GroupEnumeration {
  std::vector<std::wstring> names;
  std::size_t next = 0;
};
thread_local GroupEnumeration current_groups;

}  // namespace
}  // namespace pw::userutil

using pw::userutil::Guarded;

PW_LIBRARY_EXPORT HRESULT UserUtil_SetLogFile(LPCWSTR path) {
  return Guarded(L"UserUtil_SetLogFile", [&]() -> HRESULT {
    pw::userutil::SetLogPath(pw::userutil::Text(path));
    return S_OK;
  });
}

PW_LIBRARY_EXPORT HRESULT UserUtil_InstallPagewellDefaults(
    LONG reserved, IArdentRULEDB* rules, IArdentUserDB* user_db, LONG directory_mode, LPCWSTR title,
    LONG what, LONG mail_system, LPCWSTR mapi_profile, LPCWSTR directory_server,
    LPCSTR user_db_argument) {
  return Guarded(L"UserUtil_InstallPagewellDefaults", [&]() -> HRESULT {
    if (rules == nullptr) return E_POINTER;
    if (reserved != 0 || !pw::userutil::IsDirectoryMode(directory_mode) ||
        (what & ~USERUTIL_DEFAULTS_ALL) != 0 || (mail_system != 0 && mail_system != 1)) {
      return E_INVALIDARG;
    }
    using pw::userutil::Log;
    Log(L">> UserUtil_InstallPagewellDefaults (%s, directory mode %d)", pw::userutil::Text(title),
        directory_mode);
    if (directory_mode == 2) {
      Log(L"Exchange 5.5 profile: %s, directory server: %s", pw::userutil::Text(mapi_profile),
          pw::userutil::Text(directory_server));
    }
    pw::userutil::DefaultsRequest request;
    request.directory_mode = directory_mode;
    request.what = what;
    request.mail_system = mail_system;
    request.user_db_argument = pw::FromUtf8(user_db_argument != nullptr ? user_db_argument : "");
    const HRESULT hr = pw::userutil::InstallDefaults(*rules, user_db, request);
    Log(L"<< UserUtil_InstallPagewellDefaults (0x%08X)", static_cast<ULONG>(hr));
    return hr;
  });
}

PW_LIBRARY_EXPORT HRESULT UserUtil_IsPagewellUser(LPCWSTR identity, IArdentRULEDB* rules,
                                                  IArdentUserLocator* users, LONG directory_mode,
                                                  LPCWSTR list_rule) {
  return Guarded(L"UserUtil_IsPagewellUser", [&]() -> HRESULT {
    if (identity == nullptr || rules == nullptr || users == nullptr || list_rule == nullptr) {
      return E_POINTER;
    }
    if (*identity == L'\0' || *list_rule == L'\0' ||
        !pw::userutil::IsDirectoryMode(directory_mode)) {
      return E_INVALIDARG;
    }
    return pw::userutil::ListedContainingGroups(*rules, *users, list_rule, identity, directory_mode)
                   .empty()
               ? S_FALSE
               : S_OK;
  });
}

PW_LIBRARY_EXPORT HRESULT UserUtil_GetUserConfigGroups(LPCWSTR list_rule, IArdentRULEDB* rules,
                                                       IArdentUserLocator* users,
                                                       LPCWSTR identity) {
  pw::userutil::current_groups = {};
  return Guarded(L"UserUtil_GetUserConfigGroups", [&]() -> HRESULT {
    if (identity == nullptr || rules == nullptr || users == nullptr || list_rule == nullptr) {
      return E_POINTER;
    }
    if (*identity == L'\0' || *list_rule == L'\0') return E_INVALIDARG;
    pw::userutil::GroupEnumeration found;
    for (const std::wstring& group : pw::userutil::ListedContainingGroups(
             *rules, *users, list_rule, identity, pw::userutil::kAnyDirectoryMode)) {
      BSTR name = nullptr;
      // A group the directory no longer knows is still named, by its identity.
      if (SUCCEEDED(users->raw_GetDisplayName(group.c_str(), &name))) {
        found.names.push_back(pw::ardent_detail::TakeBstr(name));
      } else {
        found.names.push_back(group);
      }
    }
    std::stable_sort(found.names.begin(), found.names.end(), pw::LessIgnoreCase());
    pw::userutil::current_groups = std::move(found);
    return S_OK;
  });
}

PW_LIBRARY_EXPORT HRESULT UserUtil_GetNextUserConfigGroup(BSTR* name) {
  return Guarded(L"UserUtil_GetNextUserConfigGroup", [&]() -> HRESULT {
    if (name == nullptr) return E_POINTER;
    *name = nullptr;
    pw::userutil::GroupEnumeration& groups = pw::userutil::current_groups;
    if (groups.next >= groups.names.size()) {
      groups = {};
      return USERUTIL_S_NOMOREGROUPS;
    }
    const std::wstring& next = groups.names[groups.next];
    *name = SysAllocStringLen(next.data(), static_cast<UINT>(next.size()));
    if (*name == nullptr) return E_OUTOFMEMORY;
    ++groups.next;
    return S_OK;
  });
}
