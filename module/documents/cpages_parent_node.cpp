// CCPagesParentNode: its children in tree order, name, description, image and node type.
#include "module/documents/cpages_parent_node.h"

#include "module/documents/coverpages_node.h"
#include "module/documents/front_covernotes_node.h"
#include "module/resources/documents.h"
#include "module/snapin/node_types.h"

namespace {
constexpr int kImage = 13;
}  // namespace

CCPagesParentNode::CCPagesParentNode(CDelegationBase* owner)
    : CContainerNode(owner), texts_(IDS_COVERPAGES, IDS_COVERPAGES_DESCRIPTION) {
  AddChild<CCoverpagesNode>();
  AddChild<CFrontCovernotesNode>();
}

std::wstring CCPagesParentNode::GetDisplayName(int column) { return texts_.Column(column); }

GUID CCPagesParentNode::GetNodeType() { return kNodeTypeCPagesParentNode; }

int CCPagesParentNode::GetBitmapIndex(BOOL) { return kImage; }
