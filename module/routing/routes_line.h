// CRoutesLine: the "Line" route list under "Routing".
#pragma once

#include <string>

#include "module/snapin/delegation_base.h"
#include "module/snapin/node_texts.h"

// Lists the routes chosen by the line a fax arrives on. Made by its parent with the static tree and
// destroyed with it.
class CRoutesLine : public CDelegationBase {
 public:
  explicit CRoutesLine(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

 private:
  pw::NodeTexts texts_;
};
