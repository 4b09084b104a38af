// RuleValueRules: how the value a person types for a rule (a CSID, a dial string, ...) is
// trimmed and checked by a list's "New" dialog and by its items' value page.
#pragma once

#include <string>

#include "platform/com/types.h"

// Each list states its own texts; the dialog and the page of one list may differ in them. All
// three messages are warnings.
struct RuleValueRules {
  // The characters trimmed from both ends (the trimmed text is put back into the edit).
  const wchar_t* trimmed = L" ";
  // Shown for an empty value.
  UINT empty_message = 0;
  // Shown, with the text selected, when `is_valid` refuses the value; 0 when any text will do.
  UINT invalid_message = 0;
  bool (*is_valid)(const std::wstring& value) = nullptr;
  // Shown when another rule of the list's type has the value (ignoring case); the list is
  // refreshed first, so that the person sees that rule.
  UINT duplicate_message = 0;
};

// `text` without the characters `rules.trimmed` at either end.
std::wstring TrimRuleValue(const std::wstring& text, const RuleValueRules& rules);
