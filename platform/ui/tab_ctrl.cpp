// CTabCtrl: tabs, selection and the notifications of a person's choice.
#include "platform/ui/tab_ctrl.h"

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, int id) {
  return CreateWindowObject(kClassName, L"", style | WS_CHILD, 0, rect, parent, id);
}

int CTabCtrl::InsertItem(int index, std::wstring_view text) {
  if (index < 0) return -1;
  if (index > GetItemCount()) index = GetItemCount();
  items_.insert(items_.begin() + index, std::wstring(text));
  if (selection_ >= index) ++selection_;
  NotifyChanged();
  return index;
}

BOOL CTabCtrl::DeleteItem(int index) {
  if (index < 0 || index >= GetItemCount()) return FALSE;
  items_.erase(items_.begin() + index);
  if (selection_ == index) {
    selection_ = -1;
  } else if (selection_ > index) {
    --selection_;
  }
  NotifyChanged();
  return TRUE;
}

BOOL CTabCtrl::DeleteAllItems() {
  items_.clear();
  selection_ = -1;
  NotifyChanged();
  return TRUE;
}

std::wstring CTabCtrl::GetItemText(int index) const {
  if (index < 0 || index >= GetItemCount()) return {};
  return items_[static_cast<std::size_t>(index)];
}

BOOL CTabCtrl::SetItemText(int index, std::wstring_view text) {
  if (index < 0 || index >= GetItemCount()) return FALSE;
  items_[static_cast<std::size_t>(index)] = std::wstring(text);
  NotifyChanged();
  return TRUE;
}

int CTabCtrl::SetCurSel(int index) {
  if (index < 0 || index >= GetItemCount()) return -1;
  const int previous = selection_;
  if (previous != index) {
    selection_ = index;
    NotifyChanged();
  }
  return previous;
}

bool CTabCtrl::SelectByPerson(int index) {
  if (index < 0 || index >= GetItemCount() || index == selection_) return false;
  const HWND self = GetSafeHwnd();
  NMHDR header;
  if (NotifyParent(TCN_SELCHANGING, &header) != 0) return false;
  if (!IsWindow(self) || index >= GetItemCount()) return false;
  SetCurSel(index);
  NotifyParent(TCN_SELCHANGE, &header);
  return true;
}
