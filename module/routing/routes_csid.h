// CRoutesCSID: the "CSID" route list under "Routing".
#pragma once

#include <string>

#include "module/snapin/delegation_base.h"
#include "module/snapin/node_texts.h"

// Lists the routes chosen by the sending station's identifier. Made by its parent with the static
// tree and destroyed with it.
class CRoutesCSID : public CDelegationBase {
 public:
  explicit CRoutesCSID(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

 private:
  pw::NodeTexts texts_;
};
