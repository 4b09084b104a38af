// CSelectComputerDlg: the radio buttons, "&Browse..." and the validation of OK.
#include "module/server/select_computer_dlg.h"

#include <utility>

#include "module/resources/select_computer.h"
#include "module/server/computer_lookup.h"
#include "platform/ui/message_map.h"

CSelectComputerDlg::CSelectComputerDlg(CWnd* parent)
    : CDialog(IDD_SELECT_COMPUTER, parent, AfxGetResourceHandle()), lookup_(LookUpComputer) {}

void CSelectComputerDlg::SetChangeMode(std::wstring current) {
  selection_.change_mode = true;
  selection_.previous_name = current;
  selection_.computer_name = std::move(current);
}

const pw::ui::MessageMap* CSelectComputerDlg::GetMessageMap() const {
  static const pw::ui::MessageMap map(
      CDialog::GetMessageMap(),
      {
          pw::ui::MapCommandRange(IDC_LOCAL_COMPUTER, IDC_ANOTHER_COMPUTER, BN_CLICKED,
                                  &CSelectComputerDlg::OnChoiceClicked),
          pw::ui::MapCommand(IDC_BROWSE_COMPUTER, BN_CLICKED, &CSelectComputerDlg::OnBrowse),
      });
  return &map;
}

BOOL CSelectComputerDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  InitSelectComputerControls(*this, &selection_);
  // The focus was placed on the name.
  return FALSE;
}

void CSelectComputerDlg::OnChoiceClicked(UINT) { EnableComputerNameControls(*this); }

void CSelectComputerDlg::OnBrowse() { BrowseForComputer(*this); }

void CSelectComputerDlg::OnOK() {
  switch (ValidateComputerSelection(*this, &selection_, lookup_)) {
    case SelectionVerdict::kAccepted:
      EndDialog(IDOK);
      break;
    case SelectionVerdict::kUnchanged:
      EndDialog(IDCANCEL);
      break;
    case SelectionVerdict::kStayOpen:
      break;
  }
}
