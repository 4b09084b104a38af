// A person's actions on the window model, with Windows' notifications in Windows' order.
#include "platform/ui/ui_input.h"

#include <algorithm>
#include <set>

#include "platform/ui/button.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/dialog.h"
#include "platform/ui/edit.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/spin_button_ctrl.h"
#include "platform/ui/window_internal.h"

namespace pw::ui {
namespace {

using internal::DispatchScope;

bool Refuse(std::string reason) {
  internal::CurrentThreadState().refusal = std::move(reason);
  return false;
}

bool Done() {
  internal::CurrentThreadState().refusal.clear();
  return true;
}

std::string Name(CWnd& window) { return "control " + std::to_string(window.GetDlgCtrlID()); }

// The window, when a person can reach it now: it exists on this thread, it and its parents
// are visible and enabled, up to and including its top-level window.
CWnd* Reachable(HWND handle) {
  CWnd* window = CWnd::FromHandle(handle);
  if (window == nullptr) {
    Refuse("the window does not exist");
    return nullptr;
  }
  for (CWnd* step = window; step != nullptr;
       step = step->IsTopLevel() ? nullptr : step->GetParent()) {
    if ((step->GetStyle() & WS_VISIBLE) == 0) {
      Refuse(step == window ? Name(*window) + " is hidden" : "its window is hidden");
      return nullptr;
    }
    if ((step->GetStyle() & WS_DISABLED) != 0) {
      Refuse(step == window ? Name(*window) + " is disabled" : "its window is disabled");
      return nullptr;
    }
  }
  internal::CurrentThreadState().refusal.clear();
  return window;
}

template <typename T>
T* ReachableAs(HWND handle, const char* kind) {
  CWnd* window = Reachable(handle);
  if (window == nullptr) return nullptr;
  T* typed = dynamic_cast<T*>(window);
  if (typed == nullptr) Refuse(Name(*window) + " is not " + kind);
  return typed;
}

// A click moves the focus (and the activation) to the control first; false when the
// control went away meanwhile.
bool FocusByClick(CWnd& control) {
  const HWND self = control.GetSafeHwnd();
  internal::Activate(control.GetTopLevelParent());
  if (!IsWindow(self)) return false;
  control.SetFocus();
  return IsWindow(self) != FALSE;
}

CWnd* TopLevel(HWND handle) {
  CWnd* window = Reachable(handle);
  if (window == nullptr) return nullptr;
  if (!window->IsTopLevel()) {
    Refuse("not a top-level window");
    return nullptr;
  }
  return window;
}

// The row gets the selection alone, and the focus; the rows losing theirs go first.
bool SelectOnly(CListCtrl& list, int row) {
  const HWND self = list.GetSafeHwnd();
  for (int other = list.GetNextItem(-1, LVNI_SELECTED); other >= 0;
       other = list.GetNextItem(other, LVNI_SELECTED)) {
    if (other == row) continue;
    list.SetItemState(other, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (!IsWindow(self)) return false;
  }
  list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  if (!IsWindow(self)) return false;
  list.SetSelectionMark(row);
  return true;
}

UINT KeyFlags(Modifiers modifiers) {
  switch (modifiers) {
    case Modifiers::kControl:
      return LVKF_CONTROL;
    case Modifiers::kShift:
      return LVKF_SHIFT;
    default:
      return 0;
  }
}

// Where a row is, in dialog units of its top-level window: for WM_CONTEXTMENU.
LPARAM RowPoint(CListCtrl& list, int row) {
  LONG x = 8;
  LONG y = 12 + (row - list.GetTopIndex()) * 10 + 5;
  for (CWnd* step = &list; step != nullptr && !step->IsTopLevel(); step = step->GetParent()) {
    RECT rect;
    step->GetWindowRect(&rect);
    x += rect.left;
    y += rect.top;
  }
  return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

}  // namespace

bool ClickButton(HWND handle) {
  DispatchScope scope;
  CButton* button = ReachableAs<CButton>(handle, "a button");
  if (button == nullptr) return false;
  if (button->IsGroupBox()) return Refuse(Name(*button) + " is a group box");
  if (!FocusByClick(*button)) return Done();
  button->Click();
  return Done();
}

bool TypeText(HWND handle, std::wstring_view text) {
  DispatchScope scope;
  CWnd* window = Reachable(handle);
  if (window == nullptr) return false;
  if (auto* combo = dynamic_cast<CComboBox*>(window)) {
    if (combo->IsDropDownList()) return Refuse(Name(*combo) + " has no edit part");
    if (!FocusByClick(*combo)) return Done();
    combo->TypeEditText(text);
    return Done();
  }
  auto* edit = dynamic_cast<CEdit*>(window);
  if (edit == nullptr) return Refuse(Name(*window) + " is not an edit field");
  if (edit->IsReadOnly()) return Refuse(Name(*edit) + " is read-only");
  if ((edit->GetStyle() & ES_NUMBER) != 0 &&
      !std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
    return Refuse(Name(*edit) + " takes digits only");
  }
  if (!FocusByClick(*edit)) return Done();
  edit->SetSel(0, -1);
  if (!edit->TypeReplacingSelection(text)) return Refuse(Name(*edit) + " is full");
  return Done();
}

bool TypeKeys(HWND handle, std::wstring_view keys) {
  DispatchScope scope;
  CEdit* edit = ReachableAs<CEdit>(handle, "an edit field");
  if (edit == nullptr) return false;
  if (edit->IsReadOnly()) return Refuse(Name(*edit) + " is read-only");
  if (!FocusByClick(*edit)) return Done();
  bool any = false;
  for (wchar_t key : keys) {
    if (!IsWindow(handle)) break;
    any = edit->TypeKey(key) || any;
  }
  return any ? Done() : Refuse("no key was taken");
}

bool SelectEditText(HWND handle, int start, int end) {
  DispatchScope scope;
  CEdit* edit = ReachableAs<CEdit>(handle, "an edit field");
  if (edit == nullptr) return false;
  if (!FocusByClick(*edit)) return Done();
  edit->SetSel(start, end);
  return Done();
}

bool SelectComboItem(HWND handle, int index) {
  DispatchScope scope;
  CComboBox* combo = ReachableAs<CComboBox>(handle, "a combo box");
  if (combo == nullptr) return false;
  if (index < 0 || index >= combo->GetCount()) return Refuse("no item " + std::to_string(index));
  if (!FocusByClick(*combo)) return Done();
  combo->Choose(index);
  return Done();
}

bool SelectComboString(HWND handle, std::wstring_view text) {
  CComboBox* combo = ReachableAs<CComboBox>(handle, "a combo box");
  if (combo == nullptr) return false;
  const int index = combo->FindStringExact(-1, text);
  if (index < 0) return Refuse("no item with that text");
  return SelectComboItem(handle, index);
}

bool ClickListRow(HWND handle, int row, Modifiers modifiers) {
  DispatchScope scope;
  CListCtrl* list = ReachableAs<CListCtrl>(handle, "a list");
  if (list == nullptr) return false;
  if (row < 0 || row >= list->GetItemCount()) return Refuse("no row " + std::to_string(row));
  if (!FocusByClick(*list)) return Done();
  if (list->IsSingleSelection() || modifiers == Modifiers::kNone) {
    if (!SelectOnly(*list, row)) return Done();
  } else if (modifiers == Modifiers::kControl) {
    const bool selected = list->GetItemState(row, LVIS_SELECTED) != 0;
    list->SetItemState(row, (selected ? 0 : LVIS_SELECTED) | LVIS_FOCUSED,
                       LVIS_SELECTED | LVIS_FOCUSED);
    if (!IsWindow(handle)) return Done();
    list->SetSelectionMark(row);
  } else {
    const int mark = list->GetSelectionMark() >= 0 ? list->GetSelectionMark() : row;
    const int low = std::min(mark, row);
    const int high = std::max(mark, row);
    for (int other = list->GetNextItem(-1, LVNI_SELECTED); other >= 0;
         other = list->GetNextItem(other, LVNI_SELECTED)) {
      if (other < low || other > high) list->SetItemState(other, 0, LVIS_SELECTED);
      if (!IsWindow(handle)) return Done();
    }
    for (int index = low; index <= high; ++index) {
      list->SetItemState(index, LVIS_SELECTED, LVIS_SELECTED);
      if (!IsWindow(handle)) return Done();
    }
    list->SetItemState(row, LVIS_FOCUSED, LVIS_FOCUSED);
    if (!IsWindow(handle)) return Done();
  }
  list->SendItemActivate(NM_CLICK, row, 0, KeyFlags(modifiers));
  return Done();
}

bool ClickListBackground(HWND handle) {
  DispatchScope scope;
  CListCtrl* list = ReachableAs<CListCtrl>(handle, "a list");
  if (list == nullptr) return false;
  if (!FocusByClick(*list)) return Done();
  for (int row = list->GetNextItem(-1, LVNI_SELECTED); row >= 0;
       row = list->GetNextItem(row, LVNI_SELECTED)) {
    list->SetItemState(row, 0, LVIS_SELECTED);
    if (!IsWindow(handle)) return Done();
  }
  list->SendItemActivate(NM_CLICK, -1, 0, 0);
  return Done();
}

bool SelectListRows(HWND handle, std::span<const int> rows) {
  DispatchScope scope;
  CListCtrl* list = ReachableAs<CListCtrl>(handle, "a list");
  if (list == nullptr) return false;
  for (int row : rows) {
    if (row < 0 || row >= list->GetItemCount()) return Refuse("no row " + std::to_string(row));
  }
  if (list->IsSingleSelection() && rows.size() > 1) return Refuse("the list selects one row");
  if (!FocusByClick(*list)) return Done();
  const std::set<int> wanted(rows.begin(), rows.end());
  for (int row = list->GetNextItem(-1, LVNI_SELECTED); row >= 0;
       row = list->GetNextItem(row, LVNI_SELECTED)) {
    if (wanted.count(row) == 0) list->SetItemState(row, 0, LVIS_SELECTED);
    if (!IsWindow(handle)) return Done();
  }
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const UINT state = LVIS_SELECTED | (i == 0 ? LVIS_FOCUSED : 0);
    list->SetItemState(rows[i], state, state);
    if (!IsWindow(handle)) return Done();
  }
  if (!rows.empty()) list->SetSelectionMark(rows.front());
  return Done();
}

bool SelectAllListRows(HWND handle) {
  DispatchScope scope;
  CListCtrl* list = ReachableAs<CListCtrl>(handle, "a list");
  if (list == nullptr) return false;
  if (list->IsSingleSelection()) return Refuse("the list selects one row");
  if (!FocusByClick(*list)) return Done();
  list->SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
  return Done();
}

bool DoubleClickListRow(HWND handle, int row) {
  if (!ClickListRow(handle, row)) return false;
  DispatchScope scope;
  auto* list = dynamic_cast<CListCtrl*>(CWnd::FromHandle(handle));
  if (list == nullptr) return Done();
  list->SendItemActivate(NM_DBLCLK, row, 0, 0);
  if (IsWindow(handle)) list->SendItemActivate(LVN_ITEMACTIVATE, row, 0, 0);
  return Done();
}

bool RightClickListRow(HWND handle, int row) {
  DispatchScope scope;
  CListCtrl* list = ReachableAs<CListCtrl>(handle, "a list");
  if (list == nullptr) return false;
  if (row < 0 || row >= list->GetItemCount()) return Refuse("no row " + std::to_string(row));
  if (!FocusByClick(*list)) return Done();
  if (list->GetItemState(row, LVIS_SELECTED) == 0) {
    if (!SelectOnly(*list, row)) return Done();
  } else {
    list->SetItemState(row, LVIS_FOCUSED, LVIS_FOCUSED);
    if (!IsWindow(handle)) return Done();
  }
  // A parent that answers NM_RCLICK with nonzero has shown its own menu.
  if (list->SendItemActivate(NM_RCLICK, row, 0, 0) != 0 || !IsWindow(handle)) return Done();
  list->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(handle), RowPoint(*list, row));
  return Done();
}

bool ClickListColumn(HWND handle, int column) {
  DispatchScope scope;
  CListCtrl* list = ReachableAs<CListCtrl>(handle, "a list");
  if (list == nullptr) return false;
  if ((list->GetStyle() & (LVS_NOSORTHEADER | LVS_NOCOLUMNHEADER)) != 0) {
    return Refuse("the column headers are not buttons");
  }
  if (column < 0 || column >= list->GetColumnCount()) {
    return Refuse("no column " + std::to_string(column));
  }
  list->SendColumnClick(column);
  return Done();
}

std::optional<std::vector<ListRow>> ShowListRows(HWND handle, int first, int last) {
  DispatchScope scope;
  auto* list = dynamic_cast<CListCtrl*>(CWnd::FromHandle(handle));
  if (list == nullptr) {
    Refuse("not a list");
    return std::nullopt;
  }
  std::vector<ListRow> rows;
  first = std::max(0, first);
  last = std::min(last, list->GetItemCount() - 1);
  if (first > last) {
    Done();
    return rows;
  }
  list->SetVisibleRange(first, last - first + 1);
  if (list->IsOwnerData()) {
    list->SendCacheHint(first, last);
    if (!IsWindow(handle)) return rows;
  }
  for (int row = first; row <= last; ++row) {
    CListCtrl::RowView view = list->GetRowView(row);
    if (!IsWindow(handle)) break;
    rows.push_back(ListRow{std::move(view.texts), view.image, view.state});
    last = std::min(last, list->GetItemCount() - 1);
  }
  Done();
  return rows;
}

int TypeAhead(HWND handle, std::wstring_view text) {
  DispatchScope scope;
  CListCtrl* list = ReachableAs<CListCtrl>(handle, "a list");
  if (list == nullptr || text.empty() || list->GetItemCount() == 0) return -1;
  if (!FocusByClick(*list)) return -1;
  const int count = list->GetItemCount();
  const int focused = list->GetNextItem(-1, LVNI_FOCUSED);
  // A single key moves on from the focused row; a longer text may stay on it.
  int start = focused < 0 ? 0 : (text.size() == 1 ? (focused + 1) % count : focused);
  const std::wstring copy(text);
  LVFINDINFO info;
  info.flags = LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP;
  info.psz = copy.c_str();
  const int found =
      list->IsOwnerData() ? list->SendFindItem(start, info) : list->FindItem(&info, start - 1);
  if (!IsWindow(handle)) return -1;
  if (found < 0) {
    Refuse("no row begins with the text");
    return -1;
  }
  if (!SelectOnly(*list, found)) return found;
  list->EnsureVisible(found, FALSE);
  Done();
  return found;
}

bool ClickSpin(HWND handle, bool up) {
  DispatchScope scope;
  CSpinButtonCtrl* spin = ReachableAs<CSpinButtonCtrl>(handle, "an up-down control");
  if (spin == nullptr) return false;
  spin->Click(up);
  return Done();
}

bool PressEnter(HWND handle) {
  DispatchScope scope;
  CWnd* top = TopLevel(handle);
  if (top == nullptr) return false;
  internal::Activate(top);
  if (!IsWindow(handle)) return Done();
  CWnd* focus = top->GetFocusWithin();
  if (auto* edit = dynamic_cast<CEdit*>(focus);
      edit != nullptr && edit->IsMultiLine() && (edit->GetStyle() & ES_WANTRETURN) != 0) {
    edit->TypeKey(L'\r');
    return Done();
  }
  if (auto* button = dynamic_cast<CButton*>(focus);
      button != nullptr && button->IsPushButton() && button->IsWindowEnabled()) {
    button->Click();
    return Done();
  }
  const LRESULT default_id = top->SendMessage(DM_GETDEFID);
  if (!IsWindow(handle)) return Done();
  const int id = HIWORD(default_id) == DC_HASDEFID ? LOWORD(default_id) : IDOK;
  CWnd* control = top->GetDlgItem(id);
  if (control != nullptr && (!control->IsWindowEnabled() || !control->IsWindowVisible())) {
    return Refuse("the default button is disabled");
  }
  top->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                   reinterpret_cast<LPARAM>(control != nullptr ? control->GetSafeHwnd() : nullptr));
  return Done();
}

bool PressEscape(HWND handle) {
  DispatchScope scope;
  CWnd* top = TopLevel(handle);
  if (top == nullptr) return false;
  CWnd* cancel = top->GetDlgItem(IDCANCEL);
  if (cancel != nullptr && !cancel->IsWindowEnabled()) return Refuse("Cancel is disabled");
  top->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(IDCANCEL), BN_CLICKED),
                   reinterpret_cast<LPARAM>(cancel != nullptr ? cancel->GetSafeHwnd() : nullptr));
  return Done();
}

bool PressTab(HWND handle, bool backward) {
  DispatchScope scope;
  CWnd* top = TopLevel(handle);
  if (top == nullptr) return false;
  internal::Activate(top);
  if (!IsWindow(handle)) return Done();
  // A group of radio buttons is one stop: leave it from its first or last member, and enter
  // the next group at its checked button.
  CWnd* from = top->GetFocusWithin();
  if (auto* radio = dynamic_cast<CButton*>(from); radio != nullptr && radio->IsRadioButton()) {
    const std::vector<CWnd*> group = from->GetParent()->GetDlgGroup(from);
    from = backward ? group.front() : group.back();
  }
  CWnd* next = CButton::NavigationTarget(top->GetNextDlgTabItem(from, backward ? TRUE : FALSE));
  if (next == nullptr) return Refuse("no control takes the focus");
  if (auto* dialog = dynamic_cast<CDialog*>(top)) {
    dialog->GotoDlgCtrl(next);
  } else {
    next->SetFocus();
  }
  return Done();
}

bool CloseWindow(HWND handle) {
  DispatchScope scope;
  CWnd* top = TopLevel(handle);
  if (top == nullptr) return false;
  if ((top->GetStyle() & WS_SYSMENU) == 0) return Refuse("the window has no close box");
  top->SendMessage(WM_CLOSE);
  return Done();
}

bool ResizeWindow(HWND handle, int width, int height) {
  DispatchScope scope;
  CWnd* top = TopLevel(handle);
  if (top == nullptr) return false;
  if ((top->GetStyle() & WS_THICKFRAME) == 0) return Refuse("the window cannot be resized");
  MINMAXINFO limits;
  limits.ptMaxTrackSize = POINT{0x7FFF, 0x7FFF};
  top->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  if (!IsWindow(handle)) return Done();
  width = std::clamp<int>(width, limits.ptMinTrackSize.x, limits.ptMaxTrackSize.x);
  height = std::clamp<int>(height, limits.ptMinTrackSize.y, limits.ptMaxTrackSize.y);
  RECT rect;
  top->GetWindowRect(&rect);
  top->MoveWindow(rect.left, rect.top, width, height);
  return Done();
}

bool ClickToFocus(HWND handle) {
  DispatchScope scope;
  CWnd* window = Reachable(handle);
  if (window == nullptr) return false;
  FocusByClick(*window);
  return Done();
}

const std::string& LastRefusal() { return internal::CurrentThreadState().refusal; }

}  // namespace pw::ui
