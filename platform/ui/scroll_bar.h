// CScrollBar: in dialogs of this system only the size grip in a resizable dialog's corner.
#pragma once

#include "platform/ui/wnd.h"

// A scroll bar control; with SBS_SIZEGRIP it is the grip by which a person resizes the
// dialog (pw::ui::ResizeWindow does that).
class CScrollBar : public CWnd {
 public:
  static constexpr std::wstring_view kClassName = L"SCROLLBAR";

  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, int id);
  bool IsSizeGrip() const { return (GetStyle() & (SBS_SIZEGRIP | SBS_SIZEBOX)) != 0; }
};
