// CAdministratorNode: its node type and its delete.
#include "module/users/administrator_node.h"

#include "module/resources/administrators.h"
#include "module/snapin/component_data.h"
#include "module/snapin/multiple_delete.h"
#include "module/snapin/pwconfig_app.h"
#include "module/snapin/result_node_types.h"
#include "module/users/administrators.h"

CAdministratorNode::CAdministratorNode(CAdministrators* list, CComponentData* component_data,
                                       const std::wstring& object_type, const std::wstring& guid,
                                       const std::wstring& login)
    : CUserNodeDelegation(list, list, component_data, object_type, guid, login),
      administrators_(list) {}

GUID CAdministratorNode::GetNodeType() { return kNodeTypeAdministratorNode; }

HRESULT CAdministratorNode::OnDelete(CComponent* component, IConsole* console, int flag) {
  if (IsSheetOpen()) {
    if (flag == 0 && component_data() != nullptr) {
      const bool group = object_type() == L"group";
      component_data()->ShowMessage(
          LoadModuleString(group ? IDS_ADMIN_GROUP_SHEET_OPEN : IDS_ADMIN_SHEET_OPEN),
          MB_OK | MB_ICONERROR);
    }
    return kDeleteKeptSheetOpen;
  }
  return administrators_->RemoveAdministrator(this, component, console, flag);
}
