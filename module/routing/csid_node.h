// CCSIDNode: one CSID route in the "CSID" list.
#pragma once

#include <memory>
#include <string>

#include "module/routing/page_csid.h"
#include "module/routing/prop_route_print.h"
#include "module/routing/route_node.h"

// A stored "csid" rule: its CSID text is free text, renamed from the console or changed on its
// "Options" page. Made and destroyed by its list (CRoutesCSID).
class CCSIDNode : public CRouteNodeEx {
 public:
  CCSIDNode(CRoutingDelegationBase* list, std::wstring display, std::wstring value,
            IArdentRulePtr rule);
  ~CCSIDNode() override;

  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

  void SaveTypeFields(IArdentRule& rule) override;

  void SetParentList(CRoutingDelegationBase* list) { parent_list_ = list; }
  CRoutingDelegationBase* GetParentList() const { return parent_list_; }

 protected:
  HRESULT AddTypePages(IPropertySheetCallback* callback,
                       std::vector<CPropertyPage*>* pages) override;

 private:
  std::unique_ptr<CPageCSID> page_csid_;
  CRoutingDelegationBase* parent_list_;
};
