// CRoutesLine: its name, description, image and node type.
#include "module/routing/routes_line.h"

#include "module/resources/routing.h"
#include "module/snapin/node_types.h"

namespace {
constexpr int kImage = 36;
}  // namespace

CRoutesLine::CRoutesLine(CDelegationBase* owner)
    : CDelegationBase(owner), texts_(IDS_ROUTES_LINE, IDS_ROUTES_LINE_DESCRIPTION) {}

std::wstring CRoutesLine::GetDisplayName(int column) { return texts_.Column(column); }

GUID CRoutesLine::GetNodeType() { return kNodeTypeRoutesLine; }

int CRoutesLine::GetBitmapIndex(BOOL) { return kImage; }
