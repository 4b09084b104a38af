// Dialog templates as compiled resources: plain data, read by the window model.
//
// The resource compiler writes one DialogResource per DIALOGEX block and language, with the
// values the Windows resource compiler records: window class names ("BUTTON", "EDIT",
// "STATIC", "COMBOBOX", "SysListView32", ...), complete styles (the defaults of each control
// statement already applied), rectangles in dialog units.
#pragma once

#include <span>
#include <string_view>

#include "platform/com/types.h"

namespace pw {

struct DialogControlResource {
  std::wstring_view window_class;
  int id = 0;  // -1 for IDC_STATIC
  std::wstring_view text;
  // A resource named by number instead of a text (the icon of an ICON statement); 0 if none.
  UINT resource_id = 0;
  short x = 0;
  short y = 0;
  short cx = 0;
  short cy = 0;
  DWORD style = 0;
  DWORD ex_style = 0;
};

struct DialogResource {
  UINT id = 0;
  std::wstring_view caption;
  std::wstring_view font_name;
  WORD font_size = 0;
  DWORD style = 0;
  DWORD ex_style = 0;
  short x = 0;
  short y = 0;
  short cx = 0;
  short cy = 0;
  std::span<const DialogControlResource> controls;
};

}  // namespace pw
