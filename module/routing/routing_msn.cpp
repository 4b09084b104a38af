// CRoutingMSN: the MSN list's texts, image, items and dialog.
#include "module/routing/routing_msn.h"

#include "module/resources/routes_line_msn.h"
#include "module/resources/routing.h"
#include "module/routing/msn_node.h"
#include "module/snapin/component_data.h"
#include "module/snapin/node_types.h"

namespace {

constexpr int kImage = 12;

constexpr ValueRouteListTexts kTexts = {
    IDS_ROUTES_MSN,  IDS_ROUTES_MSN_DESCRIPTION, IDS_MSN_COLUMN,  IDS_MSN_NEW_STATUS,
    IDS_MSN_TOOLTIP, IDS_MSN_NOTHING_LEFT,       IDS_MSN_NO_ISDN, IDS_MSN_ERROR,
};

}  // namespace

CRoutingMSN::CRoutingMSN(CDelegationBase* owner)
    : CValueRoutesBase(owner, L"msn", ListKind::kMsnRoutes, kTexts) {}

GUID CRoutingMSN::GetNodeType() { return kNodeTypeRoutingMSN; }

int CRoutingMSN::GetBitmapIndex(BOOL) { return kImage; }

std::unique_ptr<CRouteNode> CRoutingMSN::CreateRuleNode(const std::wstring& display,
                                                        const std::wstring& value,
                                                        IArdentRulePtr rule) {
  return std::make_unique<CMSNNode>(this, display, value, std::move(rule));
}

std::unique_ptr<CNewValueRouteDlg> CRoutingMSN::MakeNewDialog(ValueListFailure* failure) {
  return CNewMSNDlg::Create(*this, component_data_->settings_store(), failure);
}
