// Call blocking through the console: the list under "Advanced", the new entry dialog, the
// entry's sheet, rename, and multiple selection.
#include <gtest/gtest.h>

#include "module/documents/call_block_value.h"
#include "module/resources/call_blocking.h"
#include "tests/snapin/rule_list_fixture.h"

namespace pw::test {
namespace {

using Table = std::vector<std::vector<std::wstring>>;
using Stored = std::vector<std::pair<std::wstring, std::size_t>>;

constexpr wchar_t kType[] = L"callblock";
constexpr wchar_t kInvalid[] =
    L"Please type in a valid dial string. Dial strings can only contain digits in the range 0 to "
    L"9, * or #.";
constexpr wchar_t kDuplicate[] =
    L"This dial string already exists. Please specify a different dialing prefix or fax number.";

class CallBlockingTest : public RuleListTest {
 protected:
  HSCOPEITEM ShowCallBlocking() { return ShowScopeItem({L"Advanced", L"Call blocking"}); }
};

// Digits, "*" and "#" only; the empty text passes the character check.
TEST(DialStringTest, AcceptsDigitsStarAndHashOnly) {
  EXPECT_TRUE(IsValidDialString(L"0044*"));
  EXPECT_TRUE(IsValidDialString(L"#31#0800"));
  EXPECT_TRUE(IsValidDialString(L""));
  EXPECT_FALSE(IsValidDialString(L"+44 20"));
  EXPECT_FALSE(IsValidDialString(L"12a"));
  EXPECT_FALSE(IsValidDialString(L"0 800"));
  EXPECT_FALSE(IsValidDialString(L"\x0663"));  // a digit of another script
}

// The list shows its entries with the dial string column and its own description bar, offers
// "New..." and one toolbar button, and multiple entries cannot be deleted at once (unlike
// routes).
TEST_F(CallBlockingTest, ListsEntriesAndRefusesMultipleDelete) {
  Start();
  const std::wstring anna = AddObject(L"user", L"Anna Berger", L"anna@x.demo", L"aberger");
  AddRoute(L"0044*", {anna}, kType);
  AddRoute(L"#31#0800", {}, kType);
  const HSCOPEITEM item = ShowCallBlocking();
  EXPECT_EQ(Rows(), (Table{{L"0044*", L"Anna Berger"}, {L"#31#0800", L""}}));
  EXPECT_EQ(ColumnTitles(), (std::vector<std::wstring>{L"Dial string", L"Users/Groups"}));
  EXPECT_EQ(State().views.front().description_bar, L"2 call blocking fax number(s)");

  EXPECT_EQ(OwnMenu(item), (std::vector<std::pair<std::wstring, std::wstring>>{
                               {L"&New...", L"Adds a new call block entry."}}));
  EXPECT_EQ(AttachedButtons(),
            (std::vector<std::pair<int, std::wstring>>{{32777, L"New call block entry"}}));

  ASSERT_TRUE(session().SelectRows(kView, {0}).ok());
  EXPECT_TRUE(VerbEnabled(MMC_VERB_DELETE));
  ASSERT_TRUE(session().SelectRows(kView, {0, 1}).ok());
  EXPECT_FALSE(VerbEnabled(MMC_VERB_DELETE));
  // Two CSID routes selected together may be deleted.
  AddRoute(L"CSID A", {});
  AddRoute(L"CSID B", {});
  ShowCsid();
  ASSERT_TRUE(session().SelectRows(kView, {0, 1}).ok());
  EXPECT_TRUE(VerbEnabled(MMC_VERB_DELETE));
}

// The dialog refuses an empty, an invalid and an existing dial string, and stores a trimmed
// one and opens its sheet with the users page and the options page.
TEST_F(CallBlockingTest, NewEntryChecksTheDialString) {
  Start();
  AddRoute(L"0044", {}, kType);
  const HSCOPEITEM item = ShowCallBlocking();
  ui_.ExpectDialog(IDD_NEW_CALL_BLOCK, [](DialogDriver& dialog) {
    dialog.Type(IDC_NEW_CALL_BLOCK_EDIT, L" \t ");
    dialog.Click(IDOK);
    EXPECT_EQ(dialog.FocusId(), static_cast<int>(IDC_NEW_CALL_BLOCK_EDIT));
    dialog.Type(IDC_NEW_CALL_BLOCK_EDIT, L"+44 20");
    dialog.Click(IDOK);
    dialog.Type(IDC_NEW_CALL_BLOCK_EDIT, L"0044");
    dialog.Click(IDOK);
    dialog.Type(IDC_NEW_CALL_BLOCK_EDIT, L"\t 0800* ");
    dialog.Click(IDOK);
  });
  ui_.ExpectMessageBox(IDOK, L"Please type in a valid dial string.");
  ui_.ExpectMessageBox(IDOK, kInvalid);
  ui_.ExpectMessageBox(IDOK, kDuplicate);
  RunMenu(item, L"&New...");
  EXPECT_EQ(ui_.pending_expectations(), 0u);
  EXPECT_EQ(StoredRoutes(kType), (Stored{{L"0044", 0}, {L"0800*", 0}}));
  EXPECT_EQ(FieldOf(L"0800*", L"ObjectDisplay", kType), L"0800*");
  const pw::mmc::ConsoleState state = State();
  ASSERT_EQ(state.sheets.size(), 1u);
  EXPECT_EQ(state.sheets[0].title, L"0800*");
  ASSERT_FALSE(watcher_.sheets().empty());
  OnSheet(watcher_.sheets().back(), [](CPropertySheet& window) {
    ASSERT_EQ(window.GetPageCount(), 2);
    EXPECT_EQ(CWnd::FromHandle(PageControl(window, 0, IDC_USERS_TEXT))->GetWindowText(),
              L"Please select the users/groups to assign to this Call block.");
    EXPECT_EQ(
        CWnd::FromHandle(PageControl(window, 1, IDC_PAGE_CALL_BLOCK_HEADING))->GetWindowText(),
        L"Call block Properties");
    EXPECT_EQ(window.GetPage(1)->GetWindowText(), L"Options");
  });
}

// The options page refuses to be left empty or invalid, refuses another entry's dial string on
// apply, and writes value and display alike.
TEST_F(CallBlockingTest, OptionsPageChecksAndApplies) {
  Start();
  AddRoute(L"0044", {}, kType);
  AddRoute(L"0900", {}, kType);
  ShowCallBlocking();
  const HWND sheet = OpenSheet(0);
  OnSheet(sheet, [&](CPropertySheet& window) {
    const HWND edit = PageControl(window, 1, IDC_PAGE_CALL_BLOCK_EDIT);
    EXPECT_EQ(CWnd::FromHandle(edit)->GetWindowText(), L"0044");
    ui_.ExpectMessageBox(IDOK, L"Please type in a dialling prefix or a fax number.");
    EXPECT_TRUE(pw::ui::TypeText(edit, L"  "));
    EXPECT_FALSE(pw::ui::SelectSheetTab(window.GetSafeHwnd(), 0));
    ui_.ExpectMessageBox(IDOK, kInvalid);
    EXPECT_TRUE(pw::ui::TypeText(edit, L"00 44"));
    EXPECT_FALSE(pw::ui::SelectSheetTab(window.GetSafeHwnd(), 0));
    ui_.ExpectMessageBox(IDOK, kDuplicate);
    EXPECT_TRUE(pw::ui::TypeText(edit, L"0900"));
    EXPECT_TRUE(pw::ui::PressSheetOk(window.GetSafeHwnd()));
    EXPECT_EQ(window.GetActiveIndex(), 1);
    EXPECT_TRUE(pw::ui::TypeText(edit, L" 0045 "));
    EXPECT_TRUE(pw::ui::PressSheetOk(window.GetSafeHwnd()));
  });
  EXPECT_EQ(ui_.pending_expectations(), 0u);
  EXPECT_EQ(StoredRoutes(kType), (Stored{{L"0045", 0}, {L"0900", 0}}));
  EXPECT_EQ(FieldOf(L"0045", L"ObjectDisplay", kType), L"0045");
  EXPECT_EQ(Rows(), (Table{{L"0045", L""}, {L"0900", L""}}));
}

// Rename from the console keeps to the dial string rule and refuses another entry's text.
TEST_F(CallBlockingTest, RenameChecksTheDialString) {
  Start();
  AddRoute(L"0044", {}, kType);
  AddRoute(L"0900", {}, kType);
  ShowCallBlocking();
  ASSERT_TRUE(session().SelectRows(kView, {0}).ok());
  ui_.ExpectMessageBox(IDOK, kInvalid);
  session().RunVerb(kView, MMC_VERB_RENAME, L"12a");
  ui_.ExpectMessageBox(IDOK, kDuplicate);
  session().RunVerb(kView, MMC_VERB_RENAME, L"0900");
  EXPECT_EQ(ui_.pending_expectations(), 0u);
  EXPECT_EQ(StoredRoutes(kType), (Stored{{L"0044", 0}, {L"0900", 0}}));
  EXPECT_TRUE(session().RunVerb(kView, MMC_VERB_RENAME, L" *31# ").ok());
  EXPECT_EQ(StoredRoutes(kType), (Stored{{L"*31#", 0}, {L"0900", 0}}));
  EXPECT_EQ(FieldOf(L"*31#", L"ObjectDisplay", kType), L"*31#");
}

}  // namespace
}  // namespace pw::test
