// The "Fax administrators" list through the console host: its menu and toolbar, adding through
// the picker, and the removals that always keep one administrator.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "module/resources/user_dialogs.h"
#include "tests/snapin/user_list_fixture.h"

namespace pw::test {
namespace {

constexpr wchar_t kAdministrator[] = L"Administrator";
using NameList = std::vector<std::wstring>;

class AdministratorsTest : public UserListTest {
 protected:
  HSCOPEITEM ShowAdministrators() { return ShowScopeItem({L"Advanced", L"Fax administrators"}); }

  // Selects the rows named and runs the delete verb.
  void DeleteRows(const NameList& names) {
    std::vector<int> rows;
    for (const std::wstring& name : names) {
      rows.push_back(RowOf(name));
      ASSERT_GE(rows.back(), 0) << pw::ToUtf8(name);
    }
    ASSERT_TRUE(session().SelectRows(kView, rows).ok());
    const pw::mmc::OperationResult deleted = session().RunVerb(kView, MMC_VERB_DELETE);
    ASSERT_TRUE(deleted.ok()) << std::hex << deleted.hr << " " << pw::ToUtf8(deleted.error);
  }

  NameList SortedNames() {
    NameList names = Names();
    std::sort(names.begin(), names.end());
    return names;
  }
};

// One "&New..." item and one toolbar button; in the own database both open the picker with
// the administrators' texts, offering only registered users that are not administrators yet.
// The picked user joins the rule and the list; once every user is an administrator the picker
// says so and does not open.
TEST_F(AdministratorsTest, NewOffersOnlyNonAdministratorsThroughThePicker) {
  MakeInstallation();
  const std::wstring anna = AddObject(L"user", L"Anna Berger", L"anna@demo", L"anna");
  const std::wstring tom = AddObject(L"user", L"Tom Fischer", L"tom@demo", L"tom");
  AddToList(L"faxusers", {anna, tom});
  AddToList(L"admins", {anna});
  ASSERT_TRUE(AddSnapIn().ok());
  const HSCOPEITEM item = ShowAdministrators();
  EXPECT_EQ(SortedNames(), (NameList{kAdministrator, L"Anna Berger"}));

  std::vector<pw::mmc::MenuItem> items;
  ASSERT_TRUE(session().OpenContextMenu(kView, item, &items).ok());
  ASSERT_FALSE(items.empty());
  EXPECT_FALSE(items[0].console_item);
  EXPECT_EQ(items[0].name, L"&New...");
  EXPECT_EQ(items[0].status_text, L"Adds a new Pagewell administrator/administrative group.");
  EXPECT_EQ(items[0].command_id, 1);
  EXPECT_TRUE(items.size() < 2 || items[1].console_item);

  const pw::mmc::ConsoleState state = State();
  std::vector<pw::mmc::ToolbarState> attached;
  for (const pw::mmc::ToolbarState& shown : state.views.front().toolbars) {
    if (shown.attached) attached.push_back(shown);
  }
  ASSERT_EQ(attached.size(), 1u);
  ASSERT_EQ(attached[0].buttons.size(), 1u);
  EXPECT_EQ(attached[0].buttons[0].command, 32776);
  EXPECT_EQ(attached[0].buttons[0].tooltip, L"New fax administrator");

  ui_.ExpectDialog(L"Select Pagewell administrators", [](DialogDriver& picker) {
    EXPECT_EQ(picker.Text(IDC_SU_PROMPT),
              L"Select the Pagewell users to which you would like to send all Pagewell "
              L"notification messages.");
    const auto rows = picker.ShowRows(IDC_SU_AVAILABLE, 0, 10);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].at(0), L"Tom Fischer");
    picker.ClickRow(IDC_SU_AVAILABLE, 0);
    picker.Click(IDC_SU_ADD);
    picker.Click(IDOK);
  });
  ASSERT_TRUE(session().PressToolbarButton(kView, attached[0].index, 32776).ok());
  EXPECT_TRUE(Lists(L"admins", tom));
  EXPECT_EQ(UsersOf(L"admins").size(), 3u);
  EXPECT_EQ(SortedNames(), (NameList{kAdministrator, L"Anna Berger", L"Tom Fischer"}));

  ui_.ExpectMessageBox(IDOK,
                       L"There are no more Pagewell users that can be added.\n\nPlease configure "
                       L"more users/groups from the 'Licensed users' node.");
  RunMenu(item, L"&New...");
  EXPECT_EQ(ui_.message_boxes().size(), 1u);
  EXPECT_EQ(UsersOf(L"admins").size(), 3u);
}

// With Active Directory out of reach, "&New..." goes the registration way and stops with the
// connection message; the result pane carries the administrators' title.
TEST_F(AdministratorsTest, DirectoryModesWithoutConnectionFailCleanly) {
  MakeInstallation({.user_mode = 1});
  ASSERT_TRUE(AddSnapIn().ok());
  const HSCOPEITEM item = ShowAdministrators();
  EXPECT_EQ(State().views.front().message_view.title,
            L"Pagewell Administrators/Administrative Groups");
  ui_.ExpectMessageBox(
      IDOK,
      L"An error has occurred while connecting to Active Directory. Please check your network "
      L"connection and your Active Directory server, then try to manually connect again.");
  RunMenu(item, L"&New...");
  ASSERT_EQ(ui_.message_boxes().size(), 1u);
  EXPECT_EQ(ui_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONERROR));
}

// The only administrator cannot be deleted; the check counts the stored list, so once another
// session added one the delete asks, Cancel keeps it and OK removes it.
TEST_F(AdministratorsTest, TheLastAdministratorStaysAndTheCountIsRefreshedFirst) {
  MakeInstallation();
  const std::wstring anna = AddObject(L"user", L"Anna Berger", L"anna@demo", L"anna");
  AddToList(L"faxusers", {anna});
  const std::wstring administrator = UsersOf(L"admins").front();
  ASSERT_TRUE(AddSnapIn().ok());
  ShowAdministrators();

  ui_.ExpectMessageBox(IDOK,
                       L"This administrator cannot be removed since you must have at least one "
                       L"Pagewell administrator.");
  DeleteRows({kAdministrator});
  ASSERT_EQ(ui_.message_boxes().size(), 1u);
  EXPECT_EQ(ui_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(UsersOf(L"admins"), NameList{administrator});
  EXPECT_EQ(Names(), NameList{kAdministrator});

  AddToList(L"admins", {anna});
  ui_.ExpectMessageBox(IDCANCEL, L"Are you sure you want to remove this administrator?");
  DeleteRows({kAdministrator});
  EXPECT_EQ(ui_.message_boxes().back().buttons, static_cast<UINT>(MB_OKCANCEL));
  EXPECT_EQ(ui_.message_boxes().back().icon, static_cast<UINT>(MB_ICONQUESTION));
  EXPECT_TRUE(Lists(L"admins", administrator));
  EXPECT_EQ(SortedNames(), (NameList{kAdministrator, L"Anna Berger"}));

  ui_.ExpectMessageBox(IDOK, L"Are you sure you want to remove this administrator?");
  DeleteRows({kAdministrator});
  EXPECT_EQ(UsersOf(L"admins"), NameList{anna});
  EXPECT_TRUE(Lists(L"faxusers", administrator));
  EXPECT_EQ(Names(), NameList{L"Anna Berger"});
  EXPECT_TRUE(State().views.front().selected_rows.empty());
}

// Removing a member takes it out of every "admins" rule and leaves the others. The own
// database knows users only, so even an object made as a group gets the administrator question.
TEST_F(AdministratorsTest, RemovingRewritesEveryAdminsRule) {
  MakeInstallation();
  const std::wstring anna = AddObject(L"user", L"Anna Berger", L"anna@demo", L"anna");
  const std::wstring sales = AddObject(L"group", L"Sales", L"sales@demo");
  AddToList(L"faxusers", {anna, sales});
  const std::wstring administrator = UsersOf(L"admins").front();
  AddToList(L"admins", {anna});
  AddRule(L"admins", L"second", {anna, sales});
  ASSERT_TRUE(AddSnapIn().ok());
  ShowAdministrators();
  EXPECT_EQ(SortedNames(), (NameList{kAdministrator, L"Anna Berger", L"Sales"}));

  ui_.ExpectMessageBox(IDOK, L"Are you sure you want to remove this administrator?");
  DeleteRows({L"Anna Berger"});
  NameList stored = UsersOf(L"admins");
  std::sort(stored.begin(), stored.end());
  NameList expected{administrator, sales};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(stored, expected);
  EXPECT_TRUE(Lists(L"faxusers", anna));

  ui_.ExpectMessageBox(IDCANCEL, L"Are you sure you want to remove this administrator?");
  DeleteRows({L"Sales"});
  EXPECT_TRUE(Lists(L"admins", sales));
  EXPECT_EQ(SortedNames(), (NameList{kAdministrator, L"Sales"}));
}

// Selecting every administrator and deleting is refused before any question; a smaller
// selection is asked about once and removed without further questions.
TEST_F(AdministratorsTest, DeletingAllAtOnceIsRefusedBeforeTheQuestion) {
  MakeInstallation();
  const std::wstring anna = AddObject(L"user", L"Anna Berger", L"anna@demo", L"anna");
  const std::wstring tom = AddObject(L"user", L"Tom Fischer", L"tom@demo", L"tom");
  AddToList(L"faxusers", {anna, tom});
  AddToList(L"admins", {anna, tom});
  ASSERT_TRUE(AddSnapIn().ok());
  ShowAdministrators();

  ui_.ExpectMessageBox(IDOK,
                       L"Pagewell requires at least one administrator to be configured. Please do "
                       L"not delete all administrators.");
  DeleteRows({kAdministrator, L"Anna Berger", L"Tom Fischer"});
  ASSERT_EQ(ui_.message_boxes().size(), 1u);
  EXPECT_EQ(ui_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(UsersOf(L"admins").size(), 3u);
  EXPECT_EQ(State().views.front().row_count, 3);

  ui_.ExpectMessageBox(IDOK, L"Are you sure you want to remove these entries?");
  DeleteRows({L"Anna Berger", L"Tom Fischer"});
  EXPECT_EQ(ui_.message_boxes().size(), 2u);
  EXPECT_EQ(Names(), NameList{kAdministrator});
  EXPECT_FALSE(Lists(L"admins", anna));
  EXPECT_FALSE(Lists(L"admins", tom));
}

// An administrator whose sheet is open is not removed: a single delete says why, a multiple
// delete keeps it and reports the open sheets.
TEST_F(AdministratorsTest, OpenSheetRefusesTheDelete) {
  MakeInstallation();
  const std::wstring anna = AddObject(L"user", L"Anna Berger", L"anna@demo", L"anna");
  const std::wstring tom = AddObject(L"user", L"Tom Fischer", L"tom@demo", L"tom");
  AddToList(L"faxusers", {anna, tom});
  AddToList(L"admins", {anna, tom});
  ASSERT_TRUE(AddSnapIn().ok());
  ShowAdministrators();
  ASSERT_TRUE(session().SelectRows(kView, {RowOf(L"Anna Berger")}).ok());
  ASSERT_TRUE(session().RunVerb(kView, MMC_VERB_PROPERTIES).ok());
  ASSERT_EQ(State().sheets.size(), 1u);

  ui_.ExpectMessageBox(
      IDOK, L"Please close this administrator's property sheet before deleting the entry.");
  DeleteRows({L"Anna Berger"});
  ASSERT_EQ(ui_.message_boxes().size(), 1u);
  EXPECT_EQ(ui_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONERROR));
  EXPECT_TRUE(Lists(L"admins", anna));

  ui_.ExpectMessageBox(IDOK, L"Are you sure you want to remove these entries?");
  ui_.ExpectMessageBox(
      IDOK, L"Not all entries could be deleted since there were some open property sheets.");
  DeleteRows({L"Anna Berger", L"Tom Fischer"});
  EXPECT_EQ(ui_.message_boxes().size(), 3u);
  EXPECT_TRUE(Lists(L"admins", anna));
  EXPECT_FALSE(Lists(L"admins", tom));
  EXPECT_EQ(SortedNames(), (NameList{kAdministrator, L"Anna Berger"}));
}

}  // namespace
}  // namespace pw::test
