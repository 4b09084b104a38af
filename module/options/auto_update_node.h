// CAutoUpdateNode: the "Version information" node under "General".
#pragma once

#include <string>

#include "module/snapin/delegation_base.h"
#include "module/snapin/node_texts.h"

// Shows the product's version information and checks for updates on line. Made by its parent with
// the static tree and destroyed with it.
class CAutoUpdateNode : public CDelegationBase {
 public:
  explicit CAutoUpdateNode(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

 private:
  pw::NodeTexts texts_;
};
