// Calling a module's registration exports.
#include "installation/setup/module_registration.h"

#include <dlfcn.h>

#include <cstdio>

#include "platform/com/strings.h"
#include "platform/win/paths.h"

namespace pw::setup {
namespace {

HRESULT CallExport(const std::string& module_path, const char* name, std::string* error) {
  void* module = ::dlopen(module_path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    if (error != nullptr) *error = ::dlerror();
    return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
  }
  auto function = reinterpret_cast<HRESULT (*)()>(::dlsym(module, name));
  HRESULT hr = HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
  if (function != nullptr) {
    hr = function();
  }
  if (error != nullptr) {
    char text[64];
    std::snprintf(text, sizeof(text), function ? "%s answered 0x%08X" : "%s is missing", name,
                  static_cast<unsigned>(hr));
    *error = FAILED(hr) ? module_path + ": " + text : std::string();
  }
  ::dlclose(module);
  return hr;
}

}  // namespace

HRESULT RegisterModule(const std::string& module_path, std::string* error) {
  return CallExport(module_path, "DllRegisterServer", error);
}

HRESULT UnregisterModule(const std::string& module_path, std::string* error) {
  return CallExport(module_path, "DllUnregisterServer", error);
}

std::string ProgramFolder() {
  std::wstring program;
  GetModuleFileName(nullptr, &program);
  return ToUtf8(FolderOf(program));
}

}  // namespace pw::setup
