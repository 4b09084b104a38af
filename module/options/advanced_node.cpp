// CAdvancedNode: its twelve children and which of them the directory kind shows.
#include "module/options/advanced_node.h"

#include "module/documents/call_blocking_node.h"
#include "module/documents/report_node.h"
#include "module/options/fax_server_settings.h"
#include "module/options/launcher_rows.h"
#include "module/snapin/component_data.h"
#include "module/users/administrators.h"

namespace {

// Directory modes: Active Directory, the Exchange 5.5 directory, the server's own database.
constexpr DWORD kActiveDirectory = 1;
constexpr DWORD kExchangeDirectory = 2;
constexpr DWORD kOwnUserDatabase = 3;

}  // namespace

CAdvancedNode::CAdvancedNode(CDelegationBase* owner)
    : CContainerNode(owner), texts_(kAdvancedLauncher.name_id, kAdvancedLauncher.description_id) {
  administrators_ = AddChild<CAdministrators>();
  AddChild<CFAXServerSettings>(kDiallingLauncher);
  AddChild<CReportNode>();
  AddChild<CFAXServerSettings>(kHeaderFooterLauncher);
  AddChild<CFAXServerSettings>(kStampingLauncher);
  AddChild<CFAXServerSettings>(kPop3AgentLauncher);
  AddChild<CFAXServerSettings>(kTransferAgentLauncher);
  AddChild<CFAXServerSettings>(kMailGatewayLauncher);
  AddChild<CFAXServerSettings>(kJunkFaxFilterLauncher);
  call_blocking_ = AddChild<CCallBlockingNode>();
  AddChild<CFAXServerSettings>(kHpdsSapLauncher);
  AddChild<CFAXServerSettings>(kTextApiLauncher);
}

std::wstring CAdvancedNode::GetDisplayName(int column) { return texts_.Column(column); }

GUID CAdvancedNode::GetNodeType() { return kAdvancedLauncher.node_type; }

int CAdvancedNode::GetBitmapIndex(BOOL) { return kAdvancedLauncher.image; }

HRESULT CAdvancedNode::OnExpand(IConsoleNameSpace* name_space, IConsole*, HSCOPEITEM parent,
                                BOOL expanding) {
  SetItemText(name_space, parent);
  if (!expanding) return S_OK;
  return InsertChildren(name_space, parent);
}

bool CAdvancedNode::IsChildShown(int position) const {
  const DWORD mode = component_data() != nullptr ? component_data()->directory_mode() : 0;
  // The POP3 agent serves mail systems of their own; the transfer agent and the mail gateway
  // connect the directory servers' mail systems.
  if (mode == kOwnUserDatabase) return position != kPop3AgentPosition;
  if (mode == kActiveDirectory || mode == kExchangeDirectory) {
    return position != kTransferAgentPosition && position != kMailGatewayPosition;
  }
  return true;
}
