// Encodes the console's images (0xAARRGGBB pixels) as PNG files for the page.
#pragma once

#include <string>

#include "platform/win/resources.h"

namespace pw::console {

// An 8-bit RGBA PNG of `image`; empty for an image without pixels or with a size that does not
// match its pixel count.
std::string EncodePng(const ImagePixels& image);

}  // namespace pw::console
