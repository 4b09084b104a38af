// What a person does to a property sheet or wizard: choose a tab, press its buttons. Like
// every operation of ui_input.h, each refuses (answers false, nothing happens) when the
// control is disabled or hidden or the sheet cannot be used (a modal window runs on top of
// it), and LastRefusal() then says why.
#pragma once

#include "platform/com/types.h"

namespace pw::ui {

// A click on tab `index`: the focus moves to the tab control, then TCN_SELCHANGING (the
// sheet asks the current page to leave) and TCN_SELCHANGE (the sheet activates the page).
// False when refused, also when the current page refused to leave. A click on the tab
// already selected does nothing and answers true.
bool SelectTab(HWND tab_control, int index);
// The tab of page `index` of a property sheet.
bool SelectSheetTab(HWND sheet, int index);

// A click on one of the sheet's buttons by id (IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP,
// ID_WIZBACK, ID_WIZNEXT, ID_WIZFINISH), through ClickButton.
bool PressSheetButton(HWND sheet, int button_id);
bool PressSheetOk(HWND sheet);
bool PressSheetCancel(HWND sheet);
bool PressSheetApply(HWND sheet);
bool PressWizardBack(HWND sheet);
bool PressWizardNext(HWND sheet);
bool PressWizardFinish(HWND sheet);

}  // namespace pw::ui
