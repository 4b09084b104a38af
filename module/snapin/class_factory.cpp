// The module's class factory.
#include "module/snapin/class_factory.h"

#include <new>

#include "module/snapin/component_data.h"
#include "module/snapin/pwconfig_app.h"
#include "module/snapin/snapin_about.h"

CClassFactory::CClassFactory(Kind kind) : kind_(kind) {
  InterlockedIncrement(theApp.object_count());
}

CClassFactory::~CClassFactory() { InterlockedDecrement(theApp.object_count()); }

HRESULT CClassFactory::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
  *object = static_cast<IClassFactory*>(this);
  AddRef();
  return S_OK;
}

ULONG CClassFactory::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG CClassFactory::Release() {
  const LONG remaining = InterlockedDecrement(&references_);
  if (remaining == 0) delete this;
  return static_cast<ULONG>(remaining);
}

HRESULT CClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (object == nullptr) return E_FAIL;
  *object = nullptr;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;

  IUnknown* created = nullptr;
  if (kind_ == kSnapin) {
    WriteLog(L">> ClassFactory::CreateInstance (creating CComponentData)");
    try {
      created = static_cast<IComponentData*>(new CComponentData);
      WriteLog(L"<< ClassFactory::CreateInstance (ok)");
    } catch (...) {
      WriteLog(L"<< ClassFactory::CreateInstance (failed to create CComponentData)");
      return E_FAIL;
    }
  } else {
    created = new (std::nothrow) CSnapinAbout;
  }
  if (created == nullptr) return E_OUTOFMEMORY;

  const HRESULT hr = created->QueryInterface(iid, object);
  if (FAILED(hr)) {
    // Nothing holds a reference yet: one AddRef and Release destroy the object.
    created->AddRef();
    created->Release();
  }
  return hr;
}

HRESULT CClassFactory::LockServer(BOOL lock) {
  if (lock) {
    InterlockedIncrement(theApp.lock_count());
  } else {
    InterlockedDecrement(theApp.lock_count());
  }
  return S_OK;
}
