// Unregistering: the refusal checks, the question and the removal of an object from every rule.
#include "module/users/unregister.h"

#include <set>

#include "module/resources/users_list.h"
#include "module/snapin/component_data.h"
#include "module/snapin/multiple_delete.h"
#include "module/snapin/pwconfig_app.h"
#include "module/snapin/view_hints.h"
#include "module/users/users_node_delegation.h"
#include "platform/com/strings.h"

namespace {

// The user lists, which every registered object may be in without counting as a rule.
bool IsUserList(std::wstring_view type) {
  return pw::EqualsIgnoreCase(type, L"faxusers") || pw::EqualsIgnoreCase(type, L"admins") ||
         pw::EqualsIgnoreCase(type, L"smsusers");
}

std::vector<std::wstring> UsersOf(IArdentRule& rule) {
  std::vector<std::wstring> users;
  const IArdentTextEnumPtr texts = rule.EnumUsers();
  _bstr_t user;
  while (texts && texts->Next(&user) == S_OK) users.push_back(user.str());
  return users;
}

}  // namespace

namespace pw {

std::vector<ListingRule> RulesListing(IArdentRULEDB& rules, const std::wstring& guid) {
  std::vector<ListingRule> listing;
  std::set<std::wstring> seen;
  auto add = [&](IArdentRule& rule) {
    const std::wstring id = rule.GetField(L"ObjectID").ToString();
    if (!seen.insert(id).second) return;
    listing.push_back({rule.GetRuleType(), id});
  };
  IArdentRulePtr rule;
  // No type: every rule of any type whose users include the object.
  const IArdentRuleEnumPtr by_user = rules.EnumRules(guid, L"");
  while (by_user && by_user->Next(&rule) == S_OK) add(*rule);
  // Coverpage rules are searched as well, in case the store's user filter leaves them out.
  const IArdentRuleEnumPtr coverpages = rules.EnumRules(L"", L"coverpage");
  while (coverpages && coverpages->Next(&rule) == S_OK) {
    for (const std::wstring& user : UsersOf(*rule)) {
      if (pw::EqualsIgnoreCase(user, guid)) {
        add(*rule);
        break;
      }
    }
  }
  return listing;
}

bool IsOnlyMemberOf(IArdentRULEDB& rules, const std::wstring& list_rule, const std::wstring& guid) {
  std::set<std::wstring, pw::LessIgnoreCase> members;
  IArdentRulePtr rule;
  const IArdentRuleEnumPtr found = rules.EnumRules(L"", list_rule);
  while (found && found->Next(&rule) == S_OK) {
    for (std::wstring& user : UsersOf(*rule)) members.insert(std::move(user));
  }
  return members.count(guid) != 0 && members.size() <= 1;
}

}  // namespace pw

HRESULT CUsersNodeDelegation::UnregisterUser(CUserNodeDelegation* node, CComponent*,
                                             IConsole* console, int flag) {
  return Unregister(node, console, flag);
}

HRESULT CUsersNodeDelegation::Unregister(CUserNodeDelegation* node, IConsole* console, int flag) {
  if (node == nullptr || component_data_ == nullptr) return E_POINTER;
  const bool group = node->object_type() == L"group";
  const bool single = flag == 0;
  if (node->IsSheetOpen()) {
    if (single) {
      Message(LoadModuleString(group ? IDS_GROUP_SHEET_OPEN : IDS_USER_SHEET_OPEN),
              MB_OK | MB_ICONWARNING);
    }
    return kDeleteKeptSheetOpen;
  }
  IArdentRULEDB* rules = component_data_->rule_store();
  if (rules == nullptr) return E_POINTER;
  struct ProtectedList {
    const wchar_t* rule;
    UINT user_text;
    UINT group_text;
  };
  static constexpr ProtectedList kProtected[] = {
      {L"defrouters", IDS_USER_ONLY_DEFAULT_ROUTER, IDS_GROUP_ONLY_DEFAULT_ROUTER},
      {L"admins", IDS_USER_ONLY_ADMINISTRATOR, IDS_GROUP_ONLY_ADMINISTRATOR},
  };
  try {
    for (const ProtectedList& list : kProtected) {
      if (!pw::IsOnlyMemberOf(*rules, list.rule, node->guid())) continue;
      if (single) {
        Message(LoadModuleString(group ? list.group_text : list.user_text),
                MB_OK | MB_ICONINFORMATION);
      }
      return group ? kDeleteKeptLastGroup : kDeleteKeptLastUser;
    }
  } catch (const ComError& error) {
    WriteLog(L"FAILED raw_EnumRules. Return 0x%08X.", static_cast<DWORD>(error.Error()));
    return error.Error();
  }
  return RemoveUser(node, console, flag);
}

HRESULT CUsersNodeDelegation::RemoveUser(CUserNodeDelegation* node, IConsole*, int flag) {
  const bool group = node->object_type() == L"group";
  IArdentRULEDB* rules = component_data_->rule_store();
  const std::wstring guid = node->guid();
  try {
    const std::vector<pw::ListingRule> listing = pw::RulesListing(*rules, guid);
    const bool in_rules =
        std::any_of(listing.begin(), listing.end(),
                    [](const pw::ListingRule& rule) { return !IsUserList(rule.type); });
    if (flag == 0) {
      UINT question = group ? IDS_CONFIRM_UNREGISTER_GROUP : IDS_CONFIRM_UNREGISTER_USER;
      if (in_rules) question = group ? IDS_GROUP_IN_RULES : IDS_USER_IN_RULES;
      if (Message(LoadModuleString(question), MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        return S_FALSE;
      }
    }
    for (const pw::ListingRule& listed : listing) {
      WriteLog(L"Rule to delete...");
      WriteLog(L"%s", listed.id);
      const IArdentRulePtr rule = rules->GetRule(listed.id);
      if (!rule) continue;
      rule->RemoveUser(guid);
      rules->SaveRule(rule.Get(), VARIANT_FALSE);
    }
  } catch (const ComError& error) {
    WriteLog(L"FAILED removing %s. Return 0x%08X.", guid, static_cast<DWORD>(error.Error()));
    return error.Error();
  }
  DropUserNode(node);
  return S_OK;
}
