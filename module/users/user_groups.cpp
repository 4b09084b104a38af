// Finding the user utility library's membership functions and calling them.
#include "module/users/user_groups.h"

#include <dlfcn.h>

#include "module/server/server_location.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/win/paths.h"

namespace pw {
namespace {

struct MembershipFunctions {
  decltype(&UserUtil_IsPagewellUser) is_member = nullptr;
  decltype(&UserUtil_GetUserConfigGroups) start_groups = nullptr;
  decltype(&UserUtil_GetNextUserConfigGroup) next_group = nullptr;
};

// Found once per process; null functions when the library is missing.
const MembershipFunctions& Functions() {
  static const MembershipFunctions functions = [] {
    MembershipFunctions found;
    const std::string path = ToHostPath(SnapinModuleFolder()) + "/libuserutil.so";
    // Kept loaded for the life of the process, as a linked library would be.
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      WriteLog(L"Failed to load %S: %S", path, std::string(::dlerror()));
      return found;
    }
    found.is_member =
        reinterpret_cast<decltype(found.is_member)>(::dlsym(handle, "UserUtil_IsPagewellUser"));
    found.start_groups = reinterpret_cast<decltype(found.start_groups)>(
        ::dlsym(handle, "UserUtil_GetUserConfigGroups"));
    found.next_group = reinterpret_cast<decltype(found.next_group)>(
        ::dlsym(handle, "UserUtil_GetNextUserConfigGroup"));
    return found;
  }();
  return functions;
}

}  // namespace

HRESULT IsListMemberThroughGroups(const std::wstring& identity, IArdentRULEDB* rules,
                                  IArdentUserLocator* users, DWORD directory_mode,
                                  const std::wstring& list_rule) {
  if (Functions().is_member == nullptr) return E_FAIL;
  return Functions().is_member(identity.c_str(), rules, users, static_cast<LONG>(directory_mode),
                               list_rule.c_str());
}

HRESULT ListGroupsOfMember(const std::wstring& list_rule, IArdentRULEDB* rules,
                           IArdentUserLocator* users, const std::wstring& identity,
                           std::vector<std::wstring>* groups) {
  const MembershipFunctions& functions = Functions();
  if (functions.start_groups == nullptr || functions.next_group == nullptr) return E_FAIL;
  const HRESULT started = functions.start_groups(list_rule.c_str(), rules, users, identity.c_str());
  if (FAILED(started)) return started;
  BSTR name = nullptr;
  while (functions.next_group(&name) == S_OK) {
    groups->push_back(pw::ardent_detail::TakeBstr(name));
    name = nullptr;
  }
  return S_OK;
}

}  // namespace pw
