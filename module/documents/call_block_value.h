// The dial string of a call block entry: its check, and the rules of the dialog and the page.
#pragma once

#include <string>

#include "module/routing/rule_value_rules.h"

// Every character a decimal digit, "*" or "#". The empty text passes; emptiness is checked
// where a dial string is entered.
bool IsValidDialString(const std::wstring& text);

// The "New Call block entry" dialog's and the entry's "Options" page's checks; they differ in
// the text for an empty dial string.
extern const RuleValueRules kNewCallBlockRules;
extern const RuleValueRules kCallBlockPageRules;
