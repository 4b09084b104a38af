// CPageRuleValue: the "Options" page of a rule item whose value is one typed text.
#pragma once

#include <string>

#include "module/routing/rule_value_rules.h"
#include "module/snapin/mmc_property_page.h"

class CRouteNode;

// Refuses an empty or invalid value when left, and a value another rule of the list has when
// applied (the check asks the store, and runs only when the text changed other than in letter
// case).
//
// Lifetime: owned by its item, made on the item's first sheet and kept.
//
// Deriving: pass the page's template, its edit box and the list's rules.
class CPageRuleValue : public CMMCPropertyPage {
 public:
  CPageRuleValue(UINT dialog_id, UINT edit_id, const RuleValueRules& rules, CRouteNode* item);
  ~CPageRuleValue() override;

  // Before the sheet opens: the item's current value.
  void SetValue(std::wstring value);
  // The value the last apply accepted.
  const std::wstring& value() const { return value_; }

  BOOL OnKillActive() override;
  BOOL OnApply() override;

 protected:
  BOOL OnInitDialog() override;
  const pw::ui::MessageMap* GetMessageMap() const override;

 private:
  void OnChange(UINT id);
  std::wstring TrimmedText();
  void Refuse(UINT message, bool select);

  UINT edit_id_;
  const RuleValueRules& rules_;
  CRouteNode* item_;
  std::wstring value_;
  bool shown_ = false;
};
