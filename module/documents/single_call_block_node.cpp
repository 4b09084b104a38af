// CSingleCallBlockNode: the entry's messages, its two pages and its dial string.
#include "module/documents/single_call_block_node.h"

#include "module/documents/call_block_value.h"
#include "module/resources/call_blocking.h"
#include "module/routing/page_users.h"
#include "module/snapin/pwconfig_app.h"
#include "module/snapin/result_node_types.h"
#include "platform/ui/ui_constants.h"

namespace {
constexpr int kImage = 18;
// The texts of this kind of item.
constexpr RouteItemTexts kTexts = {
    IDS_CALL_BLOCK_DELETE_SHEET_OPEN,
    IDS_CALL_BLOCK_DELETE_MULTI_SHEET,
    IDS_CALL_BLOCK_RENAME_SHEET_OPEN,
    IDS_CALL_BLOCK_DUPLICATE,
    IDS_CALL_BLOCK_EMPTY,
    IDS_CALL_BLOCK_USERS_TEXT,
};

}  // namespace

CSingleCallBlockNode::CSingleCallBlockNode(CRoutingDelegationBase* list, std::wstring display,
                                           std::wstring value, IArdentRulePtr rule)
    : CRouteNode(list, L"callblock", std::move(display), std::move(value), std::move(rule),
                 kTexts) {}

CSingleCallBlockNode::~CSingleCallBlockNode() = default;

GUID CSingleCallBlockNode::GetNodeType() { return kNodeTypeSingleCallBlockNode; }

int CSingleCallBlockNode::GetBitmapIndex(BOOL) { return kImage; }

bool CSingleCallBlockNode::ValidateValue(IConsole* console, const std::wstring& value) {
  if (IsValidDialString(value)) return true;
  ShowMessage(console, IDS_CALL_BLOCK_INVALID, MB_ICONWARNING);
  return false;
}

HRESULT CSingleCallBlockNode::AddTypePages(IPropertySheetCallback* callback,
                                           std::vector<CPropertyPage*>* pages) {
  // Users and groups may both be blocked: the users page refuses nobody.
  page_users_->SetPickerTexts(IDS_CALL_BLOCK_PICKER_PROMPT, IDS_CALL_BLOCK_PICKER_CAPTION);
  if (!page_options_) {
    page_options_ = std::make_unique<CPageRuleValue>(IDD_PAGE_CALL_BLOCK, IDC_PAGE_CALL_BLOCK_EDIT,
                                                     kCallBlockPageRules, this);
  }
  return AddValuePage(callback, pages, *page_options_);
}

void CSingleCallBlockNode::SaveTypeFields(IArdentRule& rule) {
  if (page_options_) SaveValuePageFields(rule, *page_options_);
}
