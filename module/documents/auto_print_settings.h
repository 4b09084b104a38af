// CAutoPrintSettings: the "Printers" list.
#pragma once

#include <string>

#include "module/snapin/delegation_base.h"
#include "module/snapin/node_texts.h"

// Lists the printers that print routed faxes automatically. Made by its parent with the static tree
// and destroyed with it.
class CAutoPrintSettings : public CDelegationBase {
 public:
  explicit CAutoPrintSettings(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

 private:
  pw::NodeTexts texts_;
};
