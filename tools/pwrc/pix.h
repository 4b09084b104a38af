// The pixel-art image sources (.pix) and their conversion to Windows BMP and ICO files.
//
// A .pix file is text, so that images are drawn, compared and reviewed like code:
//
//   # a comment
//   colors
//   . transparent
//   k 000000
//   size 16 16
//   pixels
//   ................        (16 rows of 16 keys)
//
// `colors` starts a list of one-character keys with a colour (RRGGBB or `transparent`);
// keys stay defined for the rest of the file and '#' cannot be one. `size W H` starts an
// image (1 to 256 pixels each way); `pixels` is followed by its H rows of W keys. A bitmap
// file holds one image, an icon file one image per size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/pwrc/diagnostics.h"

namespace pwrc {

struct PixImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // top row first, 0xAARRGGBB; transparent is 0
  int line = 0;                       // of its `size` line
  int mask_color_line = 0;            // first row with an opaque mask-coloured pixel, or 0
};

struct PixFile {
  std::string path;
  std::vector<PixImage> images;
};

// False (reported) for a malformed file.
bool ReadPixFile(const std::string& path, PixFile* file, Diagnostics& diagnostics);

// The colour that stands for transparency in bitmaps: RGB(0, 128, 128).
inline constexpr std::uint32_t kBitmapMaskColor = 0x008080;

// A 24-bit bottom-up BMP file; transparent pixels take the mask colour. False (reported) when
// the file does not hold exactly one image, or an opaque pixel has the mask colour.
bool EncodeBitmap(const PixFile& file, std::vector<unsigned char>* bmp, Diagnostics& diagnostics);

// An ICO file with one 32-bit BGRA image and AND mask per size. False (reported) when two
// images have the same size.
bool EncodeIcon(const PixFile& file, std::vector<unsigned char>* ico, Diagnostics& diagnostics);

}  // namespace pwrc
