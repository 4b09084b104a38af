// CRoutingMSN: the "MSN" route list under "Routing".
#pragma once

#include <string>

#include "module/snapin/delegation_base.h"
#include "module/snapin/node_texts.h"

// Lists the routes chosen by the ISDN number a fax was sent to. Made by its parent with the static
// tree and destroyed with it.
class CRoutingMSN : public CDelegationBase {
 public:
  explicit CRoutingMSN(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

 private:
  pw::NodeTexts texts_;
};
