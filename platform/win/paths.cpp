// Windows-style paths on a POSIX file system.
#include "platform/win/paths.h"

#include <dirent.h>
#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/com/strings.h"
#include "platform/win/last_error.h"

namespace pw {
namespace {

std::string EnvOr(const char* name, std::string fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::string(value) : std::move(fallback);
}

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// The entry of `folder` whose name equals `name` without regard to case; `name` itself when
// there is an exact match or none at all.
std::string ResolveComponent(const std::string& folder, const std::string& name) {
  struct stat info;
  if (::stat((folder + "/" + name).c_str(), &info) == 0) return name;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return name;
  std::string found = name;
  const std::wstring wanted = FromUtf8(name);
  while (const dirent* entry = ::readdir(dir)) {
    if (EqualsIgnoreCase(FromUtf8(entry->d_name), wanted)) {
      found = entry->d_name;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

}  // namespace

bool IsUncPath(std::wstring_view path) {
  return path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]);
}

std::string UncRoot() { return EnvOr("PAGEWELL_UNC_ROOT", UserDataFolder() + "/unc"); }

std::string UserDataFolder() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg != nullptr && *xdg == '/') return std::string(xdg) + "/pagewell";
  return EnvOr("HOME", "/tmp") + "/.local/share/pagewell";
}

std::string ToHostPath(std::wstring_view windows_path) {
  if (!IsUncPath(windows_path)) {
    std::string path = ToUtf8(windows_path);
    for (char& c : path) {
      if (c == '\\') c = '/';
    }
    return path;
  }
  // A share's names are matched as the server would match them: without regard to case.
  std::vector<std::string> parts;
  std::wstring part;
  for (wchar_t c : windows_path.substr(2)) {
    if (IsSeparator(c)) {
      if (!part.empty()) parts.push_back(ToUtf8(part));
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(ToUtf8(part));
  std::string path = UncRoot();
  for (const std::string& name : parts) {
    if (name == "." || name == "..") {
      path += "/" + name;
      continue;
    }
    path += "/" + ResolveComponent(path, name);
  }
  if (IsSeparator(windows_path.back())) path += "/";
  return path;
}

std::wstring ModuleFileNameFromAddress(const void* address) {
  Dl_info info;
  if (::dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
  std::string file = info.dli_fname;
  char resolved[PATH_MAX];
  if (::realpath(file.c_str(), resolved) != nullptr) file = resolved;
  return FromUtf8(file);
}

std::wstring FolderOf(std::wstring_view path) {
  const std::size_t last = path.find_last_of(L"\\/");
  if (last == std::wstring_view::npos) return {};
  if (last == 0) return std::wstring(path.substr(0, 1));
  return std::wstring(path.substr(0, last));
}

}  // namespace pw

DWORD GetModuleFileName(HMODULE module, std::wstring* path) {
  if (path == nullptr) return 0;
  path->clear();
  if (module == nullptr) {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (length <= 0) {
      SetLastError(ERROR_FILE_NOT_FOUND);
      return 0;
    }
    *path = pw::FromUtf8(std::string_view(buffer, static_cast<std::size_t>(length)));
    return static_cast<DWORD>(path->size());
  }
  link_map* map = nullptr;
  if (::dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr || map->l_name == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  *path = pw::FromUtf8(map->l_name);
  return static_cast<DWORD>(path->size());
}

BOOL GetComputerName(std::wstring* name) {
  if (name == nullptr) return FALSE;
  if (const char* forced = std::getenv("PAGEWELL_COMPUTERNAME"); forced && *forced) {
    *name = pw::ToUpper(pw::FromUtf8(forced));
    return TRUE;
  }
  char host[256] = {};
  if (::gethostname(host, sizeof(host) - 1) != 0) {
    SetLastError(pw::Win32ErrorFromErrno(errno));
    return FALSE;
  }
  std::string short_name = host;
  if (const std::size_t dot = short_name.find('.'); dot != std::string::npos) {
    short_name.resize(dot);
  }
  *name = pw::ToUpper(pw::FromUtf8(short_name));
  return TRUE;
}
