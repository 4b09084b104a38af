// The module's four exports: the class object of ArdentDB, the unload check, and
// self-registration under HKEY_CLASSES_ROOT\CLSID.
#include "installation/interfaces/ardent_db.h"
#include "installation/store/configuration_store.h"
#include "installation/store/module_state.h"
#include "platform/win/paths.h"
#include "platform/win/registry.h"

#define PW_MODULE_EXPORT extern "C" __attribute__((visibility("default")))

namespace pw::store {
namespace {

constexpr wchar_t kFriendlyName[] = L"ArdentDB Class";

class StoreClassFactory final : public ComObject<IClassFactory> {
 public:
  HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    return Guarded([&]() -> HRESULT {
      if (object == nullptr) return E_POINTER;
      *object = nullptr;
      if (outer != nullptr) return CLASS_E_NOAGGREGATION;
      auto store = MakeComObject<ConfigurationStore>();
      if (!store) return E_OUTOFMEMORY;
      return store->QueryInterface(iid, object);
    });
  }

  HRESULT LockServer(BOOL lock) override {
    if (lock) {
      ++ModuleReference::Count();
    } else {
      --ModuleReference::Count();
    }
    return S_OK;
  }

 private:
  ModuleReference module_reference_;
};

std::wstring ModuleFilePath() {
  static const int anchor = 0;
  return ModuleFileNameFromAddress(&anchor);
}

std::wstring ClassKey() { return L"CLSID\\" + GuidToString(CLSID_ArdentDB); }

}  // namespace
}  // namespace pw::store

PW_MODULE_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  return pw::store::Guarded([&]() -> HRESULT {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (clsid != CLSID_ArdentDB) return CLASS_E_CLASSNOTAVAILABLE;
    auto factory = pw::MakeComObject<pw::store::StoreClassFactory>();
    if (!factory) return E_OUTOFMEMORY;
    return factory->QueryInterface(iid, object);
  });
}

PW_MODULE_EXPORT HRESULT DllCanUnloadNow() {
  return pw::store::ModuleReference::Count() == 0 ? S_OK : S_FALSE;
}

PW_MODULE_EXPORT HRESULT DllRegisterServer() {
  return pw::store::Guarded([]() -> HRESULT {
    CRegKey key;
    LONG error = key.Create(HKEY_CLASSES_ROOT, pw::store::ClassKey(), KEY_WRITE);
    if (error == ERROR_SUCCESS) error = key.SetStringValue(L"", pw::store::kFriendlyName);
    CRegKey server;
    if (error == ERROR_SUCCESS) {
      error =
          server.Create(HKEY_CLASSES_ROOT, pw::store::ClassKey() + L"\\InprocServer32", KEY_WRITE);
    }
    if (error == ERROR_SUCCESS) error = server.SetStringValue(L"", pw::store::ModuleFilePath());
    // Every object locks itself, so callers on any thread may share it.
    if (error == ERROR_SUCCESS) error = server.SetStringValue(L"ThreadingModel", L"Both");
    return HRESULT_FROM_WIN32(error);
  });
}

PW_MODULE_EXPORT HRESULT DllUnregisterServer() {
  return pw::store::Guarded([]() -> HRESULT {
    const LONG error = RegDeleteTree(HKEY_CLASSES_ROOT, pw::store::ClassKey());
    return error == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(error);
  });
}
