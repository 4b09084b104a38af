// The module's four exports: class objects, the unload check, and self-registration.
#include <new>

#include "module/resources/resource.h"
#include "module/snapin/class_factory.h"
#include "module/snapin/guids.h"
#include "module/snapin/pwconfig_app.h"
#include "module/snapin/registry_keys.h"
#include "platform/win/paths.h"
#include "platform/win/registry.h"

#define PW_MODULE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// The full path of this module's file.
std::wstring ModuleFilePath() {
  static const int anchor = 0;
  return pw::ModuleFileNameFromAddress(&anchor);
}

LONG SetKeyDefault(HKEY parent, std::wstring_view sub_key, std::wstring_view value, CRegKey* key) {
  LONG error = key->Create(parent, sub_key, KEY_WRITE);
  if (error == ERROR_SUCCESS) error = key->SetStringValue(L"", value);
  return error;
}

// CLSID\{clsid} with the friendly name, and its InprocServer32 naming this file.
HRESULT RegisterClass(REFCLSID clsid, UINT name_id) {
  const std::wstring class_key = L"CLSID\\" + pw::GuidToString(clsid);
  CRegKey key;
  LONG error = SetKeyDefault(HKEY_CLASSES_ROOT, class_key, LoadModuleString(name_id), &key);
  if (error != ERROR_SUCCESS) return HRESULT_FROM_WIN32(error);
  CRegKey server;
  error =
      SetKeyDefault(HKEY_CLASSES_ROOT, class_key + L"\\InprocServer32", ModuleFilePath(), &server);
  if (error == ERROR_SUCCESS) error = server.SetStringValue(L"ThreadingModel", L"Apartment");
  return HRESULT_FROM_WIN32(error);
}

// The console's list of snap-ins that can be added: name, stand-alone, and the About class.
HRESULT RegisterWithConsole() {
  const std::wstring snapin_key =
      std::wstring(kConsoleSnapInsKey) + L"\\" + pw::GuidToString(CLSID_PagewellSnapin);
  CRegKey key;
  LONG error = key.Create(HKEY_LOCAL_MACHINE, snapin_key, KEY_WRITE);
  if (error == ERROR_SUCCESS)
    error = key.SetStringValue(L"NameString", LoadModuleString(IDS_APP_TITLE));
  if (error == ERROR_SUCCESS) {
    CRegKey stand_alone;
    error = stand_alone.Create(HKEY_LOCAL_MACHINE, snapin_key + L"\\StandAlone", KEY_WRITE);
  }
  if (error == ERROR_SUCCESS) {
    error = key.SetStringValue(L"About", pw::GuidToString(CLSID_PagewellAbout));
  }
  return HRESULT_FROM_WIN32(error);
}

}  // namespace

PW_MODULE_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (clsid != CLSID_PagewellSnapin && clsid != CLSID_PagewellAbout) {
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  if (object == nullptr) return E_FAIL;
  *object = nullptr;
  if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
  auto* factory = new (std::nothrow)
      CClassFactory(clsid == CLSID_PagewellSnapin ? CClassFactory::kSnapin : CClassFactory::kAbout);
  if (factory == nullptr) return E_OUTOFMEMORY;
  return factory->QueryInterface(iid, object);
}

PW_MODULE_EXPORT HRESULT DllCanUnloadNow() { return theApp.CanUnloadNow() ? S_OK : S_FALSE; }

PW_MODULE_EXPORT HRESULT DllRegisterServer() {
  HRESULT hr = RegisterClass(CLSID_PagewellSnapin, IDS_SNAPIN_PROGID);
  if (SUCCEEDED(hr)) hr = RegisterClass(CLSID_PagewellAbout, IDS_ABOUT_PROGID);
  if (SUCCEEDED(hr)) hr = RegisterWithConsole();
  return FAILED(hr) ? hr : S_OK;
}

PW_MODULE_EXPORT HRESULT DllUnregisterServer() {
  // Only the snap-in class and its console entry go; the About class key is left in place.
  const std::wstring class_key = L"CLSID\\" + pw::GuidToString(CLSID_PagewellSnapin);
  if (RegDeleteTree(HKEY_CLASSES_ROOT, class_key) != ERROR_SUCCESS) return E_FAIL;
  const std::wstring snapin_key =
      std::wstring(kConsoleSnapInsKey) + L"\\" + pw::GuidToString(CLSID_PagewellSnapin);
  return HRESULT_FROM_WIN32(RegDeleteTree(HKEY_LOCAL_MACHINE, snapin_key));
}
