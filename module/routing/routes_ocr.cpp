// CRoutesOCR: its name, description, image and node type.
#include "module/routing/routes_ocr.h"

#include "module/resources/routing.h"
#include "module/snapin/node_types.h"

namespace {
constexpr int kImage = 37;
}  // namespace

CRoutesOCR::CRoutesOCR(CDelegationBase* owner)
    : CDelegationBase(owner), texts_(IDS_ROUTES_OCR, IDS_ROUTES_OCR_DESCRIPTION) {}

std::wstring CRoutesOCR::GetDisplayName(int column) { return texts_.Column(column); }

GUID CRoutesOCR::GetNodeType() { return kNodeTypeRoutesOCR; }

int CRoutesOCR::GetBitmapIndex(BOOL) { return kImage; }
