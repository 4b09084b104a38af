// CAdministrators: its name, description, image and node type.
#include "module/users/administrators.h"

#include "module/resources/users.h"
#include "module/snapin/node_types.h"

namespace {
constexpr int kImage = 14;
}  // namespace

CAdministrators::CAdministrators(CDelegationBase* owner)
    : CDelegationBase(owner), texts_(IDS_ADMINISTRATORS, IDS_ADMINISTRATORS_DESCRIPTION) {}

std::wstring CAdministrators::GetDisplayName(int column) { return texts_.Column(column); }

GUID CAdministrators::GetNodeType() { return kNodeTypeAdministrators; }

int CAdministrators::GetBitmapIndex(BOOL) { return kImage; }
