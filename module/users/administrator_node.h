// CAdministratorNode: an entry of the "Fax administrators" list.
#pragma once

#include "module/users/user_node.h"

class CAdministrators;

// A user node whose delete takes the entry out of the administrators list only (the object
// stays a registered fax user). Owned by CAdministrators.
class CAdministratorNode : public CUserNodeDelegation {
 public:
  CAdministratorNode(CAdministrators* list, CComponentData* component_data,
                     const std::wstring& object_type, const std::wstring& guid,
                     const std::wstring& login);

  GUID GetNodeType() override;
  // Refuses while the node's sheet is open (answer 1), else the list removes it.
  HRESULT OnDelete(CComponent* component, IConsole* console, int flag) override;

 private:
  CAdministrators* administrators_;
};
