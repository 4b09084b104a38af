// Calling a module's registration exports.
#include "installation/setup/module_registration.h"

#include <dlfcn.h>

#include "platform/com/strings.h"
#include "platform/win/paths.h"

namespace pw::setup {
namespace {

SetupStatus CallExport(const std::string& module_path, const char* name) {
  const std::string step = std::string("calling ") + name;
  void* module = ::dlopen(module_path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    const char* detail = ::dlerror();
    return SetupStatus::Failure(module_path, "loading the module",
                                HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND),
                                detail != nullptr ? detail : "");
  }
  auto function = reinterpret_cast<HRESULT (*)()>(::dlsym(module, name));
  SetupStatus status = SetupStatus::Ok();
  if (function == nullptr) {
    status = SetupStatus::Failure(module_path, step, HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND),
                                  "the module has no such export");
  } else if (const HRESULT hr = function(); FAILED(hr)) {
    status = SetupStatus::Failure(module_path, step, hr);
  }
  ::dlclose(module);
  return status;
}

}  // namespace

SetupStatus RegisterModule(const std::string& module_path) {
  return CallExport(module_path, "DllRegisterServer");
}

SetupStatus UnregisterModule(const std::string& module_path) {
  return CallExport(module_path, "DllUnregisterServer");
}

SetupStatus RegisterInstallationModules(const std::string& folder, SetupReport* report) {
  for (const char* module : kInstallationModules) {
    const std::string path = folder + "/" + module;
    SetupStatus status = RegisterModule(path);
    if (!status.ok()) return status;
    report->Registered(path);
  }
  return SetupStatus::Ok();
}

std::string ProgramFolder() {
  std::wstring program;
  GetModuleFileName(nullptr, &program);
  return ToUtf8(FolderOf(program));
}

}  // namespace pw::setup
