// CRoutingMSN: the "MSN" route list under "Routing".
#pragma once

#include <memory>
#include <string>

#include "module/routing/value_routes_base.h"

// Lists the routes chosen by the ISDN number a fax was sent to; new routes take a configured
// MSN that no route uses yet. Made by its parent with the static tree and destroyed with it.
class CRoutingMSN final : public CValueRoutesBase {
 public:
  explicit CRoutingMSN(CDelegationBase* owner);

  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;
  std::unique_ptr<CRouteNode> CreateRuleNode(const std::wstring& display, const std::wstring& value,
                                             IArdentRulePtr rule) override;

 protected:
  std::unique_ptr<CNewValueRouteDlg> MakeNewDialog(ValueListFailure* failure) override;
};
