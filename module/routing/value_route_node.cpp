// CValueRouteNode: the messages, the fixed value and the pages of a line or MSN route.
#include "module/routing/value_route_node.h"

#include "module/routing/page_users.h"
#include "module/snapin/pwconfig_app.h"

CValueRouteNode::CValueRouteNode(CRoutingDelegationBase* list, std::wstring rule_type,
                                 std::wstring display, std::wstring value, IArdentRulePtr rule,
                                 const RouteItemTexts& texts)
    : CRouteNodeEx(list, std::move(rule_type), std::move(display), std::move(value),
                   std::move(rule), texts),
      parent_list_(list) {}

CValueRouteNode::~CValueRouteNode() = default;

HRESULT CValueRouteNode::AddTypePages(IPropertySheetCallback* callback,
                                      std::vector<CPropertyPage*>* pages) {
  page_users_->SetDescription(LoadModuleString(texts_.users_text));
  page_users_->Setup(component_data_);
  if (!page_value_) page_value_ = MakeValuePage();
  page_value_->SetComponentData(component_data_);
  page_value_->SetPropertyObject(this);
  page_value_->SetValue(value_);
  const HRESULT hr = AddPage(callback, *page_value_);
  if (FAILED(hr)) return hr;
  pages->push_back(page_value_.get());
  return AddPrintPage(callback, pages);
}
