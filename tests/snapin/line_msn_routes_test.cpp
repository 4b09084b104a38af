// Line and MSN routes through the console: the values offered for a new route, the reasons
// for offering none, the route's sheet with its fixed value, and the refused rename.
#include <gtest/gtest.h>

#include <cstdlib>

#include "module/resources/routes_line_msn.h"
#include "module/resources/user_dialogs.h"
#include "platform/ui/combo_box_ex.h"
#include "tests/snapin/route_kind_fixture.h"

namespace pw::test {
namespace {

using Table = std::vector<std::vector<std::wstring>>;
using Stored = std::vector<std::pair<std::wstring, std::size_t>>;

constexpr wchar_t kLinesLeft[] =
    L"There are no more Lines to add. Add more by specifying which Line numbers belong to which "
    L"fax device in the Line/Device configuration node.";
constexpr wchar_t kMsnsLeft[] =
    L"There are no more MSN numbers to add. Add more by specifying which MSN numbers belong to "
    L"which fax device in the Line/Device configuration node.";
constexpr wchar_t kNoIsdn[] = L"There are no ISDN cards installed. MSN routes cannot be added.";

class LineMsnRoutesTest : public RouteKindTest {
 protected:
  // The combo box's entries as the dialog offers them.
  static std::vector<std::wstring> Offered(DialogDriver& dialog) {
    const CComboBoxEx& combo = dialog.Control<CComboBoxEx>(IDC_NEW_VALUE_COMBO);
    std::vector<std::wstring> texts;
    for (int index = 0; index < combo.GetCount(); ++index) texts.push_back(combo.GetLBText(index));
    return texts;
  }

  // Captions, icons and texts of the message boxes shown so far.
  std::vector<std::tuple<std::wstring, UINT, std::wstring>> Boxes() const {
    std::vector<std::tuple<std::wstring, UINT, std::wstring>> boxes;
    for (const MessageBoxRecord& box : ui_.message_boxes()) {
      boxes.emplace_back(box.caption, box.icon, box.text);
    }
    return boxes;
  }
};

// Each list offers only "New..." with its own status text and tooltip, and names its column.
TEST_F(LineMsnRoutesTest, ListsOfferNewWithTheirOwnTexts) {
  Start();
  const HSCOPEITEM line = ShowList(L"Line");
  EXPECT_EQ(OwnMenu(line), (Menu{{L"&New...", L"Adds a new line route."}}));
  EXPECT_EQ(AttachedButtons(), (std::vector<std::pair<int, std::wstring>>{{32777, L"New line"}}));
  EXPECT_EQ(ColumnTitles(), (std::vector<std::wstring>{L"Line", L"Users/Groups"}));
  EXPECT_EQ(Description(), L"0 routing rule(s)");

  const HSCOPEITEM msn = ShowList(L"MSN");
  EXPECT_EQ(OwnMenu(msn), (Menu{{L"&New...", L"Adds a new MSN route."}}));
  EXPECT_EQ(AttachedButtons(), (std::vector<std::pair<int, std::wstring>>{{32777, L"New MSN"}}));
  EXPECT_EQ(ColumnTitles(), (std::vector<std::wstring>{L"MSN", L"Users/Groups"}));
}

// The dialog offers the configured lines no route uses (a route in other letter case counts),
// each with the one icon, the first selected; the chosen line is stored, selected and its
// sheet opened, and the next dialog no longer offers it.
TEST_F(LineMsnRoutesTest, NewLineOffersOnlyUnusedLines) {
  Start();
  ConfigureServer({L"1", L"2", L"3", L"Trunk A"}, {});
  AddRoute(L"2", {}, L"line");
  AddRoute(L"TRUNK A", {}, L"line");
  const HSCOPEITEM item = ShowList(L"Line");
  ui_.ExpectDialog(IDD_NEW_LINE, [](DialogDriver& dialog) {
    EXPECT_EQ(dialog.Caption(), L"New Line Route");
    EXPECT_EQ(Offered(dialog), (std::vector<std::wstring>{L"1", L"3"}));
    const CComboBoxEx& combo = dialog.Control<CComboBoxEx>(IDC_NEW_VALUE_COMBO);
    EXPECT_EQ(combo.GetCurSel(), 0);
    ASSERT_NE(combo.GetImageList(), nullptr);
    EXPECT_EQ(combo.GetImageList()->GetImageCount(), 1);
    EXPECT_EQ(combo.GetImageList()->GetIconSize().cx, 16);
    EXPECT_EQ(combo.GetItemImage(0), 0);
    EXPECT_EQ(combo.GetItemImage(1), 0);
    dialog.Select(IDC_NEW_VALUE_COMBO, 1);
    dialog.Click(IDOK);
  });
  RunMenu(item, L"&New...");
  EXPECT_EQ(ui_.pending_expectations(), 0u);
  EXPECT_EQ(StoredRoutes(L"line"), (Stored{{L"2", 0}, {L"TRUNK A", 0}, {L"3", 0}}));
  EXPECT_EQ(FieldOf(L"3", L"ObjectDisplay", L"line"), L"3");
  EXPECT_EQ(Rows(), (Table{{L"2", L""}, {L"TRUNK A", L""}, {L"3", L""}}));
  const pw::mmc::ConsoleState state = State();
  ASSERT_EQ(state.sheets.size(), 1u);
  EXPECT_EQ(state.sheets[0].title, L"3");
  EXPECT_EQ(state.views.front().selected_rows, std::vector<int>{2});
  ASSERT_EQ(watcher_.sheets().size(), 1u);
  OnSheet(watcher_.sheets().back(), [](CPropertySheet& sheet) {
    EXPECT_TRUE(pw::ui::PressSheetCancel(sheet.GetSafeHwnd()));
  });

  // The toolbar button runs the same command; cancelling stores nothing.
  ShowList(L"Line");
  int toolbar = -1;
  const pw::mmc::ConsoleState shown_state = State();
  for (const pw::mmc::ToolbarState& shown : shown_state.views.front().toolbars) {
    if (shown.attached) toolbar = shown.index;
  }
  ASSERT_GE(toolbar, 0);
  ui_.ExpectDialog(IDD_NEW_LINE, [](DialogDriver& dialog) {
    EXPECT_EQ(Offered(dialog), std::vector<std::wstring>{L"1"});
    dialog.Click(IDCANCEL);
  });
  session().PressToolbarButton(kView, toolbar, 32777);
  EXPECT_EQ(ui_.pending_expectations(), 0u);
  EXPECT_EQ(StoredRoutes(L"line").size(), 3u);
  EXPECT_TRUE(ui_.message_boxes().empty());
}

// With every line routed, or none configured, the line list says there is nothing left; the
// MSN list says so too, except for a server without any MSN, which has no ISDN card. No
// dialog opens and nothing is stored.
TEST_F(LineMsnRoutesTest, NothingToOfferIsReportedInsteadOfTheDialog) {
  Start();
  ConfigureServer({L"1"}, {});
  AddRoute(L"1", {}, L"line");
  const HSCOPEITEM line = ShowList(L"Line");
  ui_.ExpectMessageBox(IDOK, kLinesLeft);
  RunMenu(line, L"&New...");
  ConfigureServer({}, {});
  ui_.ExpectMessageBox(IDOK, kLinesLeft);
  RunMenu(line, L"&New...");

  const HSCOPEITEM msn = ShowList(L"MSN");
  ui_.ExpectMessageBox(IDOK, kNoIsdn);
  RunMenu(msn, L"&New...");
  ConfigureServer({}, {L"4711"});
  AddRoute(L"4711", {}, L"msn");
  ui_.ExpectMessageBox(IDOK, kMsnsLeft);
  RunMenu(msn, L"&New...");

  EXPECT_EQ(ui_.pending_expectations(), 0u);
  const std::wstring title = kTitle;
  EXPECT_EQ(Boxes(), (std::vector<std::tuple<std::wstring, UINT, std::wstring>>{
                         {title, MB_ICONINFORMATION, kLinesLeft},
                         {title, MB_ICONINFORMATION, kLinesLeft},
                         {title, MB_ICONINFORMATION, kNoIsdn},
                         {title, MB_ICONINFORMATION, kMsnsLeft},
                     }));
  EXPECT_EQ(StoredRoutes(L"line"), (Stored{{L"1", 0}}));
  EXPECT_EQ(StoredRoutes(L"msn"), (Stored{{L"4711", 0}}));
}

// A configuration whose line and MSN lists cannot be read is reported as an error of each
// list, and no dialog opens.
TEST_F(LineMsnRoutesTest, UnreadableConfigurationIsReportedAsAnError) {
  if (std::system("command -v sqlite3 >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "the sqlite3 program damages the configuration for this test";
  }
  Start();
  ConfigureServer({L"1"}, {L"4711"});
  const std::string database = installation_->server_folder() + "/pwconfig.db";
  ASSERT_EQ(std::system(("timeout 30 sqlite3 '" + database +
                         "' 'DROP TABLE lines; DROP TABLE msns;' >/dev/null 2>&1")
                            .c_str()),
            0);
  const HSCOPEITEM line = ShowList(L"Line");
  ui_.ExpectMessageBox(IDOK);
  RunMenu(line, L"&New...");
  const HSCOPEITEM msn = ShowList(L"MSN");
  ui_.ExpectMessageBox(IDOK);
  RunMenu(msn, L"&New...");
  EXPECT_EQ(ui_.pending_expectations(), 0u);
  const std::wstring title = kTitle;
  EXPECT_EQ(Boxes(), (std::vector<std::tuple<std::wstring, UINT, std::wstring>>{
                         {title, MB_ICONERROR,
                          L"An error has occurred while retrieving the Line configuration. "
                          L"Please reinstall Pagewell."},
                         {title, MB_ICONERROR,
                          L"An error has occurred while retrieving the MSN configuration. "
                          L"Please reinstall Pagewell."},
                     }));
}

// An MSN route cannot be renamed; its sheet shows the MSN read-only between the users and
// printers pages, refuses a delete while open, and its apply stores the users only.
TEST_F(LineMsnRoutesTest, MsnRouteKeepsItsValue) {
  Start();
  const std::wstring anna = AddObject(L"user", L"Anna Berger", L"anna@x.demo", L"aberger");
  AddToList(L"faxusers", {anna});
  ConfigureServer({}, {L"4711", L"4712"});
  AddRoute(L"4711", {}, L"msn");
  ShowList(L"MSN");
  ASSERT_TRUE(session().SelectRows(kView, {0}).ok());
  EXPECT_FALSE(VerbEnabled(MMC_VERB_RENAME));
  EXPECT_TRUE(VerbEnabled(MMC_VERB_DELETE));
  EXPECT_TRUE(VerbEnabled(MMC_VERB_PROPERTIES));
  session().RunVerb(kView, MMC_VERB_RENAME, L"4712");
  EXPECT_EQ(StoredRoutes(L"msn"), (Stored{{L"4711", 0}}));

  const HWND sheet = OpenSheet(0);
  OnSheet(sheet, [&](CPropertySheet& window) {
    ASSERT_EQ(window.GetPageCount(), 3);
    EXPECT_EQ(CWnd::FromHandle(PageControl(window, 0, IDC_USERS_TEXT))->GetWindowText(),
              L"Please select the users/groups to assign to this MSN route.");
    EXPECT_EQ(CWnd::FromHandle(PageControl(window, 1, IDC_PAGE_VALUE_HEADING))->GetWindowText(),
              L"MSN Route Properties");
    const HWND value = PageControl(window, 1, IDC_PAGE_VALUE_EDIT);
    EXPECT_EQ(CWnd::FromHandle(value)->GetWindowText(), L"4711");
    EXPECT_FALSE(pw::ui::TypeText(value, L"4712"));
    EXPECT_EQ(CWnd::FromHandle(value)->GetWindowText(), L"4711");
    EXPECT_NE(PageControl(window, 2, IDC_ROUTE_PRINT_HEADING), nullptr);
    std::vector<std::wstring> captions;
    for (int page = 0; page < window.GetPageCount(); ++page) {
      captions.push_back(window.GetPage(page)->GetWindowText());
    }
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"Users", L"Options", L"Printers"}));
  });
  ui_.ExpectMessageBox(IDOK, L"Please close this MSN route's property sheet before deleting it.");
  session().RunVerb(kView, MMC_VERB_DELETE);
  EXPECT_EQ(StoredRoutes(L"msn"), (Stored{{L"4711", 0}}));

  OnSheet(sheet, [&](CPropertySheet& window) {
    ui_.ExpectDialog(L"Select Pagewell Users or Groups", [](DialogDriver& picker) {
      const auto rows = picker.ShowRows(IDC_SU_AVAILABLE, 0, 1);
      const auto found = std::find_if(rows.begin(), rows.end(), [](const auto& row) {
        return !row.empty() && row[0] == L"Anna Berger";
      });
      ASSERT_NE(found, rows.end());
      picker.ClickRow(IDC_SU_AVAILABLE, static_cast<int>(found - rows.begin()));
      picker.Click(IDC_SU_ADD);
      picker.Click(IDOK);
    });
    EXPECT_TRUE(pw::ui::ClickButton(PageControl(window, 0, IDC_USERS_ADD)));
    EXPECT_TRUE(pw::ui::PressSheetOk(window.GetSafeHwnd()));
  });
  EXPECT_EQ(StoredRoutes(L"msn"), (Stored{{L"4711", 1}}));
  EXPECT_EQ(FieldOf(L"4711", L"ObjectDisplay", L"msn"), L"4711");
  EXPECT_EQ(UsersOf(L"msn"), std::vector<std::wstring>{anna});
  EXPECT_EQ(Rows(), (Table{{L"4711", L"Anna Berger"}}));
  EXPECT_EQ(ui_.pending_expectations(), 0u);
}

}  // namespace
}  // namespace pw::test
