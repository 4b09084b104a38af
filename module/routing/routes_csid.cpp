// CRoutesCSID: its name, description, image and node type.
#include "module/routing/routes_csid.h"

#include "module/resources/routing.h"
#include "module/snapin/node_types.h"

namespace {
constexpr int kImage = 12;
}  // namespace

CRoutesCSID::CRoutesCSID(CDelegationBase* owner)
    : CDelegationBase(owner), texts_(IDS_ROUTES_CSID, IDS_ROUTES_CSID_DESCRIPTION) {}

std::wstring CRoutesCSID::GetDisplayName(int column) { return texts_.Column(column); }

GUID CRoutesCSID::GetNodeType() { return kNodeTypeRoutesCSID; }

int CRoutesCSID::GetBitmapIndex(BOOL) { return kImage; }
