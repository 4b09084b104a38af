// CCSIDNode: the CSID route's messages, its pages in order and its CSID field.
#include "module/routing/csid_node.h"

#include "module/resources/routes.h"
#include "module/routing/page_users.h"
#include "module/routing/routing_delegation_base.h"
#include "module/snapin/pwconfig_app.h"
#include "module/snapin/result_node_types.h"

namespace {
// CSID, DTMF/DID and MSN routes share the route item's image.
constexpr int kImage = 31;
// The texts of this kind of item.
constexpr RouteItemTexts kTexts = {
    IDS_CSID_DELETE_SHEET_OPEN,
    IDS_CSID_DELETE_MULTI_SHEET,
    IDS_CSID_RENAME_SHEET_OPEN,
    IDS_CSID_DUPLICATE,
    IDS_CSID_EMPTY,
    IDS_CSID_USERS_TEXT,
};

}  // namespace

CCSIDNode::CCSIDNode(CRoutingDelegationBase* list, std::wstring display, std::wstring value,
                     IArdentRulePtr rule)
    : CRouteNodeEx(list, L"csid", std::move(display), std::move(value), std::move(rule), kTexts),
      parent_list_(list) {}

CCSIDNode::~CCSIDNode() = default;

GUID CCSIDNode::GetNodeType() { return kNodeTypeCSIDNode; }

int CCSIDNode::GetBitmapIndex(BOOL) { return kImage; }

HRESULT CCSIDNode::AddTypePages(IPropertySheetCallback* callback,
                                std::vector<CPropertyPage*>* pages) {
  if (!page_csid_) page_csid_ = std::make_unique<CPageCSID>(this);
  const HRESULT hr = AddValuePage(callback, pages, *page_csid_);
  return FAILED(hr) ? hr : AddPrintPage(callback, pages);
}

void CCSIDNode::SaveTypeFields(IArdentRule& rule) {
  if (page_csid_) SaveValuePageFields(rule, *page_csid_);
}
