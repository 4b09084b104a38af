// CDupFaxAddr and CInvalidEmailDlg: the import's questions.
#include "module/users/dup_fax_addr.h"

#include "module/resources/user_dialogs.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/ui/message_map.h"

CImportQuestionDlg::CImportQuestionDlg(UINT template_id, CWnd* parent)
    : CDialog(template_id, parent, AfxGetResourceHandle()) {}

const pw::ui::MessageMap* CImportQuestionDlg::GetMessageMap() const {
  using T = CImportQuestionDlg;
  static const pw::ui::MessageMap map(
      CDialog::GetMessageMap(),
      {
          pw::ui::MapCommandRange(IDYES, IDNO, BN_CLICKED, &T::OnAnswer),
          pw::ui::MapCommandRange(IDC_YES_TO_ALL, IDC_NO_TO_ALL, BN_CLICKED, &T::OnAnswer),
      });
  return &map;
}

BOOL CImportQuestionDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(IDC_IQ_MESSAGE, message_);
  return TRUE;
}

void CImportQuestionDlg::OnAnswer(UINT id) { EndDialog(static_cast<int>(id)); }

CDupFaxAddr::CDupFaxAddr(CWnd* parent) : CImportQuestionDlg(IDD_DUP_FAX_ADDR, parent) {}

CInvalidEmailDlg::CInvalidEmailDlg(CWnd* parent) : CImportQuestionDlg(IDD_INVALID_EMAIL, parent) {}
