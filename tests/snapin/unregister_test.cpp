// Unregistering licensed users through the console host: the refusals that keep a default
// router and an administrator, the questions, the removal from every rule, and the summary of
// a multiple selection.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/snapin/user_list_fixture.h"

namespace pw::test {
namespace {

constexpr wchar_t kAdministrator[] = L"Administrator";

class UnregisterTest : public UserListTest {
 protected:
  // Selects the row named `name` and runs the delete verb on it.
  void DeleteRow(const std::wstring& name) {
    const int row = RowOf(name);
    ASSERT_GE(row, 0) << pw::ToUtf8(name);
    ASSERT_TRUE(session().SelectRows(kView, {row}).ok());
    const pw::mmc::OperationResult deleted = session().RunVerb(kView, MMC_VERB_DELETE);
    ASSERT_TRUE(deleted.ok()) << std::hex << deleted.hr << " " << pw::ToUtf8(deleted.error);
  }
};

// The only default router and then the only administrator cannot be unregistered: each
// refusal names its list and changes nothing.
TEST_F(UnregisterTest, RefusesTheLastDefaultRouterAndAdministrator) {
  MakeInstallation();
  const std::wstring anna = AddObject(L"user", L"Anna", L"anna@demo", L"anna");
  AddToList(L"faxusers", {anna});
  const std::wstring administrator = UsersOf(L"admins").front();
  ASSERT_TRUE(AddSnapIn().ok());
  ShowLicensedUsers();

  ui_.ExpectMessageBox(
      IDOK,
      L"The user cannot be unregistered since it is the only user in the default routing "
      L"list.\n\nPlease configure another default user or group from Routing->Properties before "
      L"unregistering this user.");
  DeleteRow(kAdministrator);
  AddToList(L"defrouters", {anna});
  ui_.ExpectMessageBox(
      IDOK,
      L"The user cannot be unregistered since it is the only user in the fax administrators "
      L"list.\n\nPlease configure another user or group as a fax administrator before "
      L"unregistering this user.");
  DeleteRow(kAdministrator);
  ASSERT_EQ(ui_.message_boxes().size(), 2u);
  EXPECT_EQ(ui_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(ui_.message_boxes()[0].buttons, static_cast<UINT>(MB_OK));
  EXPECT_TRUE(Lists(L"faxusers", administrator));
  EXPECT_TRUE(Lists(L"defrouters", administrator));
  EXPECT_EQ(Names(), (std::vector<std::wstring>{kAdministrator, L"Anna"}));
}

// An object that rules list is asked about with the rules text; Cancel keeps everything, OK
// takes it out of the list, its route, the coverpage and the administrators. An object in no
// rule gets the plain question.
TEST_F(UnregisterTest, RemovesTheObjectFromEveryRuleAfterAsking) {
  MakeInstallation();
  const std::wstring anna = AddObject(L"user", L"Anna", L"anna@demo", L"anna");
  const std::wstring tom = AddObject(L"user", L"Tom", L"tom@demo", L"tom");
  AddToList(L"faxusers", {anna, tom});
  AddToList(L"admins", {anna});
  AddRule(L"csid", L"+49 89 1234567", {anna});
  AddRule(L"coverpage", L"letter.cov", {anna, tom});
  ASSERT_TRUE(AddSnapIn().ok());
  ShowLicensedUsers();

  const std::wstring in_rules =
      L"There are configured rules that include this user. If you unregister this user, all "
      L"references to the user in these rules will also be removed.\n\nAre you sure you want to "
      L"proceed?";
  ui_.ExpectMessageBox(IDCANCEL, in_rules);
  DeleteRow(L"Anna");
  EXPECT_TRUE(Lists(L"faxusers", anna));
  EXPECT_TRUE(Lists(L"csid", anna));
  EXPECT_EQ(State().views.front().row_count, 3);

  ui_.ExpectMessageBox(IDOK, in_rules);
  DeleteRow(L"Anna");
  EXPECT_FALSE(Lists(L"faxusers", anna));
  EXPECT_FALSE(Lists(L"admins", anna));
  EXPECT_FALSE(Lists(L"csid", anna));
  EXPECT_FALSE(Lists(L"coverpage", anna));
  EXPECT_TRUE(Lists(L"coverpage", tom));
  EXPECT_EQ(Names(), (std::vector<std::wstring>{kAdministrator, L"Tom"}));

  // The coverpage still lists Tom: the rules text again; once it does not, the plain one.
  ui_.ExpectMessageBox(IDCANCEL, in_rules);
  DeleteRow(L"Tom");
  WithStores([&](IArdentRULEDB& rules, IArdentUserLocator&) {
    IArdentRulePtr rule;
    rules.EnumRules(L"", L"coverpage")->Next(&rule);
    rule->RemoveUser(tom);
    rules.SaveRule(rule.Get(), VARIANT_FALSE);
  });
  ui_.ExpectMessageBox(IDOK, L"Are you sure you want to unregister this user?");
  DeleteRow(L"Tom");
  ASSERT_EQ(ui_.message_boxes().size(), 4u);
  EXPECT_EQ(ui_.message_boxes()[3].buttons, static_cast<UINT>(MB_OKCANCEL));
  EXPECT_EQ(ui_.message_boxes()[3].icon, static_cast<UINT>(MB_ICONQUESTION));
  EXPECT_FALSE(Lists(L"faxusers", tom));
  EXPECT_EQ(Names(), (std::vector<std::wstring>{kAdministrator}));
}

// A multiple selection asks once, unregisters what it may without further questions and
// names the default routing list for the one it kept.
TEST_F(UnregisterTest, MultipleSelectionSummarisesTheKeptDefaultRouter) {
  MakeInstallation();
  const std::wstring anna = AddObject(L"user", L"Anna", L"anna@demo", L"anna");
  const std::wstring tom = AddObject(L"user", L"Tom", L"tom@demo", L"tom");
  AddToList(L"faxusers", {anna, tom});
  AddToList(L"admins", {tom});
  AddRule(L"did", L"0100", {anna});
  ASSERT_TRUE(AddSnapIn().ok());
  ShowLicensedUsers();

  ui_.ExpectMessageBox(IDOK, L"Are you sure you want to remove these entries?");
  ui_.ExpectMessageBox(
      IDOK,
      L"One of the users was not unregistered since it is the only user left in the default "
      L"routing list.\n\nPlease configure another default user or group from "
      L"Routing->Properties before unregistering this user.");
  ASSERT_TRUE(session().SelectRows(kView, {0, 1, 2}).ok());
  ASSERT_TRUE(session().RunVerb(kView, MMC_VERB_DELETE).ok());
  ASSERT_EQ(ui_.message_boxes().size(), 2u);
  EXPECT_EQ(ui_.message_boxes()[1].icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(Names(), (std::vector<std::wstring>{kAdministrator}));
  EXPECT_FALSE(Lists(L"faxusers", anna));
  EXPECT_FALSE(Lists(L"did", anna));
  EXPECT_FALSE(Lists(L"admins", tom));
  EXPECT_TRUE(State().views.front().selected_rows.empty());
}

// An object whose sheet is open is refused before any question, and a refresh keeps it (with
// its message) even after it left the store.
TEST_F(UnregisterTest, OpenSheetKeepsTheObject) {
  MakeInstallation();
  const std::wstring anna = AddObject(L"user", L"Anna", L"anna@demo", L"anna");
  AddToList(L"faxusers", {anna});
  ASSERT_TRUE(AddSnapIn().ok());
  const HSCOPEITEM item = ShowLicensedUsers();
  ASSERT_TRUE(session().SelectRows(kView, {RowOf(L"Anna")}).ok());
  ASSERT_TRUE(session().RunVerb(kView, MMC_VERB_PROPERTIES).ok());
  ASSERT_EQ(State().sheets.size(), 1u);

  ui_.ExpectMessageBox(IDOK,
                       L"The user cannot be unregistered because the property sheet for this user "
                       L"is currently open.");
  DeleteRow(L"Anna");
  EXPECT_EQ(ui_.message_boxes().back().icon, static_cast<UINT>(MB_ICONWARNING));
  EXPECT_TRUE(Lists(L"faxusers", anna));

  RemoveFromList(L"faxusers", anna);
  ui_.ExpectMessageBox(IDOK, L"Cannot refresh properly since there are open property sheets.");
  ASSERT_TRUE(session().SelectScopeItem(kView, item).ok());
  EXPECT_EQ(Names(), (std::vector<std::wstring>{kAdministrator, L"Anna"}));
  EXPECT_EQ(ui_.message_boxes().back().icon, static_cast<UINT>(MB_ICONERROR));
}

// Five selected users of which one has its sheet open: after the one question the other four
// go, the open one stays, and the summary names the open sheets.
TEST_F(UnregisterTest, MultipleSelectionKeepsTheOneWithAnOpenSheet) {
  MakeInstallation();
  std::vector<std::wstring> users;
  for (const wchar_t* name : {L"Anna", L"Ben", L"Carl", L"Dora", L"Emil"}) {
    users.push_back(AddObject(L"user", name, std::wstring(name) + L"@demo", name));
  }
  AddToList(L"faxusers", users);
  ASSERT_TRUE(AddSnapIn().ok());
  ShowLicensedUsers();
  ASSERT_TRUE(session().SelectRows(kView, {RowOf(L"Carl")}).ok());
  ASSERT_TRUE(session().RunVerb(kView, MMC_VERB_PROPERTIES).ok());
  ASSERT_EQ(State().sheets.size(), 1u);

  ui_.ExpectMessageBox(IDOK, L"Are you sure you want to remove these entries?");
  ui_.ExpectMessageBox(
      IDOK, L"Not all entries could be deleted since there were some open property sheets.");
  ASSERT_TRUE(session()
                  .SelectRows(kView, {RowOf(L"Anna"), RowOf(L"Ben"), RowOf(L"Carl"), RowOf(L"Dora"),
                                      RowOf(L"Emil")})
                  .ok());
  ASSERT_TRUE(session().RunVerb(kView, MMC_VERB_DELETE).ok());
  ASSERT_EQ(ui_.message_boxes().size(), 2u);
  EXPECT_EQ(ui_.message_boxes()[1].icon, static_cast<UINT>(MB_ICONWARNING));
  EXPECT_EQ(Names(), (std::vector<std::wstring>{kAdministrator, L"Carl"}));
  for (std::size_t index = 0; index < users.size(); ++index) {
    EXPECT_EQ(Lists(L"faxusers", users[index]), index == 2) << index;
  }
}

}  // namespace
}  // namespace pw::test
