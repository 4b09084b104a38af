// The "Licensed users" list through the console host: columns, rows, sorting, type-ahead,
// refresh reconciliation, its menu per directory mode, the not-connected result pane, the
// "Exchange DSA" dialog and the summaries' name lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module/resources/user_dialogs.h"
#include "module/resources/users_list.h"
#include "module/users/name_list.h"
#include "tests/snapin/user_list_fixture.h"

namespace pw::test {
namespace {

constexpr wchar_t kAdministrator[] = L"Administrator";

class LicensedUsersTest : public UserListTest {
 protected:
  // The snap-in's own items of the context menu of `item`.
  std::vector<pw::mmc::MenuItem> SnapinMenu(HSCOPEITEM item) {
    std::vector<pw::mmc::MenuItem> items;
    EXPECT_TRUE(session().OpenContextMenu(kView, item, &items).ok());
    std::vector<pw::mmc::MenuItem> own;
    for (const pw::mmc::MenuItem& menu_item : items) {
      if (!menu_item.console_item) own.push_back(menu_item);
    }
    return own;
  }

  int MenuIndex(HSCOPEITEM item, LONG command) {
    std::vector<pw::mmc::MenuItem> items;
    EXPECT_TRUE(session().OpenContextMenu(kView, item, &items).ok());
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (!items[i].console_item && items[i].command_id == command) return static_cast<int>(i);
    }
    ADD_FAILURE() << "no menu command " << command;
    return -1;
  }
};

// The own database's list: three columns of 100, one row per member with name, login and
// e-mail, sorting by each column in both directions, and type-ahead with and without wrap.
TEST_F(LicensedUsersTest, ShowsMembersWithColumnsSortsAndFinds) {
  MakeInstallation();
  const std::wstring anna = AddObject(L"user", L"anna Berger", L"anna@demo", L"zberger");
  const std::wstring tom = AddObject(L"user", L"Tom Fischer", L"a.tom@demo", L"tfischer");
  AddToList(L"faxusers", {anna, tom});
  ASSERT_TRUE(AddSnapIn().ok());
  ShowLicensedUsers();

  const pw::mmc::ConsoleState state = State();
  ASSERT_EQ(state.views.size(), 1u);
  const pw::mmc::ViewState& view = state.views.front();
  EXPECT_EQ(view.kind, pw::mmc::ResultPaneKind::kVirtualList);
  ASSERT_EQ(view.columns.size(), 3u);
  EXPECT_EQ(view.columns[0].title, L"Name");
  EXPECT_EQ(view.columns[1].title, L"Login");
  EXPECT_EQ(view.columns[2].title, L"E-mail");
  for (const pw::mmc::ColumnState& column : view.columns) {
    EXPECT_EQ(column.width, 100);
    EXPECT_EQ(column.format, LVCFMT_LEFT);
  }
  ASSERT_EQ(view.row_count, 3);
  std::vector<pw::mmc::RowData> rows;
  ASSERT_TRUE(session().ReadRows(kView, 0, 2, &rows).ok());
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].texts,
            (std::vector<std::wstring>{kAdministrator, kAdministrator, L"Administrator@Pagewell"}));
  EXPECT_EQ(rows[1].texts, (std::vector<std::wstring>{L"anna Berger", L"zberger", L"anna@demo"}));
  EXPECT_EQ(rows[2].texts, (std::vector<std::wstring>{L"Tom Fischer", L"tfischer", L"a.tom@demo"}));

  ASSERT_TRUE(session().Sort(kView, 0, false).ok());
  EXPECT_EQ(Names(), (std::vector<std::wstring>{kAdministrator, L"anna Berger", L"Tom Fischer"}));
  ASSERT_TRUE(session().Sort(kView, 0, true).ok());
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Tom Fischer", L"anna Berger", kAdministrator}));
  ASSERT_TRUE(session().Sort(kView, 1, false).ok());
  EXPECT_EQ(Names(), (std::vector<std::wstring>{kAdministrator, L"Tom Fischer", L"anna Berger"}));
  ASSERT_TRUE(session().Sort(kView, 2, false).ok());
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Tom Fischer", kAdministrator, L"anna Berger"}));

  int found = -2;
  ASSERT_TRUE(session().TypeAhead(kView, L"ANN", &found).ok());
  EXPECT_EQ(found, 2);
  ASSERT_TRUE(session().TypeAhead(kView, L"nobody", &found).ok());
  EXPECT_EQ(found, -1);
  EXPECT_TRUE(ui_.message_boxes().empty());
}

// A refresh adds members that appeared in the store and drops those that left, keeping the
// store's order; an empty list shows no rows.
TEST_F(LicensedUsersTest, RefreshReconcilesWithTheStore) {
  MakeInstallation();
  const std::wstring anna = AddObject(L"user", L"Anna", L"anna@demo", L"anna");
  ASSERT_TRUE(AddSnapIn().ok());
  const HSCOPEITEM item = ShowLicensedUsers();
  EXPECT_EQ(Names(), (std::vector<std::wstring>{kAdministrator}));

  AddToList(L"faxusers", {anna});
  ASSERT_TRUE(session().SelectScopeItem(kView, item).ok());
  ASSERT_TRUE(session().RunVerb(kView, MMC_VERB_REFRESH).ok());
  EXPECT_EQ(Names(), (std::vector<std::wstring>{kAdministrator, L"Anna"}));

  RemoveFromList(L"faxusers", anna);
  RemoveFromList(L"faxusers", UsersOf(L"faxusers").front());
  ASSERT_TRUE(session().RunVerb(kView, MMC_VERB_REFRESH).ok());
  EXPECT_EQ(State().views.front().row_count, 0);
  EXPECT_EQ(State().views.front().columns.size(), 3u);
  EXPECT_TRUE(ui_.message_boxes().empty());
}

// A user database that cannot be opened still counts as connected: the rows show their
// identities as names.
TEST_F(LicensedUsersTest, DamagedOwnDatabaseShowsIdentities) {
  MakeInstallation();
  const std::vector<std::wstring> members = UsersOf(L"faxusers");
  ASSERT_EQ(members.size(), 1u);
  installation_->dir().WriteFile("server/pwdb_usr.fst", "not a user database");
  ASSERT_TRUE(AddSnapIn().ok());
  ShowLicensedUsers();
  EXPECT_EQ(State().views.front().kind, pw::mmc::ResultPaneKind::kVirtualList);
  EXPECT_EQ(Names(), members);
}

// The own database's menu: new user and the two imports; new user opens the add-user dialog,
// and cancelling it changes nothing.
TEST_F(LicensedUsersTest, OwnDatabaseMenuOffersNewUserAndImports) {
  MakeInstallation();
  ASSERT_TRUE(AddSnapIn().ok());
  const HSCOPEITEM item = ShowLicensedUsers();
  const std::vector<pw::mmc::MenuItem> menu = SnapinMenu(item);
  ASSERT_EQ(menu.size(), 3u);
  EXPECT_EQ(menu[0].name, L"&New licensed user/group...");
  EXPECT_EQ(menu[0].status_text, L"Add a new licensed Pagewell user or group.");
  EXPECT_EQ(menu[0].command_id, 1);
  EXPECT_EQ(menu[1].name, L"&Import users...");
  EXPECT_EQ(menu[1].status_text, L"Imports a set of users from your network system.");
  EXPECT_EQ(menu[1].command_id, 4);
  EXPECT_EQ(menu[2].name, L"I&mport users from file...");
  EXPECT_EQ(menu[2].status_text, L"Imports information about a set of users from a file.");
  EXPECT_EQ(menu[2].command_id, 5);
  for (const pw::mmc::MenuItem& menu_item : menu) EXPECT_EQ(menu_item.flags & MF_GRAYED, 0);

  ui_.ExpectDialog(IDD_ADD_USER, [](DialogDriver& dialog) { dialog.Click(IDCANCEL); });
  ASSERT_TRUE(session().RunMenuItem(kView, MenuIndex(item, 1)).ok());
  EXPECT_EQ(UsersOf(L"faxusers").size(), 1u);
  EXPECT_EQ(State().views.front().row_count, 1);
}

// Active Directory is out of reach: the message view explains it, connect is offered, and a
// new registration stops with the same text.
TEST_F(LicensedUsersTest, ActiveDirectoryWithoutConnectionShowsTheMessageView) {
  MakeInstallation({.user_mode = 1});
  ASSERT_TRUE(AddSnapIn().ok());
  const HSCOPEITEM item = ShowLicensedUsers();
  const std::wstring error =
      L"An error has occurred while connecting to Active Directory. Please check your network "
      L"connection and your Active Directory server, then try to manually connect again.";
  pw::mmc::ConsoleState state = State();
  EXPECT_EQ(state.views.front().kind, pw::mmc::ResultPaneKind::kMessageView);
  EXPECT_EQ(state.views.front().message_view.title, L"Pagewell Licensed Users");
  EXPECT_EQ(state.views.front().message_view.body, error);
  EXPECT_EQ(state.views.front().message_view.icon, Icon_Error);

  const std::vector<pw::mmc::MenuItem> menu = SnapinMenu(item);
  ASSERT_EQ(menu.size(), 2u);
  EXPECT_EQ(menu[1].name, L"&Connect to Active Directory");
  EXPECT_EQ(menu[1].status_text, L"Connects to the Active Directory server.");
  EXPECT_EQ(menu[1].flags & MF_GRAYED, 0);
  ASSERT_TRUE(session().RunMenuItem(kView, MenuIndex(item, 2)).ok());
  EXPECT_TRUE(ui_.message_boxes().empty());
  EXPECT_EQ(State().views.front().kind, pw::mmc::ResultPaneKind::kMessageView);

  ui_.ExpectMessageBox(IDOK, error);
  ASSERT_TRUE(session().RunMenuItem(kView, MenuIndex(item, 1)).ok());
  ASSERT_EQ(ui_.message_boxes().size(), 1u);
  EXPECT_EQ(ui_.message_boxes()[0].caption, L"Pagewell Configuration");
  EXPECT_EQ(ui_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONERROR));
}

// Exchange without a DSA server: the information text, connect offered and disconnect greyed;
// the dialog refuses blanks, strips leading backslashes, and keeps the old name when the
// connection fails.
TEST_F(LicensedUsersTest, ExchangeDsaDialogChecksAndKeepsTheNameOnFailure) {
  MakeInstallation({.user_mode = 2});
  ASSERT_TRUE(AddSnapIn().ok());
  const HSCOPEITEM item = ShowLicensedUsers();
  pw::mmc::ConsoleState state = State();
  EXPECT_EQ(state.views.front().message_view.body,
            L"You  must first specify a DSA server name to be able to retrieve user names from "
            L"the Exchange 5.5 email server.");
  EXPECT_EQ(state.views.front().message_view.icon, Icon_Information);

  const std::vector<pw::mmc::MenuItem> menu = SnapinMenu(item);
  ASSERT_EQ(menu.size(), 3u);
  EXPECT_EQ(menu[1].name, L"&Connect to DSA...");
  EXPECT_EQ(menu[1].status_text,
            L"Connects to a DSA server (an Exchange 5.5 Directory Service Agent machine).");
  EXPECT_EQ(menu[1].flags & MF_GRAYED, 0);
  EXPECT_EQ(menu[2].name, L"&Disconnect from DSA");
  EXPECT_EQ(menu[2].flags & MF_GRAYED, MF_GRAYED);

  ui_.ExpectDialog(IDD_SELECT_DSA, [](DialogDriver& dialog) {
    EXPECT_EQ(dialog.Caption(), L"Exchange DSA");
    EXPECT_EQ(dialog.Text(IDC_DSA_NAME), L"");
    EXPECT_FALSE(dialog.IsEnabled(IDOK));
    dialog.Type(IDC_DSA_NAME, L"   ");
    EXPECT_TRUE(dialog.IsEnabled(IDOK));
    dialog.Click(IDOK);
    EXPECT_EQ(dialog.FocusId(), static_cast<int>(IDC_DSA_NAME));
    dialog.Type(IDC_DSA_NAME, L"  \\\\EXSRV ");
    dialog.Click(IDOK);
    EXPECT_EQ(dialog.Text(IDC_DSA_NAME), L"\\\\EXSRV");
    EXPECT_EQ(dialog.FocusId(), static_cast<int>(IDC_DSA_NAME));
    dialog.Click(IDCANCEL);
  });
  ui_.ExpectMessageBox(IDOK, L"Please enter a valid computer name.");
  ui_.ExpectMessageBox(IDOK,
                       L"An error has occurred while connecting to the specified DSA server.");
  ASSERT_TRUE(session().RunMenuItem(kView, MenuIndex(item, 2)).ok());
  ASSERT_EQ(ui_.message_boxes().size(), 2u);
  EXPECT_EQ(ui_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONWARNING));
  EXPECT_EQ(ui_.message_boxes()[1].icon, static_cast<UINT>(MB_ICONERROR));

  // Still no server: the pane and the dialog's starting text are unchanged.
  ASSERT_TRUE(session().SelectScopeItem(kView, item).ok());
  EXPECT_EQ(State().views.front().message_view.icon, Icon_Information);
  ui_.ExpectDialog(IDD_SELECT_DSA, [](DialogDriver& dialog) {
    EXPECT_EQ(dialog.Text(IDC_DSA_NAME), L"");
    dialog.Click(IDCANCEL);
  });
  ASSERT_TRUE(session().RunMenuItem(kView, MenuIndex(item, 2)).ok());
}

// Active Directory's toolbar: connect (enabled while not connected) and new user, whose button
// stops with the connection message.
TEST_F(LicensedUsersTest, ToolbarButtonsFollowTheDirectoryMode) {
  MakeInstallation({.user_mode = 1});
  ASSERT_TRUE(AddSnapIn().ok());
  ShowLicensedUsers();
  pw::mmc::ConsoleState state = State();
  std::vector<pw::mmc::ToolbarState> attached;
  for (const pw::mmc::ToolbarState& shown : state.views.front().toolbars) {
    if (shown.attached) attached.push_back(shown);
  }
  ASSERT_EQ(attached.size(), 1u);
  const pw::mmc::ToolbarState& toolbar = attached.front();
  ASSERT_EQ(toolbar.buttons.size(), 2u);
  EXPECT_EQ(toolbar.buttons[0].command, 32773);
  EXPECT_EQ(toolbar.buttons[0].state & TBSTATE_ENABLED, TBSTATE_ENABLED);
  EXPECT_EQ(toolbar.buttons[1].command, 32775);
  EXPECT_EQ(toolbar.buttons[1].tooltip, L"New Pagewell user");

  ui_.ExpectMessageBox(IDOK);
  ASSERT_TRUE(session().PressToolbarButton(kView, toolbar.index, 32775).ok());
  ASSERT_EQ(ui_.message_boxes().size(), 1u);
  EXPECT_EQ(ui_.message_boxes()[0].text.rfind(L"An error has occurred while connecting to Active "
                                              L"Directory.",
                                              0),
            0u);
}

// Summaries list at most ten names, then ", ...".
TEST(NameListTest, KeepsTenNamesThenAnEllipsis) {
  EXPECT_EQ(JoinNameList({}), L"");
  EXPECT_EQ(JoinNameList({L"a"}), L"a");
  std::vector<std::wstring> names;
  for (int i = 1; i <= 10; ++i) names.push_back(L"n" + std::to_wstring(i));
  EXPECT_EQ(JoinNameList(names), L"n1, n2, n3, n4, n5, n6, n7, n8, n9, n10");
  names.push_back(L"n11");
  names.push_back(L"n12");
  EXPECT_EQ(JoinNameList(names), L"n1, n2, n3, n4, n5, n6, n7, n8, n9, n10, ...");
}

}  // namespace
}  // namespace pw::test
