// Refreshing a rule list matches the stored rules to the existing rows by identity, in store
// order and after a sort, so every row keeps its place and shows its own rule's users.
#include <gtest/gtest.h>

#include "tests/snapin/rule_list_fixture.h"

namespace pw::test {
namespace {

using Table = std::vector<std::vector<std::wstring>>;

class RuleListRefreshTest : public RuleListTest {
 protected:
  // Adds `identity` to the stored route `value`, as another session would.
  void AddUserElsewhere(const std::wstring& value, const std::wstring& identity) {
    WithStores([&](IArdentRULEDB& rules, IArdentUserLocator&) {
      const IArdentRuleEnumPtr found = rules.EnumRules(L"", L"csid");
      IArdentRulePtr rule;
      while (found->Next(&rule) == S_OK) {
        if (rule->GetField(L"ObjectValue").ToString() != value) continue;
        rule->AddUser(identity);
        rules.SaveRule(rule.Get(), VARIANT_FALSE);
      }
    });
  }

  void Refresh() { ASSERT_TRUE(session().RunVerb(kView, MMC_VERB_REFRESH).ok()); }
};

// Rows follow changes made elsewhere: gone rules leave, new ones are appended, and the users
// of each row come from its own rule, whether the rows are in store order or sorted.
TEST_F(RuleListRefreshTest, MatchesRowsToRulesByIdentity) {
  Start();
  const std::wstring anna = AddObject(L"user", L"Anna", L"anna@x.demo");
  const std::wstring ben = AddObject(L"user", L"Ben", L"ben@x.demo");
  AddRoute(L"AAA", {anna});
  AddRoute(L"BBB", {});
  AddRoute(L"CCC", {ben});
  ShowCsid();
  EXPECT_EQ(Rows(), (Table{{L"AAA", L"Anna"}, {L"BBB", L""}, {L"CCC", L"Ben"}}));

  DeleteElsewhere(L"BBB");
  AddUserElsewhere(L"CCC", anna);
  AddRoute(L"DDD", {});
  Refresh();
  EXPECT_EQ(Rows(), (Table{{L"AAA", L"Anna"}, {L"CCC", L"Anna,Ben"}, {L"DDD", L""}}));
  EXPECT_EQ(Description(), L"3 routing rule(s)");

  ASSERT_TRUE(session().Sort(kView, 0, true).ok());
  EXPECT_EQ(Rows(), (Table{{L"DDD", L""}, {L"CCC", L"Anna,Ben"}, {L"AAA", L"Anna"}}));
  DeleteElsewhere(L"CCC");
  AddUserElsewhere(L"DDD", ben);
  AddRoute(L"BBB", {ben});
  Refresh();
  EXPECT_EQ(Rows(), (Table{{L"DDD", L"Ben"}, {L"AAA", L"Anna"}, {L"BBB", L"Ben"}}));
  EXPECT_EQ(Description(), L"3 routing rule(s)");
  Refresh();
  EXPECT_EQ(Rows(), (Table{{L"DDD", L"Ben"}, {L"AAA", L"Anna"}, {L"BBB", L"Ben"}}));
  EXPECT_TRUE(ui_.message_boxes().empty());
}

// Sorting folds letter case with a prefix before its longer texts, a descending sort is the
// exact reverse of the ascending one, and column 1 puts the rows without users first.
TEST_F(RuleListRefreshTest, SortsValuesIgnoringCase) {
  Start();
  const std::wstring anna = AddObject(L"user", L"Anna", L"anna@x.demo");
  AddRoute(L"b2", {});
  AddRoute(L"B1", {});
  AddRoute(L"a", {anna});
  AddRoute(L"A10", {});
  ShowCsid();
  ASSERT_TRUE(session().Sort(kView, 0, false).ok());
  const Table ascending{{L"a", L"Anna"}, {L"A10", L""}, {L"B1", L""}, {L"b2", L""}};
  EXPECT_EQ(Rows(), ascending);
  ASSERT_TRUE(session().Sort(kView, 0, true).ok());
  EXPECT_EQ(Rows(), (Table{ascending.rbegin(), ascending.rend()}));
  ASSERT_TRUE(session().Sort(kView, 1, false).ok());
  EXPECT_EQ(Rows(), (Table{{L"A10", L""}, {L"B1", L""}, {L"b2", L""}, {L"a", L"Anna"}}));
}

}  // namespace
}  // namespace pw::test
