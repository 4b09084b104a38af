// Declarations of the management console's snap-in interfaces, with the platform's IIDs and
// numeric values. Both the console host and the snap-in modules include this header.
#pragma once

#include "platform/com/unknown.h"

inline constexpr IID IID_ISnapinAbout = pw::GuidLiteral("1245208C-A151-11D0-A7D7-00C04FD909DD");

// The About information that the console shows in its lists of snap-ins. Texts are returned in
// task memory, which the console frees; the images stay owned by the object.
struct ISnapinAbout : IUnknown {
  static constexpr const IID& kIid = IID_ISnapinAbout;

  virtual HRESULT GetSnapinDescription(LPWSTR* description) = 0;
  virtual HRESULT GetProvider(LPWSTR* name) = 0;
  virtual HRESULT GetSnapinVersion(LPWSTR* version) = 0;
  virtual HRESULT GetSnapinImage(HICON* app_icon) = 0;
  virtual HRESULT GetStaticFolderImage(HBITMAP* small_image, HBITMAP* small_image_open,
                                       HBITMAP* large_image, COLORREF* mask) = 0;

 protected:
  ~ISnapinAbout() = default;
};
