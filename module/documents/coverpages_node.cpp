// CCoverpagesNode: its name, description, image and node type.
#include "module/documents/coverpages_node.h"

#include "module/resources/documents.h"
#include "module/snapin/node_types.h"

namespace {
constexpr int kImage = 27;
}  // namespace

CCoverpagesNode::CCoverpagesNode(CDelegationBase* owner)
    : CDelegationBase(owner), texts_(IDS_COVERPAGES, IDS_COVERPAGES_DESCRIPTION) {}

std::wstring CCoverpagesNode::GetDisplayName(int column) { return texts_.Column(column); }

GUID CCoverpagesNode::GetNodeType() { return kNodeTypeCoverpagesNode; }

int CCoverpagesNode::GetBitmapIndex(BOOL) { return kImage; }
