// CRoutingMSN: its name, description, image and node type.
#include "module/routing/routing_msn.h"

#include "module/resources/routing.h"
#include "module/snapin/node_types.h"

namespace {
constexpr int kImage = 12;
}  // namespace

CRoutingMSN::CRoutingMSN(CDelegationBase* owner)
    : CDelegationBase(owner), texts_(IDS_ROUTES_MSN, IDS_ROUTES_MSN_DESCRIPTION) {}

std::wstring CRoutingMSN::GetDisplayName(int column) { return texts_.Column(column); }

GUID CRoutingMSN::GetNodeType() { return kNodeTypeRoutingMSN; }

int CRoutingMSN::GetBitmapIndex(BOOL) { return kImage; }
