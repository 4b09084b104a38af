// CAnimateCtrl: opening, playing and stopping animations made of bitmap frames.
#include "platform/ui/animate_ctrl.h"

#include <algorithm>

BOOL CAnimateCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, int id) {
  return CreateWindowObject(kClassName, L"", style | WS_CHILD, 0, rect, parent, id);
}

BOOL CAnimateCtrl::Open(UINT resource_id) { return Open(GetResourceInstance(), resource_id); }

BOOL CAnimateCtrl::Open(HINSTANCE instance, UINT resource_id) {
  Close();
  if (instance == nullptr || resource_id == 0) return FALSE;
  HBITMAP bitmap = LoadBitmap(instance, resource_id);
  if (bitmap == nullptr) return FALSE;
  bitmap_ = bitmap;
  resource_id_ = resource_id;
  from_ = 0;
  to_ = 0;
  NotifyChanged();
  if ((GetStyle() & ACS_AUTOPLAY) != 0) Play(0, 0xFFFF, static_cast<UINT>(-1));
  return TRUE;
}

BOOL CAnimateCtrl::Close() {
  if (bitmap_ == nullptr) return FALSE;
  Stop();
  DeleteObject(bitmap_);
  bitmap_ = nullptr;
  resource_id_ = 0;
  NotifyChanged();
  return TRUE;
}

int CAnimateCtrl::GetFrameCount() const {
  BITMAP info;
  if (bitmap_ == nullptr || !GetBitmapInfo(bitmap_, &info) || info.bmHeight <= 0) return 0;
  return std::max<int>(1, info.bmWidth / info.bmHeight);
}

BOOL CAnimateCtrl::Play(UINT from, UINT to, UINT repeat) {
  if (bitmap_ == nullptr) return FALSE;
  const int last = GetFrameCount() - 1;
  from_ = std::min<int>(static_cast<int>(std::min<UINT>(from, 0xFFFF)), last);
  to_ = to == 0xFFFF ? last : std::min<int>(static_cast<int>(std::min<UINT>(to, 0xFFFF)), last);
  if (from_ == to_ && repeat == 1) {
    // A seek shows one frame without playing.
    const bool was_playing = playing_;
    playing_ = false;
    NotifyChanged();
    if (was_playing) NotifyParentCommand(ACN_STOP);
    return TRUE;
  }
  playing_ = true;
  NotifyChanged();
  NotifyParentCommand(ACN_START);
  return TRUE;
}

BOOL CAnimateCtrl::Stop() {
  if (!playing_) return bitmap_ != nullptr;
  playing_ = false;
  NotifyChanged();
  NotifyParentCommand(ACN_STOP);
  return TRUE;
}

void CAnimateCtrl::OnDestroy() {
  // Gone with its window; nobody is told that it stopped.
  playing_ = false;
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  bitmap_ = nullptr;
}
