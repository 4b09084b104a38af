// CMenu: popup menus handed to the host for a choice.
#include "platform/ui/menu.h"

#include "platform/ui/ui_host.h"
#include "platform/ui/wnd.h"

BOOL CMenu::CreatePopupMenu() {
  if (created_) return FALSE;
  created_ = true;
  return TRUE;
}

BOOL CMenu::AppendMenu(UINT flags, UINT id, std::wstring_view text) {
  if (!created_) return FALSE;
  items_.push_back(Item{(flags & MF_SEPARATOR) != 0 ? 0 : id, std::wstring(text), flags});
  return TRUE;
}

BOOL CMenu::EnableMenuItem(UINT id, UINT enable) {
  for (Item& item : items_) {
    if (item.id == id && !item.separator()) {
      item.flags = (item.flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
      return TRUE;
    }
  }
  return FALSE;
}

BOOL CMenu::CheckMenuItem(UINT id, UINT check) {
  for (Item& item : items_) {
    if (item.id == id && !item.separator()) {
      item.flags = (item.flags & ~MF_CHECKED) | (check & MF_CHECKED);
      return TRUE;
    }
  }
  return FALSE;
}

BOOL CMenu::DestroyMenu() {
  if (!created_) return FALSE;
  created_ = false;
  items_.clear();
  return TRUE;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) {
  if (!created_ || owner == nullptr || owner->GetSafeHwnd() == nullptr) return FALSE;
  const HWND owner_handle = owner->GetSafeHwnd();
  UINT chosen = pw::ui::GetUiHost().TrackPopupMenu(*this, *owner, x, y);
  // Only an enabled item of this menu counts as chosen.
  bool valid = false;
  for (const Item& item : items_) {
    if (!item.separator() && item.enabled() && item.id == chosen) valid = true;
  }
  if (!valid) chosen = 0;
  if ((flags & TPM_RETURNCMD) != 0) return static_cast<BOOL>(chosen);
  if (chosen != 0 && (flags & TPM_NONOTIFY) == 0 && IsWindow(owner_handle)) {
    owner->PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
  }
  return chosen != 0 ? TRUE : FALSE;
}
