// The frame of a property sheet or wizard: where its page, tabs and buttons go, and which
// wizard buttons a set of PSWIZB_ flags shows.
#pragma once

#include <string>

#include "platform/ui/dialog_template.h"

namespace pw::ui {

struct SheetFrameOptions {
  std::wstring caption;
  SIZE page_size;  // of the largest page, in dialog units
  bool wizard = false;
  bool apply = true;               // a property sheet's Apply button shows
  bool help = false;               // the Help button shows
  bool wizard_has_finish = false;  // Finish has its own place beside Next
};

// The template of the frame (caption, buttons in the thread's language, a wizard's separator
// line) and the places of the page and, for a property sheet, the tab control around it.
// Apply starts disabled; a wizard starts with Back and Next shown, Finish hidden unless it
// has a place of its own.
struct SheetFrame {
  DialogTemplate frame;
  RECT page;
  RECT tabs;
};
// Never smaller than Windows makes a sheet's pages.
SheetFrame LayOutSheetFrame(const SheetFrameOptions& options);

// What the wizard buttons are after SetWizardButtons(flags): Back and Next enabled by their
// flags, Finish in Next's place with PSWIZB_FINISH or PSWIZB_DISABLEDFINISH (or always in
// its own place), and the default button the first enabled one of Finish, Next, Back, else
// Cancel.
struct WizardButtons {
  bool back_enabled = false;
  bool next_shown = true;
  bool next_enabled = false;
  bool finish_shown = false;
  bool finish_enabled = false;
  int default_id = 0;
};
WizardButtons WizardButtonsFor(DWORD flags, bool has_finish);

}  // namespace pw::ui
