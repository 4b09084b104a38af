// ConsoleImageList: an image list of the console (the scope pane's, or a view's result pane's)
// that a snap-in fills through IImageList.
#pragma once

#include <map>

#include "mmc/mmc.h"
#include "platform/com/com_ptr.h"
#include "platform/win/resources.h"

namespace pw::mmc {

// Images are copied in, so the snap-in may free its icons and bitmaps afterwards. A position
// set again replaces its image. Lives as long as the console or view that made it.
class ConsoleImageList final : public ComObject<IImageList> {
 public:
  // The small (16 pixel) image at `index`; null when none was set there.
  const ImagePixels* SmallImage(int index) const;
  const ImagePixels* LargeImage(int index) const;
  std::size_t size() const { return small_.size(); }

  HRESULT ImageListSetIcon(LONG_PTR* icon, LONG location) override;
  HRESULT ImageListSetStrip(LONG_PTR* small_strip, LONG_PTR* large_strip, LONG start,
                            COLORREF mask) override;

 private:
  std::map<int, ImagePixels> small_;
  std::map<int, ImagePixels> large_;
};

}  // namespace pw::mmc
