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
    : CRouteNodeEx(list, L"csid", std::move(display), std::move(value), std::move(rule),
                   &print_page_),
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
  page_users_->SetDescription(LoadModuleString(IDS_CSID_USERS_TEXT));
  page_users_->Setup(component_data_);
  if (!page_csid_) page_csid_ = std::make_unique<CPageCSID>(this);
  page_csid_->SetComponentData(component_data_);
  page_csid_->SetPropertyObject(this);
  page_csid_->SetCSID(value_);
  HRESULT hr = AddPage(callback, *page_csid_);
  if (FAILED(hr)) return hr;
  pages->push_back(page_csid_.get());
  return AddPrintPage(callback, pages);
}

void CCSIDNode::SaveTypeFields(IArdentRule& rule) {
  if (!page_csid_ || page_csid_->csid().empty()) return;
  rule.SetField(L"ObjectValue", VARIANT::FromBstr(page_csid_->csid()));
  rule.SetField(L"ObjectDisplay", VARIANT::FromBstr(page_csid_->csid()));
  value_ = page_csid_->csid();
  display_ = rule.GetField(L"ObjectDisplay").ToString();
}
