// CReportNode: the "Transmission reports" node under "Advanced".
#pragma once

#include <string>

#include "module/snapin/delegation_base.h"
#include "module/snapin/node_texts.h"

// Edits the transmission report options. Made by its parent with the static tree and destroyed with
// it.
class CReportNode : public CDelegationBase {
 public:
  explicit CReportNode(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

 private:
  pw::NodeTexts texts_;
};
