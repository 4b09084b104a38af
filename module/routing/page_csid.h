// CPageCSID: the "Options" page of a CSID route, which changes its CSID text.
#pragma once

#include "module/routing/page_rule_value.h"

// Any CSID that is not empty and that no other route has.
class CPageCSID : public CPageRuleValue {
 public:
  explicit CPageCSID(CRouteNode* item);
};
