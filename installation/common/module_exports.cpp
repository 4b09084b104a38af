// The class factory and the bodies of a module's four exports.
#include "installation/common/module_exports.h"

#include "installation/common/module_state.h"
#include "platform/com/guid.h"
#include "platform/win/paths.h"
#include "platform/win/registry.h"

namespace pw::install {
namespace {

// The class object: creates the module's class and holds the module's server locks.
class ClassFactory final : public ComObject<IClassFactory> {
 public:
  explicit ClassFactory(ObjectCreator create) : create_(create) {}

  HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    return Guarded([&]() -> HRESULT {
      if (object == nullptr) return E_POINTER;
      *object = nullptr;
      if (outer != nullptr) return CLASS_E_NOAGGREGATION;
      return create_(iid, object);
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
  ObjectCreator create_;
};

// This library is linked into each module, so an address of its own names the module's file.
std::wstring ModuleFilePath() {
  static const int anchor = 0;
  return ModuleFileNameFromAddress(&anchor);
}

std::wstring ClassKey(const ModuleClass& served) { return L"CLSID\\" + GuidToString(served.clsid); }

}  // namespace

HRESULT ModuleGetClassObject(const ModuleClass& served, REFCLSID clsid, REFIID iid, void** object) {
  return Guarded([&]() -> HRESULT {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (clsid != served.clsid) return CLASS_E_CLASSNOTAVAILABLE;
    auto factory = MakeComObject<ClassFactory>(served.create);
    if (!factory) return E_OUTOFMEMORY;
    return factory->QueryInterface(iid, object);
  });
}

HRESULT ModuleCanUnloadNow() { return ModuleReference::Count() == 0 ? S_OK : S_FALSE; }

HRESULT ModuleRegisterServer(const ModuleClass& served) {
  return Guarded([&]() -> HRESULT {
    CRegKey key;
    LONG error = key.Create(HKEY_CLASSES_ROOT, ClassKey(served), KEY_WRITE);
    if (error == ERROR_SUCCESS) error = key.SetStringValue(L"", served.friendly_name);
    CRegKey server;
    if (error == ERROR_SUCCESS) {
      error = server.Create(HKEY_CLASSES_ROOT, ClassKey(served) + L"\\InprocServer32", KEY_WRITE);
    }
    if (error == ERROR_SUCCESS) error = server.SetStringValue(L"", ModuleFilePath());
    // Every object locks itself, so callers on any thread may share it.
    if (error == ERROR_SUCCESS) error = server.SetStringValue(L"ThreadingModel", L"Both");
    return HRESULT_FROM_WIN32(error);
  });
}

HRESULT ModuleUnregisterServer(const ModuleClass& served) {
  return Guarded([&]() -> HRESULT {
    const LONG error = RegDeleteTree(HKEY_CLASSES_ROOT, ClassKey(served));
    return error == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(error);
  });
}

}  // namespace pw::install
