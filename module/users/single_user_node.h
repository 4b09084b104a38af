// CSingleUserNode: an entry of the "Licensed users" list.
#pragma once

#include "module/users/user_node.h"

// Adds only its node type to CUserNodeDelegation. Owned by CLicencedUsers.
class CSingleUserNode : public CUserNodeDelegation {
 public:
  using CUserNodeDelegation::CUserNodeDelegation;

  GUID GetNodeType() override;
};
