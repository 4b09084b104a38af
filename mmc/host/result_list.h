// ResultList: the rows of a view's result list as IResultData manipulates them — a regular
// list of items (and the scope items the console lists with them) or a virtual list that is
// only a row count whose data the snap-in owns.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "mmc/mmc.h"

namespace pw::mmc {

// One row of a regular list.
struct ResultRow {
  bool scope = false;  // a scope item listed in the result pane
  HSCOPEITEM scope_id = 0;
  HRESULTITEM id = 0;  // result items only
  LPARAM lparam = 0;   // the cookie
  bool text_by_callback = true;
  std::wstring text;
  int image = 0;
  UINT state = 0;
  int indent = 0;
};

// Owned by its view. Regular lists give item ids from 1 upward and never reuse one within the
// view. Operations answer what IResultData answers: E_UNEXPECTED for an operation that the
// kind of list does not have, E_INVALIDARG for an unknown item or row.
class ResultList {
 public:
  // Empties the list and makes it regular or virtual.
  void Reset(bool owner_data);
  bool owner_data() const { return owner_data_; }
  // Whether selecting a row deselects the others.
  void set_single_select(bool single) { single_select_ = single; }
  bool single_select() const { return single_select_; }
  int RowCount() const;
  // Changes with every change of rows, texts or states, so that a front end knows to redraw.
  std::uint64_t revision() const { return revision_; }
  void Touch() { ++revision_; }

  // Regular lists. With RDI_INDEX the item goes to that position (clamped), else to the end.
  HRESULT InsertItem(const RESULTDATAITEM& item, HRESULTITEM* id);
  // Scope rows come before the result items, in the order given.
  void InsertScopeRow(HSCOPEITEM id, LPARAM cookie, int image);
  void RemoveScopeRow(HSCOPEITEM id);
  HRESULT DeleteItem(HRESULTITEM id);
  // S_FALSE when no item carries `lparam`.
  HRESULT FindItemByLParam(LPARAM lparam, HRESULTITEM* id) const;
  // Removes the result items; scope rows stay.
  HRESULT DeleteAllItems();
  HRESULT SetItem(const RESULTDATAITEM& item);
  const ResultRow* Row(int index) const;
  int IndexOfItem(HRESULTITEM id) const;
  int IndexOfScopeRow(HSCOPEITEM id) const;

  // Both kinds. Regular lists find the item by itemID, else by nIndex; virtual lists by nIndex.
  HRESULT GetItem(RESULTDATAITEM* item) const;
  // The next row after item->nIndex (-1: from the start) whose state has all bits of
  // item->nState; S_FALSE and nIndex -1 when there is none.
  HRESULT GetNextItem(RESULTDATAITEM* item) const;
  // Index -1 changes every row. LVIS_FOCUSED is on one row at most.
  HRESULT ModifyItemState(int index, HRESULTITEM id, UINT add, UINT remove);
  HRESULT UpdateItem(HRESULTITEM id);

  // Virtual lists: rows at and beyond the new count lose their states.
  HRESULT SetItemCount(int count);

  // LVIS_SELECTED and LVIS_FOCUSED of a row; 0 for a row that does not exist.
  UINT RowState(int index) const;
  std::vector<int> SelectedRows() const;
  int FocusedRow() const;
  // Selects exactly `rows` (valid, distinct indices) and focuses the first.
  void SelectRows(const std::vector<int>& rows);

  // Regular lists: orders the result items by `compare` (<0: a before b when ascending); the
  // scope rows stay first. Stable, and safe with a comparison that contradicts itself.
  void SortItems(const std::function<int(const ResultRow& a, const ResultRow& b)>& compare,
                 bool descending);

 private:
  UINT StateOf(int index) const;
  void SetState(int index, UINT state);
  int FindRow(HRESULTITEM id, int index) const;

  bool owner_data_ = false;
  bool single_select_ = true;
  std::vector<ResultRow> rows_;
  HRESULTITEM next_id_ = 1;
  int virtual_count_ = 0;
  std::set<int> virtual_selected_;
  int virtual_focused_ = -1;
  std::uint64_t revision_ = 0;
};

}  // namespace pw::mmc
