// CAnimateCtrl: the animation control of wait dialogs.
#pragma once

#include "platform/ui/wnd.h"
#include "platform/win/resources.h"

// An animation is a bitmap resource: a strip of square frames side by side (the height is
// the frame size). Open loads it from the module the control's dialog came from (or the
// given module); ACS_AUTOPLAY starts it at once. Play and Stop send ACN_START and ACN_STOP
// to the parent, as Windows does. Front ends draw the frames; the model keeps only what is
// playing.
class CAnimateCtrl : public CWnd {
 public:
  static constexpr std::wstring_view kClassName = L"SysAnimate32";

  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, int id);

  BOOL Open(UINT resource_id);
  BOOL Open(HINSTANCE instance, UINT resource_id);
  BOOL Close();
  // `from` and `to` are frame numbers (`to` 0xFFFF: the last); `repeat` -1 plays forever.
  BOOL Play(UINT from, UINT to, UINT repeat);
  BOOL Stop();
  BOOL Seek(UINT frame) { return Play(frame, frame, 1); }

  bool IsOpen() const { return bitmap_ != nullptr; }
  BOOL IsPlaying() const { return playing_ ? TRUE : FALSE; }
  UINT GetResourceId() const { return resource_id_; }
  int GetFrameCount() const;
  HBITMAP GetFrames() const { return bitmap_; }
  int GetFirstFrame() const { return from_; }
  int GetLastFrame() const { return to_; }

 protected:
  void OnDestroy() override;

 private:
  HBITMAP bitmap_ = nullptr;
  UINT resource_id_ = 0;
  bool playing_ = false;
  int from_ = 0;
  int to_ = 0;
};
