// CAutoPrintSettings: its name, description, image and node type.
#include "module/documents/auto_print_settings.h"

#include "module/resources/documents.h"
#include "module/snapin/node_types.h"

namespace {
constexpr int kImage = 38;
}  // namespace

CAutoPrintSettings::CAutoPrintSettings(CDelegationBase* owner)
    : CDelegationBase(owner), texts_(IDS_PRINTERS, IDS_PRINTERS_DESCRIPTION) {}

std::wstring CAutoPrintSettings::GetDisplayName(int column) { return texts_.Column(column); }

GUID CAutoPrintSettings::GetNodeType() { return kNodeTypeAutoPrintSettings; }

int CAutoPrintSettings::GetBitmapIndex(BOOL) { return kImage; }
