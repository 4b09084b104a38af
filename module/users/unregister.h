// Unregistering a registered user, group or mailbox agent: which rules list it, and whether it
// is the last member of a list.
#pragma once

#include <string>
#include <vector>

#include "installation/interfaces/ardent_db.h"

namespace pw {

// One rule that lists an object: its type and its "ObjectID".
struct ListingRule {
  std::wstring type;
  std::wstring id;
};

// The rules whose user set holds `guid` (any type, coverpages included), each once. Store
// failures raise their ComError.
std::vector<ListingRule> RulesListing(IArdentRULEDB& rules, const std::wstring& guid);

// Whether `guid` is a member of the list `list_rule` that has at most one member.
bool IsOnlyMemberOf(IArdentRULEDB& rules, const std::wstring& list_rule, const std::wstring& guid);

}  // namespace pw
