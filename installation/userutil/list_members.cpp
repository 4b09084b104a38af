// User lists of the rule store and group membership.
#include "installation/userutil/list_members.h"

#include <deque>
#include <set>

#include "platform/com/strings.h"

namespace pw::userutil {
namespace {

using IdentitySet = std::set<std::wstring, LessIgnoreCase>;

std::vector<std::wstring> AllTexts(const IArdentTextEnumPtr& texts) {
  std::vector<std::wstring> result;
  if (!texts) return result;
  _bstr_t text;
  while (texts->Next(&text) == S_OK) result.push_back(text.str());
  return result;
}

IArdentUserPtr FindWith(IArdentUserLocator& users, LONG search_type, const std::wstring& identity) {
  IArdentUserPtr user;
  users.FindUser(search_type, identity, &user);
  return user;
}

}  // namespace

std::vector<std::wstring> ListMembers(IArdentRULEDB& rules, const std::wstring& list_rule) {
  std::vector<std::wstring> members;
  IdentitySet seen;
  const IArdentRuleEnumPtr found = rules.EnumRules(L"", list_rule);
  if (!found) return members;
  IArdentRulePtr rule;
  while (found->Next(&rule) == S_OK) {
    for (std::wstring& user : AllTexts(rule->EnumUsers())) {
      if (seen.insert(user).second) members.push_back(std::move(user));
    }
  }
  return members;
}

void AddToList(IArdentRULEDB& rules, const std::wstring& list_rule, const std::wstring& identity) {
  IArdentRulePtr rule;
  if (const IArdentRuleEnumPtr found = rules.EnumRules(L"", list_rule)) found->Next(&rule);
  const bool is_new = !rule;
  if (is_new) rule = rules.CreateRule(list_rule);
  rule->AddUser(identity);
  rules.SaveRule(rule.Get(), is_new ? VARIANT_TRUE : VARIANT_FALSE);
}

IArdentUserPtr FindObject(IArdentUserLocator& users, const std::wstring& identity,
                          LONG directory_mode) {
  if (directory_mode == 2) return FindWith(users, udbSearchDN, identity);
  IArdentUserPtr user = FindWith(users, udbSearchDefault, identity);
  if (!user && directory_mode == kAnyDirectoryMode) user = FindWith(users, udbSearchDN, identity);
  return user;
}

std::vector<std::wstring> ContainingGroups(IArdentUserLocator& users, const std::wstring& identity,
                                           LONG directory_mode) {
  std::vector<std::wstring> groups;
  IdentitySet seen{identity};
  std::deque<IArdentUserPtr> pending;
  if (IArdentUserPtr object = FindObject(users, identity, directory_mode)) {
    pending.push_back(std::move(object));
  }
  // Breadth first, so that nearer groups come first; `seen` ends the walk in a cycle of
  // nested groups.
  while (!pending.empty()) {
    const IArdentUserPtr object = std::move(pending.front());
    pending.pop_front();
    for (std::wstring& group : AllTexts(object->EnumGroups())) {
      if (!seen.insert(group).second) continue;
      if (IArdentUserPtr parent = FindObject(users, group, directory_mode)) {
        pending.push_back(std::move(parent));
      }
      groups.push_back(std::move(group));
    }
  }
  return groups;
}

std::vector<std::wstring> ListedContainingGroups(IArdentRULEDB& rules, IArdentUserLocator& users,
                                                 const std::wstring& list_rule,
                                                 const std::wstring& identity,
                                                 LONG directory_mode) {
  const std::vector<std::wstring> members = ListMembers(rules, list_rule);
  const IdentitySet listed(members.begin(), members.end());
  std::vector<std::wstring> result;
  for (std::wstring& group : ContainingGroups(users, identity, directory_mode)) {
    if (listed.contains(group)) result.push_back(std::move(group));
  }
  return result;
}

}  // namespace pw::userutil
