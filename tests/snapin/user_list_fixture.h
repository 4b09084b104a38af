// The fixture of the user list tests: an own-database installation with users added to its
// user database and rules written to its configuration store, both from the console thread.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "installation/interfaces/ardent_db.h"
#include "installation/interfaces/ardent_userdb.h"
#include "platform/com/class_loader.h"
#include "platform/com/strings.h"
#include "tests/support/snapin_console.h"

namespace pw::test {

class UserListTest : public SnapinConsoleTest {
 protected:
  static constexpr wchar_t kLicensedUsers[] = L"Licensed users";

  // Runs `action` with the installation's stores on the console thread; a ComError fails the
  // test.
  void WithStores(const std::function<void(IArdentRULEDB&, IArdentUserLocator&)>& action) {
    const std::wstring folder = pw::FromUtf8(installation_->server_folder());
    const pw::mmc::OperationResult result = session().Run([&](pw::mmc::Console&) -> HRESULT {
      try {
        IArdentDBPtr store;
        HRESULT hr = pw::CreateInstance(CLSID_ArdentDB, &store);
        if (FAILED(hr)) return hr;
        pw::ComPtr<IArdentUserDB> users;
        hr = pw::CreateInstance(CLSID_ArdentUserDB, &users);
        if (FAILED(hr)) return hr;
        store->Open(0, folder);
        users->Connect(7, L"dbpath=" + folder + L"/" + ARDENTUSERDB_FILE_NAME);
        action(*store.As<IArdentRULEDB>(), *users.As<IArdentUserLocator>());
        users->Close();
        store->Close();
      } catch (const ComError& error) {
        return error.Error();
      }
      return S_OK;
    });
    EXPECT_TRUE(result.ok()) << std::hex << result.hr;
  }

  // A new object of the own database; answers its identity.
  std::wstring AddObject(const std::wstring& type, const std::wstring& name,
                         const std::wstring& mail, const std::wstring& login = {}) {
    std::wstring identity;
    WithStores([&](IArdentRULEDB&, IArdentUserLocator& users) {
      IArdentUserPtr user = users.CreateUser(type);
      user->SetAttribute(L"cn", VARIANT::FromBstr(name));
      if (!mail.empty()) user->SetAttribute(L"mail", VARIANT::FromBstr(mail));
      if (!login.empty()) user->SetAttribute(L"ardentWindowsAccount", VARIANT::FromBstr(login));
      user->Save();
      identity = user->GetIdentity();
    });
    return identity;
  }

  // Adds `identities` to the first rule of `list_rule`, made when there is none.
  void AddToList(const std::wstring& list_rule, const std::vector<std::wstring>& identities) {
    WithStores([&](IArdentRULEDB& rules, IArdentUserLocator&) {
      IArdentRulePtr rule;
      rules.EnumRules(L"", list_rule)->Next(&rule);
      const bool is_new = !rule;
      if (is_new) rule = rules.CreateRule(list_rule);
      for (const std::wstring& identity : identities) rule->AddUser(identity);
      rules.SaveRule(rule.Get(), is_new ? VARIANT_TRUE : VARIANT_FALSE);
    });
  }

  void RemoveFromList(const std::wstring& list_rule, const std::wstring& identity) {
    WithStores([&](IArdentRULEDB& rules, IArdentUserLocator&) {
      const IArdentRuleEnumPtr found = rules.EnumRules(L"", list_rule);
      IArdentRulePtr rule;
      while (found->Next(&rule) == S_OK) {
        if (rule->RemoveUser(identity) == S_OK) rules.SaveRule(rule.Get(), VARIANT_FALSE);
      }
    });
  }

  // A new rule of `type` with the value and the users given.
  void AddRule(const std::wstring& type, const std::wstring& value,
               const std::vector<std::wstring>& identities) {
    WithStores([&](IArdentRULEDB& rules, IArdentUserLocator&) {
      IArdentRulePtr rule = rules.CreateRule(type);
      rule->SetField(L"ObjectValue", VARIANT::FromBstr(value));
      for (const std::wstring& identity : identities) rule->AddUser(identity);
      rules.SaveRule(rule.Get(), VARIANT_TRUE);
    });
  }

  // The users of every rule of `type`, in store order.
  std::vector<std::wstring> UsersOf(const std::wstring& type) {
    std::vector<std::wstring> users;
    WithStores([&](IArdentRULEDB& rules, IArdentUserLocator&) {
      const IArdentRuleEnumPtr found = rules.EnumRules(L"", type);
      IArdentRulePtr rule;
      while (found->Next(&rule) == S_OK) {
        const IArdentTextEnumPtr texts = rule->EnumUsers();
        _bstr_t user;
        while (texts->Next(&user) == S_OK) users.push_back(user.str());
      }
    });
    return users;
  }

  bool Lists(const std::wstring& type, const std::wstring& identity) {
    const std::vector<std::wstring> users = UsersOf(type);
    return std::find(users.begin(), users.end(), identity) != users.end();
  }

  // Selects "Licensed users" and answers its item.
  HSCOPEITEM ShowLicensedUsers() { return ShowScopeItem({kLicensedUsers}); }

  // Column 0 of the rows the view shows.
  std::vector<std::wstring> Names() {
    const pw::mmc::ConsoleState state = State();
    std::vector<pw::mmc::RowData> rows;
    const int count = state.views.empty() ? 0 : state.views.front().row_count;
    std::vector<std::wstring> names;
    if (count == 0) return names;
    EXPECT_TRUE(session().ReadRows(kView, 0, count - 1, &rows).ok());
    for (const pw::mmc::RowData& row : rows)
      names.push_back(row.texts.empty() ? L"" : row.texts[0]);
    return names;
  }

  // The index of the row whose first column is `name`, or -1.
  int RowOf(const std::wstring& name) {
    const std::vector<std::wstring> names = Names();
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
  }
};

}  // namespace pw::test
