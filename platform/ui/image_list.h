// CImageList: a row of equally sized images that list views and combo boxes show by index.
#pragma once

#include <vector>

#include "platform/com/types.h"
#include "platform/ui/ui_types.h"
#include "platform/win/resources.h"

// Images are copied in when added (from bitmaps split into cx-wide pieces, or from icons),
// so the bitmap or icon may be freed afterwards. Images of another height are scaled to the
// list's size. A mask colour makes those pixels of a bitmap transparent. Lives as long as
// the object; controls only borrow it.
class CImageList {
 public:
  CImageList() = default;
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
  // From bitmap `bitmap_id` of the module set with AfxSetResourceHandle: a strip of cx-wide
  // images; `mask` (CLR_NONE for none) is the transparent colour.
  BOOL Create(UINT bitmap_id, int cx, int grow, COLORREF mask);
  BOOL DeleteImageList();
  bool IsCreated() const { return created_; }

  // The index of the first image added, -1 on failure.
  int Add(HBITMAP bitmap, COLORREF mask);
  int Add(HICON icon);
  BOOL Replace(int index, HICON icon);
  // -1 removes every image.
  BOOL Remove(int index);
  int GetImageCount() const { return static_cast<int>(images_.size()); }
  SIZE GetIconSize() const;

  // The pixels of image `index` (cx by cy, 0xAARRGGBB); null for a bad index.
  const pw::ImagePixels* GetImagePixels(int index) const;

 private:
  pw::ImagePixels Scaled(const pw::ImagePixels& source, int x, int width) const;

  bool created_ = false;
  int cx_ = 0;
  int cy_ = 0;
  std::vector<pw::ImagePixels> images_;
};
