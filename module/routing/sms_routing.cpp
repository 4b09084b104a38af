// CSMSRouting: its name, description, image and node type.
#include "module/routing/sms_routing.h"

#include "module/resources/routing.h"
#include "module/snapin/node_types.h"

namespace {
constexpr int kImage = 41;
}  // namespace

CSMSRouting::CSMSRouting(CDelegationBase* owner)
    : CDelegationBase(owner), texts_(IDS_SMS_ROUTING, IDS_SMS_ROUTING_DESCRIPTION) {}

std::wstring CSMSRouting::GetDisplayName(int column) { return texts_.Column(column); }

GUID CSMSRouting::GetNodeType() { return kNodeTypeSMSRouting; }

int CSMSRouting::GetBitmapIndex(BOOL) { return kImage; }
