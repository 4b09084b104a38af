// Calling the user utility library, which is installed beside the snap-in module.
#include "module/server/user_defaults.h"

#include <dlfcn.h>

#include "module/resources/resource.h"
#include "module/server/server_location.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/com/strings.h"
#include "platform/win/paths.h"

namespace {

constexpr char kLibraryName[] = "libuserutil.so";

// The library's functions, found once per process; null when the library is missing.
struct UserUtilLibrary {
  decltype(&UserUtil_SetLogFile) set_log_file = nullptr;
  decltype(&UserUtil_InstallPagewellDefaults) install_defaults = nullptr;
};

const UserUtilLibrary& Library() {
  static const UserUtilLibrary library = [] {
    UserUtilLibrary found;
    const std::string path = pw::ToHostPath(SnapinModuleFolder()) + "/" + kLibraryName;
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      WriteLog(L"Failed to load %S: %S", path, std::string(::dlerror()));
      return found;
    }
    // Kept loaded for the life of the process, as a linked library would be.
    found.set_log_file =
        reinterpret_cast<decltype(found.set_log_file)>(::dlsym(handle, "UserUtil_SetLogFile"));
    found.install_defaults = reinterpret_cast<decltype(found.install_defaults)>(
        ::dlsym(handle, "UserUtil_InstallPagewellDefaults"));
    return found;
  }();
  return library;
}

}  // namespace

void SetUserUtilLogFile() {
  if (!theApp.logging()) {
    WriteLog(L"Setting userutil log file to: %s", std::wstring(L"NULL"));
    return;
  }
  WriteLog(L"Setting userutil log file to: %s", theApp.log_path());
  if (Library().set_log_file != nullptr) Library().set_log_file(theApp.log_path().c_str());
}

std::string UserDatabaseArgument(const std::wstring& server_path) {
  return "dbpath=" + pw::ToUtf8(server_path) + "\\pwdb_usr.fst";
}

void InstallUserDefaults(const UserDefaultsRequest& request) {
  if (Library().install_defaults == nullptr) return;
  const std::wstring title = LoadModuleString(IDS_APP_TITLE);
  const std::string argument = UserDatabaseArgument(request.server_path);
  Library().install_defaults(0, request.rules, request.user_db,
                             static_cast<LONG>(request.directory_mode), title.c_str(),
                             USERUTIL_DEFAULTS_ALL, 0, request.mapi_profile.c_str(),
                             request.directory_server.c_str(), argument.c_str());
}
