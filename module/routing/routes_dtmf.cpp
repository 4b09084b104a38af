// CRoutesDTMF: its name, description, image and node type.
#include "module/routing/routes_dtmf.h"

#include "module/resources/routing.h"
#include "module/snapin/node_types.h"

namespace {
constexpr int kImage = 12;
}  // namespace

CRoutesDTMF::CRoutesDTMF(CDelegationBase* owner)
    : CDelegationBase(owner), texts_(IDS_ROUTES_DTMF, IDS_ROUTES_DTMF_DESCRIPTION) {}

std::wstring CRoutesDTMF::GetDisplayName(int column) { return texts_.Column(column); }

GUID CRoutesDTMF::GetNodeType() { return kNodeTypeRoutesDTMF; }

int CRoutesDTMF::GetBitmapIndex(BOOL) { return kImage; }
