// CSID routes through the console: menu and toolbar, the new route dialog, the route's sheet,
// rename, and import and export of route files.
#include <gtest/gtest.h>

#include <algorithm>

#include "module/resources/user_dialogs.h"
#include "platform/ui/resources/ui_resource.h"
#include "tests/snapin/rule_list_fixture.h"

namespace pw::test {
namespace {

using Table = std::vector<std::vector<std::wstring>>;
using Stored = std::vector<std::pair<std::wstring, std::size_t>>;

class CsidRoutesTest : public RuleListTest {
 protected:
};

// The list offers New, Import and Export with their status texts, and one toolbar button.
TEST_F(CsidRoutesTest, OffersMenuItemsAndToolbarButton) {
  Start();
  const HSCOPEITEM item = ShowCsid();
  std::vector<pw::mmc::MenuItem> items;
  ASSERT_TRUE(session().OpenContextMenu(kView, item, &items).ok());
  std::vector<std::pair<std::wstring, std::wstring>> ours;
  for (const pw::mmc::MenuItem& entry : items) {
    if (!entry.console_item) ours.emplace_back(entry.name, entry.status_text);
  }
  EXPECT_EQ(ours, (std::vector<std::pair<std::wstring, std::wstring>>{
                      {L"&New...", L"Adds a new CSID route."},
                      {L"&Import CSID...", L"Import CSID settings from a file."},
                      {L"&Export CSID...", L"Export CSID settings to a file."},
                  }));
  bool found = false;
  const pw::mmc::ConsoleState state = State();
  for (const pw::mmc::ToolbarState& toolbar : state.views.front().toolbars) {
    if (!toolbar.attached) continue;
    ASSERT_EQ(toolbar.buttons.size(), 1u);
    EXPECT_EQ(toolbar.buttons[0].command, 32777);
    EXPECT_EQ(toolbar.buttons[0].tooltip, L"New CSID");
    found = true;
  }
  EXPECT_TRUE(found);
}

// The new route dialog refuses an empty CSID and one that exists in another letter case, and
// stores the trimmed CSID and opens its sheet.
TEST_F(CsidRoutesTest, NewRouteRefusesEmptyAndDuplicateCsids) {
  Start();
  AddRoute(L"ACME SALES", {});
  const HSCOPEITEM item = ShowCsid();
  ui_.ExpectDialog(IDD_NEW_CSID, [](DialogDriver& dialog) {
    dialog.Type(IDC_NEW_CSID_EDIT, L"   ");
    dialog.Click(IDOK);
    EXPECT_EQ(dialog.FocusId(), static_cast<int>(IDC_NEW_CSID_EDIT));
    dialog.Type(IDC_NEW_CSID_EDIT, L"acme sales");
    dialog.Click(IDOK);
    dialog.Type(IDC_NEW_CSID_EDIT, L"  +1 555 0100  ");
    dialog.Click(IDOK);
  });
  ui_.ExpectMessageBox(IDOK, L"Please type in a valid CSID.");
  ui_.ExpectMessageBox(IDOK, L"This CSID route already exists. Please specify a different name.");
  RunMenu(item, L"&New...");
  EXPECT_EQ(ui_.pending_expectations(), 0u);
  EXPECT_EQ(StoredRoutes(), (Stored{{L"ACME SALES", 0}, {L"+1 555 0100", 0}}));
  EXPECT_EQ(FieldOf(L"+1 555 0100", L"ObjectDisplay"), L"+1 555 0100");
  EXPECT_EQ(Rows(), (Table{{L"ACME SALES", L""}, {L"+1 555 0100", L""}}));
  const pw::mmc::ConsoleState state = State();
  ASSERT_EQ(state.sheets.size(), 1u);
  EXPECT_EQ(state.sheets[0].title, L"+1 555 0100");
  EXPECT_EQ(state.views.front().selected_rows, std::vector<int>{1});
}

// The sheet has the users, options and printers pages; its apply stores the picked user and
// the new CSID, and the row shows both.
TEST_F(CsidRoutesTest, SheetApplyWritesUsersAndCsid) {
  Start();
  const std::wstring anna = AddObject(L"user", L"Anna Berger", L"anna@x.demo", L"aberger");
  AddToList(L"faxusers", {anna});
  AddRoute(L"OLD CSID", {});
  ShowCsid();
  const HWND sheet = OpenSheet(0);
  OnSheet(sheet, [&](CPropertySheet& window) {
    ASSERT_EQ(window.GetPageCount(), 3);
    EXPECT_EQ(CWnd::FromHandle(PageControl(window, 0, IDC_USERS_TEXT))->GetWindowText(),
              L"Please select the users/groups to assign to this CSID route.");
    ui_.ExpectDialog(L"Select Pagewell Users or Groups", [](DialogDriver& picker) {
      const auto rows = picker.ShowRows(IDC_SU_AVAILABLE, 0, 1);
      const auto anna = std::find_if(rows.begin(), rows.end(), [](const auto& row) {
        return !row.empty() && row[0] == L"Anna Berger";
      });
      ASSERT_NE(anna, rows.end());
      picker.ClickRow(IDC_SU_AVAILABLE, static_cast<int>(anna - rows.begin()));
      picker.Click(IDC_SU_ADD);
      picker.Click(IDOK);
    });
    EXPECT_TRUE(pw::ui::ClickButton(PageControl(window, 0, IDC_USERS_ADD)));
    const HWND edit = PageControl(window, 1, IDC_PAGE_CSID_EDIT);
    EXPECT_EQ(CWnd::FromHandle(edit)->GetWindowText(), L"OLD CSID");
    EXPECT_TRUE(pw::ui::TypeText(edit, L"  NEW CSID "));
    EXPECT_EQ(CWnd::FromHandle(PageControl(window, 2, IDC_ROUTE_PRINT_HEADING))->GetWindowText(),
              L"Enable auto-printing of faxes routed through this rule");
    EXPECT_FALSE(
        CWnd::FromHandle(PageControl(window, 2, IDC_ROUTE_PRINT_ENABLE))->IsWindowEnabled());
    std::vector<std::wstring> captions;
    for (int page = 0; page < window.GetPageCount(); ++page) {
      captions.push_back(window.GetPage(page)->GetWindowText());
    }
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"Users", L"Options", L"Printers"}));
    EXPECT_TRUE(pw::ui::PressSheetOk(window.GetSafeHwnd()));
  });
  EXPECT_EQ(StoredRoutes(), (Stored{{L"NEW CSID", 1}}));
  EXPECT_EQ(UsersOf(L"csid"), std::vector<std::wstring>{anna});
  EXPECT_EQ(FieldOf(L"NEW CSID", L"ObjectDisplay"), L"NEW CSID");
  EXPECT_EQ(Rows(), (Table{{L"NEW CSID", L"Anna Berger"}}));
  EXPECT_TRUE(ui_.message_boxes().empty());
}

// Rename trims, stores a change of letter case, refuses a duplicate, an empty text and a
// rename while the sheet is open.
TEST_F(CsidRoutesTest, RenameChecksDuplicatesAndOpenSheets) {
  Start();
  AddRoute(L"FIRST", {});
  AddRoute(L"SECOND", {});
  ShowCsid();
  ASSERT_TRUE(session().SelectRows(kView, {0}).ok());
  EXPECT_TRUE(session().RunVerb(kView, MMC_VERB_RENAME, L"  first ").ok());
  EXPECT_EQ(StoredRoutes(), (Stored{{L"first", 0}, {L"SECOND", 0}}));

  ui_.ExpectMessageBox(IDOK, L"This CSID route already exists. Please specify a different name.");
  session().RunVerb(kView, MMC_VERB_RENAME, L"second");
  ui_.ExpectMessageBox(IDOK, L"Please type in a CSID number.");
  session().RunVerb(kView, MMC_VERB_RENAME, L"   ");
  EXPECT_EQ(StoredRoutes(), (Stored{{L"first", 0}, {L"SECOND", 0}}));

  ASSERT_NE(OpenSheet(0), nullptr);
  ui_.ExpectMessageBox(IDOK, L"Please close this CSID number's property sheet before renaming it.");
  session().RunVerb(kView, MMC_VERB_RENAME, L"THIRD");
  EXPECT_EQ(StoredRoutes(), (Stored{{L"first", 0}, {L"SECOND", 0}}));
  EXPECT_EQ(ui_.pending_expectations(), 0u);
}

// Exported routes come back with their users after an import; a file the library refuses is
// reported and the list is still refreshed.
TEST_F(CsidRoutesTest, ExportAndImportRoundTrip) {
  Start();
  const std::wstring anna = AddObject(L"user", L"Anna Berger", L"anna@x.demo", L"aberger");
  AddRoute(L"ROUTE A", {anna});
  AddRoute(L"ROUTE B", {});
  const HSCOPEITEM item = ShowCsid();
  const std::string file = installation_->dir().Sub("routes.csv");

  ui_.ExpectDialog(L"Select Export file", [&](DialogDriver& dialog) {
    dialog.Type(IDC_FD_NAME, pw::FromUtf8(file));
    dialog.Click(IDOK);
  });
  RunMenu(item, L"&Export CSID...");
  ASSERT_TRUE(std::filesystem::exists(file));

  DeleteElsewhere(L"ROUTE A");
  DeleteElsewhere(L"ROUTE B");
  ui_.ExpectDialog(L"Select Import file", [&](DialogDriver& dialog) {
    dialog.Type(IDC_FD_NAME, pw::FromUtf8(file));
    dialog.Click(IDOK);
  });
  RunMenu(item, L"&Import CSID...");
  EXPECT_EQ(StoredRoutes(), (Stored{{L"ROUTE A", 1}, {L"ROUTE B", 0}}));
  EXPECT_EQ(Rows(), (Table{{L"ROUTE A", L"Anna Berger"}, {L"ROUTE B", L""}}));

  const std::string bad = installation_->dir().WriteFile("bad.csv", "\"unterminated\n");
  AddRoute(L"ROUTE C", {});
  ui_.ExpectDialog(L"Select Import file", [&](DialogDriver& dialog) {
    dialog.Type(IDC_FD_NAME, pw::FromUtf8(bad));
    dialog.Click(IDOK);
  });
  ui_.ExpectMessageBox(IDOK,
                       L"An error has occurred while importing the CSID file. Please check the "
                       L"contents of the file and try again.");
  RunMenu(item, L"&Import CSID...");
  EXPECT_EQ(Rows().size(), 3u);
  EXPECT_EQ(ui_.pending_expectations(), 0u);
}

}  // namespace
}  // namespace pw::test
