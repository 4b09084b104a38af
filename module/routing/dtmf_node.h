// CDTMFNode: one DTMF/DID route in the "DTMF/DID" list.
#pragma once

#include <memory>
#include <string>

#include "module/routing/page_dtmf.h"
#include "module/routing/prop_route_print.h"
#include "module/routing/route_node.h"

// A stored "did" rule: its value is one DTMF/DID entry (digits, "*", "#", A-D), renamed from
// the console (checked, upper-cased) or changed on its "Options" page. Made and destroyed by
// its list (CRoutesDTMF).
class CDTMFNode : public CRouteNodeEx {
 public:
  CDTMFNode(CRoutingDelegationBase* list, std::wstring display, std::wstring value,
            IArdentRulePtr rule);
  ~CDTMFNode() override;

  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

  // Exactly one entry: no range, no list.
  bool ValidateValue(IConsole* console, const std::wstring& value) override;
  bool UppercasesValue() override { return true; }
  void SaveTypeFields(IArdentRule& rule) override;

  void SetParentList(CRoutingDelegationBase* list) { parent_list_ = list; }
  CRoutingDelegationBase* GetParentList() const { return parent_list_; }

 protected:
  HRESULT AddTypePages(IPropertySheetCallback* callback,
                       std::vector<CPropertyPage*>* pages) override;

 private:
  std::unique_ptr<CPageDTMF> page_dtmf_;
  CRoutingDelegationBase* parent_list_;
};
