// CLicencedUsers: its name, description, image and node type.
#include "module/users/licenced_users.h"

#include "module/resources/users.h"
#include "module/snapin/node_types.h"

namespace {
constexpr int kImage = 15;
}  // namespace

CLicencedUsers::CLicencedUsers(CDelegationBase* owner)
    : CDelegationBase(owner), texts_(IDS_LICENSED_USERS, IDS_LICENSED_USERS_DESCRIPTION) {}

std::wstring CLicencedUsers::GetDisplayName(int column) { return texts_.Column(column); }

GUID CLicencedUsers::GetNodeType() { return kNodeTypeLicencedUsers; }

int CLicencedUsers::GetBitmapIndex(BOOL) { return kImage; }
