// CRoutesOCR: the "OCR" route list under "Routing".
#pragma once

#include <string>

#include "module/snapin/delegation_base.h"
#include "module/snapin/node_texts.h"

// Lists the search phrases that route a fax by its recognised text. Made by its parent with the
// static tree and destroyed with it.
class CRoutesOCR : public CDelegationBase {
 public:
  explicit CRoutesOCR(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

 private:
  pw::NodeTexts texts_;
};
