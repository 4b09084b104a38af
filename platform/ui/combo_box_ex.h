// CComboBoxEx: a drop-down list whose items carry an image from an image list.
#pragma once

#include "platform/ui/combo_box.h"
#include "platform/ui/image_list.h"

// Items are inserted with COMBOBOXEXITEM (text, image, selected image, indent, data); the
// image list is borrowed and must outlive its use. Notifications are those of the combo box
// (CBN_SELCHANGE with this control's id).
class CComboBoxEx : public CComboBox {
 public:
  static constexpr std::wstring_view kClassName = L"ComboBoxEx32";

  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, int id);

  // The index of the new item (iItem -1 appends), -1 on failure.
  int InsertItem(const COMBOBOXEXITEM* item);
  BOOL SetItem(const COMBOBOXEXITEM* item);
  // Fills the fields that item->mask asks for; pszText gets at most cchTextMax-1 characters.
  BOOL GetItem(COMBOBOXEXITEM* item) const;
  int DeleteItem(int index);
  CImageList* SetImageList(CImageList* image_list);  // returns the previous one
  CImageList* GetImageList() const { return image_list_; }
  int GetItemImage(int index) const;

 private:
  CImageList* image_list_ = nullptr;
};
