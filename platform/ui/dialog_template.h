// DialogTemplate: a dialog template held in memory, copied from a resource or built in code
// (message boxes, wait boxes, sheets).
#pragma once

#include <string>
#include <vector>

#include "platform/com/types.h"
#include "platform/ui/ui_constants.h"
#include "platform/ui/ui_types.h"
#include "platform/win/dialog_resource.h"

namespace pw::ui {

struct DialogControlTemplate {
  std::wstring window_class;
  int id = IDC_STATIC;
  std::wstring text;
  UINT resource_id = 0;
  RECT rect;  // dialog units
  DWORD style = WS_CHILD | WS_VISIBLE;
  DWORD ex_style = 0;
};

struct DialogTemplate {
  UINT id = 0;  // the resource id; 0 for a template built in code
  std::wstring caption;
  std::wstring font_name;
  WORD font_size = 0;
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  DWORD ex_style = 0;
  RECT rect;
  std::vector<DialogControlTemplate> controls;

  static DialogTemplate FromResource(const pw::DialogResource& resource);
};

}  // namespace pw::ui
