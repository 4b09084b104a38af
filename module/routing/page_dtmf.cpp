// CPageDTMF: the DTMF/DID page's texts, its number check and the upper-casing on apply.
#include "module/routing/page_dtmf.h"

#include "module/resources/routes_dtmf.h"
#include "module/routing/dtmf_ranges.h"
#include "platform/com/strings.h"
#include "platform/ui/edit.h"

namespace {

bool IsOneDtmfNumber(const std::wstring& value) { return pw::ParseDtmfNumber(value).has_value(); }

const RuleValueRules kDtmfPageRules{.trimmed = L" \t\n\v\f\r",
                                    .empty_message = IDS_DTMF_EMPTY,
                                    .invalid_message = IDS_DTMF_INVALID_NUMBER,
                                    .is_valid = IsOneDtmfNumber,
                                    .duplicate_message = IDS_DTMF_DUPLICATE};

}  // namespace

CPageDTMF::CPageDTMF(CRouteNode* item)
    : CPageRuleValue(IDD_PAGE_DTMF, IDC_PAGE_DTMF_EDIT, kDtmfPageRules, item) {}

BOOL CPageDTMF::OnApply() {
  // The field shows what is stored: the duplicate check and the apply then see the capitals.
  if (GetSafeHwnd() != nullptr) {
    CEdit& edit = *GetDlgItem<CEdit>(IDC_PAGE_DTMF_EDIT);
    const std::wstring typed = edit.GetWindowText();
    const std::wstring upper = pw::ToUpper(typed);
    if (upper != typed) edit.SetWindowText(upper);
  }
  return CPageRuleValue::OnApply();
}
