// DTMF/DID routes through the console: menu and toolbar, the new routes dialog with its list
// grammar, forcing and confirmation, duplicates against the store, rename, the options page,
// and import and export of route files.
#include <gtest/gtest.h>

#include <algorithm>

#include "module/resources/routes_dtmf.h"
#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/resources/ui_resource.h"
#include "tests/snapin/rule_list_fixture.h"

namespace pw::test {
namespace {

using Table = std::vector<std::vector<std::wstring>>;
using Stored = std::vector<std::pair<std::wstring, std::size_t>>;

constexpr wchar_t kDid[] = L"did";
constexpr wchar_t kInvalidList[] =
    L"Please type in a valid list of single or multiple DTMF/DID ranges.";
constexpr wchar_t kConfirmMany[] =
    L"You have specified more than 100 DTMF/DID numbers to route. These numbers can take quite "
    L"some time to add.\n\nAre you sure you want to proceed?";
constexpr wchar_t kAlreadyRouted[] =
    L"One or more DTMF/DID numbers already exist as routes and have not been added again.";
constexpr wchar_t kInvalidNumber[] = L"Please type in a valid DTMF/DID number.";
constexpr wchar_t kDuplicate[] =
    L"This DTMF/DID route already exists. Please specify a different number.";

// "0001", "0002", ... for the numbers first to last.
Stored Numbered(int first, int last, int width) {
  Stored routes;
  for (int number = first; number <= last; ++number) {
    std::wstring text = std::to_wstring(number);
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), L'0');
    routes.emplace_back(text, 0);
  }
  return routes;
}

std::vector<int> Range(int first, int last) {
  std::vector<int> rows;
  for (int row = first; row <= last; ++row) rows.push_back(row);
  return rows;
}

class DtmfRoutesTest : public RuleListTest {
 protected:
  HSCOPEITEM ShowDtmf() { return ShowScopeItem({L"Routing", L"DTMF/DID"}); }

  // Runs "New..." with a dialog that types `list` (forcing on or off) and presses OK; with
  // `message`, that message box is expected after the dialog.
  void AddList(HSCOPEITEM item, const std::wstring& list, bool force,
               std::optional<std::wstring> message = std::nullopt) {
    ui_.ExpectDialog(IDD_NEW_DTMF, [&](DialogDriver& dialog) {
      if (!force) dialog.Click(IDC_NEW_DTMF_FORCE);
      dialog.Type(IDC_NEW_DTMF_EDIT, list);
      dialog.Click(IDOK);
    });
    if (message) ui_.ExpectMessageBox(IDOK, *message);
    RunMenu(item, L"&New...");
  }

  static std::pair<int, int> Selection(DialogDriver& dialog) {
    int start = 0;
    int end = 0;
    dialog.Control<CEdit>(IDC_NEW_DTMF_EDIT).GetSel(start, end);
    return {start, end};
  }

  std::vector<int> SelectedRows() { return State().views.front().selected_rows; }
};

// The list has its column titles, menu items with status texts and one toolbar button.
TEST_F(DtmfRoutesTest, OffersColumnsMenuItemsAndToolbarButton) {
  Start();
  const HSCOPEITEM item = ShowDtmf();
  const pw::mmc::ConsoleState state = State();
  ASSERT_EQ(state.views.front().columns.size(), 2u);
  EXPECT_EQ(state.views.front().columns[0].title, L"DTMF/DID Number");
  std::vector<pw::mmc::MenuItem> items;
  ASSERT_TRUE(session().OpenContextMenu(kView, item, &items).ok());
  std::vector<std::tuple<std::wstring, std::wstring, LONG>> ours;
  for (const pw::mmc::MenuItem& entry : items) {
    if (!entry.console_item) ours.emplace_back(entry.name, entry.status_text, entry.command_id);
  }
  EXPECT_EQ(ours, (std::vector<std::tuple<std::wstring, std::wstring, LONG>>{
                      {L"&New...", L"Add a new DTMF/DID route.", 1},
                      {L"&Import DTMF/DID...", L"Import DTMF/DID settings from a file.", 2},
                      {L"&Export DTMF/DID...", L"Export DTMF/DID settings to a file.", 3},
                  }));
  const auto& toolbars = state.views.front().toolbars;
  const auto shown = std::find_if(toolbars.begin(), toolbars.end(),
                                  [](const pw::mmc::ToolbarState& bar) { return bar.attached; });
  ASSERT_NE(shown, toolbars.end());
  ASSERT_EQ(shown->buttons.size(), 1u);
  EXPECT_EQ(shown->buttons[0].command, 32777);
  EXPECT_EQ(shown->buttons[0].tooltip, L"New DTMF/DID");
}

// The dialog's example list makes ten routes padded to the default four digits, all selected
// and without a sheet; without forcing a reversed range with blanks makes plain numbers.
TEST_F(DtmfRoutesTest, NewListExpandsWithAndWithoutForcing) {
  Start();
  const HSCOPEITEM item = ShowDtmf();
  ui_.ExpectDialog(IDD_NEW_DTMF, [](DialogDriver& dialog) {
    EXPECT_EQ(dialog.Caption(), L"New DTMF/DID Route(s)");
    EXPECT_EQ(dialog.Check(IDC_NEW_DTMF_FORCE), BST_CHECKED);
    EXPECT_EQ(dialog.Text(IDC_NEW_DTMF_WIDTH), L"4");
    EXPECT_TRUE(dialog.IsEnabled(IDC_NEW_DTMF_SPIN));
    dialog.Click(IDC_NEW_DTMF_FORCE);
    EXPECT_FALSE(dialog.IsEnabled(IDC_NEW_DTMF_WIDTH));
    EXPECT_FALSE(dialog.IsEnabled(IDC_NEW_DTMF_SPIN));
    dialog.Click(IDC_NEW_DTMF_FORCE);
    EXPECT_TRUE(dialog.IsEnabled(IDC_NEW_DTMF_WIDTH));
    dialog.Type(IDC_NEW_DTMF_EDIT, L"1,3,5-12");
    dialog.Click(IDOK);
  });
  RunMenu(item, L"&New...");
  Stored expected{{L"0001", 0}, {L"0003", 0}};
  for (auto& route : Numbered(5, 12, 4)) expected.push_back(route);
  EXPECT_EQ(StoredRoutes(kDid), expected);
  EXPECT_EQ(SelectedRows(), Range(0, 9));
  EXPECT_TRUE(State().sheets.empty());
  EXPECT_EQ(Description(), L"10 routing rule(s)");

  AddList(item, L" 12 -\t5 , 3 ", false);
  for (auto& route : Numbered(5, 12, 1)) expected.push_back(route);
  expected.emplace_back(L"3", 0);
  EXPECT_EQ(StoredRoutes(kDid), expected);
  EXPECT_EQ(SelectedRows(), Range(10, 18));
  EXPECT_TRUE(ui_.message_boxes().empty());
  EXPECT_EQ(ui_.pending_expectations(), 0u);
}

// A symbolic single entry is padded, upper-cased and opens its sheet; a wider forced width
// pads further and leaves longer numbers whole.
TEST_F(DtmfRoutesTest, SymbolicEntriesAndWidths) {
  Start();
  const HSCOPEITEM item = ShowDtmf();
  AddList(item, L"*5#", true);
  EXPECT_EQ(StoredRoutes(kDid), (Stored{{L"0*5#", 0}}));
  pw::mmc::ConsoleState state = State();
  ASSERT_EQ(state.sheets.size(), 1u);
  EXPECT_EQ(state.sheets[0].title, L"0*5#");
  EXPECT_EQ(state.views.front().selected_rows, std::vector<int>{0});

  ui_.ExpectDialog(IDD_NEW_DTMF, [](DialogDriver& dialog) {
    dialog.Type(IDC_NEW_DTMF_WIDTH, L"6");
    dialog.Type(IDC_NEW_DTMF_EDIT, L"12ab, 7, 12345678, dd");
    dialog.Click(IDOK);
  });
  RunMenu(item, L"&New...");
  EXPECT_EQ(
      StoredRoutes(kDid),
      (Stored{{L"0*5#", 0}, {L"0012AB", 0}, {L"000007", 0}, {L"12345678", 0}, {L"0000DD", 0}}));
  EXPECT_EQ(State().sheets.size(), 1u);
  EXPECT_TRUE(ui_.message_boxes().empty());
}

// Invalid lists are refused with the text selected from where parsing stopped; the dialog
// stays and nothing is stored.
TEST_F(DtmfRoutesTest, InvalidListsSelectFromTheFailingPosition) {
  Start();
  const HSCOPEITEM item = ShowDtmf();
  ui_.ExpectDialog(IDD_NEW_DTMF, [](DialogDriver& dialog) {
    const struct {
      const wchar_t* list;
      std::pair<int, int> selection;
    } cases[] = {
        {L"1,,2", {2, 4}}, {L"5 - *7", {4, 6}}, {L"*5-7", {0, 4}},   {L"1,3,", {4, 4}},
        {L"1-", {2, 2}},   {L"", {0, 0}},       {L"12 x 4", {3, 6}},
    };
    for (const auto& entry : cases) {
      SCOPED_TRACE(pw::ToUtf8(entry.list));
      dialog.Type(IDC_NEW_DTMF_EDIT, entry.list);
      dialog.Click(IDOK);
      EXPECT_EQ(dialog.FocusId(), static_cast<int>(IDC_NEW_DTMF_EDIT));
      EXPECT_EQ(Selection(dialog), entry.selection);
      EXPECT_EQ(dialog.Text(IDC_NEW_DTMF_EDIT), entry.list);
    }
    dialog.Click(IDCANCEL);
  });
  for (int n = 0; n < 7; ++n) ui_.ExpectMessageBox(IDOK, kInvalidList);
  RunMenu(item, L"&New...");
  EXPECT_EQ(ui_.pending_expectations(), 0u);
  ASSERT_EQ(ui_.message_boxes().size(), 7u);
  EXPECT_EQ(ui_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_TRUE(StoredRoutes(kDid).empty());
}

// 101 numbers ask first: No keeps the dialog with the whole text selected, Yes adds them all.
TEST_F(DtmfRoutesTest, MoreThanOneHundredNumbersAskFirst) {
  Start();
  const HSCOPEITEM item = ShowDtmf();
  ui_.ExpectDialog(IDD_NEW_DTMF, [](DialogDriver& dialog) {
    dialog.Type(IDC_NEW_DTMF_EDIT, L"1-101");
    dialog.Click(IDOK);
    EXPECT_EQ(dialog.Text(IDC_NEW_DTMF_EDIT), L"1-101");
    EXPECT_EQ(Selection(dialog), (std::pair<int, int>{0, 5}));
    EXPECT_EQ(dialog.FocusId(), static_cast<int>(IDC_NEW_DTMF_EDIT));
    dialog.Click(IDOK);
  });
  ui_.ExpectMessageBox(IDNO, kConfirmMany);
  ui_.ExpectMessageBox(IDYES, kConfirmMany);
  RunMenu(item, L"&New...");
  EXPECT_EQ(ui_.pending_expectations(), 0u);
  ASSERT_EQ(ui_.message_boxes().size(), 2u);
  EXPECT_EQ(ui_.message_boxes()[0].buttons, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(ui_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONQUESTION));
  EXPECT_EQ(StoredRoutes(kDid), Numbered(1, 101, 4));
  EXPECT_EQ(Description(), L"101 routing rule(s)");
  EXPECT_EQ(SelectedRows(), Range(0, 100));
}

// Numbers the store already has (in any letter case) are skipped, reported once at the end,
// and their existing rows are selected with the new ones; other rows are not.
TEST_F(DtmfRoutesTest, DuplicatesAreReportedOnceAndSelected) {
  Start();
  AddRoute(L"101", {}, kDid);
  AddRoute(L"12ab", {}, kDid);
  AddRoute(L"555", {}, kDid);
  const HSCOPEITEM item = ShowDtmf();
  AddList(item, L"100-102, 12AB", false, kAlreadyRouted);
  EXPECT_EQ(StoredRoutes(kDid),
            (Stored{{L"101", 0}, {L"12ab", 0}, {L"555", 0}, {L"100", 0}, {L"102", 0}}));
  EXPECT_EQ(Rows(),
            (Table{{L"101", L""}, {L"12ab", L""}, {L"555", L""}, {L"100", L""}, {L"102", L""}}));
  EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 3, 4}));
  ASSERT_EQ(ui_.message_boxes().size(), 1u);
  EXPECT_EQ(ui_.message_boxes()[0].caption, kTitle);
  EXPECT_EQ(ui_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONEXCLAMATION));

  // A single entry that exists opens no sheet.
  AddList(item, L"555", false, kAlreadyRouted);
  EXPECT_TRUE(State().sheets.empty());
  EXPECT_EQ(SelectedRows(), std::vector<int>{2});
  EXPECT_EQ(StoredRoutes(kDid).size(), 5u);
  EXPECT_EQ(ui_.pending_expectations(), 0u);
}

// Rename accepts one entry and stores it in capitals; ranges, lists and other routes' numbers
// are refused.
TEST_F(DtmfRoutesTest, RenameChecksTheNumber) {
  Start();
  AddRoute(L"0001", {}, kDid);
  AddRoute(L"0002", {}, kDid);
  ShowDtmf();
  ASSERT_TRUE(session().SelectRows(kView, {0}).ok());
  ui_.ExpectMessageBox(IDOK, kInvalidNumber);
  session().RunVerb(kView, MMC_VERB_RENAME, L"1-3");
  ui_.ExpectMessageBox(IDOK, kInvalidNumber);
  session().RunVerb(kView, MMC_VERB_RENAME, L"1,2");
  ui_.ExpectMessageBox(IDOK, kDuplicate);
  session().RunVerb(kView, MMC_VERB_RENAME, L"0002");
  ui_.ExpectMessageBox(IDOK, L"Please type in a DTMF/DID number.");
  session().RunVerb(kView, MMC_VERB_RENAME, L"  ");
  EXPECT_EQ(StoredRoutes(kDid), (Stored{{L"0001", 0}, {L"0002", 0}}));

  EXPECT_TRUE(session().RunVerb(kView, MMC_VERB_RENAME, L" 12ab ").ok());
  EXPECT_EQ(StoredRoutes(kDid), (Stored{{L"12AB", 0}, {L"0002", 0}}));
  EXPECT_EQ(FieldOf(L"12AB", L"ObjectDisplay", kDid), L"12AB");
  EXPECT_EQ(Rows()[0][0], L"12AB");
  EXPECT_EQ(ui_.pending_expectations(), 0u);
}

// The options page refuses an empty text, a range and another route's number, and applies a
// number in capitals.
TEST_F(DtmfRoutesTest, OptionsPageChecksAndAppliesTheNumber) {
  Start();
  AddRoute(L"0001", {}, kDid);
  AddRoute(L"0002", {}, kDid);
  ShowDtmf();
  const HWND sheet = OpenSheet(0);
  OnSheet(sheet, [&](CPropertySheet& window) {
    ASSERT_EQ(window.GetPageCount(), 3);
    EXPECT_EQ(CWnd::FromHandle(PageControl(window, 0, IDC_USERS_TEXT))->GetWindowText(),
              L"Please select the users/groups to assign to this DTMF/DID route.");
    const HWND edit = PageControl(window, 1, IDC_PAGE_DTMF_EDIT);
    EXPECT_EQ(window.GetPage(1)->GetWindowText(), L"Options");
    EXPECT_EQ(CWnd::FromHandle(edit)->GetWindowText(), L"0001");

    EXPECT_TRUE(pw::ui::TypeText(edit, L"   "));
    ui_.ExpectMessageBox(IDOK, L"Please type in a DTMF/DID number.");
    EXPECT_FALSE(pw::ui::SelectSheetTab(window.GetSafeHwnd(), 0));
    EXPECT_EQ(CWnd::FromHandle(edit)->GetWindowText(), L"");

    EXPECT_TRUE(pw::ui::TypeText(edit, L" 1-2 "));
    ui_.ExpectMessageBox(IDOK, kInvalidNumber);
    EXPECT_FALSE(pw::ui::SelectSheetTab(window.GetSafeHwnd(), 2));
    int start = 0;
    int end = 0;
    static_cast<CEdit*>(CWnd::FromHandle(edit))->GetSel(start, end);
    EXPECT_EQ((std::pair<int, int>{start, end}), (std::pair<int, int>{0, 3}));

    EXPECT_TRUE(pw::ui::TypeText(edit, L"0002"));
    ui_.ExpectMessageBox(IDOK, kDuplicate);
    pw::ui::PressSheetApply(window.GetSafeHwnd());
    EXPECT_EQ(window.GetActiveIndex(), 1);
  });
  ASSERT_EQ(State().sheets.size(), 1u);
  EXPECT_EQ(StoredRoutes(kDid), (Stored{{L"0001", 0}, {L"0002", 0}}));

  OnSheet(sheet, [&](CPropertySheet& window) {
    const HWND edit = PageControl(window, 1, IDC_PAGE_DTMF_EDIT);
    EXPECT_TRUE(pw::ui::TypeText(edit, L" 0003a "));
    EXPECT_TRUE(pw::ui::PressSheetOk(window.GetSafeHwnd()));
  });
  EXPECT_EQ(StoredRoutes(kDid), (Stored{{L"0003A", 0}, {L"0002", 0}}));
  EXPECT_EQ(FieldOf(L"0003A", L"ObjectDisplay", kDid), L"0003A");
  EXPECT_EQ(Rows()[0][0], L"0003A");
  EXPECT_EQ(ui_.pending_expectations(), 0u);
}

// Exported routes come back with their users after an import; a file the library refuses is
// reported with the DTMF/DID text and the list is still refreshed.
TEST_F(DtmfRoutesTest, ExportAndImportRoundTrip) {
  Start();
  const std::wstring anna = AddObject(L"user", L"Anna Berger", L"anna@x.demo", L"aberger");
  AddRoute(L"0100", {anna}, kDid);
  AddRoute(L"*5#", {}, kDid);
  AddRoute(L"ACSID", {}, L"csid");
  const HSCOPEITEM item = ShowDtmf();
  const std::string file = installation_->dir().Sub("did.csv");

  ui_.ExpectDialog(L"Select Export file", [&](DialogDriver& dialog) {
    dialog.Type(IDC_FD_NAME, pw::FromUtf8(file));
    dialog.Click(IDOK);
  });
  RunMenu(item, L"&Export DTMF/DID...");
  ASSERT_TRUE(std::filesystem::exists(file));

  DeleteElsewhere(L"0100", kDid);
  DeleteElsewhere(L"*5#", kDid);
  ui_.ExpectDialog(L"Select Import file", [&](DialogDriver& dialog) {
    dialog.Type(IDC_FD_NAME, pw::FromUtf8(file));
    dialog.Click(IDOK);
  });
  RunMenu(item, L"&Import DTMF/DID...");
  EXPECT_EQ(StoredRoutes(kDid), (Stored{{L"0100", 1}, {L"*5#", 0}}));
  EXPECT_EQ(StoredRoutes(L"csid"), (Stored{{L"ACSID", 0}}));
  EXPECT_EQ(Rows(), (Table{{L"0100", L"Anna Berger"}, {L"*5#", L""}}));

  const std::string bad = installation_->dir().WriteFile("bad.csv", "\"unterminated\n");
  AddRoute(L"0200", {}, kDid);
  ui_.ExpectDialog(L"Select Import file", [&](DialogDriver& dialog) {
    dialog.Type(IDC_FD_NAME, pw::FromUtf8(bad));
    dialog.Click(IDOK);
  });
  ui_.ExpectMessageBox(IDOK,
                       L"An error has occurred while importing the DTMF/DID file. Please check "
                       L"the contents of the file and try again.");
  RunMenu(item, L"&Import DTMF/DID...");
  EXPECT_EQ(Rows().size(), 3u);
  EXPECT_EQ(ui_.pending_expectations(), 0u);
}

}  // namespace
}  // namespace pw::test
