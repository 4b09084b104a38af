// The four exports of a COM server module that serves one class: the class object, the unload
// check and self-registration under HKEY_CLASSES_ROOT\CLSID. A module's own file defines the
// exports with PW_DEFINE_MODULE_EXPORTS, which forwards each to the function of the same role
// here.
#pragma once

#include "platform/com/com_ptr.h"
#include "platform/com/unknown.h"

#define PW_MODULE_EXPORT extern "C" __attribute__((visibility("default")))

namespace pw::install {

// Makes one object of the module's class and returns its `iid` interface through `object`.
using ObjectCreator = HRESULT (*)(REFIID iid, void** object);

// The ObjectCreator of a class that MakeComObject can build without arguments.
template <typename Object>
HRESULT CreateObject(REFIID iid, void** object) {
  auto created = MakeComObject<Object>();
  if (!created) return E_OUTOFMEMORY;
  return created->QueryInterface(iid, object);
}

// The one class a module serves.
struct ModuleClass {
  const CLSID& clsid;
  // The class key's default value.
  const wchar_t* friendly_name;
  ObjectCreator create;
};

// DllGetClassObject: a class factory for `served`, CLASS_E_CLASSNOTAVAILABLE for another class.
[[nodiscard]] HRESULT ModuleGetClassObject(const ModuleClass& served, REFCLSID clsid, REFIID iid,
                                           void** object);
// DllCanUnloadNow: S_OK once no object and no server lock is left.
[[nodiscard]] HRESULT ModuleCanUnloadNow();
// DllRegisterServer: the class key, its InprocServer32 (this module's file) and the threading
// model.
[[nodiscard]] HRESULT ModuleRegisterServer(const ModuleClass& served);
// DllUnregisterServer: removes the class key; S_OK when there is none.
[[nodiscard]] HRESULT ModuleUnregisterServer(const ModuleClass& served);

}  // namespace pw::install

// Defines the module's four exports for `served`, a pw::install::ModuleClass. Used once, at
// file scope, in the module's own file.
#define PW_DEFINE_MODULE_EXPORTS(served)                                                   \
  PW_MODULE_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {  \
    return pw::install::ModuleGetClassObject(served, clsid, iid, object);                  \
  }                                                                                        \
  PW_MODULE_EXPORT HRESULT DllCanUnloadNow() { return pw::install::ModuleCanUnloadNow(); } \
  PW_MODULE_EXPORT HRESULT DllRegisterServer() {                                           \
    return pw::install::ModuleRegisterServer(served);                                      \
  }                                                                                        \
  PW_MODULE_EXPORT HRESULT DllUnregisterServer() {                                         \
    return pw::install::ModuleUnregisterServer(served);                                    \
  }
