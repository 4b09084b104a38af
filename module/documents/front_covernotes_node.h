// CFrontCovernotesNode: the "Front covernotes" list under "Coverpages".
#pragma once

#include <string>

#include "module/snapin/delegation_base.h"
#include "module/snapin/node_texts.h"

// Lists the front covernotes known to the server. Made by its parent with the static tree and
// destroyed with it.
class CFrontCovernotesNode : public CDelegationBase {
 public:
  explicit CFrontCovernotesNode(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

 private:
  pw::NodeTexts texts_;
};
