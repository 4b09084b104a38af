// CReportNode: its name, description, image and node type.
#include "module/documents/report_node.h"

#include "module/resources/documents.h"
#include "module/snapin/node_types.h"

namespace {
constexpr int kImage = 10;
}  // namespace

CReportNode::CReportNode(CDelegationBase* owner)
    : CDelegationBase(owner), texts_(IDS_REPORTS, IDS_REPORTS_DESCRIPTION) {}

std::wstring CReportNode::GetDisplayName(int column) { return texts_.Column(column); }

GUID CReportNode::GetNodeType() { return kNodeTypeReportNode; }

int CReportNode::GetBitmapIndex(BOOL) { return kImage; }
