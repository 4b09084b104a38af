// The layout of property sheets and wizards, and the rules of the wizard buttons.
#include "platform/ui/sheet_frame.h"

#include <algorithm>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/prop_sheet.h"
#include "platform/ui/resources/ui_resource.h"
#include "platform/ui/ui_resources.h"

namespace pw::ui {
namespace {

constexpr int kMargin = 7;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 4;
// Room around a page inside the tab control: the tabs above it, a frame around it.
constexpr int kTabInset = 4;
constexpr int kTabRowHeight = 14;
// The smallest pages Windows lays a sheet out for.
constexpr SIZE kMinimumPropertyPage{212, 188};
constexpr SIZE kMinimumWizardPage{276, 140};
// The etched line between a wizard's page and its buttons.
constexpr int kWizardSeparatorId = 0x3026;

DialogControlTemplate Button(int id, UINT text_id, int x, int y, DWORD style) {
  DialogControlTemplate button;
  button.window_class = std::wstring(CButton::kClassName);
  button.id = id;
  button.text = LoadUiString(text_id);
  button.rect = RECT{x, y, x + kButtonWidth, y + kButtonHeight};
  button.style = WS_CHILD | WS_TABSTOP | style;
  return button;
}

}  // namespace

SheetFrame LayOutSheetFrame(const SheetFrameOptions& options) {
  const SIZE minimum = options.wizard ? kMinimumWizardPage : kMinimumPropertyPage;
  const LONG width = std::max(options.page_size.cx, minimum.cx);
  const LONG height = std::max(options.page_size.cy, minimum.cy);

  SheetFrame layout;
  DialogTemplate& frame = layout.frame;
  frame.caption = options.caption;
  frame.font_name = L"MS Shell Dlg";
  frame.font_size = 8;
  frame.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK;
  frame.ex_style = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

  int right = 0;
  int top = 0;
  if (options.wizard) {
    layout.page = RECT{kMargin, kMargin, kMargin + width, kMargin + height};
    layout.tabs = layout.page;
    DialogControlTemplate line;
    line.window_class = L"STATIC";
    line.id = kWizardSeparatorId;
    line.rect = RECT{kMargin, layout.page.bottom + 4, layout.page.right, layout.page.bottom + 5};
    line.style = WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ;
    frame.controls.push_back(line);
    right = layout.page.right;
    top = layout.page.bottom + 11;
  } else {
    const int left = kMargin + kTabInset;
    const int page_top = kMargin + kTabRowHeight + kTabInset;
    layout.page = RECT{left, page_top, left + width, page_top + height};
    layout.tabs =
        RECT{kMargin, kMargin, layout.page.right + kTabInset, layout.page.bottom + kTabInset};
    right = layout.tabs.right;
    top = layout.tabs.bottom + kMargin;
  }

  // Buttons are placed from the right edge leftwards; hidden ones take no place.
  int x = right;
  auto place = [&x](bool shown, int gap) {
    if (!shown) return x - kButtonWidth;
    x -= kButtonWidth;
    const int at = x;
    x -= gap;
    return at;
  };
  const DWORD help = options.help ? WS_VISIBLE : 0;
  if (options.wizard) {
    const int help_x = place(options.help, kButtonGap);
    const int cancel_x = place(true, 2 * kButtonGap);
    const int finish_x = options.wizard_has_finish ? place(true, kButtonGap) : x - kButtonWidth;
    const int next_x = place(true, 0);
    const int back_x = place(true, 0);
    frame.controls.push_back(Button(ID_WIZBACK, IDS_PSH_BACK, back_x, top, WS_VISIBLE));
    frame.controls.push_back(
        Button(ID_WIZNEXT, IDS_PSH_NEXT, next_x, top, WS_VISIBLE | BS_DEFPUSHBUTTON));
    frame.controls.push_back(Button(ID_WIZFINISH, IDS_PSH_FINISH, finish_x, top,
                                    options.wizard_has_finish ? WS_VISIBLE : WS_DISABLED));
    frame.controls.push_back(Button(IDCANCEL, IDS_PSH_CANCEL, cancel_x, top, WS_VISIBLE));
    frame.controls.push_back(Button(IDHELP, IDS_PSH_HELP, help_x, top, help));
  } else {
    const int help_x = place(options.help, kButtonGap);
    const int apply_x = place(options.apply, kButtonGap);
    const int cancel_x = place(true, kButtonGap);
    const int ok_x = place(true, kButtonGap);
    frame.controls.push_back(
        Button(IDOK, IDS_PSH_OK, ok_x, top, WS_VISIBLE | WS_GROUP | BS_DEFPUSHBUTTON));
    frame.controls.push_back(Button(IDCANCEL, IDS_PSH_CANCEL, cancel_x, top, WS_VISIBLE));
    frame.controls.push_back(Button(ID_APPLY_NOW, IDS_PSH_APPLY, apply_x, top,
                                    WS_DISABLED | (options.apply ? WS_VISIBLE : 0)));
    frame.controls.push_back(Button(IDHELP, IDS_PSH_HELP, help_x, top, help));
  }
  frame.rect =
      RECT{0, 0, std::max<LONG>(right, x + kButtonWidth) + kMargin, top + kButtonHeight + kMargin};
  return layout;
}

WizardButtons WizardButtonsFor(DWORD flags, bool has_finish) {
  WizardButtons buttons;
  const bool disabled_finish = (flags & PSWIZB_DISABLEDFINISH) != 0;
  buttons.back_enabled = (flags & PSWIZB_BACK) != 0;
  buttons.next_enabled = (flags & PSWIZB_NEXT) != 0;
  if (has_finish) {
    buttons.finish_shown = true;
    buttons.finish_enabled = !disabled_finish;
  } else if ((flags & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH)) != 0) {
    buttons.next_shown = false;
    buttons.finish_shown = true;
    buttons.finish_enabled = !disabled_finish;
  }
  // Enter presses the button a person most likely wants, and only an enabled one.
  if (buttons.finish_shown && buttons.finish_enabled) {
    buttons.default_id = ID_WIZFINISH;
  } else if (buttons.next_shown && buttons.next_enabled) {
    buttons.default_id = ID_WIZNEXT;
  } else if (buttons.back_enabled) {
    buttons.default_id = ID_WIZBACK;
  } else {
    buttons.default_id = IDCANCEL;
  }
  return buttons;
}

}  // namespace pw::ui
