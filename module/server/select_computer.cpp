// The selection's controls, its validation and the component data's request for a computer.
#include "module/server/select_computer.h"

#include "mmc/mmc.h"
#include "module/resources/resource.h"
#include "module/resources/select_computer.h"
#include "module/server/computer_lookup.h"
#include "module/server/select_computer_dlg.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/com/strings.h"
#include "platform/ui/computer_picker_dlg.h"
#include "platform/ui/dialog.h"
#include "platform/ui/edit.h"
#include "platform/win/format.h"

namespace {

void SelectWholeName(CDialog& window) {
  auto* edit = window.GetDlgItem<CEdit>(IDC_COMPUTER_NAME);
  window.GotoDlgCtrl(edit);
  edit->SetSel(0, -1);
}

int ReadChoice(const CDialog& window) {
  return window.IsDlgButtonChecked(IDC_LOCAL_COMPUTER) == BST_CHECKED ? ComputerSelection::kLocal
                                                                      : ComputerSelection::kAnother;
}

}  // namespace

std::wstring CleanComputerName(std::wstring_view typed) {
  std::wstring_view name = pw::Trim(typed);
  if (name.starts_with(L"\\\\")) name.remove_prefix(2);
  return pw::ToUpper(name);
}

void InitSelectComputerControls(CDialog& window, ComputerSelection* selection) {
  if (selection->remote_only) selection->choice = ComputerSelection::kAnother;
  selection->initial_choice = selection->choice;
  window.CheckRadioButton(
      IDC_LOCAL_COMPUTER, IDC_ANOTHER_COMPUTER,
      selection->choice == ComputerSelection::kLocal ? IDC_LOCAL_COMPUTER : IDC_ANOTHER_COMPUTER);
  window.SetDlgItemText(IDC_COMPUTER_NAME, selection->computer_name);
  EnableComputerNameControls(window);
  if (selection->remote_only) {
    window.GetDlgItem(IDC_LOCAL_COMPUTER)->EnableWindow(FALSE);
    SelectWholeName(window);
  }
}

void EnableComputerNameControls(CDialog& window) {
  const BOOL another = ReadChoice(window) == ComputerSelection::kAnother ? TRUE : FALSE;
  window.GetDlgItem<CEdit>(IDC_COMPUTER_NAME)->EnableWindow(another);
  window.GetDlgItem(IDC_BROWSE_COMPUTER)->EnableWindow(another);
}

void BrowseForComputer(CDialog& window) {
  CComputerPickerDlg picker(window.GetTopLevelParent());
  picker.SetInitialName(CleanComputerName(window.GetDlgItemText(IDC_COMPUTER_NAME)));
  if (picker.DoModal() != IDOK) return;
  window.SetDlgItemText(IDC_COMPUTER_NAME, picker.GetSelectedComputer());
}

SelectionVerdict ValidateComputerSelection(CDialog& window, ComputerSelection* selection,
                                           const ComputerLookup& lookup) {
  selection->choice = ReadChoice(window);
  if (selection->choice == ComputerSelection::kLocal) {
    if (selection->change_mode && selection->initial_choice == ComputerSelection::kLocal) {
      return SelectionVerdict::kUnchanged;
    }
    selection->computer_name.clear();
    return SelectionVerdict::kAccepted;
  }
  const std::wstring name = CleanComputerName(window.GetDlgItemText(IDC_COMPUTER_NAME));
  const std::wstring title = LoadModuleString(IDS_APP_TITLE);
  if (name.empty()) {
    window.MessageBox(LoadModuleString(IDS_ENTER_COMPUTER_NAME), title, MB_OK | MB_ICONWARNING);
    window.GotoDlgCtrl(window.GetDlgItem<CEdit>(IDC_COMPUTER_NAME));
    return SelectionVerdict::kStayOpen;
  }
  if (selection->change_mode && pw::EqualsIgnoreCase(name, selection->previous_name)) {
    return SelectionVerdict::kUnchanged;
  }
  CPleaseWait wait(name, lookup, window.GetTopLevelParent());
  if (wait.DoModal() != IDOK) {
    // The wait dialog could not be shown: the computer was not checked, so it is not taken.
    window.MessageBox(pw::FormatMessageString(LoadModuleString(IDS_COMPUTER_INACCESSIBLE), name),
                      title, MB_OK | MB_ICONERROR);
    SelectWholeName(window);
    return SelectionVerdict::kStayOpen;
  }
  selection->lookup = wait.result();
  if (selection->lookup.error == 0) {
    selection->computer_name = name;
    window.SetDlgItemText(IDC_COMPUTER_NAME, name);
    return SelectionVerdict::kAccepted;
  }
  WriteLog(L"Looking up computer %s FAILED: error %lu", name, selection->lookup.error);
  const UINT message = selection->lookup.error == static_cast<DWORD>(ERROR_ACCESS_DENIED)
                           ? IDS_COMPUTER_ACCESS_DENIED
                           : IDS_COMPUTER_INACCESSIBLE;
  window.MessageBox(pw::FormatMessageString(LoadModuleString(message), name), title,
                    MB_OK | MB_ICONERROR);
  SelectWholeName(window);
  return SelectionVerdict::kStayOpen;
}

std::optional<std::wstring> AskForComputerToManage(IConsole* console, const std::wstring& current) {
  HWND main_window = nullptr;
  if (console != nullptr) console->GetMainWindow(&main_window);
  CSelectComputerDlg dialog(CWnd::FromHandle(main_window));
  dialog.SetComputerName(current);
  if (dialog.DoModal() != IDOK) return std::nullopt;
  return dialog.computer_name();
}
