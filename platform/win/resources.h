// Resources compiled into a module: string tables, dialog templates, bitmaps and icons.
//
// The resource compiler (tools/pwrc) turns a module's resource scripts into one
// pw::ResourceModule object; its address, as an HINSTANCE, is what the module passes to the
// load functions. A load returns the set of the calling thread's language (GetThreadLocale)
// and falls back to English only for a resource that the other set lacks, which the resource
// compiler already refuses for strings.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/types.h"
#include "platform/win/dialog_resource.h"

namespace pw {

struct StringResource {
  UINT id;
  std::wstring_view text;
};

struct BinaryResource {
  UINT id;
  std::span<const unsigned char> bytes;
};

struct ResourceLanguage {
  LANGID language;
  std::span<const StringResource> strings;       // sorted by id
  std::span<const DialogResource> dialogs = {};  // sorted by id
};

class ResourceModule {
 public:
  // Bitmaps are Windows BMP files, icons Windows ICO files; both are language neutral.
  constexpr ResourceModule(std::span<const ResourceLanguage> languages,
                           std::span<const BinaryResource> bitmaps,
                           std::span<const BinaryResource> icons)
      : languages_(languages), bitmaps_(bitmaps), icons_(icons) {}

  HINSTANCE handle() const {
    return reinterpret_cast<HINSTANCE>(const_cast<ResourceModule*>(this));
  }
  static const ResourceModule* FromHandle(HINSTANCE instance) {
    return reinterpret_cast<const ResourceModule*>(instance);
  }

  // The text of string `id` in `language`; null when neither that set nor English has it.
  const std::wstring_view* FindString(UINT id, LANGID language) const;
  // Dialog template `id` in `language`, with the same English fallback as strings.
  const DialogResource* FindDialog(UINT id, LANGID language) const;
  const BinaryResource* FindBitmap(UINT id) const;
  const BinaryResource* FindIcon(UINT id) const;
  std::span<const ResourceLanguage> languages() const { return languages_; }

 private:
  std::span<const ResourceLanguage> languages_;
  std::span<const BinaryResource> bitmaps_;
  std::span<const BinaryResource> icons_;
};

// String `id` in the calling thread's language; empty when there is none.
std::wstring LoadStringResource(HINSTANCE instance, UINT id);
// Dialog template `id` in the calling thread's language; null when there is none.
const DialogResource* LoadDialogResource(HINSTANCE instance, UINT id);

// Pixels of a loaded image, top row first, 0xAARRGGBB.
struct ImagePixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

}  // namespace pw

// The number of characters loaded (0 when the string does not exist).
int LoadString(HINSTANCE instance, UINT id, std::wstring* text);

// Images: null when the resource does not exist or cannot be decoded.
HBITMAP LoadBitmap(HINSTANCE instance, UINT id);
// The icon image nearest to `size` pixels (the largest for 0).
HICON LoadIcon(HINSTANCE instance, UINT id, int size = 32);
BOOL DeleteObject(HBITMAP bitmap);
BOOL DestroyIcon(HICON icon);

struct BITMAP {
  LONG bmWidth = 0;
  LONG bmHeight = 0;
};
BOOL GetBitmapInfo(HBITMAP bitmap, BITMAP* info);

namespace pw {
const ImagePixels* BitmapPixels(HBITMAP bitmap);
const ImagePixels* IconPixels(HICON icon);
// The image as a BMP or ICO file, as a front end shows it.
std::span<const unsigned char> BitmapFileBytes(HBITMAP bitmap);
}  // namespace pw
