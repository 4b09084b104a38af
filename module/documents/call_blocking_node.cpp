// CCallBlockingNode: its name, description, image and node type.
#include "module/documents/call_blocking_node.h"

#include "module/resources/documents.h"
#include "module/snapin/node_types.h"

namespace {
constexpr int kImage = 18;
}  // namespace

CCallBlockingNode::CCallBlockingNode(CDelegationBase* owner)
    : CDelegationBase(owner), texts_(IDS_CALL_BLOCKING, IDS_CALL_BLOCKING_DESCRIPTION) {}

std::wstring CCallBlockingNode::GetDisplayName(int column) { return texts_.Column(column); }

GUID CCallBlockingNode::GetNodeType() { return kNodeTypeCallBlockingNode; }

int CCallBlockingNode::GetBitmapIndex(BOOL) { return kImage; }
