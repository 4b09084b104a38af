// CNewCSIDDlg: trims the CSID and refuses an empty or existing one.
#include "module/routing/new_csid_dlg.h"

#include "module/resources/routes.h"
#include "module/routing/routing_delegation_base.h"
#include "module/snapin/component_data.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/com/strings.h"
#include "platform/ui/edit.h"
#include "platform/ui/message_box.h"

CNewCSIDDlg::CNewCSIDDlg(CRoutingDelegationBase* list, CComponentData* component_data,
                         CComponent* component)
    : CDialog(IDD_NEW_CSID, nullptr, AfxGetResourceHandle()),
      list_(list),
      component_data_(component_data),
      component_(component) {}

void CNewCSIDDlg::OnOK() {
  CEdit& edit = *GetDlgItem<CEdit>(IDC_NEW_CSID_EDIT);
  std::wstring text = edit.GetWindowText();
  const std::size_t first = text.find_first_not_of(L' ');
  text = first == std::wstring::npos ? L""
                                     : text.substr(first, text.find_last_not_of(L' ') - first + 1);
  if (text.empty()) {
    AfxMessageBox(LoadModuleString(IDS_CSID_INVALID), MB_ICONEXCLAMATION);
    GotoDlgCtrl(&edit);
    return;
  }
  bool exists = false;
  try {
    exists = list_->IsRuleInDB(text);
  } catch (const ComError& error) {
    AfxMessageBox(pw::FromUtf8(error.what()), MB_ICONERROR);
    return;
  }
  if (exists) {
    list_->OnRefresh(component_, component_data_->console());
    AfxMessageBox(LoadModuleString(IDS_CSID_DUPLICATE), MB_ICONEXCLAMATION);
    edit.SetSel(0, -1);
    GotoDlgCtrl(&edit);
    return;
  }
  csid_ = text;
  CDialog::OnOK();
}
