// CComponentData.
#include "module/snapin/component_data.h"

HRESULT CComponentData::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (iid != IID_IUnknown) return E_NOINTERFACE;
  *object = static_cast<IUnknown*>(this);
  AddRef();
  return S_OK;
}

ULONG CComponentData::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG CComponentData::Release() {
  const LONG remaining = InterlockedDecrement(&references_);
  if (remaining == 0) delete this;
  return static_cast<ULONG>(remaining);
}
