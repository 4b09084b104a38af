// CSpinButtonCtrl: the up-down control, with its range, position and buddy window.
#pragma once

#include "platform/ui/wnd.h"

// With UDS_AUTOBUDDY the buddy is the control created just before it; with UDS_SETBUDDYINT
// the position is shown in the buddy's text (with thousands separators of the thread's
// language unless UDS_NOTHOUSANDS) and read back from it. A click by a person goes through
// pw::ui::ClickSpin: UDN_DELTAPOS first, which the parent may refuse; then the new position,
// the buddy's text and WM_VSCROLL (WM_HSCROLL with UDS_HORZ) to the parent.
class CSpinButtonCtrl : public CWnd {
 public:
  static constexpr std::wstring_view kClassName = L"msctls_updown32";

  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, int id);

  // The upper limit may be below the lower one: the up arrow then decreases the position.
  void SetRange(short lower, short upper) { SetRange32(lower, upper); }
  void SetRange32(int lower, int upper);
  void GetRange(int& lower, int& upper) const { GetRange32(lower, upper); }
  void GetRange32(int& lower, int& upper) const;
  // Kept within the range; returns the previous position.
  int SetPos(int position);
  int SetPos32(int position) { return SetPos(position); }
  // With UDS_SETBUDDYINT the buddy's text is read first; *error is TRUE when it holds no
  // number of the range (the position then stays as it was).
  int GetPos() const { return GetPos32(nullptr); }
  int GetPos32(BOOL* error) const;
  CWnd* SetBuddy(CWnd* buddy);  // returns the previous buddy
  CWnd* GetBuddy() const;

  // Used by pw::ui::ClickSpin: one click on an arrow. False when refused by the parent.
  bool Click(bool up);

  // Used while building from a template: the buddy is the previous sibling.
  void AttachAutoBuddy(CWnd* previous_sibling);

 private:
  void ShowPositionInBuddy();

  int lower_ = 100;
  int upper_ = 0;
  int position_ = 0;
  HWND buddy_ = nullptr;
};
