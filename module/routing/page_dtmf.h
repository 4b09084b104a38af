// CPageDTMF: the "Options" page of a DTMF/DID route, which changes its number.
#pragma once

#include "module/routing/page_rule_value.h"

// Exactly one DTMF/DID entry (no range, no list) that no other route has; the number is
// applied in capitals.
class CPageDTMF : public CPageRuleValue {
 public:
  explicit CPageDTMF(CRouteNode* item);

  BOOL OnApply() override;
};
