// CLicencedUsers: the "Licensed users" node.
#pragma once

#include <string>

#include "module/snapin/delegation_base.h"
#include "module/snapin/node_texts.h"

// Lists the users and groups registered as fax users of the server. Made by its parent with the
// static tree and destroyed with it.
class CLicencedUsers : public CDelegationBase {
 public:
  explicit CLicencedUsers(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

 private:
  pw::NodeTexts texts_;
};
