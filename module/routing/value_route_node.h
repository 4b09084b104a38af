// CValueRouteNode: the item of a route whose value is picked from the server's configuration
// (a line or an MSN) and never changes afterwards.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "module/routing/page_route_value.h"
#include "module/routing/prop_route_print.h"
#include "module/routing/route_node.h"

// The per-kind texts of a value route item.
// Cannot be renamed; its sheet shows the users page, the read-only value page and the
// auto-print page. Made and destroyed by its list.
//
// Deriving: pass the rule type and texts, answer GetNodeType, GetBitmapIndex and
// MakeValuePage (the kind's page, made on the first sheet).
class CValueRouteNode : public CRouteNodeEx {
 public:
  ~CValueRouteNode() override;

  bool CanRename() override { return false; }

  void SetParentList(CRoutingDelegationBase* list) { parent_list_ = list; }
  CRoutingDelegationBase* GetParentList() const { return parent_list_; }
  CPageRouteValue* value_page() const { return page_value_.get(); }

 protected:
  CValueRouteNode(CRoutingDelegationBase* list, std::wstring rule_type, std::wstring display,
                  std::wstring value, IArdentRulePtr rule, const RouteItemTexts& texts);

  virtual std::unique_ptr<CPageRouteValue> MakeValuePage() = 0;
  HRESULT AddTypePages(IPropertySheetCallback* callback,
                       std::vector<CPropertyPage*>* pages) override;

 private:
  std::unique_ptr<CPageRouteValue> page_value_;
  CRoutingDelegationBase* parent_list_;
};
