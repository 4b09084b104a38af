// GeneralAdvanced: version information, then the two web links.
#include "module/options/general_advanced.h"

#include "module/options/auto_update_node.h"
#include "module/options/html_link_node.h"
#include "module/options/launcher_rows.h"

GeneralAdvanced::GeneralAdvanced(CDelegationBase* owner)
    : CContainerNode(owner), texts_(kGeneralLauncher.name_id, kGeneralLauncher.description_id) {
  AddChild<CAutoUpdateNode>();
  AddChild<CHTMLLinkNode>(IDS_MAILSHIELD_LINK, IDS_MAILSHIELD_LINK_DESCRIPTION,
                          kNodeTypeMailshieldLink, CHTMLLinkNode::kMailshieldAddress);
  AddChild<CHTMLLinkNode>(IDS_SUPPORT_LINK, IDS_SUPPORT_LINK_DESCRIPTION, kNodeTypeSupportLink,
                          CHTMLLinkNode::kSupportAddress);
}

std::wstring GeneralAdvanced::GetDisplayName(int column) { return texts_.Column(column); }

GUID GeneralAdvanced::GetNodeType() { return kGeneralLauncher.node_type; }

int GeneralAdvanced::GetBitmapIndex(BOOL) { return kGeneralLauncher.image; }

HRESULT GeneralAdvanced::OnExpand(IConsoleNameSpace* name_space, IConsole*, HSCOPEITEM parent,
                                  BOOL expanding) {
  SetItemText(name_space, parent);
  if (!expanding) return S_OK;
  return InsertChildren(name_space, parent);
}
