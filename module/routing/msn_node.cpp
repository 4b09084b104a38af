// CMSNNode: the MSN route's texts, image and page.
#include "module/routing/msn_node.h"

#include "module/resources/routes_line_msn.h"
#include "module/snapin/result_node_types.h"

namespace {

// CSID, DTMF/DID and MSN routes share the route item's image.
constexpr int kImage = 31;

constexpr RouteItemTexts kTexts = {
    IDS_MSN_DELETE_SHEET_OPEN,
    IDS_MSN_DELETE_MULTI_SHEET,
    IDS_MSN_RENAME_SHEET_OPEN,
    IDS_MSN_DUPLICATE,
    IDS_MSN_EMPTY,
    IDS_MSN_USERS_TEXT,
};

}  // namespace

CMSNNode::CMSNNode(CRoutingDelegationBase* list, std::wstring display, std::wstring value,
                   IArdentRulePtr rule)
    : CValueRouteNode(list, L"msn", std::move(display), std::move(value), std::move(rule), kTexts) {
}

GUID CMSNNode::GetNodeType() { return kNodeTypeMSNNode; }

int CMSNNode::GetBitmapIndex(BOOL) { return kImage; }

std::unique_ptr<CPageRouteValue> CMSNNode::MakeValuePage() { return std::make_unique<CPageMSN>(); }
