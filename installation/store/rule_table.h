// Rules in the configuration file: reading them with their fields and users, and writing,
// replacing and deleting them. Writers run inside the caller's write transaction.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "installation/store/rule_data.h"
#include "installation/store/sqlite_database.h"

namespace pw::store {

// Whether a rule type keeps its "ObjectValue"s unique. Coverpage and front covernote rules
// name a file as their value, and several of them may use the same file.
bool ValuesMustBeUnique(std::wstring_view rule_type);

// The rules of a type in ascending identity; with a user, only those whose users include them.
[[nodiscard]] HRESULT LoadRulesOfType(Database& database, std::wstring_view rule_type,
                                      std::wstring_view user, std::vector<RuleData>* rules);
// The rule of that identity, or nullopt when there is none.
[[nodiscard]] HRESULT LoadRule(Database& database, std::int64_t id, std::optional<RuleData>* rule);

// Stores a new rule and gives its identity: ARDENTDB_E_DUPLICATEVALUE when its value is taken.
[[nodiscard]] HRESULT InsertRule(Database& database, const RuleData& rule, std::int64_t* id);
// Replaces the stored rule `rule.id`: ARDENTDB_E_RULENOTFOUND when it is gone,
// ARDENTDB_E_DUPLICATEVALUE when its new value is taken.
[[nodiscard]] HRESULT UpdateRule(Database& database, const RuleData& rule);
// ARDENTDB_E_RULENOTFOUND when there is no such rule.
[[nodiscard]] HRESULT DeleteRule(Database& database, std::int64_t id);

}  // namespace pw::store
