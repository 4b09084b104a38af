// CListCtrl: columns, stored and owner-data rows, states and their notifications.
#include "platform/ui/list_ctrl.h"

#include <algorithm>
#include <cwchar>

#include "platform/com/strings.h"

namespace {

// The list's font: 6 pixels per average character, 6 pixels of margin each side of a text;
// 6 by 13 pixels per 4 by 8 dialog units.
constexpr int kCharWidth = 6;
constexpr int kTextMargin = 12;
constexpr int kRowHeightUnits = 10;
constexpr int kHeaderHeightUnits = 12;

constexpr UINT kStateBits = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED |
                            LVIS_OVERLAYMASK | LVIS_STATEIMAGEMASK;

bool StartsWithIgnoreCase(std::wstring_view text, std::wstring_view prefix) {
  return text.size() >= prefix.size() &&
         pw::EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, int id) {
  return CreateWindowObject(kClassName, L"", style | WS_CHILD, 0, rect, parent, id);
}

DWORD CListCtrl::SetExtendedStyle(DWORD ex_style) {
  const DWORD previous = extended_style_;
  extended_style_ = ex_style;
  NotifyChanged();
  return previous;
}

// Columns.

int CListCtrl::InsertColumn(int column, const LVCOLUMN* info) {
  if (info == nullptr || column < 0) return -1;
  column = std::min(column, GetColumnCount());
  Column entry;
  if ((info->mask & LVCF_TEXT) != 0 && info->pszText != nullptr) entry.text = info->pszText;
  if ((info->mask & LVCF_FMT) != 0) entry.format = info->fmt;
  entry.width = (info->mask & LVCF_WIDTH) != 0 ? std::max(0, info->cx) : TextWidth(entry.text);
  entry.sub_item = (info->mask & LVCF_SUBITEM) != 0 ? info->iSubItem : column;
  columns_.insert(columns_.begin() + column, std::move(entry));
  for (Row& row : rows_) {
    if (static_cast<int>(row.texts.size()) > column) {
      row.texts.insert(row.texts.begin() + column, std::wstring());
      row.callback.insert(row.callback.begin() + column, false);
    }
  }
  NotifyChanged();
  return column;
}

int CListCtrl::InsertColumn(int column, std::wstring_view heading, int format, int width,
                            int sub_item) {
  std::wstring text(heading);
  LVCOLUMN info;
  info.mask = LVCF_TEXT | LVCF_FMT;
  info.pszText = text.data();
  info.fmt = format;
  if (width != -1) {
    info.mask |= LVCF_WIDTH;
    info.cx = width;
  }
  if (sub_item != -1) {
    info.mask |= LVCF_SUBITEM;
    info.iSubItem = sub_item;
  }
  return InsertColumn(column, &info);
}

BOOL CListCtrl::DeleteColumn(int column) {
  if (column < 0 || column >= GetColumnCount()) return FALSE;
  columns_.erase(columns_.begin() + column);
  for (Row& row : rows_) {
    if (static_cast<int>(row.texts.size()) > column) {
      row.texts.erase(row.texts.begin() + column);
      row.callback.erase(row.callback.begin() + column);
    }
  }
  NotifyChanged();
  return TRUE;
}

BOOL CListCtrl::GetColumn(int column, LVCOLUMN* info) const {
  if (info == nullptr || column < 0 || column >= GetColumnCount()) return FALSE;
  const Column& entry = columns_[static_cast<std::size_t>(column)];
  if ((info->mask & LVCF_FMT) != 0) info->fmt = entry.format | entry.sort_arrow;
  if ((info->mask & LVCF_WIDTH) != 0) info->cx = entry.width;
  if ((info->mask & LVCF_SUBITEM) != 0) info->iSubItem = entry.sub_item;
  if ((info->mask & LVCF_TEXT) != 0 && info->pszText != nullptr && info->cchTextMax > 0) {
    const std::size_t count =
        std::min(entry.text.size(), static_cast<std::size_t>(info->cchTextMax - 1));
    std::copy_n(entry.text.begin(), count, info->pszText);
    info->pszText[count] = L'\0';
  }
  return TRUE;
}

BOOL CListCtrl::SetColumn(int column, const LVCOLUMN* info) {
  if (info == nullptr || column < 0 || column >= GetColumnCount()) return FALSE;
  Column& entry = columns_[static_cast<std::size_t>(column)];
  if ((info->mask & LVCF_FMT) != 0) entry.format = info->fmt & LVCFMT_JUSTIFYMASK;
  if ((info->mask & LVCF_WIDTH) != 0) entry.width = std::max(0, info->cx);
  if ((info->mask & LVCF_SUBITEM) != 0) entry.sub_item = info->iSubItem;
  if ((info->mask & LVCF_TEXT) != 0 && info->pszText != nullptr) entry.text = info->pszText;
  NotifyChanged();
  return TRUE;
}

std::wstring CListCtrl::GetColumnText(int column) const {
  if (column < 0 || column >= GetColumnCount()) return {};
  return columns_[static_cast<std::size_t>(column)].text;
}

int CListCtrl::TextWidth(std::wstring_view text) const {
  return static_cast<int>(text.size()) * kCharWidth + kTextMargin;
}

int CListCtrl::ClientWidthPixels() const {
  RECT rect;
  GetClientRect(&rect);
  // Two pixels of border each side.
  return std::max(0, static_cast<int>(RectWidth(rect)) * 6 / 4 - 4);
}

BOOL CListCtrl::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= GetColumnCount()) return FALSE;
  Column& entry = columns_[static_cast<std::size_t>(column)];
  if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
    int widest = width == LVSCW_AUTOSIZE_USEHEADER ? TextWidth(entry.text) : 0;
    if (!IsOwnerData()) {
      for (int row = 0; row < GetItemCount(); ++row) {
        widest = std::max(widest, TextWidth(GetItemText(row, column)));
      }
    }
    if (width == LVSCW_AUTOSIZE_USEHEADER && column == GetColumnCount() - 1) {
      int others = 0;
      for (int i = 0; i < column; ++i) others += columns_[static_cast<std::size_t>(i)].width;
      widest = std::max(widest, ClientWidthPixels() - others);
    }
    entry.width = widest;
  } else {
    entry.width = std::max(0, width);
  }
  NotifyChanged();
  return TRUE;
}

int CListCtrl::GetColumnWidth(int column) const {
  if (column < 0 || column >= GetColumnCount()) return 0;
  return columns_[static_cast<std::size_t>(column)].width;
}

BOOL CListCtrl::SetColumnSortArrow(int column, int arrow) {
  if (column < 0 || column >= GetColumnCount()) return FALSE;
  if (arrow != 0 && arrow != HDF_SORTUP && arrow != HDF_SORTDOWN) return FALSE;
  columns_[static_cast<std::size_t>(column)].sort_arrow = arrow;
  NotifyChanged();
  return TRUE;
}

int CListCtrl::GetColumnSortArrow(int column) const {
  if (column < 0 || column >= GetColumnCount()) return 0;
  return columns_[static_cast<std::size_t>(column)].sort_arrow;
}

// Stored rows.

int CListCtrl::SortedPosition(std::wstring_view text) const {
  const bool descending = (GetStyle() & LVS_SORTDESCENDING) != 0;
  int position = 0;
  for (const Row& row : rows_) {
    const int order = pw::CompareIgnoreCase(text, row.texts.empty() ? L"" : row.texts[0]);
    if (descending ? order > 0 : order < 0) break;
    ++position;
  }
  return position;
}

int CListCtrl::InsertItem(const LVITEM* item) {
  if (item == nullptr || IsOwnerData() || item->iItem < 0 || item->iSubItem != 0) return -1;
  Row row;
  const std::size_t width = std::max<std::size_t>(1, columns_.size());
  row.texts.resize(width);
  row.callback.resize(width, false);
  if ((item->mask & LVIF_TEXT) != 0) {
    if (item->pszText == LPSTR_TEXTCALLBACK) {
      row.callback[0] = true;
    } else if (item->pszText != nullptr) {
      row.texts[0] = item->pszText;
    }
  }
  if ((item->mask & LVIF_IMAGE) != 0) row.image = item->iImage;
  if ((item->mask & LVIF_PARAM) != 0) row.data = item->lParam;
  if ((item->mask & LVIF_INDENT) != 0) row.indent = item->iIndent;
  if ((item->mask & LVIF_STATE) != 0) row.state = item->state & item->stateMask & kStateBits;
  int index = std::min(item->iItem, GetItemCount());
  if ((GetStyle() & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) != 0) {
    index = SortedPosition(row.texts[0]);
  }
  rows_.insert(rows_.begin() + index, std::move(row));
  if (selection_mark_ >= index) ++selection_mark_;
  NotifyChanged();
  SendInsertOrDelete(LVN_INSERTITEM, index);
  return index;
}

int CListCtrl::InsertItem(int row, std::wstring_view text) {
  std::wstring copy(text);
  LVITEM item;
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = copy.data();
  return InsertItem(&item);
}

int CListCtrl::InsertItem(int row, std::wstring_view text, int image) {
  std::wstring copy(text);
  LVITEM item;
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = row;
  item.pszText = copy.data();
  item.iImage = image;
  return InsertItem(&item);
}

int CListCtrl::InsertItem(UINT mask, int row, std::wstring_view text, UINT state, UINT state_mask,
                          int image, LPARAM data) {
  std::wstring copy(text);
  LVITEM item;
  item.mask = mask;
  item.iItem = row;
  item.pszText = copy.data();
  item.state = state;
  item.stateMask = state_mask;
  item.iImage = image;
  item.lParam = data;
  return InsertItem(&item);
}

void CListCtrl::SendInsertOrDelete(UINT code, int row) {
  NMLISTVIEW info;
  info.iItem = row;
  if (row >= 0 && row < static_cast<int>(rows_.size())) {
    info.lParam = rows_[static_cast<std::size_t>(row)].data;
  }
  NotifyParent(code, &info.hdr);
}

BOOL CListCtrl::DeleteItem(int row) {
  if (IsOwnerData() || !ValidRow(row)) return FALSE;
  const HWND self = GetSafeHwnd();
  SendInsertOrDelete(LVN_DELETEITEM, row);
  if (!IsWindow(self) || !ValidRow(row)) return FALSE;
  rows_.erase(rows_.begin() + row);
  if (selection_mark_ == row) {
    selection_mark_ = -1;
  } else if (selection_mark_ > row) {
    --selection_mark_;
  }
  NotifyChanged();
  return TRUE;
}

BOOL CListCtrl::DeleteAllItems() {
  const HWND self = GetSafeHwnd();
  NMLISTVIEW info;
  info.iItem = -1;
  // A parent that answers TRUE does not want one LVN_DELETEITEM per row.
  const LRESULT no_more = NotifyParent(LVN_DELETEALLITEMS, &info.hdr);
  if (!IsWindow(self)) return FALSE;
  if (!IsOwnerData() && no_more == 0) {
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
      SendInsertOrDelete(LVN_DELETEITEM, row);
      if (!IsWindow(self)) return FALSE;
    }
  }
  rows_.clear();
  virtual_states_.clear();
  selection_mark_ = -1;
  top_index_ = 0;
  NotifyChanged();
  return TRUE;
}

BOOL CListCtrl::SetItem(const LVITEM* item) {
  if (item == nullptr || !ValidRow(item->iItem)) return FALSE;
  if (!IsOwnerData()) {
    Row& row = rows_[static_cast<std::size_t>(item->iItem)];
    const std::size_t column = static_cast<std::size_t>(std::max(0, item->iSubItem));
    if ((item->mask & LVIF_TEXT) != 0) {
      if (row.texts.size() <= column) {
        row.texts.resize(column + 1);
        row.callback.resize(column + 1, false);
      }
      row.callback[column] = item->pszText == LPSTR_TEXTCALLBACK;
      row.texts[column] = item->pszText != nullptr && !row.callback[column] ? item->pszText : L"";
    }
    if (item->iSubItem == 0) {
      if ((item->mask & LVIF_IMAGE) != 0) row.image = item->iImage;
      if ((item->mask & LVIF_PARAM) != 0) row.data = item->lParam;
      if ((item->mask & LVIF_INDENT) != 0) row.indent = item->iIndent;
    }
    NotifyChanged();
  }
  if ((item->mask & LVIF_STATE) != 0 && item->iSubItem == 0) {
    ChangeRowState(item->iItem, item->state, item->stateMask & kStateBits);
  }
  return TRUE;
}

BOOL CListCtrl::GetItem(LVITEM* item) const {
  if (item == nullptr || !ValidRow(item->iItem)) return FALSE;
  auto* self = const_cast<CListCtrl*>(this);
  if ((item->mask & LVIF_TEXT) != 0 && item->pszText != nullptr && item->cchTextMax > 0) {
    const std::wstring text = self->GetItemText(item->iItem, item->iSubItem);
    const std::size_t count = std::min(text.size(), static_cast<std::size_t>(item->cchTextMax - 1));
    std::copy_n(text.begin(), count, item->pszText);
    item->pszText[count] = L'\0';
  }
  if ((item->mask & LVIF_STATE) != 0) item->state = RowState(item->iItem) & item->stateMask;
  if (IsOwnerData()) {
    if ((item->mask & LVIF_IMAGE) != 0) item->iImage = self->AskImage(item->iItem);
    return TRUE;
  }
  const Row& row = rows_[static_cast<std::size_t>(item->iItem)];
  if ((item->mask & LVIF_IMAGE) != 0) {
    item->iImage = row.image == I_IMAGECALLBACK ? self->AskImage(item->iItem) : row.image;
  }
  if ((item->mask & LVIF_PARAM) != 0) item->lParam = row.data;
  if ((item->mask & LVIF_INDENT) != 0) item->iIndent = row.indent;
  return TRUE;
}

BOOL CListCtrl::SetItemText(int row, int column, std::wstring_view text) {
  if (IsOwnerData() || !ValidRow(row) || column < 0) return FALSE;
  std::wstring copy(text);
  LVITEM item;
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = copy.data();
  return SetItem(&item);
}

std::wstring CListCtrl::GetItemText(int row, int column) const {
  if (!ValidRow(row) || column < 0) return {};
  if (IsOwnerData()) return AskText(row, column);
  const Row& entry = rows_[static_cast<std::size_t>(row)];
  const std::size_t at = static_cast<std::size_t>(column);
  if (at >= entry.texts.size()) return {};
  return entry.callback[at] ? AskText(row, column) : entry.texts[at];
}

BOOL CListCtrl::SetItemData(int row, DWORD_PTR data) {
  if (IsOwnerData() || !ValidRow(row)) return FALSE;
  rows_[static_cast<std::size_t>(row)].data = static_cast<LPARAM>(data);
  return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int row) const {
  if (IsOwnerData() || !ValidRow(row)) return 0;
  return static_cast<DWORD_PTR>(rows_[static_cast<std::size_t>(row)].data);
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE compare, DWORD_PTR data) {
  if (IsOwnerData() || compare == nullptr) return FALSE;
  std::stable_sort(rows_.begin(), rows_.end(), [&](const Row& a, const Row& b) {
    return compare(a.data, b.data, static_cast<LPARAM>(data)) < 0;
  });
  NotifyChanged();
  return TRUE;
}

std::wstring CListCtrl::AskText(int row, int column) const {
  auto* self = const_cast<CListCtrl*>(this);
  wchar_t buffer[kDispInfoBuffer] = {};
  NMLVDISPINFO info;
  info.item.mask = LVIF_TEXT;
  info.item.iItem = row;
  info.item.iSubItem = column;
  info.item.pszText = buffer;
  info.item.cchTextMax = kDispInfoBuffer;
  if (!IsOwnerData()) info.item.lParam = rows_[static_cast<std::size_t>(row)].data;
  self->NotifyParent(LVN_GETDISPINFO, &info.hdr);
  if (info.item.pszText == nullptr || info.item.pszText == LPSTR_TEXTCALLBACK) return {};
  if (info.item.pszText == buffer) {
    return std::wstring(buffer, wcsnlen(buffer, kDispInfoBuffer));
  }
  return std::wstring(info.item.pszText);
}

int CListCtrl::AskImage(int row) {
  NMLVDISPINFO info;
  info.item.mask = LVIF_IMAGE;
  info.item.iItem = row;
  info.item.iImage = I_IMAGENONE;
  if (!IsOwnerData()) info.item.lParam = rows_[static_cast<std::size_t>(row)].data;
  NotifyParent(LVN_GETDISPINFO, &info.hdr);
  return info.item.iImage;
}

// Owner-data rows.

BOOL CListCtrl::SetItemCount(int count) {
  if (count < 0) return FALSE;
  if (!IsOwnerData()) return TRUE;
  virtual_states_.resize(static_cast<std::size_t>(count), 0);
  if (selection_mark_ >= count) selection_mark_ = -1;
  if (top_index_ >= count) top_index_ = std::max(0, count - 1);
  NotifyChanged();
  return TRUE;
}

int CListCtrl::GetItemCount() const {
  return static_cast<int>(IsOwnerData() ? virtual_states_.size() : rows_.size());
}

// States.

UINT CListCtrl::RowState(int row) const {
  if (!ValidRow(row)) return 0;
  return IsOwnerData() ? virtual_states_[static_cast<std::size_t>(row)]
                       : rows_[static_cast<std::size_t>(row)].state;
}

void CListCtrl::StoreRowState(int row, UINT state) {
  if (IsOwnerData()) {
    virtual_states_[static_cast<std::size_t>(row)] = state;
  } else {
    rows_[static_cast<std::size_t>(row)].state = state;
  }
}

bool CListCtrl::ChangeRowState(int row, UINT state, UINT mask) {
  if (!ValidRow(row)) return false;
  const UINT old_state = RowState(row);
  const UINT new_state = (old_state & ~mask) | (state & mask);
  if (new_state == old_state) return true;
  const HWND self = GetSafeHwnd();
  const LPARAM data = IsOwnerData() ? 0 : rows_[static_cast<std::size_t>(row)].data;

  // The focus is on one row at most, and a single-selection list selects one row at most:
  // the row that has it loses it first, with its own notifications.
  const UINT gained = new_state & ~old_state;
  if ((gained & LVIS_FOCUSED) != 0) {
    const int focused = GetNextItem(-1, LVNI_FOCUSED);
    if (focused >= 0 && focused != row && !ChangeRowState(focused, 0, LVIS_FOCUSED)) return false;
  }
  if ((gained & LVIS_SELECTED) != 0 && IsSingleSelection()) {
    for (int other = GetNextItem(-1, LVNI_SELECTED); other >= 0;
         other = GetNextItem(other, LVNI_SELECTED)) {
      if (other != row && !ChangeRowState(other, 0, LVIS_SELECTED)) return false;
    }
  }
  if (!IsWindow(self) || !ValidRow(row)) return false;

  NMLISTVIEW info;
  info.iItem = row;
  info.uNewState = new_state;
  info.uOldState = old_state;
  info.uChanged = LVIF_STATE;
  info.lParam = data;
  if (!IsOwnerData()) {
    NMLISTVIEW changing = info;
    if (NotifyParent(LVN_ITEMCHANGING, &changing.hdr) != 0) return false;
    if (!IsWindow(self) || !ValidRow(row)) return false;
  }
  StoreRowState(row, new_state);
  NotifyChanged();
  NotifyParent(LVN_ITEMCHANGED, &info.hdr);
  return IsWindow(self);
}

BOOL CListCtrl::SetItemState(int row, UINT state, UINT mask) {
  mask &= kStateBits;
  if (row != -1) return ChangeRowState(row, state, mask) ? TRUE : FALSE;
  if ((state & mask & LVIS_FOCUSED) != 0) return FALSE;  // one row at most has the focus
  if ((state & mask & LVIS_SELECTED) != 0 && IsSingleSelection()) return FALSE;
  if (IsOwnerData()) {
    for (UINT& row_state : virtual_states_) row_state = (row_state & ~mask) | (state & mask);
    NotifyChanged();
    NMLISTVIEW info;
    info.iItem = -1;
    info.uNewState = state & mask;
    info.uOldState = ~state & mask;
    info.uChanged = LVIF_STATE;
    NotifyParent(LVN_ITEMCHANGED, &info.hdr);
    return TRUE;
  }
  const HWND self = GetSafeHwnd();
  for (int index = 0; index < GetItemCount(); ++index) {
    ChangeRowState(index, state, mask);
    if (!IsWindow(self)) return FALSE;
  }
  return TRUE;
}

UINT CListCtrl::GetItemState(int row, UINT mask) const { return RowState(row) & mask; }

int CListCtrl::GetNextItem(int start, UINT flags) const {
  const int count = GetItemCount();
  if ((flags & LVNI_ABOVE) != 0) return start > 0 && start <= count ? start - 1 : -1;
  if ((flags & LVNI_BELOW) != 0) return start + 1 < count ? start + 1 : -1;
  const UINT wanted = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
  for (int row = std::max(-1, start) + 1; row < count; ++row) {
    if ((RowState(row) & wanted) == wanted) return row;
  }
  return -1;
}

UINT CListCtrl::GetSelectedCount() const {
  UINT count = 0;
  for (int row = 0; row < GetItemCount(); ++row) {
    if ((RowState(row) & LVIS_SELECTED) != 0) ++count;
  }
  return count;
}

int CListCtrl::SetSelectionMark(int row) {
  const int previous = selection_mark_;
  selection_mark_ = ValidRow(row) ? row : -1;
  return previous;
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const {
  const int row = GetNextItem(-1, LVNI_SELECTED);
  return row < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<std::intptr_t>(row) + 1);
}

int CListCtrl::GetNextSelectedItem(POSITION& position) const {
  const int row = static_cast<int>(reinterpret_cast<std::intptr_t>(position) - 1);
  const int next = GetNextItem(row, LVNI_SELECTED);
  position = next < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<std::intptr_t>(next) + 1);
  return row;
}

int CListCtrl::FindItem(const LVFINDINFO* info, int start) {
  if (info == nullptr) return -1;
  if (IsOwnerData()) return SendFindItem(start, *info);
  const int count = GetItemCount();
  const bool wrap = (info->flags & LVFI_WRAP) != 0;
  // The start row itself is not searched.
  const int first = std::max(-1, start) + 1;
  for (int step = 0; step < count; ++step) {
    int row = first + step;
    if (row >= count) {
      if (!wrap) break;
      row -= count;
    }
    if (row == start) break;
    const Row& entry = rows_[static_cast<std::size_t>(row)];
    if ((info->flags & LVFI_PARAM) != 0) {
      if (entry.data == info->lParam) return row;
      continue;
    }
    if ((info->flags & (LVFI_STRING | LVFI_PARTIAL | LVFI_SUBSTRING)) == 0 ||
        info->psz == nullptr) {
      continue;
    }
    const std::wstring text = GetItemText(row, 0);
    const bool partial = (info->flags & (LVFI_PARTIAL | LVFI_SUBSTRING)) != 0;
    if (partial ? StartsWithIgnoreCase(text, info->psz) : pw::EqualsIgnoreCase(text, info->psz)) {
      return row;
    }
  }
  return -1;
}

// Images.

CImageList* CListCtrl::SetImageList(CImageList* image_list, int which) {
  CImageList** slot = which == LVSIL_SMALL   ? &small_images_
                      : which == LVSIL_STATE ? &state_images_
                                             : &normal_images_;
  CImageList* previous = *slot;
  *slot = image_list;
  NotifyChanged();
  return previous;
}

CImageList* CListCtrl::GetImageList(int which) const {
  return which == LVSIL_SMALL   ? small_images_
         : which == LVSIL_STATE ? state_images_
                                : normal_images_;
}

// What is in view.

int CListCtrl::GetCountPerPage() const {
  if (visible_count_ > 0) return visible_count_;
  RECT rect;
  GetClientRect(&rect);
  return std::max(1, (static_cast<int>(RectHeight(rect)) - kHeaderHeightUnits) / kRowHeightUnits);
}

BOOL CListCtrl::EnsureVisible(int row, BOOL /*partial_ok*/) {
  if (!ValidRow(row)) return FALSE;
  const int per_page = GetCountPerPage();
  if (row < top_index_) {
    top_index_ = row;
  } else if (row >= top_index_ + per_page) {
    top_index_ = row - per_page + 1;
  }
  NotifyChanged();
  return TRUE;
}

void CListCtrl::SetVisibleRange(int top, int count) {
  top_index_ = std::max(0, top);
  visible_count_ = std::max(0, count);
}

CListCtrl::RowView CListCtrl::GetRowView(int row) {
  RowView view;
  if (!ValidRow(row)) return view;
  view.state = RowState(row);
  const int columns = std::max(1, GetColumnCount());
  if (IsOwnerData()) {
    // Column 0 asks for text and image together, as a list view does.
    const HWND self = GetSafeHwnd();
    wchar_t buffer[kDispInfoBuffer] = {};
    NMLVDISPINFO info;
    info.item.mask = LVIF_TEXT | LVIF_IMAGE;
    info.item.iItem = row;
    info.item.pszText = buffer;
    info.item.cchTextMax = kDispInfoBuffer;
    info.item.iImage = I_IMAGENONE;
    NotifyParent(LVN_GETDISPINFO, &info.hdr);
    if (!IsWindow(self)) return view;
    if (info.item.pszText == buffer) {
      view.texts.emplace_back(buffer, wcsnlen(buffer, kDispInfoBuffer));
    } else if (info.item.pszText != nullptr && info.item.pszText != LPSTR_TEXTCALLBACK) {
      view.texts.emplace_back(info.item.pszText);
    } else {
      view.texts.emplace_back();
    }
    view.image = info.item.iImage;
    for (int column = 1; column < columns && IsWindow(self) && ValidRow(row); ++column) {
      view.texts.push_back(AskText(row, column));
    }
    return view;
  }
  for (int column = 0; column < columns; ++column) view.texts.push_back(GetItemText(row, column));
  if (ValidRow(row)) {
    const Row& entry = rows_[static_cast<std::size_t>(row)];
    view.image = entry.image == I_IMAGECALLBACK ? AskImage(row) : entry.image;
  }
  return view;
}

void CListCtrl::SendCacheHint(int from, int to) {
  NMLVCACHEHINT hint;
  hint.iFrom = from;
  hint.iTo = to;
  NotifyParent(LVN_ODCACHEHINT, &hint.hdr);
}

int CListCtrl::SendFindItem(int start, const LVFINDINFO& info) {
  NMLVFINDITEM find;
  find.iStart = start;
  find.lvfi = info;
  const LRESULT found = NotifyParent(LVN_ODFINDITEM, &find.hdr);
  return ValidRow(static_cast<int>(found)) ? static_cast<int>(found) : -1;
}

LRESULT CListCtrl::SendItemActivate(UINT code, int row, int column, UINT key_flags) {
  NMITEMACTIVATE info;
  info.iItem = row;
  info.iSubItem = column;
  info.uKeyFlags = key_flags;
  if (ValidRow(row)) {
    info.uNewState = RowState(row);
    info.uOldState = info.uNewState;
    if (!IsOwnerData()) info.lParam = rows_[static_cast<std::size_t>(row)].data;
    const int offset = row - top_index_;
    info.ptAction = POINT{8, kHeaderHeightUnits + offset * kRowHeightUnits + kRowHeightUnits / 2};
  }
  return NotifyParent(code, &info.hdr);
}

void CListCtrl::SendColumnClick(int column) {
  NMLISTVIEW info;
  info.iItem = -1;
  info.iSubItem = column;
  NotifyParent(LVN_COLUMNCLICK, &info.hdr);
}

void CListCtrl::OnSetFocus(CWnd* /*old_focus*/) {
  NMHDR header;
  NotifyParent(NM_SETFOCUS, &header);
}

void CListCtrl::OnKillFocus(CWnd* /*new_focus*/) {
  NMHDR header;
  NotifyParent(NM_KILLFOCUS, &header);
}
