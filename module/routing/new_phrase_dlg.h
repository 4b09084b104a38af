// CNewPhraseDlg: the "New search phrase" dialog.
#pragma once

#include "module/routing/new_rule_value_dlg.h"

// Asks for a new search phrase: OK is enabled only while the phrase holds more than blanks,
// and a phrase that a route already has (ignoring case; the check asks the store) is refused.
// Lives on the stack of the "New" command.
class CNewPhraseDlg final : public CNewRuleValueDlg {
 public:
  CNewPhraseDlg(CRoutingDelegationBase* list, CComponentData* component_data,
                CComponent* component);

  BOOL OnInitDialog() override;

 protected:
  const pw::ui::MessageMap* GetMessageMap() const override;

 private:
  void OnChange();
};
