// CoCreateInstance over the registry file and dlopen.
#include "platform/com/class_loader.h"

#include <dlfcn.h>

#include <map>
#include <mutex>
#include <string>

#include "platform/com/strings.h"
#include "platform/win/paths.h"
#include "platform/win/registry.h"

namespace {

struct LoadedModule {
  void* handle = nullptr;
  DllGetClassObjectFunction get_class_object = nullptr;
  DllCanUnloadNowFunction can_unload_now = nullptr;
};

struct ModuleTable {
  std::mutex mutex;
  // By resolved file path, so that one module is loaded once whatever class names it.
  std::map<std::string, LoadedModule> modules;
  std::string last_error;
};

ModuleTable& Modules() {
  static ModuleTable table;
  return table;
}

HRESULT FindServerPath(REFCLSID clsid, std::string* path) {
  CRegKey key;
  const std::wstring sub_key = L"CLSID\\" + pw::GuidToString(clsid) + L"\\InprocServer32";
  if (key.Open(HKEY_CLASSES_ROOT, sub_key, KEY_READ) != ERROR_SUCCESS) return REGDB_E_CLASSNOTREG;
  std::wstring file;
  if (key.QueryStringValue(L"", &file) != ERROR_SUCCESS || file.empty()) {
    return REGDB_E_CLASSNOTREG;
  }
  *path = pw::ToHostPath(file);
  return S_OK;
}

HRESULT LoadModule(const std::string& path, LoadedModule* module) {
  ModuleTable& table = Modules();
  std::lock_guard lock(table.mutex);
  if (auto found = table.modules.find(path); found != table.modules.end()) {
    *module = found->second;
    return S_OK;
  }
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* error = ::dlerror();
    table.last_error = error != nullptr ? error : path;
    return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
  }
  LoadedModule loaded;
  loaded.handle = handle;
  loaded.get_class_object =
      reinterpret_cast<DllGetClassObjectFunction>(::dlsym(handle, "DllGetClassObject"));
  loaded.can_unload_now =
      reinterpret_cast<DllCanUnloadNowFunction>(::dlsym(handle, "DllCanUnloadNow"));
  if (loaded.get_class_object == nullptr) {
    table.last_error = path + ": no DllGetClassObject";
    ::dlclose(handle);
    return CO_E_ERRORINDLL;
  }
  table.modules.emplace(path, loaded);
  *module = loaded;
  return S_OK;
}

}  // namespace

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if ((context & CLSCTX_INPROC_SERVER) == 0) return REGDB_E_CLASSNOTREG;
  std::string path;
  HRESULT hr = FindServerPath(clsid, &path);
  if (FAILED(hr)) return hr;
  LoadedModule module;
  hr = LoadModule(path, &module);
  if (FAILED(hr)) return hr;
  return module.get_class_object(clsid, iid, object);
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid,
                         void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  pw::ComPtr<IClassFactory> factory;
  const HRESULT hr =
      CoGetClassObject(clsid, context, IID_IClassFactory, factory.ReleaseAndGetVoidAddressOf());
  if (FAILED(hr)) return hr;
  return factory->CreateInstance(outer, iid, object);
}

void CoFreeUnusedLibraries() {
  ModuleTable& table = Modules();
  std::lock_guard lock(table.mutex);
  for (auto it = table.modules.begin(); it != table.modules.end();) {
    const LoadedModule& module = it->second;
    if (module.can_unload_now != nullptr && module.can_unload_now() == S_OK) {
      ::dlclose(module.handle);
      it = table.modules.erase(it);
    } else {
      ++it;
    }
  }
}

namespace pw {
std::string LastModuleLoadError() {
  ModuleTable& table = Modules();
  std::lock_guard lock(table.mutex);
  return table.last_error;
}
}  // namespace pw
