// The About information of the snap-in.
#include "module/snapin/snapin_about.h"

#include "module/resources/resource.h"
#include "module/snapin/registry_keys.h"
#include "platform/com/memory.h"
#include "platform/win/registry.h"
#include "platform/win/resources.h"

namespace {

// The folder images are drawn on this colour where they are transparent.
constexpr COLORREF kImageMask = RGB(0, 0x80, 0x80);

HRESULT ReturnString(std::wstring_view text, LPWSTR* out) {
  if (out == nullptr) return E_POINTER;
  *out = pw::CoTaskMemDupString(text);
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

CSnapinAbout::CSnapinAbout()
    : small_image_(LoadBitmap(AfxGetResourceHandle(), IDB_SNAPIN_SMALL)),
      small_image_open_(LoadBitmap(AfxGetResourceHandle(), IDB_SNAPIN_SMALL)),
      large_image_(LoadBitmap(AfxGetResourceHandle(), IDB_SNAPIN_LARGE)),
      app_icon_(LoadIcon(AfxGetResourceHandle(), IDI_SNAPIN)) {}

CSnapinAbout::~CSnapinAbout() {
  DeleteObject(small_image_);
  DeleteObject(small_image_open_);
  DeleteObject(large_image_);
  if (app_icon_ != nullptr) {
    DestroyIcon(app_icon_);
    app_icon_ = nullptr;
  }
}

HRESULT CSnapinAbout::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (iid != IID_IUnknown && iid != IID_ISnapinAbout) return E_NOINTERFACE;
  *object = static_cast<ISnapinAbout*>(this);
  AddRef();
  return S_OK;
}

ULONG CSnapinAbout::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG CSnapinAbout::Release() {
  const LONG remaining = InterlockedDecrement(&references_);
  if (remaining == 0) delete this;
  return static_cast<ULONG>(remaining);
}

HRESULT CSnapinAbout::GetSnapinDescription(LPWSTR* description) {
  return ReturnString(LoadModuleString(IDS_SNAPIN_DESCRIPTION), description);
}

HRESULT CSnapinAbout::GetProvider(LPWSTR* name) {
  return ReturnString(LoadModuleString(IDS_PROVIDER), name);
}

HRESULT CSnapinAbout::GetSnapinVersion(LPWSTR* version) {
  return ReturnString(ReadInstalledVersion(), version);
}

HRESULT CSnapinAbout::GetSnapinImage(HICON* app_icon) {
  if (app_icon == nullptr) return E_POINTER;
  *app_icon = app_icon_;
  return app_icon_ != nullptr ? S_OK : E_FAIL;
}

HRESULT CSnapinAbout::GetStaticFolderImage(HBITMAP* small_image, HBITMAP* small_image_open,
                                           HBITMAP* large_image, COLORREF* mask) {
  if (small_image == nullptr || small_image_open == nullptr || large_image == nullptr ||
      mask == nullptr) {
    return E_POINTER;
  }
  *small_image = small_image_;
  *small_image_open = small_image_open_;
  *large_image = large_image_;
  *mask = kImageMask;
  if (small_image_ == nullptr || small_image_open_ == nullptr || large_image_ == nullptr) {
    return E_FAIL;
  }
  return S_OK;
}

std::wstring CSnapinAbout::ReadInstalledVersion() {
  DWORD remote = 0;
  {
    CRegKey config;
    if (config.Open(HKEY_LOCAL_MACHINE, kPagewellConfigKey, KEY_READ) != ERROR_SUCCESS ||
        config.QueryDWORDValue(L"REMOTE", &remote) != ERROR_SUCCESS) {
      remote = 0;
    }
  }
  // A remote console installation records its own version under the monitor's key.
  const wchar_t* version_key = (remote == 1 || remote == 2) ? kRemoteMonitorKey : kPagewellKey;
  CRegKey key;
  DWORD major = 0;
  DWORD minor = 0;
  DWORD build = 0;
  if (key.Open(HKEY_LOCAL_MACHINE, version_key, KEY_READ) == ERROR_SUCCESS &&
      key.QueryDWORDValue(L"MajorVer", &major) == ERROR_SUCCESS &&
      key.QueryDWORDValue(L"MinorVer", &minor) == ERROR_SUCCESS &&
      key.QueryDWORDValue(L"Build", &build) == ERROR_SUCCESS) {
    return pw::FormatString(L"%lu.%lu (Build %lu)", major, minor, build);
  }
  return LoadModuleString(IDS_NO_VERSION_INFO);
}
