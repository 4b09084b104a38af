// CSnapinAbout: the About information of the snap-in (description, provider, version, images).
#pragma once

#include "mmc/mmc.h"
#include "module/snapin/pwconfig_app.h"

// Loads its images when constructed and owns them until it is destroyed; the console copies
// what it keeps.
class CSnapinAbout final : public ISnapinAbout {
 public:
  CSnapinAbout();
  ~CSnapinAbout();

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;

  HRESULT GetSnapinDescription(LPWSTR* description) override;
  HRESULT GetProvider(LPWSTR* name) override;
  HRESULT GetSnapinVersion(LPWSTR* version) override;
  HRESULT GetSnapinImage(HICON* app_icon) override;
  HRESULT GetStaticFolderImage(HBITMAP* small_image, HBITMAP* small_image_open,
                               HBITMAP* large_image, COLORREF* mask) override;

  // The installed server's version as "major.minor (Build n)", or the text that says it
  // cannot be read.
  static std::wstring ReadInstalledVersion();

 private:
  ModuleObjectCount object_count_;
  LONG references_ = 0;
  HBITMAP small_image_ = nullptr;
  HBITMAP small_image_open_ = nullptr;
  HBITMAP large_image_ = nullptr;
  HICON app_icon_ = nullptr;
};
