// CNewCSIDDlg: the CSID dialog's texts.
#include "module/routing/new_csid_dlg.h"

#include "module/resources/routes.h"

namespace {
const RuleValueRules kNewCsidRules{.empty_message = IDS_CSID_INVALID,
                                   .duplicate_message = IDS_CSID_DUPLICATE};
}  // namespace

CNewCSIDDlg::CNewCSIDDlg(CRoutingDelegationBase* list, CComponentData* component_data,
                         CComponent* component)
    : CNewRuleValueDlg(IDD_NEW_CSID, IDC_NEW_CSID_EDIT, kNewCsidRules, list, component_data,
                       component) {}
