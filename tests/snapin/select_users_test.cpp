// The user picker through a CSID route's users page: the offered records, sorting, moving
// records both ways, "Select All", resizing, the records handed back and the messages shown
// when there is nothing to offer.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "module/resources/routes.h"
#include "module/resources/user_dialogs.h"
#include "platform/ui/property_sheet.h"
#include "platform/ui/sheet_input.h"
#include "tests/snapin/rule_list_fixture.h"

namespace pw::test {
namespace {

using Rows = std::vector<std::vector<std::wstring>>;

class SelectUsersTest : public RuleListTest {
 protected:
  // Opens the first route's sheet and presses the users page's Add; `picker` acts in the picker
  // (null when no picker window is expected).
  void PickOnFirstRoute(ScriptedUiHost::Handler picker) {
    ShowCsid();
    const HWND sheet = OpenSheet(0);
    OnSheet(sheet, [&](CPropertySheet& window) {
      if (picker) ui_.ExpectDialog(IDD_SELECT_USERS, picker);
      EXPECT_TRUE(pw::ui::ClickButton(PageControl(window, 0, IDC_USERS_ADD)));
      EXPECT_TRUE(pw::ui::PressSheetOk(window.GetSafeHwnd()));
    });
  }

  static std::vector<std::wstring> Column0(DialogDriver& d, int id, int count) {
    std::vector<std::wstring> names;
    for (const auto& row : d.ShowRows(id, 0, count - 1)) names.push_back(row.at(0));
    return names;
  }

  static int Count(DialogDriver& d, int id) { return d.Control<CListCtrl>(id).GetItemCount(); }
};

// The picker offers the registered users the route does not have, sorts by a column in both
// directions, moves rows with the buttons and double clicks, selects all by its context menu,
// and hands back the chosen records in their order.
TEST_F(SelectUsersTest, OffersSortsMovesAndHandsBackChosenRecords) {
  Start();
  const std::wstring anna = AddObject(L"user", L"Anna Berger", L"z.anna@demo", L"aberger");
  const std::wstring tom = AddObject(L"user", L"tom Fischer", L"a.tom@demo", L"tfischer");
  const std::wstring eve = AddObject(L"user", L"Eve Adams", L"eve@demo", L"eadams");
  AddToList(L"faxusers", {anna, tom, eve});
  AddRoute(L"ACME", {eve});
  PickOnFirstRoute([this](DialogDriver& d) {
    EXPECT_EQ(d.Caption(), L"Select Pagewell Users or Groups");
    EXPECT_EQ(d.Text(IDC_SU_PROMPT),
              L"Select the Pagewell users/groups you would like to add to this route.");
    CListCtrl& available = d.Control<CListCtrl>(IDC_SU_AVAILABLE);
    ASSERT_EQ(available.GetColumnCount(), 3);
    EXPECT_EQ(available.GetColumnText(0), L"Name");
    EXPECT_EQ(available.GetColumnText(1), L"Login");
    EXPECT_EQ(available.GetColumnText(2), L"E-mail");
    EXPECT_EQ(available.GetColumnWidth(0), 150);
    // Eve is the route's already; the administrator is registered by the installation.
    ASSERT_EQ(Count(d, IDC_SU_AVAILABLE), 3);
    EXPECT_FALSE(d.IsEnabled(IDC_SU_ADD));
    EXPECT_FALSE(d.IsEnabled(IDC_SU_REMOVE));
    d.ClickColumn(IDC_SU_AVAILABLE, 0);
    EXPECT_EQ(Column0(d, IDC_SU_AVAILABLE, 3),
              (std::vector<std::wstring>{L"Administrator", L"Anna Berger", L"tom Fischer"}));
    d.ClickColumn(IDC_SU_AVAILABLE, 0);
    EXPECT_EQ(Column0(d, IDC_SU_AVAILABLE, 3),
              (std::vector<std::wstring>{L"tom Fischer", L"Anna Berger", L"Administrator"}));
    d.ClickColumn(IDC_SU_AVAILABLE, 2);
    EXPECT_EQ(Column0(d, IDC_SU_AVAILABLE, 3),
              (std::vector<std::wstring>{L"tom Fischer", L"Administrator", L"Anna Berger"}));
    EXPECT_EQ(d.ShowRows(IDC_SU_AVAILABLE, 0, 0).at(0),
              (std::vector<std::wstring>{L"tom Fischer", L"tfischer", L"a.tom@demo"}));
    // Type-ahead finds by name, ignoring case.
    EXPECT_EQ(d.TypeAhead(IDC_SU_AVAILABLE, L"ANNA"), 2);
    EXPECT_TRUE(d.IsEnabled(IDC_SU_ADD));
    d.Click(IDC_SU_ADD);
    EXPECT_EQ(Count(d, IDC_SU_AVAILABLE), 2);
    EXPECT_EQ(Column0(d, IDC_SU_CHOSEN, 1), std::vector<std::wstring>{L"Anna Berger"});
    EXPECT_FALSE(d.IsEnabled(IDC_SU_ADD));
    d.DoubleClickRow(IDC_SU_AVAILABLE, 0);
    EXPECT_EQ(Column0(d, IDC_SU_CHOSEN, 2),
              (std::vector<std::wstring>{L"Anna Berger", L"tom Fischer"}));
    // Remove and Add again through "Select All" of the context menus.
    ui_.ExpectPopupMenu(ID_SU_SELECT_ALL);
    d.RightClickRow(IDC_SU_CHOSEN, 0);
    EXPECT_EQ(d.Control<CListCtrl>(IDC_SU_CHOSEN).GetSelectedCount(), 2u);
    d.Click(IDC_SU_REMOVE);
    EXPECT_EQ(Count(d, IDC_SU_CHOSEN), 0);
    EXPECT_EQ(Column0(d, IDC_SU_AVAILABLE, 3),
              (std::vector<std::wstring>{L"Administrator", L"Anna Berger", L"tom Fischer"}));
    d.DoubleClickRow(IDC_SU_AVAILABLE, 2);
    d.DoubleClickRow(IDC_SU_AVAILABLE, 1);
    d.Click(IDOK);
  });
  // The store keeps a set: only membership is fixed.
  std::vector<std::wstring> stored = UsersOf(L"csid");
  std::vector<std::wstring> expected{eve, tom, anna};
  std::sort(stored.begin(), stored.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(stored, expected);
}

// Resizing widens both lists and moves the buttons; the initial size is the minimum.
TEST_F(SelectUsersTest, ResizingGrowsListsAndKeepsMinimum) {
  Start();
  AddRoute(L"ACME", {});
  PickOnFirstRoute([](DialogDriver& d) {
    RECT before_list;
    RECT before_ok;
    RECT window;
    d.Control<CWnd>(IDC_SU_AVAILABLE).GetWindowRect(&before_list);
    d.Control<CWnd>(IDOK).GetWindowRect(&before_ok);
    d.wnd().GetWindowRect(&window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    ASSERT_TRUE(pw::ui::ResizeWindow(d.window(), width + 40, height + 20));
    RECT list;
    RECT ok;
    RECT chosen;
    d.Control<CWnd>(IDC_SU_AVAILABLE).GetWindowRect(&list);
    d.Control<CWnd>(IDOK).GetWindowRect(&ok);
    d.Control<CWnd>(IDC_SU_CHOSEN).GetWindowRect(&chosen);
    EXPECT_EQ(list.right - list.left, before_list.right - before_list.left + 40);
    EXPECT_EQ(list.bottom - list.top, before_list.bottom - before_list.top + 10);
    EXPECT_EQ(ok.left, before_ok.left + 40);
    EXPECT_EQ(ok.top, before_ok.top + 20);
    EXPECT_EQ(chosen.bottom, ok.top - (before_ok.top - 222));
    ASSERT_TRUE(pw::ui::ResizeWindow(d.window(), width - 100, height - 100));
    d.wnd().GetWindowRect(&window);
    EXPECT_EQ(window.right - window.left, width);
    EXPECT_EQ(window.bottom - window.top, height);
    d.Click(IDCANCEL);
  });
  EXPECT_TRUE(UsersOf(L"csid").empty());
}

// With nothing left to offer the picker never shows: its message and Cancel.
TEST_F(SelectUsersTest, ShowsTheEmptyListMessagesAndCancels) {
  Start();
  const std::vector<std::wstring> registered = UsersOf(L"faxusers");
  AddRoute(L"ACME", registered);
  ui_.ExpectMessageBox(IDOK,
                       L"There are no more Pagewell users/groups that can be added.\n\nPlease "
                       L"configure more users/groups from the 'Licensed users' node.");
  PickOnFirstRoute({});
  for (const std::wstring& identity : registered) RemoveFromList(L"faxusers", identity);
  ui_.ExpectMessageBox(IDOK,
                       L"There are no more configured Pagewell users/groups.\n\nPlease configure "
                       L"more users/groups from the 'Licensed users' node.");
  PickOnFirstRoute({});
  ASSERT_EQ(ui_.message_boxes().size(), 2u);
  EXPECT_EQ(ui_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(ui_.message_boxes()[1].caption, L"Pagewell Configuration");
  EXPECT_EQ(ui_.modal_windows().size(), 2u);
}

}  // namespace
}  // namespace pw::test
