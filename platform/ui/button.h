// CButton: push buttons, check boxes (two- and three-state), radio buttons and group boxes.
#pragma once

#include "platform/ui/wnd.h"

// The kind is the BS_TYPEMASK part of the style. Setting the check from code never notifies
// (as BM_SETCHECK does not); a click by a person goes through pw::ui::ClickButton, which
// toggles automatic check boxes, checks automatic radio buttons (unchecking the others of
// their WS_GROUP run) and sends BN_CLICKED.
class CButton : public CWnd {
 public:
  static constexpr std::wstring_view kClassName = L"BUTTON";

  BOOL Create(std::wstring_view text, DWORD style, const RECT& rect, CWnd* parent, int id);

  int GetCheck() const { return check_; }
  void SetCheck(int check);
  UINT GetButtonStyle() const { return GetStyle() & BS_TYPEMASK; }
  // Changes the kind (BM_SETSTYLE), as dialogs do to move the default-button look.
  void SetButtonStyle(UINT style, BOOL redraw = TRUE);

  bool IsPushButton() const;
  bool IsCheckBox() const;
  bool IsRadioButton() const;
  bool IsGroupBox() const { return GetButtonStyle() == BS_GROUPBOX; }
  bool IsDefault() const { return GetButtonStyle() == BS_DEFPUSHBUTTON; }

  // The effect of a person's click, without the focus move (see pw::ui::ClickButton): the
  // automatic state change, then BN_CLICKED. False for a group box.
  bool Click();

  // Where dialog navigation lands when it reaches `control`: a group of radio buttons is
  // entered at its checked button (when that one can take the focus).
  static CWnd* NavigationTarget(CWnd* control);

 protected:
  LRESULT WindowProc(UINT message, WPARAM w_param, LPARAM l_param) override;
  void OnSetFocus(CWnd* old_focus) override;
  void OnKillFocus(CWnd* new_focus) override;

 private:
  int check_ = BST_UNCHECKED;
};
