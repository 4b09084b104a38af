// CSMSOptions: its children in tree order, name, description, image and node type.
#include "module/routing/sms_options.h"

#include "module/resources/routing.h"
#include "module/routing/sms_routing.h"
#include "module/routing/sms_users.h"
#include "module/snapin/node_types.h"

namespace {
constexpr int kImage = 21;
}  // namespace

CSMSOptions::CSMSOptions(CDelegationBase* owner)
    : CContainerNode(owner), texts_(IDS_SMS, IDS_SMS_DESCRIPTION) {
  AddChild<CSMSRouting>();
  AddChild<CSMSUsers>();
}

std::wstring CSMSOptions::GetDisplayName(int column) { return texts_.Column(column); }

GUID CSMSOptions::GetNodeType() { return kNodeTypeSMSOptions; }

int CSMSOptions::GetBitmapIndex(BOOL) { return kImage; }
