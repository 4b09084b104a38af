// CSMSUsers: its name, description, image and node type.
#include "module/routing/sms_users.h"

#include "module/resources/routing.h"
#include "module/snapin/node_types.h"

namespace {
constexpr int kImage = 34;
}  // namespace

CSMSUsers::CSMSUsers(CDelegationBase* owner)
    : CDelegationBase(owner), texts_(IDS_SMS_USERS, IDS_SMS_USERS_DESCRIPTION) {}

std::wstring CSMSUsers::GetDisplayName(int column) { return texts_.Column(column); }

GUID CSMSUsers::GetNodeType() { return kNodeTypeSMSUsers; }

int CSMSUsers::GetBitmapIndex(BOOL) { return kImage; }
