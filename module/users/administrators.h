// CAdministrators: the "Fax administrators" node under "Advanced".
#pragma once

#include <string>

#include "module/snapin/delegation_base.h"
#include "module/snapin/node_texts.h"

// Lists the users and groups told about the server's events. Made by its parent with the static
// tree and destroyed with it.
class CAdministrators : public CDelegationBase {
 public:
  explicit CAdministrators(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

 private:
  pw::NodeTexts texts_;
};
