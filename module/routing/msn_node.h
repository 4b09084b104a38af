// CMSNNode: one MSN route in the "MSN" list.
#pragma once

#include "module/routing/value_route_node.h"

// A stored "msn" rule: the faxes sent to one ISDN number of the server go to its users.
class CMSNNode final : public CValueRouteNode {
 public:
  CMSNNode(CRoutingDelegationBase* list, std::wstring display, std::wstring value,
           IArdentRulePtr rule);

  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

 protected:
  std::unique_ptr<CPageRouteValue> MakeValuePage() override;
};
