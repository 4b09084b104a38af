// CComboBoxEx: combo box items with images.
#include "platform/ui/combo_box_ex.h"

#include <algorithm>

BOOL CComboBoxEx::Create(DWORD style, const RECT& rect, CWnd* parent, int id) {
  return CreateWindowObject(kClassName, L"", style | WS_CHILD, 0, rect, parent, id);
}

int CComboBoxEx::InsertItem(const COMBOBOXEXITEM* item) {
  if (item == nullptr) return -1;
  Item entry;
  if ((item->mask & CBEIF_TEXT) != 0 && item->pszText != nullptr &&
      item->pszText != LPSTR_TEXTCALLBACK) {
    entry.text = item->pszText;
  }
  if ((item->mask & CBEIF_IMAGE) != 0) entry.image = item->iImage;
  if ((item->mask & CBEIF_SELECTEDIMAGE) != 0) entry.selected_image = item->iSelectedImage;
  if ((item->mask & CBEIF_OVERLAY) != 0) entry.overlay = item->iOverlay;
  if ((item->mask & CBEIF_INDENT) != 0) entry.indent = item->iIndent;
  if ((item->mask & CBEIF_LPARAM) != 0) entry.data = static_cast<DWORD_PTR>(item->lParam);
  const int index = CComboBox::InsertItem(static_cast<int>(item->iItem), std::move(entry));
  return index == CB_ERR ? -1 : index;
}

BOOL CComboBoxEx::SetItem(const COMBOBOXEXITEM* item) {
  if (item == nullptr || item->iItem < 0 || item->iItem >= GetCount()) return FALSE;
  Item& entry = items()[static_cast<std::size_t>(item->iItem)];
  if ((item->mask & CBEIF_TEXT) != 0 && item->pszText != nullptr &&
      item->pszText != LPSTR_TEXTCALLBACK) {
    entry.text = item->pszText;
  }
  if ((item->mask & CBEIF_IMAGE) != 0) entry.image = item->iImage;
  if ((item->mask & CBEIF_SELECTEDIMAGE) != 0) entry.selected_image = item->iSelectedImage;
  if ((item->mask & CBEIF_OVERLAY) != 0) entry.overlay = item->iOverlay;
  if ((item->mask & CBEIF_INDENT) != 0) entry.indent = item->iIndent;
  if ((item->mask & CBEIF_LPARAM) != 0) entry.data = static_cast<DWORD_PTR>(item->lParam);
  if (item->iItem == GetCurSel()) SyncTextToSelection();
  NotifyChanged();
  return TRUE;
}

BOOL CComboBoxEx::GetItem(COMBOBOXEXITEM* item) const {
  if (item == nullptr || item->iItem < 0 || item->iItem >= GetCount()) return FALSE;
  const Item& entry = items()[static_cast<std::size_t>(item->iItem)];
  if ((item->mask & CBEIF_TEXT) != 0 && item->pszText != nullptr && item->cchTextMax > 0) {
    const std::size_t count =
        std::min(entry.text.size(), static_cast<std::size_t>(item->cchTextMax - 1));
    std::copy_n(entry.text.begin(), count, item->pszText);
    item->pszText[count] = L'\0';
  }
  if ((item->mask & CBEIF_IMAGE) != 0) item->iImage = entry.image;
  if ((item->mask & CBEIF_SELECTEDIMAGE) != 0) item->iSelectedImage = entry.selected_image;
  if ((item->mask & CBEIF_OVERLAY) != 0) item->iOverlay = entry.overlay;
  if ((item->mask & CBEIF_INDENT) != 0) item->iIndent = entry.indent;
  if ((item->mask & CBEIF_LPARAM) != 0) item->lParam = static_cast<LPARAM>(entry.data);
  return TRUE;
}

int CComboBoxEx::DeleteItem(int index) {
  return index < 0 ? CB_ERR : DeleteString(static_cast<UINT>(index));
}

CImageList* CComboBoxEx::SetImageList(CImageList* image_list) {
  CImageList* previous = image_list_;
  image_list_ = image_list;
  NotifyChanged();
  return previous;
}

int CComboBoxEx::GetItemImage(int index) const {
  if (index < 0 || index >= GetCount()) return -1;
  return items()[static_cast<std::size_t>(index)].image;
}
