// CNewCSIDDlg: the "New CSID Route" dialog.
#pragma once

#include "module/routing/new_rule_value_dlg.h"

// Asks for a new CSID: any text that is not empty and that no route has yet (ignoring case).
class CNewCSIDDlg : public CNewRuleValueDlg {
 public:
  CNewCSIDDlg(CRoutingDelegationBase* list, CComponentData* component_data, CComponent* component);
};
