// CButton: check state, kind and focus notifications of buttons.
#include "platform/ui/button.h"

BOOL CButton::Create(std::wstring_view text, DWORD style, const RECT& rect, CWnd* parent, int id) {
  return CreateWindowObject(kClassName, text, style | WS_CHILD, 0, rect, parent, id);
}

void CButton::SetCheck(int check) {
  if (check < BST_UNCHECKED || check > BST_INDETERMINATE) return;
  if (check == BST_INDETERMINATE && GetButtonStyle() != BS_3STATE &&
      GetButtonStyle() != BS_AUTO3STATE) {
    check = BST_CHECKED;
  }
  if (check_ == check) return;
  check_ = check;
  NotifyChanged();
}

void CButton::SetButtonStyle(UINT style, BOOL /*redraw*/) {
  ModifyStyle(BS_TYPEMASK, style & BS_TYPEMASK);
}

bool CButton::IsPushButton() const {
  const UINT kind = GetButtonStyle();
  return kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON;
}

bool CButton::IsCheckBox() const {
  const UINT kind = GetButtonStyle();
  return kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_3STATE ||
         kind == BS_AUTO3STATE;
}

bool CButton::IsRadioButton() const {
  const UINT kind = GetButtonStyle();
  return kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
}

bool CButton::Click() {
  const HWND self = GetSafeHwnd();
  switch (GetButtonStyle()) {
    case BS_GROUPBOX:
    case BS_OWNERDRAW:
      return false;
    case BS_AUTOCHECKBOX:
      SetCheck(check_ == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
      break;
    case BS_AUTO3STATE:
      SetCheck(check_ == BST_UNCHECKED ? BST_CHECKED
               : check_ == BST_CHECKED ? BST_INDETERMINATE
                                       : BST_UNCHECKED);
      break;
    case BS_AUTORADIOBUTTON: {
      // The other radio buttons of the WS_GROUP run lose their check, without notification,
      // disabled and hidden ones too.
      if (CWnd* parent = GetParent()) {
        for (CWnd* member : parent->GetDlgGroup(this)) {
          auto* button = dynamic_cast<CButton*>(member);
          if (button != nullptr && button != this && button->IsRadioButton()) {
            button->SetCheck(BST_UNCHECKED);
          }
        }
      }
      SetCheck(BST_CHECKED);
      break;
    }
    default:
      break;
  }
  if (!IsWindow(self)) return true;
  NotifyParentCommand(BN_CLICKED);
  return true;
}

CWnd* CButton::NavigationTarget(CWnd* control) {
  auto* radio = dynamic_cast<CButton*>(control);
  if (radio == nullptr || !radio->IsRadioButton() || control->GetParent() == nullptr) {
    return control;
  }
  for (CWnd* member : control->GetParent()->GetDlgGroup(control)) {
    auto* button = dynamic_cast<CButton*>(member);
    if (button != nullptr && button->IsRadioButton() && button->GetCheck() == BST_CHECKED &&
        (button->GetStyle() & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE) {
      return button;
    }
  }
  return control;
}

LRESULT CButton::WindowProc(UINT message, WPARAM w_param, LPARAM l_param) {
  switch (message) {
    case BM_GETCHECK:
      return check_;
    case BM_SETCHECK:
      SetCheck(static_cast<int>(w_param));
      return 0;
    case BM_SETSTYLE:
      SetButtonStyle(static_cast<UINT>(w_param));
      return 0;
    case BM_CLICK:
      if (IsWindowEnabled()) Click();
      return 0;
    default:
      return CWnd::WindowProc(message, w_param, l_param);
  }
}

void CButton::OnSetFocus(CWnd* /*old_focus*/) {
  if ((GetStyle() & BS_NOTIFY) != 0) NotifyParentCommand(BN_SETFOCUS);
}

void CButton::OnKillFocus(CWnd* /*new_focus*/) {
  if ((GetStyle() & BS_NOTIFY) != 0) NotifyParentCommand(BN_KILLFOCUS);
}
