// CSingleCallBlockNode: one entry of the "Call blocking" list.
#pragma once

#include <memory>
#include <string>

#include "module/routing/page_rule_value.h"
#include "module/routing/route_node.h"

// A stored "callblock" rule: a dial string and the users and groups it blocks. Renamed from
// the console or changed on its "Options" page, value and display text always stay the same.
// Made and destroyed by its list (CCallBlockingNode).
class CSingleCallBlockNode : public CRouteNode {
 public:
  CSingleCallBlockNode(CRoutingDelegationBase* list, std::wstring display, std::wstring value,
                       IArdentRulePtr rule);
  ~CSingleCallBlockNode() override;

  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

  bool ValidateValue(IConsole* console, const std::wstring& value) override;
  void SaveTypeFields(IArdentRule& rule) override;

 protected:
  HRESULT AddTypePages(IPropertySheetCallback* callback,
                       std::vector<CPropertyPage*>* pages) override;

 private:
  std::unique_ptr<CPageRuleValue> page_options_;
};
