// CPageOCR: the "Options" page of a search phrase, which changes the phrase.
#pragma once

#include "module/routing/page_rule_value.h"

// "Phrase options": any phrase that is not blank and that no other search phrase route has.
// Owned by its CSearchPhraseNode.
class CPageOCR final : public CPageRuleValue {
 public:
  explicit CPageOCR(CRouteNode* item);
};
