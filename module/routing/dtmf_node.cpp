// CDTMFNode: the DTMF/DID route's messages, its value check, its pages in order and its
// number field.
#include "module/routing/dtmf_node.h"

#include "module/resources/routes_dtmf.h"
#include "module/routing/dtmf_ranges.h"
#include "module/routing/page_users.h"
#include "module/routing/routing_delegation_base.h"
#include "module/snapin/pwconfig_app.h"
#include "module/snapin/result_node_types.h"

namespace {
// CSID, DTMF/DID and MSN routes share the route item's image.
constexpr int kImage = 31;
// The texts of this kind of item.
constexpr RouteItemTexts kTexts = {
    IDS_DTMF_DELETE_SHEET_OPEN,
    IDS_DTMF_DELETE_MULTI_SHEET,
    IDS_DTMF_RENAME_SHEET_OPEN,
    IDS_DTMF_DUPLICATE,
    IDS_DTMF_EMPTY,
    IDS_DTMF_USERS_TEXT,
};

}  // namespace

CDTMFNode::CDTMFNode(CRoutingDelegationBase* list, std::wstring display, std::wstring value,
                     IArdentRulePtr rule)
    : CRouteNodeEx(list, L"did", std::move(display), std::move(value), std::move(rule), kTexts),
      parent_list_(list) {}

CDTMFNode::~CDTMFNode() = default;

GUID CDTMFNode::GetNodeType() { return kNodeTypeDTMFNode; }

int CDTMFNode::GetBitmapIndex(BOOL) { return kImage; }

bool CDTMFNode::ValidateValue(IConsole* console, const std::wstring& value) {
  if (pw::ParseDtmfNumber(value)) return true;
  ShowMessage(console, IDS_DTMF_INVALID_NUMBER, MB_ICONEXCLAMATION);
  return false;
}

HRESULT CDTMFNode::AddTypePages(IPropertySheetCallback* callback,
                                std::vector<CPropertyPage*>* pages) {
  if (!page_dtmf_) page_dtmf_ = std::make_unique<CPageDTMF>(this);
  const HRESULT hr = AddValuePage(callback, pages, *page_dtmf_);
  return FAILED(hr) ? hr : AddPrintPage(callback, pages);
}

void CDTMFNode::SaveTypeFields(IArdentRule& rule) {
  if (page_dtmf_) SaveValuePageFields(rule, *page_dtmf_);
}
