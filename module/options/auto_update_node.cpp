// CAutoUpdateNode: its name, description, image and node type.
#include "module/options/auto_update_node.h"

#include "module/resources/options.h"
#include "module/snapin/node_types.h"

namespace {
constexpr int kImage = 16;
}  // namespace

CAutoUpdateNode::CAutoUpdateNode(CDelegationBase* owner)
    : CDelegationBase(owner),
      texts_(IDS_VERSION_INFORMATION, IDS_VERSION_INFORMATION_DESCRIPTION) {}

std::wstring CAutoUpdateNode::GetDisplayName(int column) { return texts_.Column(column); }

GUID CAutoUpdateNode::GetNodeType() { return kNodeTypeAutoUpdateNode; }

int CAutoUpdateNode::GetBitmapIndex(BOOL) { return kImage; }
