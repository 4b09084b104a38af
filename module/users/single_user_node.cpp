// CSingleUserNode: the node type of the Licensed users list's entries.
#include "module/users/single_user_node.h"

#include "module/snapin/result_node_types.h"

GUID CSingleUserNode::GetNodeType() { return kNodeTypeSingleUserNode; }
