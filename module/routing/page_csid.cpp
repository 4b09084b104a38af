// CPageCSID: the CSID page's texts.
#include "module/routing/page_csid.h"

#include "module/resources/routes.h"

namespace {
const RuleValueRules kCsidPageRules{.empty_message = IDS_CSID_EMPTY,
                                    .duplicate_message = IDS_CSID_DUPLICATE};
}  // namespace

CPageCSID::CPageCSID(CRouteNode* item)
    : CPageRuleValue(IDD_PAGE_CSID, IDC_PAGE_CSID_EDIT, kCsidPageRules, item) {}
