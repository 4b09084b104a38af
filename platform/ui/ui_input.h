// What a person does to the window model: every front end and every test acts through
// these operations, which raise exactly the notifications Windows raises, in its order.
//
// Each operation refuses (answers false, nothing happens) when the control is disabled,
// hidden, of the wrong kind, or its top-level window is disabled (an owner while a modal
// window runs) or hidden. A person's click or typing also moves the focus to the control
// first, with the kill-focus and set-focus notifications of both controls.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/types.h"

namespace pw::ui {

// Push button: BN_CLICKED (IDOK and IDCANCEL then end the dialog through OnOK/OnCancel).
// Automatic check box: toggles (three-state: unchecked, checked, indeterminate), then
// BN_CLICKED. Automatic radio button: checks it, unchecks the other radio buttons of its
// WS_GROUP run, then BN_CLICKED. Other check and radio buttons only send BN_CLICKED.
bool ClickButton(HWND button);

// Replaces the whole text of an edit as one change (select all, then paste): EN_UPDATE and
// EN_CHANGE once. Refused for a read-only edit and, with ES_NUMBER, for any non-digit; the
// text limit cuts what does not fit (EN_MAXTEXT); a single-line edit keeps the first line.
bool TypeText(HWND edit, std::wstring_view text);
// Types keys at the caret, one change each: characters, '\b' deletes before the caret.
// Keys the edit refuses (non-digits with ES_NUMBER, beyond the limit) are dropped; false
// when none was accepted.
bool TypeKeys(HWND edit, std::wstring_view keys);
// Selects text in an edit as a drag of the mouse does (no notification).
bool SelectEditText(HWND edit, int start, int end);

// Chooses item `index` of a combo box: CBN_SELCHANGE. A drop-down combo with an edit part
// takes typed text with CBN_EDITUPDATE and CBN_EDITCHANGE (TypeText on the combo).
bool SelectComboItem(HWND combo, int index);
// The item whose text equals `text` without regard to case.
bool SelectComboString(HWND combo, std::wstring_view text);

enum class Modifiers { kNone, kControl, kShift };

// A click on a list row: without modifiers the row becomes the only selected one and gets
// the focus; Control toggles it; Shift selects from the selection mark to it. One
// LVN_ITEMCHANGING/LVN_ITEMCHANGED per row whose state changes (rows losing their state
// first), then NM_CLICK.
bool ClickListRow(HWND list, int row, Modifiers modifiers = Modifiers::kNone);
// A click in the list below its rows: every row is deselected, then NM_CLICK with row -1.
bool ClickListBackground(HWND list);
// Leaves exactly `rows` selected (the first of them focused), as Control-clicks do, with
// the per-row notifications but without NM_CLICK.
bool SelectListRows(HWND list, std::span<const int> rows);
// Ctrl+A: every row selected.
bool SelectAllListRows(HWND list);
// The click of the row, NM_DBLCLK, then LVN_ITEMACTIVATE.
bool DoubleClickListRow(HWND list, int row);
// A right click: an unselected row becomes the selection; NM_RCLICK, then WM_CONTEXTMENU to
// the list's parent window (wParam the list, lParam the point).
bool RightClickListRow(HWND list, int row);
// LVN_COLUMNCLICK; refused with LVS_NOSORTHEADER or LVS_NOCOLUMNHEADER.
bool ClickListColumn(HWND list, int column);

// The rows `first` to `last` of a list as the front end shows them: for an owner-data list
// LVN_ODCACHEHINT for the range, then LVN_GETDISPINFO for each row and column. nullopt for a
// window that is no list; the range is cut to the rows that exist.
struct ListRow {
  std::vector<std::wstring> texts;  // one per column
  int image = -2;                   // I_IMAGENONE
  UINT state = 0;                   // LVIS_ states
};
std::optional<std::vector<ListRow>> ShowListRows(HWND list, int first, int last);
// Type-ahead: the first row from the focused one whose first column begins with `text`
// (LVN_ODFINDITEM for owner-data), wrapping; it becomes the only selected row and gets the
// focus. The row found, or -1.
int TypeAhead(HWND list, std::wstring_view text);

// One click on an arrow of an up-down control: UDN_DELTAPOS (the parent may refuse), then
// the new position, the buddy's text and WM_VSCROLL/WM_HSCROLL.
bool ClickSpin(HWND spin, bool up);

// Keys of a dialog (`window` is the top-level window): Enter presses the focused push
// button or else the default button (WM_COMMAND IDOK when there is none), a multi-line edit
// with ES_WANTRETURN takes a line break instead; Escape sends IDCANCEL (refused when the
// Cancel button is disabled); Tab moves the focus to the next (Shift+Tab: previous)
// WS_TABSTOP control that is visible and enabled.
bool PressEnter(HWND window);
bool PressEscape(HWND window);
bool PressTab(HWND window, bool backward = false);
// The close box of the caption: WM_CLOSE (a dialog then answers IDCANCEL). Refused without
// WS_SYSMENU.
bool CloseWindow(HWND window);
// Drags the size grip or frame: WM_GETMINMAXINFO then WM_SIZE with the new client size in
// dialog units; the size is kept within the minimum the window asks for.
bool ResizeWindow(HWND window, int width, int height);
// Moves the focus by a click on a control that takes it.
bool ClickToFocus(HWND control);

// Why the last operation of the calling thread refused, for messages of front ends and
// tests ("the control is disabled"…); empty after success.
const std::string& LastRefusal();

}  // namespace pw::ui
