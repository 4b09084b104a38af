// CPageOCR: the search phrase page's template and texts.
#include "module/routing/page_ocr.h"

#include "module/resources/routes_ocr.h"

namespace {
// A phrase is free text: every kind of blank around it is dropped.
const RuleValueRules kPhrasePageRules{
    .trimmed = L" \t\r\n", .empty_message = IDS_OCR_EMPTY, .duplicate_message = IDS_OCR_DUPLICATE};
}  // namespace

CPageOCR::CPageOCR(CRouteNode* item)
    : CPageRuleValue(IDD_PAGE_OCR, IDC_PAGE_OCR_EDIT, kPhrasePageRules, item) {}
