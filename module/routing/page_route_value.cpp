// CPageRouteValue, CPageLine, CPageMSN: the read-only value of a line or MSN route.
#include "module/routing/page_route_value.h"

#include "module/resources/routes_line_msn.h"
#include "platform/ui/edit.h"

CPageRouteValue::CPageRouteValue(UINT template_id) : CMMCPropertyPage(template_id) {}

CPageRouteValue::~CPageRouteValue() = default;

BOOL CPageRouteValue::OnInitDialog() {
  CMMCPropertyPage::OnInitDialog();
  GetDlgItem<CEdit>(IDC_PAGE_VALUE_EDIT)->SetWindowText(value_);
  modified_ = FALSE;
  return TRUE;
}

CPageLine::CPageLine() : CPageRouteValue(IDD_PAGE_LINE) {}

CPageMSN::CPageMSN() : CPageRouteValue(IDD_PAGE_MSN) {}
