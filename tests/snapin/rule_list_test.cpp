// The rule list base through the CSID list: rows and users text, refresh by "ObjectID", delete,
// sort and type-ahead, and entries deleted in another session.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "tests/snapin/rule_list_fixture.h"

namespace pw::test {
namespace {

using Table = std::vector<std::vector<std::wstring>>;

// An empty list says 0; stored routes show their value and up to 10 user names in exact order.
TEST_F(RuleListTest, ShowsRoutesWithUsersTextAndCount) {
  Start();
  ShowCsid();
  const pw::mmc::ConsoleState empty = State();
  ASSERT_EQ(empty.views.front().columns.size(), 2u);
  EXPECT_EQ(empty.views.front().columns[0].title, L"CSID Number");
  EXPECT_EQ(empty.views.front().columns[1].title, L"Users/Groups");
  EXPECT_EQ(empty.views.front().kind, pw::mmc::ResultPaneKind::kVirtualList);
  EXPECT_EQ(Description(), L"0 routing rule(s)");

  std::vector<std::wstring> many;
  std::map<std::wstring, std::wstring> names;
  for (wchar_t letter : std::wstring(L"KJIHGFEDCBA")) {
    const std::wstring name = std::wstring(L"User ") + letter;
    many.push_back(AddObject(L"user", name, L""));
    names[many.back()] = name;
  }
  // The first ten identities in the set's order, shown by name in exact order.
  std::vector<std::wstring> shown;
  for (auto entry = names.begin(); shown.size() < 10; ++entry) shown.push_back(entry->second);
  std::sort(shown.begin(), shown.end());
  std::wstring eleven;
  for (const std::wstring& name : shown) eleven += name + L",";
  eleven += L"...";
  const std::wstring bob = AddObject(L"user", L"bob", L"bob@x.demo");
  const std::wstring alice = AddObject(L"user", L"Alice", L"alice@x.demo");
  AddRoute(L"+49 89 1", {bob, alice});
  AddRoute(L"ELEVEN", many);
  AddRoute(L"NOBODY", {});
  ASSERT_TRUE(session().RunVerb(kView, MMC_VERB_REFRESH).ok());

  EXPECT_EQ(Rows(), (Table{
                        {L"+49 89 1", L"Alice,bob"},
                        {L"ELEVEN", eleven},
                        {L"NOBODY", L""},
                    }));
  EXPECT_EQ(Description(), L"3 routing rule(s)");
  EXPECT_TRUE(ui_.message_boxes().empty());
}

// A refresh keeps items by "ObjectID": new rules appear, vanished ones go, except one whose
// sheet is open, which stays with the open-sheets message.
TEST_F(RuleListTest, RefreshReconcilesWithTheStore) {
  Start();
  AddRoute(L"ALPHA", {});
  AddRoute(L"BETA", {});
  ShowCsid();
  ASSERT_EQ(Rows().size(), 2u);

  AddRoute(L"GAMMA", {});
  DeleteElsewhere(L"ALPHA");
  ASSERT_TRUE(session().RunVerb(kView, MMC_VERB_REFRESH).ok());
  EXPECT_EQ(Rows(), (Table{{L"BETA", L""}, {L"GAMMA", L""}}));

  const HWND sheet = OpenSheet(0);
  ASSERT_NE(sheet, nullptr);
  DeleteElsewhere(L"BETA");
  ui_.ExpectMessageBox(IDOK, L"Cannot refresh properly since there are open property sheets.");
  ASSERT_TRUE(session().RunVerb(kView, MMC_VERB_REFRESH).ok());
  EXPECT_EQ(Rows(), (Table{{L"BETA", L""}, {L"GAMMA", L""}}));
  ASSERT_EQ(ui_.message_boxes().size(), 1u);
  EXPECT_EQ(ui_.message_boxes().back().caption, kTitle);
  EXPECT_EQ(ui_.message_boxes().back().icon, static_cast<UINT>(MB_ICONERROR));

  // Once the sheet is closed the vanished row goes quietly.
  OnSheet(sheet, [](CPropertySheet& window) {
    EXPECT_TRUE(pw::ui::PressSheetCancel(window.GetSafeHwnd()));
  });
  ASSERT_TRUE(session().RunVerb(kView, MMC_VERB_REFRESH).ok());
  EXPECT_EQ(Rows(), (Table{{L"GAMMA", L""}}));
  EXPECT_EQ(ui_.message_boxes().size(), 1u);
}

// Delete asks first; a rule already gone counts as deleted; an open sheet refuses the delete.
TEST_F(RuleListTest, DeleteAsksRefusesOpenSheetsAndAcceptsVanishedRules) {
  Start();
  AddRoute(L"ONE", {});
  AddRoute(L"TWO", {});
  AddRoute(L"THREE", {});
  ShowCsid();

  ASSERT_TRUE(session().SelectRows(kView, {0}).ok());
  ui_.ExpectMessageBox(IDCANCEL, L"Are you sure you want to remove this entry?");
  ASSERT_TRUE(session().RunVerb(kView, MMC_VERB_DELETE).ok());
  EXPECT_EQ(StoredRoutes().size(), 3u);

  ui_.ExpectMessageBox(IDOK, L"Are you sure you want to remove this entry?");
  ASSERT_TRUE(session().RunVerb(kView, MMC_VERB_DELETE).ok());
  EXPECT_EQ(Rows(), (Table{{L"TWO", L""}, {L"THREE", L""}}));
  EXPECT_EQ(Description(), L"2 routing rule(s)");

  DeleteElsewhere(L"TWO");
  ASSERT_TRUE(session().SelectRows(kView, {0}).ok());
  ui_.ExpectMessageBox(IDOK, L"Are you sure you want to remove this entry?");
  ASSERT_TRUE(session().RunVerb(kView, MMC_VERB_DELETE).ok());
  EXPECT_EQ(Rows(), (Table{{L"THREE", L""}}));

  const HWND sheet = OpenSheet(0);
  ASSERT_NE(sheet, nullptr);
  ui_.ExpectMessageBox(IDOK, L"Please close this CSID number's property sheet before deleting it.");
  ASSERT_TRUE(session().RunVerb(kView, MMC_VERB_DELETE).ok());
  EXPECT_EQ(StoredRoutes().size(), 1u);
  EXPECT_EQ(ui_.message_boxes().back().icon, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_EQ(ui_.pending_expectations(), 0u);
}

// Sorting column 1 puts fewer users first whatever the names; type-ahead wraps to the top.
TEST_F(RuleListTest, SortsByUsersAndFindsByPrefix) {
  Start();
  const std::wstring anna = AddObject(L"user", L"Anna", L"anna@x.demo");
  const std::wstring ben = AddObject(L"user", L"Ben", L"ben@x.demo");
  AddRoute(L"aaa", {anna, ben});
  AddRoute(L"ccc", {});
  AddRoute(L"BBB", {ben});
  ShowCsid();

  ASSERT_TRUE(session().Sort(kView, 1, false).ok());
  EXPECT_EQ(Rows(), (Table{{L"ccc", L""}, {L"BBB", L"Ben"}, {L"aaa", L"Anna,Ben"}}));
  ASSERT_TRUE(session().Sort(kView, 0, false).ok());
  EXPECT_EQ(Rows(), (Table{{L"aaa", L"Anna,Ben"}, {L"BBB", L"Ben"}, {L"ccc", L""}}));
  ASSERT_TRUE(session().Sort(kView, 0, true).ok());
  EXPECT_EQ(Rows(), (Table{{L"ccc", L""}, {L"BBB", L"Ben"}, {L"aaa", L"Anna,Ben"}}));

  ASSERT_TRUE(session().SelectRows(kView, {1}).ok());
  int found = -1;
  ASSERT_TRUE(session().TypeAhead(kView, L"cC", &found).ok());
  EXPECT_EQ(found, 0);
  ASSERT_TRUE(session().TypeAhead(kView, L"bb", &found).ok());
  EXPECT_EQ(found, 1);
}

// Applying a sheet whose rule another session deleted asks; No refreshes the row away, Yes
// stores the entry again with the sheet's users.
TEST_F(RuleListTest, ApplyAfterDeletionElsewhereAsksToCreateAgain) {
  Start();
  const std::wstring anna = AddObject(L"user", L"Anna", L"anna@x.demo");
  AddRoute(L"KEEP", {anna});
  AddRoute(L"LOSE", {});
  ShowCsid();
  const std::wstring question =
      L"The settings cannot be applied because the entry was deleted in another session. Do you "
      L"wish to create a new entry with these settings?";

  HWND sheet = OpenSheet(0);
  DeleteElsewhere(L"KEEP");
  ui_.ExpectMessageBox(IDYES, question);
  OnSheet(sheet,
          [](CPropertySheet& window) { EXPECT_TRUE(pw::ui::PressSheetOk(window.GetSafeHwnd())); });
  EXPECT_EQ(StoredRoutes(),
            (std::vector<std::pair<std::wstring, std::size_t>>{{L"LOSE", 0}, {L"KEEP", 1}}));

  sheet = OpenSheet(1);
  DeleteElsewhere(L"LOSE");
  ui_.ExpectMessageBox(IDNO, question);
  OnSheet(sheet,
          [](CPropertySheet& window) { EXPECT_TRUE(pw::ui::PressSheetOk(window.GetSafeHwnd())); });
  EXPECT_EQ(ui_.message_boxes().back().buttons, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(StoredRoutes(), (std::vector<std::pair<std::wstring, std::size_t>>{{L"KEEP", 1}}));
  EXPECT_EQ(Rows(), (Table{{L"KEEP", L"Anna"}}));
}

}  // namespace
}  // namespace pw::test
