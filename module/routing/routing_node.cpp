// CRoutingNode: its children in tree order, name, description, image and node type.
#include "module/routing/routing_node.h"

#include "module/resources/routing.h"
#include "module/routing/routes_csid.h"
#include "module/routing/routes_dtmf.h"
#include "module/routing/routes_line.h"
#include "module/routing/routes_ocr.h"
#include "module/routing/routing_msn.h"
#include "module/snapin/node_types.h"

namespace {
constexpr int kImage = 11;
}  // namespace

CRoutingNode::CRoutingNode(CDelegationBase* owner)
    : CContainerNode(owner), texts_(IDS_ROUTING, IDS_ROUTING_DESCRIPTION) {
  AddChild<CRoutesCSID>();
  AddChild<CRoutesDTMF>();
  AddChild<CRoutesOCR>();
  AddChild<CRoutesLine>();
  AddChild<CRoutingMSN>();
}

std::wstring CRoutingNode::GetDisplayName(int column) { return texts_.Column(column); }

GUID CRoutingNode::GetNodeType() { return kNodeTypeRoutingNode; }

int CRoutingNode::GetBitmapIndex(BOOL) { return kImage; }
