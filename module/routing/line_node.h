// CLineNode: one line route in the "Line" list.
#pragma once

#include "module/routing/value_route_node.h"

// A stored "line" rule: the faxes received on one line of the server go to its users.
class CLineNode final : public CValueRouteNode {
 public:
  CLineNode(CRoutingDelegationBase* list, std::wstring display, std::wstring value,
            IArdentRulePtr rule);

  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

 protected:
  std::unique_ptr<CPageRouteValue> MakeValuePage() override;
};
