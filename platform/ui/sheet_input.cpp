// A person's operations on property sheets: tabs and buttons, refused where a person could
// not act.
#include "platform/ui/sheet_input.h"

#include <string>

#include "platform/ui/property_sheet.h"
#include "platform/ui/tab_ctrl.h"
#include "platform/ui/ui_input.h"
#include "platform/ui/window_internal.h"

namespace pw::ui {
namespace {

bool Refuse(std::string reason) {
  internal::CurrentThreadState().refusal = std::move(reason);
  return false;
}

// Why a person cannot reach `control` now, worded as ui_input.h words it; empty when they can:
// it and its parents are visible and enabled, up to and including its top-level window.
std::string Unreachable(const CWnd& control) {
  for (const CWnd* step = &control; step != nullptr;
       step = step->IsTopLevel() ? nullptr : step->GetParent()) {
    const std::string who =
        step == &control ? "control " + std::to_string(control.GetDlgCtrlID()) : "its window";
    if ((step->GetStyle() & WS_VISIBLE) == 0) return who + " is hidden";
    if ((step->GetStyle() & WS_DISABLED) != 0) return who + " is disabled";
  }
  return {};
}

}  // namespace

bool SelectTab(HWND tab_control, int index) {
  auto* tab = dynamic_cast<CTabCtrl*>(CWnd::FromHandle(tab_control));
  if (tab == nullptr) return Refuse("the window is not a tab control");
  if (std::string reason = Unreachable(*tab); !reason.empty()) return Refuse(std::move(reason));
  if (index < 0 || index >= tab->GetItemCount()) {
    return Refuse("no tab " + std::to_string(index));
  }
  internal::CurrentThreadState().refusal.clear();
  // A click activates the window and puts the focus on the tabs first.
  internal::Activate(tab->GetTopLevelParent());
  if (!IsWindow(tab_control)) return true;
  tab->SetFocus();
  if (!IsWindow(tab_control)) return true;
  if (index == tab->GetCurSel()) return true;
  if (!tab->SelectByPerson(index)) return Refuse("the change of tab was refused");
  return true;
}

bool SelectSheetTab(HWND sheet, int index) {
  auto* window = dynamic_cast<CPropertySheet*>(CWnd::FromHandle(sheet));
  if (window == nullptr) return Refuse("the window is not a property sheet");
  CTabCtrl* tab = window->GetTabControl();
  if (tab == nullptr || tab->GetSafeHwnd() == nullptr) return Refuse("the sheet has no tabs");
  return SelectTab(tab->GetSafeHwnd(), index);
}

bool PressSheetButton(HWND sheet, int button_id) {
  auto* window = dynamic_cast<CPropertySheet*>(CWnd::FromHandle(sheet));
  if (window == nullptr) return Refuse("the window is not a property sheet");
  CWnd* button = window->GetDlgItem(button_id);
  if (button == nullptr) return Refuse("the sheet has no such button");
  return ClickButton(button->GetSafeHwnd());
}

bool PressSheetOk(HWND sheet) { return PressSheetButton(sheet, IDOK); }

bool PressSheetCancel(HWND sheet) { return PressSheetButton(sheet, IDCANCEL); }

bool PressSheetApply(HWND sheet) { return PressSheetButton(sheet, ID_APPLY_NOW); }

bool PressWizardBack(HWND sheet) { return PressSheetButton(sheet, ID_WIZBACK); }

bool PressWizardNext(HWND sheet) { return PressSheetButton(sheet, ID_WIZNEXT); }

bool PressWizardFinish(HWND sheet) { return PressSheetButton(sheet, ID_WIZFINISH); }

}  // namespace pw::ui
