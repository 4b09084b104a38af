// CFrontCovernotesNode: its name, description, image and node type.
#include "module/documents/front_covernotes_node.h"

#include "module/resources/documents.h"
#include "module/snapin/node_types.h"

namespace {
constexpr int kImage = 27;
}  // namespace

CFrontCovernotesNode::CFrontCovernotesNode(CDelegationBase* owner)
    : CDelegationBase(owner), texts_(IDS_FRONT_COVERNOTES, IDS_FRONT_COVERNOTES_DESCRIPTION) {}

std::wstring CFrontCovernotesNode::GetDisplayName(int column) { return texts_.Column(column); }

GUID CFrontCovernotesNode::GetNodeType() { return kNodeTypeFrontCovernotesNode; }

int CFrontCovernotesNode::GetBitmapIndex(BOOL) { return kImage; }
