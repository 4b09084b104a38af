// The snap-in's image strip: 42 icons, registered as the scope image list and as every result
// image list. A node's GetBitmapIndex is a position in it.
#pragma once

#include "mmc/mmc.h"

inline constexpr int kImageStripSize = 42;

// Loads the icons once per process (they live as long as the module) and hands each to
// `image_list` at its position. S_OK.
HRESULT RegisterImageStrip(IImageList* image_list);
