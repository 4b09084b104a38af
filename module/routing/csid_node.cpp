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
}  // namespace

CCSIDNode::CCSIDNode(CRoutingDelegationBase* list, std::wstring display, std::wstring value,
                     IArdentRulePtr rule)
    : CRouteNodeEx(list, L"csid", std::move(display), std::move(value), std::move(rule)),
      parent_list_(list) {}

CCSIDNode::~CCSIDNode() = default;

GUID CCSIDNode::GetNodeType() { return kNodeTypeCSIDNode; }

int CCSIDNode::GetBitmapIndex(BOOL) { return kImage; }

UINT CCSIDNode::GetDeleteSheetOpenMessage() { return IDS_CSID_DELETE_SHEET_OPEN; }
UINT CCSIDNode::GetDeleteMultiSheetMessage() { return IDS_CSID_DELETE_MULTI_SHEET; }
UINT CCSIDNode::GetRenameSheetOpenMessage() { return IDS_CSID_RENAME_SHEET_OPEN; }
UINT CCSIDNode::GetDuplicateMessage() { return IDS_CSID_DUPLICATE; }
UINT CCSIDNode::GetEmptyValueMessage() { return IDS_CSID_EMPTY; }

HRESULT CCSIDNode::AddTypePages(IPropertySheetCallback* callback,
                                std::vector<CPropertyPage*>* pages) {
  if (!page_csid_) page_csid_ = std::make_unique<CPageCSID>(this);
  const HRESULT hr = AddValuePage(callback, pages, IDS_CSID_USERS_TEXT, *page_csid_);
  return FAILED(hr) ? hr : AddPrintPage(callback, pages);
}

void CCSIDNode::SaveTypeFields(IArdentRule& rule) {
  if (page_csid_) SaveValuePageFields(rule, *page_csid_);
}
