// CTabCtrl: a row of tabs with one selected, as a property sheet shows its pages.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/wnd.h"

// Tab control notifications (WM_NOTIFY to the parent).
inline constexpr UINT TCN_FIRST = 0U - 550U;
inline constexpr UINT TCN_KEYDOWN = TCN_FIRST - 0;
inline constexpr UINT TCN_SELCHANGE = TCN_FIRST - 1;
inline constexpr UINT TCN_SELCHANGING = TCN_FIRST - 2;

// Tabs are texts in order. Selecting from code (SetCurSel) never notifies, as TCM_SETCURSEL
// does not; a person's choice goes through pw::ui::SelectTab (sheet_input.h), which sends
// TCN_SELCHANGING (a nonzero answer keeps the old tab) and then TCN_SELCHANGE.
class CTabCtrl : public CWnd {
 public:
  static constexpr std::wstring_view kClassName = L"SysTabControl32";

  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, int id);

  int GetItemCount() const { return static_cast<int>(items_.size()); }
  // The index of the new tab, -1 for a bad index; the selection stays on its tab.
  int InsertItem(int index, std::wstring_view text);
  BOOL DeleteItem(int index);
  BOOL DeleteAllItems();
  std::wstring GetItemText(int index) const;
  BOOL SetItemText(int index, std::wstring_view text);
  int GetCurSel() const { return selection_; }
  // The previous selection; -1 (and no change) for a bad index.
  int SetCurSel(int index);

  // What a person's click on tab `index` does: TCN_SELCHANGING, then, unless the parent
  // refused, the selection and TCN_SELCHANGE. False when refused or nothing changed.
  bool SelectByPerson(int index);

 private:
  std::vector<std::wstring> items_;
  int selection_ = -1;
};
