// CNPQNode: its name, description, image and node type.
#include "module/documents/npq_node.h"

#include "module/resources/documents.h"
#include "module/snapin/node_types.h"

namespace {
constexpr int kImage = 19;
}  // namespace

CNPQNode::CNPQNode(CDelegationBase* owner)
    : CDelegationBase(owner), texts_(IDS_NPQ, IDS_NPQ_DESCRIPTION) {}

std::wstring CNPQNode::GetDisplayName(int column) { return texts_.Column(column); }

GUID CNPQNode::GetNodeType() { return kNodeTypeNPQNode; }

int CNPQNode::GetBitmapIndex(BOOL) { return kImage; }
