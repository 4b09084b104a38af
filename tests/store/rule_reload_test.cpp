// Rules read back from the file: each rule gets exactly its own users and fields, in the order
// they were written, however the rules around it are filled.
#include "tests/store/store_fixture.h"

namespace pw::test {
namespace {

class RuleReloadTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    store_ = OpenStore();
    ASSERT_TRUE(store_);
    rules_ = store_.As<IArdentRULEDB>();
  }

  std::vector<std::vector<std::wstring>> UsersOfEach(const std::wstring& type,
                                                     const std::wstring& user = L"") {
    std::vector<std::vector<std::wstring>> users;
    for (const IArdentRulePtr& rule : AllRules(rules_->EnumRules(user, type))) {
      users.push_back(AllTexts(rule->EnumUsers()));
    }
    return users;
  }

  IArdentDBPtr store_;
  IArdentRULEDBPtr rules_;
};

// Users come back in the order they were added, not sorted by name, also when rules without
// users lie between rules with users and when a later update adds to an earlier rule.
TEST_F(RuleReloadTest, UsersKeepTheirOrderPerRule) {
  const IArdentRulePtr first = MakeRule(rules_, L"did", L"100", {L"CN=Zed", L"CN=Ann", L"cn=Mia"});
  ASSERT_EQ(rules_->SaveRule(first.Get(), VARIANT_TRUE), S_OK);
  ASSERT_EQ(rules_->SaveRule(MakeRule(rules_, L"did", L"101").Get(), VARIANT_TRUE), S_OK);
  ASSERT_EQ(rules_->SaveRule(MakeRule(rules_, L"did", L"102", {L"CN=Bob"}).Get(), VARIANT_TRUE),
            S_OK);
  ASSERT_EQ(rules_->SaveRule(MakeRule(rules_, L"csid", L"FAX", {L"CN=Ann"}).Get(), VARIANT_TRUE),
            S_OK);
  ASSERT_EQ(rules_->SaveRule(MakeRule(rules_, L"did", L"103").Get(), VARIANT_TRUE), S_OK);
  first->AddUser(L"CN=Abe");
  ASSERT_EQ(rules_->SaveRule(first.Get(), VARIANT_FALSE), S_OK);

  using Users = std::vector<std::vector<std::wstring>>;
  EXPECT_EQ(UsersOfEach(L"did"),
            (Users{{L"CN=Zed", L"CN=Ann", L"cn=Mia", L"CN=Abe"}, {}, {L"CN=Bob"}, {}}));
  EXPECT_EQ(ValuesOfType(rules_, L"did"),
            (std::vector<std::wstring>{L"100", L"101", L"102", L"103"}));
  EXPECT_EQ(UsersOfEach(L"did", L"cn=ann"), (Users{{L"CN=Zed", L"CN=Ann", L"cn=Mia", L"CN=Abe"}}));
  EXPECT_EQ(UsersOfEach(L"", L"CN=ANN"),
            (Users{{L"CN=Zed", L"CN=Ann", L"cn=Mia", L"CN=Abe"}, {L"CN=Ann"}}));
  const IArdentRulePtr again = rules_->GetRule(first->GetField(L"ObjectID").ToString());
  ASSERT_TRUE(again);
  EXPECT_EQ(AllTexts(again->EnumUsers()),
            (std::vector<std::wstring>{L"CN=Zed", L"CN=Ann", L"cn=Mia", L"CN=Abe"}));
}

// Every field reads back with its own rule's value and type, whatever the field names sort
// like and however many fields the neighbouring rules have.
TEST_F(RuleReloadTest, FieldsStayWithTheirRule) {
  const IArdentRulePtr wide = MakeRule(rules_, L"line", L"1");
  wide->SetField(L"Zulu", VARIANT::FromI4(-7));
  wide->SetField(L"Alpha", VARIANT::FromBstr(L"first"));
  wide->SetField(L"ObjectFlags", VARIANT::FromUI4(3));
  ASSERT_EQ(rules_->SaveRule(wide.Get(), VARIANT_TRUE), S_OK);
  const IArdentRulePtr narrow = rules_->CreateRule(L"line");
  narrow->SetField(L"Alpha", VARIANT::FromBstr(L"second"));
  ASSERT_EQ(rules_->SaveRule(narrow.Get(), VARIANT_TRUE), S_OK);
  ASSERT_EQ(rules_->SaveRule(MakeRule(rules_, L"line", L"3").Get(), VARIANT_TRUE), S_OK);

  const std::vector<IArdentRulePtr> all = AllRules(rules_->EnumRules(L"", L"line"));
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(FieldOfEach(all, L"Alpha"), (std::vector<std::wstring>{L"first", L"second", L""}));
  EXPECT_EQ(FieldOfEach(all, L"ObjectValue"), (std::vector<std::wstring>{L"1", L"", L"3"}));
  EXPECT_EQ(all[0]->GetField(L"Zulu"), VARIANT::FromI4(-7));
  EXPECT_EQ(all[0]->GetField(L"ObjectFlags"), VARIANT::FromUI4(3));
  EXPECT_TRUE(all[1]->GetField(L"Zulu").IsEmpty());
  EXPECT_TRUE(all[2]->GetField(L"ObjectFlags").IsEmpty());
}

}  // namespace
}  // namespace pw::test
