// CNewRuleValueDlg: the "New" dialog of a list whose entries are one typed value each.
#pragma once

#include <string>

#include "module/routing/rule_value_rules.h"
#include "platform/ui/dialog.h"

class CComponent;
class CComponentData;
class CRoutingDelegationBase;

// One edit box; OK trims the value and accepts it only when it is not empty, valid and not
// yet the value of another rule of the list (the check asks the store). Lives on the stack of
// the "New" command.
//
// Deriving: pass the dialog template, its edit box and the list's rules.
class CNewRuleValueDlg : public CDialog {
 public:
  CNewRuleValueDlg(UINT dialog_id, UINT edit_id, const RuleValueRules& rules,
                   CRoutingDelegationBase* list, CComponentData* component_data,
                   CComponent* component);

  // The trimmed value after IDOK.
  const std::wstring& value() const { return value_; }

  void OnOK() override;

 private:
  void Refuse(UINT message, bool select);

  UINT edit_id_;
  const RuleValueRules& rules_;
  CRoutingDelegationBase* list_;
  CComponentData* component_data_;
  CComponent* component_;
  std::wstring value_;
};
