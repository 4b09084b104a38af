// ConsoleImageList.
#include "mmc/host/console_image_list.h"

#include <algorithm>

namespace pw::mmc {
namespace {

// Image `index` of a strip of square images, with the pixels of colour `mask` transparent.
ImagePixels Cut(const ImagePixels& strip, int index, COLORREF mask) {
  const int side = strip.height;
  ImagePixels image;
  image.width = side;
  image.height = side;
  image.pixels.resize(static_cast<std::size_t>(side) * static_cast<std::size_t>(side));
  const std::uint32_t masked = (static_cast<std::uint32_t>(GetRValue(mask)) << 16) |
                               (static_cast<std::uint32_t>(GetGValue(mask)) << 8) | GetBValue(mask);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      std::uint32_t pixel =
          strip.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(strip.width) +
                       static_cast<std::size_t>(index * side + x)];
      if ((pixel & 0x00FFFFFFu) == masked) pixel = 0;
      image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(side) +
                   static_cast<std::size_t>(x)] = pixel;
    }
  }
  return image;
}

bool IsUsableStrip(const ImagePixels* strip) {
  return strip != nullptr && strip->height > 0 && strip->width >= strip->height &&
         strip->pixels.size() ==
             static_cast<std::size_t>(strip->width) * static_cast<std::size_t>(strip->height);
}

}  // namespace

const ImagePixels* ConsoleImageList::SmallImage(int index) const {
  const auto found = small_.find(index);
  return found == small_.end() ? nullptr : &found->second;
}

const ImagePixels* ConsoleImageList::LargeImage(int index) const {
  const auto found = large_.find(index);
  return found == large_.end() ? nullptr : &found->second;
}

HRESULT ConsoleImageList::ImageListSetIcon(LONG_PTR* icon, LONG location) {
  const ImagePixels* pixels = IconPixels(reinterpret_cast<HICON>(icon));
  if (pixels == nullptr || location < 0) return E_INVALIDARG;
  small_[location] = *pixels;
  large_[location] = *pixels;
  return S_OK;
}

HRESULT ConsoleImageList::ImageListSetStrip(LONG_PTR* small_strip, LONG_PTR* large_strip,
                                            LONG start, COLORREF mask) {
  const ImagePixels* small = BitmapPixels(reinterpret_cast<HBITMAP>(small_strip));
  const ImagePixels* large = BitmapPixels(reinterpret_cast<HBITMAP>(large_strip));
  if (!IsUsableStrip(small) || start < 0) return E_INVALIDARG;
  const int count = small->width / small->height;
  for (int i = 0; i < count; ++i) small_[start + i] = Cut(*small, i, mask);
  if (IsUsableStrip(large)) {
    const int large_count = std::min(count, large->width / large->height);
    for (int i = 0; i < large_count; ++i) large_[start + i] = Cut(*large, i, mask);
  }
  return S_OK;
}

}  // namespace pw::mmc
