// CNewPhraseDlg: the phrase dialog's texts and its OK button that follows the typed text.
#include "module/routing/new_phrase_dlg.h"

#include "module/resources/routes_ocr.h"
#include "platform/ui/edit.h"
#include "platform/ui/message_map.h"

namespace {
// A phrase is free text: every kind of blank around it is dropped. OK is disabled for a blank
// phrase, so the empty message is seen only when Enter bypasses the button.
const RuleValueRules kNewPhraseRules{
    .trimmed = L" \t\r\n", .empty_message = IDS_OCR_EMPTY, .duplicate_message = IDS_OCR_DUPLICATE};
}  // namespace

CNewPhraseDlg::CNewPhraseDlg(CRoutingDelegationBase* list, CComponentData* component_data,
                             CComponent* component)
    : CNewRuleValueDlg(IDD_NEW_PHRASE, IDC_NEW_PHRASE_EDIT, kNewPhraseRules, list, component_data,
                       component) {}

const pw::ui::MessageMap* CNewPhraseDlg::GetMessageMap() const {
  static const pw::ui::MessageMap map(
      CNewRuleValueDlg::GetMessageMap(),
      {pw::ui::MapCommand(IDC_NEW_PHRASE_EDIT, EN_CHANGE, &CNewPhraseDlg::OnChange)});
  return &map;
}

BOOL CNewPhraseDlg::OnInitDialog() {
  CNewRuleValueDlg::OnInitDialog();
  OnChange();
  return TRUE;
}

void CNewPhraseDlg::OnChange() {
  const std::wstring text = GetDlgItem<CEdit>(IDC_NEW_PHRASE_EDIT)->GetWindowText();
  GetDlgItem(IDOK)->EnableWindow(!TrimRuleValue(text, kNewPhraseRules).empty());
}
