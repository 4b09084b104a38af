// Object creation through the registry: CoCreateInstance finds a class's module under
// HKEY_CLASSES_ROOT\CLSID\{clsid}\InprocServer32, loads it once and asks its class factory.
#pragma once

#include "platform/com/com_ptr.h"

inline constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, REFIID iid, void** object);
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object);
// Unloads the modules whose DllCanUnloadNow answers S_OK.
void CoFreeUnusedLibraries();

namespace pw {

template <ComInterface T>
HRESULT CreateInstance(REFCLSID clsid, ComPtr<T>* object) {
  if (object == nullptr) return E_POINTER;
  return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, T::kIid,
                          object->ReleaseAndGetVoidAddressOf());
}

// The text of the last module load failure in this process (dlerror), for diagnostics.
std::string LastModuleLoadError();

}  // namespace pw
