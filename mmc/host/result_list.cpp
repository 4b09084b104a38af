// ResultList.
#include "mmc/host/result_list.h"

#include <algorithm>

namespace pw::mmc {
namespace {

// A bottom-up merge sort that only ever compares rows within bounds, so that a comparison
// that contradicts itself (a snap-in's bug) gives some order instead of undefined behaviour.
void MergeSort(std::vector<ResultRow>* rows,
               const std::function<bool(const ResultRow&, const ResultRow&)>& before) {
  const std::size_t count = rows->size();
  std::vector<ResultRow> buffer(count);
  for (std::size_t width = 1; width < count; width *= 2) {
    for (std::size_t left = 0; left < count; left += 2 * width) {
      const std::size_t middle = std::min(left + width, count);
      const std::size_t right = std::min(left + 2 * width, count);
      std::size_t i = left;
      std::size_t j = middle;
      std::size_t out = left;
      while (i < middle && j < right) {
        // Equal rows keep their order: the right one moves first only when it is before.
        buffer[out++] = std::move(before((*rows)[j], (*rows)[i]) ? (*rows)[j++] : (*rows)[i++]);
      }
      while (i < middle) buffer[out++] = std::move((*rows)[i++]);
      while (j < right) buffer[out++] = std::move((*rows)[j++]);
    }
    rows->swap(buffer);
  }
}

}  // namespace

void ResultList::Reset(bool owner_data) {
  owner_data_ = owner_data;
  rows_.clear();
  virtual_count_ = 0;
  virtual_selected_.clear();
  virtual_focused_ = -1;
  ++revision_;
}

int ResultList::RowCount() const {
  return owner_data_ ? virtual_count_ : static_cast<int>(rows_.size());
}

HRESULT ResultList::InsertItem(const RESULTDATAITEM& item, HRESULTITEM* id) {
  if (id != nullptr) *id = 0;
  if (owner_data_) return E_UNEXPECTED;
  if (item.bScopeItem) return E_INVALIDARG;
  ResultRow row;
  row.id = next_id_++;
  row.lparam = (item.mask & RDI_PARAM) != 0 ? item.lParam : 0;
  if ((item.mask & RDI_STR) != 0) {
    row.text_by_callback = item.str == MMC_CALLBACK;
    if (!row.text_by_callback && item.str != nullptr) row.text = item.str;
  }
  if ((item.mask & RDI_IMAGE) != 0) row.image = item.nImage;
  if ((item.mask & RDI_INDENT) != 0) row.indent = item.iIndent;
  std::size_t position = rows_.size();
  if ((item.mask & RDI_INDEX) != 0) {
    // Result items never go before the scope rows.
    const auto first_item = static_cast<std::size_t>(
        std::find_if(rows_.begin(), rows_.end(), [](const ResultRow& r) { return !r.scope; }) -
        rows_.begin());
    position = std::clamp<std::size_t>(
        first_item + static_cast<std::size_t>(std::max(item.nIndex, 0)), first_item, rows_.size());
  }
  const HRESULTITEM created = row.id;
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(position), std::move(row));
  if ((item.mask & RDI_STATE) != 0) SetState(static_cast<int>(position), item.nState);
  if (id != nullptr) *id = created;
  ++revision_;
  return S_OK;
}

void ResultList::InsertScopeRow(HSCOPEITEM id, LPARAM cookie, int image) {
  if (owner_data_ || IndexOfScopeRow(id) >= 0) return;
  ResultRow row;
  row.scope = true;
  row.scope_id = id;
  row.lparam = cookie;
  row.image = image;
  const auto first_item =
      std::find_if(rows_.begin(), rows_.end(), [](const ResultRow& r) { return !r.scope; });
  rows_.insert(first_item, std::move(row));
  ++revision_;
}

void ResultList::RemoveScopeRow(HSCOPEITEM id) {
  const int index = IndexOfScopeRow(id);
  if (index < 0) return;
  rows_.erase(rows_.begin() + index);
  ++revision_;
}

HRESULT ResultList::DeleteItem(HRESULTITEM id) {
  if (owner_data_) return E_UNEXPECTED;
  const int index = IndexOfItem(id);
  if (index < 0) return E_INVALIDARG;
  rows_.erase(rows_.begin() + index);
  ++revision_;
  return S_OK;
}

HRESULT ResultList::FindItemByLParam(LPARAM lparam, HRESULTITEM* id) const {
  if (id == nullptr) return E_POINTER;
  *id = 0;
  if (owner_data_) return E_UNEXPECTED;
  for (const ResultRow& row : rows_) {
    if (!row.scope && row.lparam == lparam) {
      *id = row.id;
      return S_OK;
    }
  }
  return S_FALSE;
}

HRESULT ResultList::DeleteAllItems() {
  if (owner_data_) {
    virtual_count_ = 0;
    virtual_selected_.clear();
    virtual_focused_ = -1;
  } else {
    std::erase_if(rows_, [](const ResultRow& row) { return !row.scope; });
  }
  ++revision_;
  return S_OK;
}

HRESULT ResultList::SetItem(const RESULTDATAITEM& item) {
  if (owner_data_) return E_UNEXPECTED;
  const int index = FindRow(item.itemID, item.nIndex);
  if (index < 0 || rows_[index].scope) return E_INVALIDARG;
  ResultRow& row = rows_[index];
  if ((item.mask & RDI_STR) != 0) {
    row.text_by_callback = item.str == MMC_CALLBACK;
    row.text = row.text_by_callback || item.str == nullptr ? L"" : item.str;
  }
  if ((item.mask & RDI_IMAGE) != 0) row.image = item.nImage;
  if ((item.mask & RDI_PARAM) != 0) row.lparam = item.lParam;
  if ((item.mask & RDI_INDENT) != 0) row.indent = item.iIndent;
  if ((item.mask & RDI_STATE) != 0) SetState(index, item.nState);
  ++revision_;
  return S_OK;
}

const ResultRow* ResultList::Row(int index) const {
  if (owner_data_ || index < 0 || index >= static_cast<int>(rows_.size())) return nullptr;
  return &rows_[index];
}

int ResultList::IndexOfItem(HRESULTITEM id) const {
  if (id == 0) return -1;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (!rows_[i].scope && rows_[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

int ResultList::IndexOfScopeRow(HSCOPEITEM id) const {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].scope && rows_[i].scope_id == id) return static_cast<int>(i);
  }
  return -1;
}

int ResultList::FindRow(HRESULTITEM id, int index) const {
  if (id != 0) return IndexOfItem(id);
  return index >= 0 && index < RowCount() ? index : -1;
}

HRESULT ResultList::GetItem(RESULTDATAITEM* item) const {
  if (item == nullptr) return E_POINTER;
  if (owner_data_) {
    if (item->nIndex < 0 || item->nIndex >= virtual_count_) return E_INVALIDARG;
    if ((item->mask & RDI_STATE) != 0) item->nState = StateOf(item->nIndex);
    if ((item->mask & RDI_PARAM) != 0) item->lParam = 0;
    item->itemID = 0;
    item->bScopeItem = FALSE;
    return S_OK;
  }
  const int index = FindRow(item->bScopeItem ? 0 : item->itemID, item->nIndex);
  if (index < 0) return E_INVALIDARG;
  const ResultRow& row = rows_[index];
  item->nIndex = index;
  item->bScopeItem = row.scope ? TRUE : FALSE;
  item->itemID = row.scope ? row.scope_id : row.id;
  if ((item->mask & RDI_STR) != 0) {
    item->str = row.text_by_callback ? MMC_CALLBACK : const_cast<LPOLESTR>(row.text.c_str());
  }
  if ((item->mask & RDI_IMAGE) != 0) item->nImage = row.image;
  if ((item->mask & RDI_PARAM) != 0) item->lParam = row.lparam;
  if ((item->mask & RDI_STATE) != 0) item->nState = row.state;
  if ((item->mask & RDI_INDENT) != 0) item->iIndent = row.indent;
  return S_OK;
}

HRESULT ResultList::GetNextItem(RESULTDATAITEM* item) const {
  if (item == nullptr) return E_POINTER;
  const int count = RowCount();
  const UINT wanted = item->nState;
  for (int index = std::max(item->nIndex + 1, 0); index < count; ++index) {
    const UINT state = StateOf(index);
    if ((state & wanted) != wanted) continue;
    item->nIndex = index;
    item->nState = state;
    if (owner_data_) {
      item->itemID = 0;
      item->lParam = 0;
      item->bScopeItem = FALSE;
    } else {
      const ResultRow& row = rows_[index];
      item->bScopeItem = row.scope ? TRUE : FALSE;
      item->itemID = row.scope ? row.scope_id : row.id;
      item->lParam = row.lparam;
    }
    return S_OK;
  }
  item->nIndex = -1;
  return S_FALSE;
}

HRESULT ResultList::ModifyItemState(int index, HRESULTITEM id, UINT add, UINT remove) {
  const int count = RowCount();
  std::vector<int> targets;
  if (!owner_data_ && id != 0) {
    const int found = IndexOfItem(id);
    if (found < 0) return E_INVALIDARG;
    targets.push_back(found);
  } else if (index == -1) {
    for (int i = 0; i < count; ++i) targets.push_back(i);
    // A list that selects one row at a time selects the first when told to select all.
    if (single_select_ && (add & LVIS_SELECTED) != 0 && !targets.empty()) {
      for (int i = 1; i < count; ++i) SetState(i, StateOf(i) & ~(remove | LVIS_SELECTED));
      targets.resize(1);
    }
  } else {
    if (index < 0 || index >= count) return E_INVALIDARG;
    targets.push_back(index);
  }
  for (int target : targets) SetState(target, (StateOf(target) & ~remove) | add);
  ++revision_;
  return S_OK;
}

HRESULT ResultList::UpdateItem(HRESULTITEM id) {
  if (!owner_data_ && IndexOfItem(id) < 0) return E_INVALIDARG;
  ++revision_;
  return S_OK;
}

HRESULT ResultList::SetItemCount(int count) {
  if (!owner_data_) return E_UNEXPECTED;
  if (count < 0) return E_INVALIDARG;
  virtual_count_ = count;
  virtual_selected_.erase(virtual_selected_.lower_bound(count), virtual_selected_.end());
  if (virtual_focused_ >= count) virtual_focused_ = -1;
  ++revision_;
  return S_OK;
}

UINT ResultList::RowState(int index) const {
  return index >= 0 && index < RowCount() ? StateOf(index) : 0;
}

std::vector<int> ResultList::SelectedRows() const {
  if (owner_data_) return {virtual_selected_.begin(), virtual_selected_.end()};
  std::vector<int> selected;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if ((rows_[i].state & LVIS_SELECTED) != 0) selected.push_back(static_cast<int>(i));
  }
  return selected;
}

int ResultList::FocusedRow() const {
  if (owner_data_) return virtual_focused_;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if ((rows_[i].state & LVIS_FOCUSED) != 0) return static_cast<int>(i);
  }
  return -1;
}

void ResultList::SelectRows(const std::vector<int>& rows) {
  if (owner_data_) {
    virtual_selected_ = std::set<int>(rows.begin(), rows.end());
    virtual_focused_ = rows.empty() ? -1 : rows.front();
  } else {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      const int index = static_cast<int>(i);
      UINT state = rows_[i].state & ~(LVIS_SELECTED | LVIS_FOCUSED);
      if (std::find(rows.begin(), rows.end(), index) != rows.end()) state |= LVIS_SELECTED;
      if (!rows.empty() && rows.front() == index) state |= LVIS_FOCUSED;
      rows_[i].state = state;
    }
  }
  ++revision_;
}

void ResultList::SortItems(const std::function<int(const ResultRow&, const ResultRow&)>& compare,
                           bool descending) {
  if (owner_data_) return;
  const auto first_item =
      std::find_if(rows_.begin(), rows_.end(), [](const ResultRow& r) { return !r.scope; });
  std::vector<ResultRow> items(std::make_move_iterator(first_item),
                               std::make_move_iterator(rows_.end()));
  rows_.erase(first_item, rows_.end());
  MergeSort(&items, [&](const ResultRow& a, const ResultRow& b) {
    const int order = compare(a, b);
    return descending ? order > 0 : order < 0;
  });
  rows_.insert(rows_.end(), std::make_move_iterator(items.begin()),
               std::make_move_iterator(items.end()));
  ++revision_;
}

UINT ResultList::StateOf(int index) const {
  if (!owner_data_) return rows_[index].state;
  UINT state = 0;
  if (virtual_selected_.count(index) != 0) state |= LVIS_SELECTED;
  if (virtual_focused_ == index) state |= LVIS_FOCUSED;
  return state;
}

void ResultList::SetState(int index, UINT state) {
  const int count = RowCount();
  if ((state & LVIS_SELECTED) != 0 && single_select_) {
    for (int i = 0; i < count; ++i) {
      if (i != index && (StateOf(i) & LVIS_SELECTED) != 0) {
        if (owner_data_) {
          virtual_selected_.erase(i);
        } else {
          rows_[i].state &= ~LVIS_SELECTED;
        }
      }
    }
  }
  if ((state & LVIS_FOCUSED) != 0) {
    if (owner_data_) {
      virtual_focused_ = index;
    } else {
      for (auto& row : rows_) row.state &= ~LVIS_FOCUSED;
    }
  }
  if (owner_data_) {
    if ((state & LVIS_SELECTED) != 0) {
      virtual_selected_.insert(index);
    } else {
      virtual_selected_.erase(index);
    }
    if ((state & LVIS_FOCUSED) == 0 && virtual_focused_ == index) virtual_focused_ = -1;
  } else {
    rows_[index].state = state;
  }
}

}  // namespace pw::mmc
