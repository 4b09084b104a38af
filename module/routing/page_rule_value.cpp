// CPageRuleValue: an item's typed value, checked when the page is left and when it applies.
#include "module/routing/page_rule_value.h"

#include "module/routing/route_node.h"
#include "module/routing/routing_delegation_base.h"
#include "module/snapin/component_data.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/com/strings.h"
#include "platform/ui/edit.h"
#include "platform/ui/message_box.h"
#include "platform/ui/message_map.h"
#include "platform/ui/property_sheet.h"

CPageRuleValue::CPageRuleValue(UINT dialog_id, UINT edit_id, const RuleValueRules& rules,
                               CRouteNode* item)
    : CMMCPropertyPage(dialog_id), edit_id_(edit_id), rules_(rules), item_(item) {}

CPageRuleValue::~CPageRuleValue() = default;

void CPageRuleValue::SetValue(std::wstring value) {
  value_ = std::move(value);
  shown_ = false;
}

const pw::ui::MessageMap* CPageRuleValue::GetMessageMap() const {
  // The page has one edit box; its id is the derived page's.
  static const pw::ui::MessageMap map(
      CMMCPropertyPage::GetMessageMap(),
      {pw::ui::MapCommandRange(0, 0xFFFF, EN_CHANGE, &CPageRuleValue::OnChange)});
  return &map;
}

BOOL CPageRuleValue::OnInitDialog() {
  CMMCPropertyPage::OnInitDialog();
  GetDlgItem<CEdit>(edit_id_)->SetWindowText(value_);
  // Filling the field is no change of the administrator's.
  modified_ = FALSE;
  shown_ = true;
  return TRUE;
}

void CPageRuleValue::OnChange(UINT id) {
  if (!shown_ || id != edit_id_) return;
  modified_ = TRUE;
  SetModified(TRUE);
}

std::wstring CPageRuleValue::TrimmedText() {
  CEdit& edit = *GetDlgItem<CEdit>(edit_id_);
  const std::wstring typed = edit.GetWindowText();
  const std::wstring text = TrimRuleValue(typed, rules_);
  if (text != typed) edit.SetWindowText(text);
  return text;
}

void CPageRuleValue::Refuse(UINT message, bool select) {
  AfxMessageBox(LoadModuleString(message), MB_ICONEXCLAMATION);
  CEdit& edit = *GetDlgItem<CEdit>(edit_id_);
  GotoDlgCtrl(&edit);
  if (select) edit.SetSel(0, -1);
}

BOOL CPageRuleValue::OnKillActive() {
  if (!shown_) return CMMCPropertyPage::OnKillActive();
  const std::wstring text = TrimmedText();
  if (text.empty()) {
    Refuse(rules_.empty_message, false);
    return FALSE;
  }
  if (rules_.is_valid != nullptr && !rules_.is_valid(text)) {
    Refuse(rules_.invalid_message, true);
    return FALSE;
  }
  return CMMCPropertyPage::OnKillActive();
}

BOOL CPageRuleValue::OnApply() {
  if (shown_) {
    const std::wstring text = TrimmedText();
    CRoutingDelegationBase* list = item_->list();
    bool exists = false;
    if (!pw::EqualsIgnoreCase(text, item_->value_text())) {
      try {
        exists = list->IsRuleInDB(text);
      } catch (const ComError& error) {
        AfxMessageBox(pw::FromUtf8(error.what()), MB_ICONERROR);
        return FALSE;
      }
    }
    if (exists) {
      if (CPropertySheet* sheet = GetParentSheet()) sheet->SetActivePage(this);
      list->OnRefresh(nullptr, component_data_ != nullptr ? component_data_->console() : nullptr);
      Refuse(rules_.duplicate_message, true);
      return FALSE;
    }
    value_ = text;
  }
  return CMMCPropertyPage::OnApply();
}
