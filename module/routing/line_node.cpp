// CLineNode: the line route's texts, image and page.
#include "module/routing/line_node.h"

#include "module/resources/routes_line_msn.h"
#include "module/snapin/result_node_types.h"

namespace {

constexpr int kImage = 32;

constexpr RouteItemTexts kTexts = {
    IDS_LINE_DELETE_SHEET_OPEN,
    IDS_LINE_DELETE_MULTI_SHEET,
    IDS_LINE_RENAME_SHEET_OPEN,
    IDS_LINE_DUPLICATE,
    IDS_LINE_EMPTY,
    IDS_LINE_USERS_TEXT,
};

}  // namespace

CLineNode::CLineNode(CRoutingDelegationBase* list, std::wstring display, std::wstring value,
                     IArdentRulePtr rule)
    : CValueRouteNode(list, L"line", std::move(display), std::move(value), std::move(rule),
                      kTexts) {}

GUID CLineNode::GetNodeType() { return kNodeTypeLineNode; }

int CLineNode::GetBitmapIndex(BOOL) { return kImage; }

std::unique_ptr<CPageRouteValue> CLineNode::MakeValuePage() {
  return std::make_unique<CPageLine>();
}
