// CListCtrl: the report-mode list view, with owner-data (virtual) lists, columns, images,
// selection and focus states, and the notifications a dialog's handlers expect.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/image_list.h"
#include "platform/ui/wnd.h"

using POSITION = void*;
using PFNLVCOMPARE = int (*)(LPARAM, LPARAM, LPARAM);

// Two kinds of list: one that stores its rows (InsertItem, SetItemText…) and an owner-data
// list (LVS_OWNERDATA) that stores only the row count and the row states, and asks its
// parent for texts and images with LVN_GETDISPINFO, preceded by LVN_ODCACHEHINT for the
// range about to be shown, and for type-ahead with LVN_ODFINDITEM.
//
// State changes from code (SetItemState) send LVN_ITEMCHANGING (refusable, stored rows only)
// and LVN_ITEMCHANGED per row, as Windows does; changing every row of an owner-data list at
// once (row -1) sends one LVN_ITEMCHANGED with iItem -1. What a person does goes through
// pw::ui (ClickListRow, ShowListRows, TypeAhead…).
//
// Column widths are pixels of the list's font (6 per average character), as LVCOLUMN has
// them; LVSCW_AUTOSIZE_USEHEADER on the last column fills the rest of the list's width.
class CListCtrl : public CWnd {
 public:
  static constexpr std::wstring_view kClassName = L"SysListView32";
  // The buffer that LVN_GETDISPINFO offers, in characters.
  static constexpr int kDispInfoBuffer = 260;

  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, int id);

  DWORD GetExtendedStyle() const { return extended_style_; }
  DWORD SetExtendedStyle(DWORD ex_style);  // returns the previous extended style
  bool IsOwnerData() const { return (GetStyle() & LVS_OWNERDATA) != 0; }
  bool IsSingleSelection() const { return (GetStyle() & LVS_SINGLESEL) != 0; }

  // Columns.
  int InsertColumn(int column, const LVCOLUMN* info);
  int InsertColumn(int column, std::wstring_view heading, int format = LVCFMT_LEFT, int width = -1,
                   int sub_item = -1);
  BOOL DeleteColumn(int column);
  BOOL GetColumn(int column, LVCOLUMN* info) const;
  BOOL SetColumn(int column, const LVCOLUMN* info);
  int GetColumnCount() const { return static_cast<int>(columns_.size()); }
  std::wstring GetColumnText(int column) const;
  BOOL SetColumnWidth(int column, int width);
  int GetColumnWidth(int column) const;
  // The sort arrow of a column: 0, HDF_SORTUP or HDF_SORTDOWN.
  BOOL SetColumnSortArrow(int column, int arrow);
  int GetColumnSortArrow(int column) const;

  // Rows of a list that stores them. Index of the new row, -1 on failure.
  int InsertItem(const LVITEM* item);
  int InsertItem(int row, std::wstring_view text);
  int InsertItem(int row, std::wstring_view text, int image);
  int InsertItem(UINT mask, int row, std::wstring_view text, UINT state, UINT state_mask, int image,
                 LPARAM data);
  BOOL DeleteItem(int row);
  BOOL DeleteAllItems();
  BOOL SetItem(const LVITEM* item);
  // Fills what item->mask asks for; texts of owner-data rows come from LVN_GETDISPINFO.
  BOOL GetItem(LVITEM* item) const;
  BOOL SetItemText(int row, int column, std::wstring_view text);
  std::wstring GetItemText(int row, int column) const;
  BOOL SetItemData(int row, DWORD_PTR data);
  DWORD_PTR GetItemData(int row) const;
  BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data);

  // Rows of an owner-data list.
  BOOL SetItemCount(int count);
  // The number of rows, for either kind.
  int GetItemCount() const;

  // States. Row -1 changes every row.
  BOOL SetItemState(int row, UINT state, UINT mask);
  UINT GetItemState(int row, UINT mask) const;
  // The next row after `start` (-1: from the first) that has every state `flags` asks for;
  // LVNI_ABOVE/LVNI_BELOW move one row from `start`. -1 when there is none.
  int GetNextItem(int start, UINT flags) const;
  UINT GetSelectedCount() const;
  int GetSelectionMark() const { return selection_mark_; }
  int SetSelectionMark(int row);
  POSITION GetFirstSelectedItemPosition() const;
  int GetNextSelectedItem(POSITION& position) const;

  // The row Windows finds for `info` from `start` (LVFI_STRING, LVFI_PARTIAL, LVFI_WRAP,
  // LVFI_PARAM); owner-data lists ask their parent with LVN_ODFINDITEM.
  int FindItem(const LVFINDINFO* info, int start = -1);

  // Images.
  CImageList* SetImageList(CImageList* image_list, int which);  // returns the previous
  CImageList* GetImageList(int which) const;

  // What is in view. EnsureVisible scrolls so that the row is shown.
  BOOL EnsureVisible(int row, BOOL partial_ok);
  int GetTopIndex() const { return top_index_; }
  int GetCountPerPage() const;

  // For front ends: sets the rows in view (ShowListRows does this before asking for texts).
  void SetVisibleRange(int top, int count);

  // Used by pw::ui: the texts and image of a row as the list shows it (asks the parent for
  // owner-data and callback rows), and the notification helpers.
  struct RowView {
    std::vector<std::wstring> texts;
    int image = I_IMAGENONE;
    UINT state = 0;
  };
  RowView GetRowView(int row);
  void SendCacheHint(int from, int to);
  int SendFindItem(int start, const LVFINDINFO& info);
  LRESULT SendItemActivate(UINT code, int row, int column, UINT key_flags);
  void SendColumnClick(int column);

 protected:
  void OnSetFocus(CWnd* old_focus) override;
  void OnKillFocus(CWnd* new_focus) override;

 private:
  struct Column {
    std::wstring text;
    int format = LVCFMT_LEFT;
    int width = 0;
    int sub_item = 0;
    int sort_arrow = 0;
  };
  struct Row {
    std::vector<std::wstring> texts;  // by column index
    std::vector<bool> callback;       // LPSTR_TEXTCALLBACK texts, by column index
    int image = 0;
    LPARAM data = 0;
    int indent = 0;
    UINT state = 0;
  };

  bool ValidRow(int row) const { return row >= 0 && row < GetItemCount(); }
  UINT RowState(int row) const;
  void StoreRowState(int row, UINT state);
  // Changes one row's state with LVN_ITEMCHANGING (stored rows) and LVN_ITEMCHANGED; false
  // when the parent refused or the window went away meanwhile.
  bool ChangeRowState(int row, UINT state, UINT mask);
  std::wstring AskText(int row, int column) const;
  int AskImage(int row);
  int TextWidth(std::wstring_view text) const;
  int ClientWidthPixels() const;
  void SendInsertOrDelete(UINT code, int row);
  int SortedPosition(std::wstring_view text) const;

  DWORD extended_style_ = 0;
  std::vector<Column> columns_;
  std::vector<Row> rows_;
  // Owner-data lists keep only the states.
  std::vector<UINT> virtual_states_;
  int selection_mark_ = -1;
  int top_index_ = 0;
  int visible_count_ = 0;
  CImageList* small_images_ = nullptr;
  CImageList* normal_images_ = nullptr;
  CImageList* state_images_ = nullptr;
};
