// CNewRuleValueDlg: trims the typed value and refuses an empty, invalid or existing one.
#include "module/routing/new_rule_value_dlg.h"

#include "module/routing/routing_delegation_base.h"
#include "module/snapin/component_data.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/com/strings.h"
#include "platform/ui/edit.h"
#include "platform/ui/message_box.h"

std::wstring TrimRuleValue(const std::wstring& text, const RuleValueRules& rules) {
  const std::size_t first = text.find_first_not_of(rules.trimmed);
  if (first == std::wstring::npos) return L"";
  return text.substr(first, text.find_last_not_of(rules.trimmed) - first + 1);
}

CNewRuleValueDlg::CNewRuleValueDlg(UINT dialog_id, UINT edit_id, const RuleValueRules& rules,
                                   CRoutingDelegationBase* list, CComponentData* component_data,
                                   CComponent* component)
    : CDialog(dialog_id, nullptr, AfxGetResourceHandle()),
      edit_id_(edit_id),
      rules_(rules),
      list_(list),
      component_data_(component_data),
      component_(component) {}

void CNewRuleValueDlg::Refuse(UINT message, bool select) {
  AfxMessageBox(LoadModuleString(message), MB_ICONEXCLAMATION);
  CEdit& edit = *GetDlgItem<CEdit>(edit_id_);
  if (select) edit.SetSel(0, -1);
  GotoDlgCtrl(&edit);
}

void CNewRuleValueDlg::OnOK() {
  CEdit& edit = *GetDlgItem<CEdit>(edit_id_);
  const std::wstring typed = edit.GetWindowText();
  const std::wstring text = TrimRuleValue(typed, rules_);
  if (text != typed) edit.SetWindowText(text);
  if (text.empty()) {
    Refuse(rules_.empty_message, false);
    return;
  }
  if (rules_.is_valid != nullptr && !rules_.is_valid(text)) {
    Refuse(rules_.invalid_message, true);
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
    Refuse(rules_.duplicate_message, true);
    return;
  }
  value_ = text;
  CDialog::OnOK();
}
