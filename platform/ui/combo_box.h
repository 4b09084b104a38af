// CComboBox: a drop-down list (or drop-down with an edit part) of texts with item data.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/wnd.h"

// Items are kept in insertion order, or sorted without regard to case with CBS_SORT
// (AddString then inserts in order). The window text of a drop-down list is the selected
// item's text. Changing the selection from code never notifies (as CB_SETCURSEL does not);
// a person's choice goes through pw::ui::SelectComboItem, which sends CBN_SELCHANGE.
class CComboBox : public CWnd {
 public:
  static constexpr std::wstring_view kClassName = L"COMBOBOX";

  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, int id);

  // Index of the new item, CB_ERR for a bad index.
  int AddString(std::wstring_view text);
  int InsertString(int index, std::wstring_view text);  // -1 appends
  // The number of items left, CB_ERR for a bad index.
  int DeleteString(UINT index);
  void ResetContent();
  int GetCount() const { return static_cast<int>(items_.size()); }
  int GetCurSel() const { return selection_; }
  // -1 clears the selection; returns the new selection, CB_ERR for a bad index.
  int SetCurSel(int index);
  int GetLBText(int index, std::wstring& text) const;  // length, CB_ERR for a bad index
  std::wstring GetLBText(int index) const;
  int GetLBTextLen(int index) const;
  int SetItemData(int index, DWORD_PTR data);
  DWORD_PTR GetItemData(int index) const;  // CB_ERR for a bad index
  // First item after `start` (-1: from the beginning) whose text equals `text` (or, for
  // FindString, begins with it), without regard to case, wrapping; CB_ERR if none.
  int FindStringExact(int start, std::wstring_view text) const;
  int FindString(int start, std::wstring_view text) const;
  // Selects what FindString finds; returns the index or CB_ERR (selection unchanged).
  int SelectString(int start, std::wstring_view text);

  bool IsDropDownList() const { return (GetStyle() & 0x3) == CBS_DROPDOWNLIST; }

  // What a person does (see pw::ui::SelectComboItem and TypeText): chooses an item with
  // CBN_SELCHANGE; types into the edit part of a drop-down combo with CBN_EDITUPDATE and
  // CBN_EDITCHANGE. False for a bad index or a combo without an edit part.
  bool Choose(int index);
  bool TypeEditText(std::wstring_view text);

 protected:
  struct Item {
    std::wstring text;
    DWORD_PTR data = 0;
    int image = 0;
    int selected_image = 0;
    int overlay = 0;
    int indent = 0;
  };

  LRESULT WindowProc(UINT message, WPARAM w_param, LPARAM l_param) override;
  void OnSetFocus(CWnd* old_focus) override;
  void OnKillFocus(CWnd* new_focus) override;

  int InsertItem(int index, Item item);
  std::vector<Item>& items() { return items_; }
  const std::vector<Item>& items() const { return items_; }
  void SyncTextToSelection();

 private:
  std::vector<Item> items_;
  int selection_ = CB_ERR;
};
