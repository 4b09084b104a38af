// CImageList: images copied from bitmap strips and icons, scaled to the list's size.
#include "platform/ui/image_list.h"

#include "platform/ui/dialog.h"
#include "platform/ui/ui_constants.h"

namespace {

// 0xAARRGGBB of a COLORREF (0x00BBGGRR), opaque.
std::uint32_t ToPixel(COLORREF color) {
  return 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(color)) << 16) |
         (static_cast<std::uint32_t>(GetGValue(color)) << 8) | GetBValue(color);
}

}  // namespace

BOOL CImageList::Create(int cx, int cy, UINT /*flags*/, int /*initial*/, int /*grow*/) {
  if (cx <= 0 || cy <= 0 || cx > 256 || cy > 256) return FALSE;
  created_ = true;
  cx_ = cx;
  cy_ = cy;
  images_.clear();
  return TRUE;
}

BOOL CImageList::Create(UINT bitmap_id, int cx, int grow, COLORREF mask) {
  HBITMAP bitmap = LoadBitmap(AfxGetResourceHandle(), bitmap_id);
  if (bitmap == nullptr) return FALSE;
  BITMAP info;
  GetBitmapInfo(bitmap, &info);
  BOOL created = Create(cx, info.bmHeight, ILC_COLOR32 | ILC_MASK, 0, grow);
  if (created && Add(bitmap, mask) < 0) created = FALSE;
  DeleteObject(bitmap);
  if (!created) DeleteImageList();
  return created;
}

BOOL CImageList::DeleteImageList() {
  if (!created_) return FALSE;
  created_ = false;
  images_.clear();
  return TRUE;
}

pw::ImagePixels CImageList::Scaled(const pw::ImagePixels& source, int x, int width) const {
  pw::ImagePixels image;
  image.width = cx_;
  image.height = cy_;
  image.pixels.resize(static_cast<std::size_t>(cx_) * static_cast<std::size_t>(cy_));
  for (int row = 0; row < cy_; ++row) {
    const int source_row = row * source.height / cy_;
    for (int column = 0; column < cx_; ++column) {
      const int source_column = x + column * width / cx_;
      image.pixels[static_cast<std::size_t>(row * cx_ + column)] =
          source.pixels[static_cast<std::size_t>(source_row * source.width + source_column)];
    }
  }
  return image;
}

int CImageList::Add(HBITMAP bitmap, COLORREF mask) {
  const pw::ImagePixels* source = pw::BitmapPixels(bitmap);
  if (!created_ || source == nullptr || source->width < cx_) return -1;
  const int first = GetImageCount();
  // A strip holds width / cx images; each is cx pixels wide before scaling to the height.
  const int count = source->width / cx_;
  for (int i = 0; i < count; ++i) {
    pw::ImagePixels image = Scaled(*source, i * cx_, cx_);
    if (mask != CLR_NONE && mask != CLR_DEFAULT) {
      const std::uint32_t transparent = ToPixel(mask);
      for (std::uint32_t& pixel : image.pixels) {
        if ((pixel | 0xFF000000u) == transparent) pixel = 0;
      }
    }
    images_.push_back(std::move(image));
  }
  return first;
}

int CImageList::Add(HICON icon) {
  const pw::ImagePixels* source = pw::IconPixels(icon);
  if (!created_ || source == nullptr || source->width <= 0) return -1;
  images_.push_back(Scaled(*source, 0, source->width));
  return GetImageCount() - 1;
}

BOOL CImageList::Replace(int index, HICON icon) {
  const pw::ImagePixels* source = pw::IconPixels(icon);
  if (!created_ || source == nullptr || index < 0 || index >= GetImageCount()) return FALSE;
  images_[static_cast<std::size_t>(index)] = Scaled(*source, 0, source->width);
  return TRUE;
}

BOOL CImageList::Remove(int index) {
  if (!created_) return FALSE;
  if (index == -1) {
    images_.clear();
    return TRUE;
  }
  if (index < 0 || index >= GetImageCount()) return FALSE;
  images_.erase(images_.begin() + index);
  return TRUE;
}

SIZE CImageList::GetIconSize() const { return SIZE{cx_, cy_}; }

const pw::ImagePixels* CImageList::GetImagePixels(int index) const {
  if (index < 0 || index >= GetImageCount()) return nullptr;
  return &images_[static_cast<std::size_t>(index)];
}
