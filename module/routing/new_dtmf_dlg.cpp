// CNewDTMFDlg: parses the list, places the caret where it went wrong, confirms large lists and
// reads the forced width.
#include "module/routing/new_dtmf_dlg.h"

#include <algorithm>

#include "module/resources/routes_dtmf.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/message_box.h"
#include "platform/ui/message_map.h"
#include "platform/ui/spin_button_ctrl.h"

CNewDTMFDlg::CNewDTMFDlg() : CDialog(IDD_NEW_DTMF, nullptr, AfxGetResourceHandle()) {}

const pw::ui::MessageMap* CNewDTMFDlg::GetMessageMap() const {
  static const pw::ui::MessageMap map(
      CDialog::GetMessageMap(),
      {pw::ui::MapCommand(IDC_NEW_DTMF_FORCE, BN_CLICKED, &CNewDTMFDlg::OnForceClicked)});
  return &map;
}

BOOL CNewDTMFDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  GetDlgItem<CButton>(IDC_NEW_DTMF_FORCE)->SetCheck(BST_CHECKED);
  CSpinButtonCtrl& spin = *GetDlgItem<CSpinButtonCtrl>(IDC_NEW_DTMF_SPIN);
  spin.SetRange32(static_cast<int>(pw::kDtmfMinForcedWidth),
                  static_cast<int>(pw::kDtmfMaxForcedWidth));
  spin.SetPos32(static_cast<int>(pw::kDtmfDefaultForcedWidth));
  EnableWidth();
  GotoDlgCtrl(GetDlgItem(IDC_NEW_DTMF_EDIT));
  return FALSE;
}

void CNewDTMFDlg::OnForceClicked() { EnableWidth(); }

void CNewDTMFDlg::EnableWidth() {
  const bool force = GetDlgItem<CButton>(IDC_NEW_DTMF_FORCE)->GetCheck() == BST_CHECKED;
  GetDlgItem(IDC_NEW_DTMF_WIDTH)->EnableWindow(force);
  GetDlgItem(IDC_NEW_DTMF_SPIN)->EnableWindow(force);
}

void CNewDTMFDlg::OnOK() {
  CEdit& edit = *GetDlgItem<CEdit>(IDC_NEW_DTMF_EDIT);
  pw::DtmfParseResult parsed = pw::ParseDtmfList(edit.GetWindowText());
  entries_.clear();
  if (!parsed.valid) {
    AfxMessageBox(LoadModuleString(IDS_DTMF_INVALID_LIST), MB_ICONEXCLAMATION);
    GotoDlgCtrl(&edit);
    edit.SetSel(static_cast<int>(parsed.error_position), -1);
    return;
  }
  entries_ = std::move(parsed.entries);
  if (pw::DtmfNeedsConfirmation(entries_) &&
      AfxMessageBox(LoadModuleString(IDS_DTMF_CONFIRM_MANY), MB_YESNO | MB_ICONQUESTION) != IDYES) {
    entries_.clear();
    GotoDlgCtrl(&edit);
    edit.SetSel(0, -1);
    return;
  }
  format_.force_width = GetDlgItem<CButton>(IDC_NEW_DTMF_FORCE)->GetCheck() == BST_CHECKED;
  // A width typed outside the range leaves the spin control at its last valid position.
  const int width = GetDlgItem<CSpinButtonCtrl>(IDC_NEW_DTMF_SPIN)->GetPos();
  format_.width = static_cast<unsigned>(std::clamp(width, static_cast<int>(pw::kDtmfMinForcedWidth),
                                                   static_cast<int>(pw::kDtmfMaxForcedWidth)));
  CDialog::OnOK();
}
