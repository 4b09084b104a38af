// pwmmcnode.so: the module through which CoCreateInstance finds the console's node manager
// (CLSID_NodeManager), the property sheet provider that lives in the console host's library.
#include "mmc/host/property_sheet_provider.h"

#define PW_MODULE_EXPORT extern "C" __attribute__((visibility("default")))

PW_MODULE_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (clsid != CLSID_NodeManager) return CLASS_E_CLASSNOTAVAILABLE;
  return PwMmcGetNodeManagerClassObject(iid, object);
}

// The provider's code lives in the host's library, which outlives every module.
PW_MODULE_EXPORT HRESULT DllCanUnloadNow() { return S_FALSE; }
