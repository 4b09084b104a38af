// CMenu: the popup menus that dialogs open on a right click (context menus).
#pragma once

#include <string>
#include <vector>

#include "platform/com/types.h"
#include "platform/ui/ui_constants.h"

class CWnd;

// A popup menu built in code. TrackPopupMenu hands it to the UiHost, which lets the person
// pick an item (or dismiss the menu); the chosen command arrives as WM_COMMAND (code 0) at
// the owner, or, with TPM_RETURNCMD, as the answer.
class CMenu {
 public:
  struct Item {
    UINT id = 0;
    std::wstring text;  // empty for a separator
    UINT flags = MF_STRING;
    bool separator() const { return (flags & MF_SEPARATOR) != 0; }
    bool enabled() const { return (flags & (MF_GRAYED | MF_DISABLED)) == 0; }
  };

  BOOL CreatePopupMenu();
  BOOL AppendMenu(UINT flags, UINT id = 0, std::wstring_view text = {});
  BOOL EnableMenuItem(UINT id, UINT enable);
  BOOL CheckMenuItem(UINT id, UINT check);
  BOOL DestroyMenu();
  int GetMenuItemCount() const { return static_cast<int>(items_.size()); }
  const std::vector<Item>& items() const { return items_; }

  // `x`, `y` in dialog units of the owner's top-level window. The command chosen (0 when
  // dismissed) with TPM_RETURNCMD, else nonzero when an item was chosen.
  BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner);

 private:
  bool created_ = false;
  std::vector<Item> items_;
};
