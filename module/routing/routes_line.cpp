// CRoutesLine: the line list's texts, image, items and dialog.
#include "module/routing/routes_line.h"

#include "module/resources/routes_line_msn.h"
#include "module/resources/routing.h"
#include "module/routing/line_node.h"
#include "module/snapin/component_data.h"
#include "module/snapin/node_types.h"

namespace {

constexpr int kImage = 36;

constexpr ValueRouteListTexts kTexts = {
    IDS_ROUTES_LINE,
    IDS_ROUTES_LINE_DESCRIPTION,
    IDS_LINE_COLUMN,
    IDS_LINE_NEW_STATUS,
    IDS_LINE_TOOLTIP,
    IDS_LINE_NOTHING_LEFT,
    0,
    IDS_LINE_ERROR,
};

}  // namespace

CRoutesLine::CRoutesLine(CDelegationBase* owner)
    : CValueRoutesBase(owner, L"line", ListKind::kLineRoutes, kTexts) {}

GUID CRoutesLine::GetNodeType() { return kNodeTypeRoutesLine; }

int CRoutesLine::GetBitmapIndex(BOOL) { return kImage; }

std::unique_ptr<CRouteNode> CRoutesLine::CreateRuleNode(const std::wstring& display,
                                                        const std::wstring& value,
                                                        IArdentRulePtr rule) {
  return std::make_unique<CLineNode>(this, display, value, std::move(rule));
}

std::unique_ptr<CNewValueRouteDlg> CRoutesLine::MakeNewDialog(ValueListFailure* failure) {
  return CNewLineDlg::Create(*this, component_data_->settings_store(), failure);
}
