// CSelectDsaDlg: browsing for, checking and connecting to an Exchange 5.5 directory server.
#include "module/users/select_dsa_dlg.h"

#include <string>

#include "module/resources/resource.h"
#include "module/resources/select_computer.h"
#include "module/resources/users_list.h"
#include "module/snapin/component_data.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/com/strings.h"
#include "platform/ui/button.h"
#include "platform/ui/computer_picker_dlg.h"
#include "platform/ui/edit.h"
#include "platform/ui/wait_cursor.h"

namespace {

std::wstring WithoutLeadingBackslashes(std::wstring name) {
  if (name.rfind(L"\\\\", 0) == 0) name.erase(0, 2);
  return name;
}

}  // namespace

CSelectDsaDlg::CSelectDsaDlg(CComponentData* component_data, CWnd* parent)
    : CDialog(IDD_SELECT_DSA, parent, AfxGetResourceHandle()), component_data_(component_data) {}

const pw::ui::MessageMap* CSelectDsaDlg::GetMessageMap() const {
  static const pw::ui::MessageMap map(
      CDialog::GetMessageMap(),
      {
          pw::ui::MapCommand(IDC_DSA_NAME, EN_CHANGE, &CSelectDsaDlg::OnNameChanged),
          pw::ui::MapCommand(IDC_DSA_BROWSE, BN_CLICKED, &CSelectDsaDlg::OnBrowse),
      });
  return &map;
}

BOOL CSelectDsaDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(IDC_DSA_NAME, component_data_->directory_server());
  OnNameChanged();
  return TRUE;
}

void CSelectDsaDlg::OnNameChanged() {
  GetDlgItem(IDOK)->EnableWindow(!GetDlgItemText(IDC_DSA_NAME).empty());
}

void CSelectDsaDlg::OnBrowse() {
  CComputerPickerDlg picker(this);
  picker.SetInitialName(WithoutLeadingBackslashes(GetDlgItemText(IDC_DSA_NAME)));
  if (picker.DoModal() != IDOK) return;
  SetDlgItemText(IDC_DSA_NAME, WithoutLeadingBackslashes(picker.GetSelectedComputer()));
}

void CSelectDsaDlg::OnOK() {
  const std::wstring trimmed(pw::Trim(GetDlgItemText(IDC_DSA_NAME)));
  SetDlgItemText(IDC_DSA_NAME, trimmed);
  const std::wstring name = WithoutLeadingBackslashes(trimmed);
  auto* edit = GetDlgItem<CEdit>(IDC_DSA_NAME);
  const std::wstring title = LoadModuleString(IDS_APP_TITLE);
  if (name.empty()) {
    MessageBox(LoadModuleString(IDS_ENTER_COMPUTER_NAME), title, MB_OK | MB_ICONWARNING);
    GotoDlgCtrl(edit);
    return;
  }
  CWaitCursor wait;
  const std::wstring previous = component_data_->directory_server();
  component_data_->set_directory_server(name);
  if (FAILED(component_data_->directory().ConnectDirectory())) {
    component_data_->set_directory_server(previous);
    MessageBox(LoadModuleString(IDS_DSA_CONNECT_FAILED), title, MB_OK | MB_ICONERROR);
    edit->SetSel(0, -1);
    GotoDlgCtrl(edit);
    return;
  }
  if (IPagewell* settings = component_data_->settings_store()) {
    // The dialog has connected by now; a store that refuses the name only loses it for the
    // next start, so the failure is logged and the dialog still ends with OK.
    try {
      settings->PutValue(L"IPW_Exc_DSAorDOM", VARIANT::FromBstr(name));
      settings->SaveValues();
    } catch (const ComError& error) {
      WriteLog(L"FAILED storing IPW_Exc_DSAorDOM. Return 0x%08X.",
               static_cast<DWORD>(error.Error()));
    }
  }
  EndDialog(IDOK);
}
