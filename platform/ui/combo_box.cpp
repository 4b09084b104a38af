// CComboBox: items, selection, searches and the focus notifications of combo boxes.
#include "platform/ui/combo_box.h"

#include <algorithm>

#include "platform/com/strings.h"

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, int id) {
  return CreateWindowObject(kClassName, L"", style | WS_CHILD, 0, rect, parent, id);
}

int CComboBox::InsertItem(int index, Item item) {
  if (index < -1 || index > GetCount()) return CB_ERR;
  if (index == -1) index = GetCount();
  items_.insert(items_.begin() + index, std::move(item));
  if (selection_ >= index) ++selection_;
  NotifyChanged();
  return index;
}

int CComboBox::AddString(std::wstring_view text) {
  int index = GetCount();
  if ((GetStyle() & CBS_SORT) != 0) {
    const auto place = std::upper_bound(items_.begin(), items_.end(), text,
                                        [](std::wstring_view wanted, const Item& item) {
                                          return pw::CompareIgnoreCase(wanted, item.text) < 0;
                                        });
    index = static_cast<int>(place - items_.begin());
  }
  return InsertItem(index, Item{std::wstring(text)});
}

int CComboBox::InsertString(int index, std::wstring_view text) {
  return InsertItem(index, Item{std::wstring(text)});
}

int CComboBox::DeleteString(UINT index) {
  if (index >= items_.size()) return CB_ERR;
  const int at = static_cast<int>(index);
  items_.erase(items_.begin() + at);
  if (selection_ == at) {
    selection_ = CB_ERR;
    SyncTextToSelection();
  } else if (selection_ > at) {
    --selection_;
  }
  NotifyChanged();
  return GetCount();
}

void CComboBox::ResetContent() {
  items_.clear();
  selection_ = CB_ERR;
  SyncTextToSelection();
  NotifyChanged();
}

int CComboBox::SetCurSel(int index) {
  if (index < -1 || index >= GetCount()) {
    // Windows clears the selection and answers CB_ERR.
    selection_ = CB_ERR;
    SyncTextToSelection();
    NotifyChanged();
    return CB_ERR;
  }
  selection_ = index;
  SyncTextToSelection();
  NotifyChanged();
  return index;
}

void CComboBox::SyncTextToSelection() {
  SetTextSilently(selection_ >= 0 ? items_[static_cast<std::size_t>(selection_)].text
                                  : std::wstring());
}

int CComboBox::GetLBText(int index, std::wstring& text) const {
  if (index < 0 || index >= GetCount()) return CB_ERR;
  text = items_[static_cast<std::size_t>(index)].text;
  return static_cast<int>(text.size());
}

std::wstring CComboBox::GetLBText(int index) const {
  std::wstring text;
  GetLBText(index, text);
  return text;
}

int CComboBox::GetLBTextLen(int index) const {
  if (index < 0 || index >= GetCount()) return CB_ERR;
  return static_cast<int>(items_[static_cast<std::size_t>(index)].text.size());
}

int CComboBox::SetItemData(int index, DWORD_PTR data) {
  if (index < 0 || index >= GetCount()) return CB_ERR;
  items_[static_cast<std::size_t>(index)].data = data;
  return CB_OKAY;
}

DWORD_PTR CComboBox::GetItemData(int index) const {
  if (index < 0 || index >= GetCount()) return static_cast<DWORD_PTR>(CB_ERR);
  return items_[static_cast<std::size_t>(index)].data;
}

int CComboBox::FindStringExact(int start, std::wstring_view text) const {
  const int count = GetCount();
  for (int step = 1; step <= count; ++step) {
    const int index = ((start < 0 ? -1 : start) + step) % count;
    if (pw::EqualsIgnoreCase(items_[static_cast<std::size_t>(index)].text, text)) return index;
  }
  return CB_ERR;
}

int CComboBox::FindString(int start, std::wstring_view text) const {
  const int count = GetCount();
  for (int step = 1; step <= count; ++step) {
    const int index = ((start < 0 ? -1 : start) + step) % count;
    const std::wstring& item = items_[static_cast<std::size_t>(index)].text;
    if (item.size() >= text.size() &&
        pw::EqualsIgnoreCase(std::wstring_view(item).substr(0, text.size()), text)) {
      return index;
    }
  }
  return CB_ERR;
}

int CComboBox::SelectString(int start, std::wstring_view text) {
  const int index = FindString(start, text);
  if (index == CB_ERR) return CB_ERR;
  return SetCurSel(index);
}

bool CComboBox::Choose(int index) {
  if (index < 0 || index >= GetCount()) return false;
  SetCurSel(index);
  NotifyParentCommand(CBN_SELCHANGE);
  return true;
}

bool CComboBox::TypeEditText(std::wstring_view text) {
  if (IsDropDownList()) return false;
  SetTextSilently(std::wstring(text));
  selection_ = FindStringExact(-1, text);
  NotifyChanged();
  const HWND self = GetSafeHwnd();
  NotifyParentCommand(CBN_EDITUPDATE);
  if (IsWindow(self)) NotifyParentCommand(CBN_EDITCHANGE);
  return true;
}

LRESULT CComboBox::WindowProc(UINT message, WPARAM w_param, LPARAM l_param) {
  if (message == WM_SETTEXT && IsDropDownList()) {
    // A drop-down list shows its selection; its text cannot be set.
    return CB_ERR;
  }
  return CWnd::WindowProc(message, w_param, l_param);
}

void CComboBox::OnSetFocus(CWnd* /*old_focus*/) { NotifyParentCommand(CBN_SETFOCUS); }

void CComboBox::OnKillFocus(CWnd* /*new_focus*/) { NotifyParentCommand(CBN_KILLFOCUS); }
