// CSearchPhraseNode: the search phrase's messages, its pages in order and its phrase field.
#include "module/routing/search_phrase_node.h"

#include "module/resources/routes_ocr.h"
#include "module/routing/page_users.h"
#include "module/snapin/pwconfig_app.h"
#include "module/snapin/result_node_types.h"

namespace {
constexpr int kImage = 33;
// The texts of this kind of item.
constexpr RouteItemTexts kTexts = {
    IDS_OCR_DELETE_SHEET_OPEN,
    IDS_OCR_DELETE_MULTI_SHEET,
    IDS_OCR_RENAME_SHEET_OPEN,
    IDS_OCR_DUPLICATE,
    IDS_OCR_EMPTY,
    IDS_OCR_USERS_TEXT,
};

}  // namespace

CSearchPhraseNode::CSearchPhraseNode(CRoutingDelegationBase* list, std::wstring display,
                                     std::wstring value, IArdentRulePtr rule)
    : CRouteNodeEx(list, L"ocr", std::move(display), std::move(value), std::move(rule), kTexts),
      parent_list_(list) {}

CSearchPhraseNode::~CSearchPhraseNode() = default;

GUID CSearchPhraseNode::GetNodeType() { return kNodeTypeSearchPhraseNode; }

int CSearchPhraseNode::GetBitmapIndex(BOOL) { return kImage; }

HRESULT CSearchPhraseNode::AddTypePages(IPropertySheetCallback* callback,
                                        std::vector<CPropertyPage*>* pages) {
  if (!page_ocr_) page_ocr_ = std::make_unique<CPageOCR>(this);
  const HRESULT hr = AddValuePage(callback, pages, *page_ocr_);
  return FAILED(hr) ? hr : AddPrintPage(callback, pages);
}

void CSearchPhraseNode::SaveTypeFields(IArdentRule& rule) {
  if (page_ocr_) SaveValuePageFields(rule, *page_ocr_);
}
