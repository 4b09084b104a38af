// The rules of the store: identity, typed fields, the printer record, users, duplicate
// values, store order, user filters, deleted rules and several objects on one file.
#include <array>
#include <cstring>

#include "tests/store/store_fixture.h"

namespace pw::test {
namespace {

// A rule implementation that is not the store's.
class ForeignRule final : public ComObject<IArdentRule> {
 public:
  HRESULT raw_SetField(LPCWSTR, const VARIANT&) override { return S_OK; }
  HRESULT raw_GetField(LPCWSTR, VARIANT*) override { return S_OK; }
  HRESULT raw_EnumUsers(IArdentTextEnum**) override { return E_NOTIMPL; }
  HRESULT raw_AddUser(LPCWSTR) override { return S_OK; }
  HRESULT raw_RemoveUser(LPCWSTR) override { return S_OK; }
  HRESULT raw_GetRuleType(BSTR*) override { return E_NOTIMPL; }
};

std::wstring IdOf(const IArdentRulePtr& rule) { return rule->GetField(L"ObjectID").ToString(); }

class RuleTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    store_ = OpenStore();
    ASSERT_TRUE(store_);
    rules_ = store_.As<IArdentRULEDB>();
  }

  // Saves a new rule and answers its identity.
  std::wstring Save(const IArdentRulePtr& rule) {
    EXPECT_EQ(rules_->SaveRule(rule.Get(), VARIANT_TRUE), S_OK);
    return IdOf(rule);
  }

  IArdentDBPtr store_;
  IArdentRULEDBPtr rules_;
};

// A rule gets its identity at its first save and is then found by it, whole.
TEST_F(RuleTest, FirstSaveGivesTheIdentity) {
  const IArdentRulePtr rule = MakeRule(rules_, L"csid", L"+49 89 1234", {L"CN=Ann"});
  EXPECT_TRUE(rule->GetField(L"ObjectID").IsEmpty());
  EXPECT_TRUE(rule->GetField(L"AP_Assign").IsEmpty());
  EXPECT_EQ(rule->GetRuleType(), L"csid");
  const std::wstring id = Save(rule);
  EXPECT_EQ(rule->GetField(L"ObjectID").vt(), VT_BSTR);
  EXPECT_FALSE(id.empty());
  EXPECT_EQ(rule->GetField(L"objectid").ToString(), id);

  const IArdentRulePtr found = rules_->GetRule(id);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->GetRuleType(), L"csid");
  EXPECT_EQ(IdOf(found), id);
  EXPECT_EQ(found->GetField(L"ObjectValue"), VARIANT::FromBstr(L"+49 89 1234"));
  EXPECT_EQ(found->GetField(L"ObjectDisplay"), VARIANT::FromBstr(L"+49 89 1234"));
  EXPECT_EQ(AllTexts(found->EnumUsers()), std::vector<std::wstring>{L"CN=Ann"});

  EXPECT_EQ(rule->raw_SetField(L"ObjectID", VARIANT::FromBstr(L"7")), E_ACCESSDENIED);
  EXPECT_EQ(rules_->raw_SaveRule(rule.Get(), VARIANT_TRUE), E_INVALIDARG) << "saved already";
  EXPECT_EQ(rules_->raw_SaveRule(MakeRule(rules_, L"csid", L"X").Get(), VARIANT_FALSE),
            E_INVALIDARG)
      << "never saved";
  const ComPtr<ForeignRule> foreign = MakeComObject<ForeignRule>();
  EXPECT_EQ(rules_->raw_SaveRule(foreign.Get(), VARIANT_TRUE), E_INVALIDARG);
  EXPECT_EQ(rules_->raw_SaveRule(nullptr, VARIANT_TRUE), E_POINTER);
  IArdentRule* created = nullptr;
  EXPECT_EQ(rules_->raw_CreateRule(L"", &created), E_INVALIDARG);
  EXPECT_EQ(created, nullptr);
}

// Field values keep their VARIANT type through save and load; other types are refused.
TEST_F(RuleTest, FieldsKeepTheirTypes) {
  const IArdentRulePtr rule = MakeRule(rules_, L"apsettings", L"{GUID}");
  rule->SetField(L"AP_Autofit", VARIANT::FromUI4(0xFFFFFFFFu));
  rule->SetField(L"ObjectFlags", VARIANT::FromI4(-2147483647 - 1));
  rule->SetField(L"Enabled", VARIANT::FromBool(true));
  rule->SetField(L"Disabled", VARIANT::FromBool(false));
  rule->SetField(L"Number", VARIANT::FromBstr(L"5"));
  rule->SetField(L"Gone", VARIANT::FromI4(1));
  rule->SetField(L"GONE", VARIANT());
  EXPECT_EQ(rule->raw_SetField(L"List", VARIANT::FromArray({VARIANT::FromI4(1)})),
            DISP_E_BADVARTYPE);
  EXPECT_EQ(rule->raw_SetField(L"AP_PrintA4", VARIANT::FromPointer(nullptr)), E_POINTER);
  EXPECT_EQ(rule->raw_SetField(L"", VARIANT::FromI4(1)), E_INVALIDARG);
  EXPECT_EQ(rule->raw_SetField(nullptr, VARIANT::FromI4(1)), E_POINTER);
  const std::wstring id = Save(rule);

  const IArdentRulePtr found = rules_->GetRule(id);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->GetField(L"AP_Autofit"), VARIANT::FromUI4(0xFFFFFFFFu));
  EXPECT_EQ(found->GetField(L"ObjectFlags"), VARIANT::FromI4(-2147483647 - 1));
  EXPECT_EQ(found->GetField(L"Enabled"), VARIANT::FromBool(true));
  EXPECT_EQ(found->GetField(L"Disabled"), VARIANT::FromBool(false));
  EXPECT_EQ(found->GetField(L"Number"), VARIANT::FromBstr(L"5"));
  EXPECT_EQ(found->GetField(L"number"), VARIANT::FromBstr(L"5"));
  EXPECT_TRUE(found->GetField(L"Gone").IsEmpty());
  EXPECT_TRUE(found->GetField(L"List").IsEmpty());

  // An update replaces values and their types.
  found->SetField(L"Number", VARIANT::FromI4(5));
  found->SetField(L"Enabled", VARIANT());
  EXPECT_EQ(rules_->SaveRule(found.Get(), VARIANT_FALSE), S_OK);
  const IArdentRulePtr again = rules_->GetRule(id);
  EXPECT_EQ(again->GetField(L"Number"), VARIANT::FromI4(5));
  EXPECT_TRUE(again->GetField(L"Enabled").IsEmpty());
  EXPECT_EQ(again->GetField(L"AP_Autofit"), VARIANT::FromUI4(0xFFFFFFFFu));
}

// A 648-byte printer record is stored byte for byte and read back into a rule-owned block.
TEST_F(RuleTest, PrinterRecordRoundTrip) {
  std::array<BYTE, ARDENTDB_PRINTER_RECORD_SIZE> record{};
  for (std::size_t i = 0; i < record.size(); ++i) record[i] = static_cast<BYTE>(i * 7 + 3);
  record[0] = 0;
  record[647] = 0xFF;
  std::memcpy(record.data() + 136, "Printer \xE4 1", 11);
  const IArdentRulePtr rule = MakeRule(rules_, L"apsettings", L"{A}");
  rule->SetField(L"AP_PrintA4", VARIANT::FromPointer(record.data()));
  record[1] ^= 0xFF;  // the rule took a copy
  const std::wstring id = Save(rule);

  const IArdentRulePtr found = rules_->GetRule(id);
  ASSERT_TRUE(found);
  const VARIANT value = found->GetField(L"AP_PrintA4");
  ASSERT_EQ(value.vt(), VT_BYREF | VT_PTR);
  ASSERT_NE(value.byref(), nullptr);
  EXPECT_NE(value.byref(), static_cast<void*>(record.data()));
  record[1] ^= 0xFF;
  EXPECT_EQ(std::memcmp(value.byref(), record.data(), record.size()), 0);
  EXPECT_EQ(found->GetField(L"ObjectValue").ToString(), L"{A}");

  // The block stays where it is and shows the field as set now; another rule object has its
  // own block.
  std::array<BYTE, ARDENTDB_PRINTER_RECORD_SIZE> other{};
  other.fill(0x5A);
  found->SetField(L"AP_PrintA4", VARIANT::FromPointer(other.data()));
  const VARIANT reread = found->GetField(L"AP_PrintA4");
  EXPECT_EQ(reread.byref(), value.byref());
  EXPECT_EQ(std::memcmp(value.byref(), other.data(), other.size()), 0);
  const VARIANT stored = rules_->GetRule(id)->GetField(L"AP_PrintA4");
  EXPECT_NE(stored.byref(), value.byref());

  // Setting a field from the rule's own block (read, change, write back) works too.
  static_cast<BYTE*>(reread.byref())[136] = 'Q';
  found->SetField(L"AP_PrntLgl", reread);
  EXPECT_EQ(rules_->SaveRule(found.Get(), VARIANT_FALSE), S_OK);
  const IArdentRulePtr saved = rules_->GetRule(id);
  other[136] = 'Q';
  EXPECT_EQ(std::memcmp(saved->GetField(L"AP_PrntLgl").byref(), other.data(), other.size()), 0);
  EXPECT_TRUE(saved->GetField(L"AP_PrntLtr").IsEmpty());
}

// Users form a set that ignores case, saved with the rule and replaced by an update.
TEST_F(RuleTest, UsersAreSavedWithTheRule) {
  const IArdentRulePtr rule = MakeRule(rules_, L"ocr", L"invoice");
  EXPECT_EQ(rule->AddUser(L"CN=Ann,OU=Sales"), S_OK);
  EXPECT_EQ(rule->AddUser(L"cn=ann,ou=sales"), S_FALSE);
  EXPECT_EQ(rule->AddUser(L"CN=Bob"), S_OK);
  EXPECT_EQ(rule->AddUser(L"CN=Cy"), S_OK);
  EXPECT_EQ(rule->RemoveUser(L"cn=bob"), S_OK);
  EXPECT_EQ(rule->RemoveUser(L"CN=Nobody"), S_FALSE);
  EXPECT_EQ(rule->raw_AddUser(L""), E_INVALIDARG);
  const IArdentTextEnumPtr before = rule->EnumUsers();
  rule->AddUser(L"CN=Late");
  EXPECT_EQ(AllTexts(before), (std::vector<std::wstring>{L"CN=Ann,OU=Sales", L"CN=Cy"}))
      << "an enumerator is a snapshot";
  rule->RemoveUser(L"CN=Late");
  const std::wstring id = Save(rule);

  const IArdentRulePtr found = rules_->GetRule(id);
  EXPECT_EQ(AllTexts(found->EnumUsers()),
            (std::vector<std::wstring>{L"CN=Ann,OU=Sales", L"CN=Cy"}));
  found->RemoveUser(L"CN=Ann,OU=Sales");
  found->AddUser(L"CN=Dee");
  rules_->SaveRule(found.Get(), VARIANT_FALSE);
  EXPECT_EQ(AllTexts(rules_->GetRule(id)->EnumUsers()),
            (std::vector<std::wstring>{L"CN=Cy", L"CN=Dee"}));
}

// A value taken in the type, in any case (also beyond ASCII), is refused with 0xB7.
TEST_F(RuleTest, DuplicateValuesAreRefused) {
  Save(MakeRule(rules_, L"ocr", L"Müller Straße"));
  Save(MakeRule(rules_, L"csid", L"abc"));
  const IArdentRulePtr twin = MakeRule(rules_, L"ocr", L"MÜLLER STRASSE");
  EXPECT_EQ(rules_->raw_SaveRule(twin.Get(), VARIANT_TRUE), S_OK) << "ß is not SS";
  const IArdentRulePtr upper = MakeRule(rules_, L"ocr", L"MÜLLER STRAßE");
  EXPECT_EQ(rules_->raw_SaveRule(upper.Get(), VARIANT_TRUE), ARDENTDB_E_DUPLICATEVALUE);
  EXPECT_TRUE(upper->GetField(L"ObjectID").IsEmpty());
  try {
    rules_->SaveRule(MakeRule(rules_, L"csid", L"ABC").Get(), VARIANT_TRUE);
    ADD_FAILURE() << "no COM error";
  } catch (const ComError& error) {
    EXPECT_EQ(error.Error(), static_cast<HRESULT>(0x800700B7));
    EXPECT_EQ(error.WCode(), 0xB7);
    EXPECT_EQ(error.Iid(), IID_IArdentRULEDB);
  }
  EXPECT_EQ(rules_->raw_SaveRule(MakeRule(rules_, L"did", L"ABC").Get(), VARIANT_TRUE), S_OK);
  EXPECT_EQ(rules_->raw_SaveRule(MakeRule(rules_, L"csid", L" abc").Get(), VARIANT_TRUE), S_OK);

  // Empty and missing values.
  Save(MakeRule(rules_, L"csid", L""));
  Save(MakeRule(rules_, L"csid", L""));
  Save(rules_->CreateRule(L"csid"));
  Save(rules_->CreateRule(L"csid"));
  // Several coverpages may use one file.
  Save(MakeRule(rules_, L"coverpage", L"fax.htm"));
  Save(MakeRule(rules_, L"coverpage", L"FAX.HTM"));
  Save(MakeRule(rules_, L"fcoverpage", L"fax.htm"));
  Save(MakeRule(rules_, L"fcoverpage", L"fax.htm"));
  EXPECT_EQ(ValuesOfType(rules_, L"csid"),
            (std::vector<std::wstring>{L"abc", L" abc", L"", L"", L"", L""}));

  // An update that takes another rule's value is refused and changes nothing.
  const std::wstring id = Save(MakeRule(rules_, L"csid", L"def", {L"CN=Ann"}));
  const IArdentRulePtr rename = rules_->GetRule(id);
  rename->SetField(L"ObjectValue", VARIANT::FromBstr(L"ABC"));
  rename->AddUser(L"CN=Bob");
  EXPECT_EQ(rules_->raw_SaveRule(rename.Get(), VARIANT_FALSE), ARDENTDB_E_DUPLICATEVALUE);
  const IArdentRulePtr stored = rules_->GetRule(id);
  EXPECT_EQ(stored->GetField(L"ObjectValue").ToString(), L"def");
  EXPECT_EQ(AllTexts(stored->EnumUsers()), std::vector<std::wstring>{L"CN=Ann"});
  // Its own value in another case is no conflict.
  rename->SetField(L"ObjectValue", VARIANT::FromBstr(L"DEF"));
  EXPECT_EQ(rules_->raw_SaveRule(rename.Get(), VARIANT_FALSE), S_OK);
}

// Rules come in store order, filtered by user; a type without rules enumerates empty.
TEST_F(RuleTest, EnumeratesInStoreOrderWithUserFilter) {
  Save(MakeRule(rules_, L"coverpage", L"c.htm", {L"CN=Ann", L"CN=Bob"}));
  Save(MakeRule(rules_, L"coverpage", L"a.htm", {L"CN=Bob"}));
  Save(MakeRule(rules_, L"coverpage", L"b.htm", {L"cn=ANN"}));
  Save(MakeRule(rules_, L"fcoverpage", L"a.htm", {L"CN=Ann"}));
  Save(MakeRule(rules_, L"coverpage", L"d.htm"));

  const std::vector<IArdentRulePtr> all = AllRules(rules_->EnumRules(L"", L"coverpage"));
  EXPECT_EQ(FieldOfEach(all, L"ObjectValue"),
            (std::vector<std::wstring>{L"c.htm", L"a.htm", L"b.htm", L"d.htm"}));
  for (std::size_t i = 1; i < all.size(); ++i) {
    EXPECT_LT(std::stoll(IdOf(all[i - 1])), std::stoll(IdOf(all[i])));
  }
  EXPECT_EQ(ValuesOfType(rules_, L"coverpage", L"CN=Ann"),
            (std::vector<std::wstring>{L"c.htm", L"b.htm"}));
  EXPECT_EQ(ValuesOfType(rules_, L"coverpage", L"cn=bob"),
            (std::vector<std::wstring>{L"c.htm", L"a.htm"}));
  EXPECT_TRUE(ValuesOfType(rules_, L"coverpage", L"CN=Nobody").empty());
  IArdentRuleEnum* null_filter = nullptr;
  ASSERT_EQ(rules_->raw_EnumRules(nullptr, L"fcoverpage", &null_filter), S_OK);
  EXPECT_EQ(FieldOfEach(AllRules(IArdentRuleEnumPtr::Adopt(null_filter)), L"ObjectValue"),
            std::vector<std::wstring>{L"a.htm"});

  IArdentRuleEnum* empty = nullptr;
  ASSERT_EQ(rules_->raw_EnumRules(L"", L"smsrouters", &empty), S_OK);
  ASSERT_NE(empty, nullptr);
  const IArdentRuleEnumPtr none = IArdentRuleEnumPtr::Adopt(empty);
  IArdentRule* next = nullptr;
  EXPECT_EQ(none->raw_Next(&next), S_FALSE);
  EXPECT_EQ(next, nullptr);
  EXPECT_EQ(none->raw_Next(nullptr), E_POINTER);
  EXPECT_EQ(rules_->raw_EnumRules(L"", L"", &empty), E_INVALIDARG);
  // Without a type, a user filter finds the rules of every type that list the user.
  EXPECT_EQ(ValuesOfType(rules_, L"", L"cn=ann"),
            (std::vector<std::wstring>{L"c.htm", L"b.htm", L"a.htm"}));
  EXPECT_TRUE(ValuesOfType(rules_, L"", L"CN=Nobody").empty());
  EXPECT_EQ(rules_->raw_EnumRules(L"", L"csid", nullptr), E_POINTER);

  // An enumerator is a snapshot, and each Next hands out a rule object of its own.
  const IArdentRuleEnumPtr snapshot = rules_->EnumRules(L"", L"coverpage");
  Save(MakeRule(rules_, L"coverpage", L"e.htm"));
  IArdentRulePtr first;
  ASSERT_EQ(snapshot->Next(&first), S_OK);
  first->SetField(L"ObjectValue", VARIANT::FromBstr(L"changed"));
  EXPECT_EQ(FieldOfEach(AllRules(snapshot), L"ObjectValue"),
            (std::vector<std::wstring>{L"c.htm", L"a.htm", L"b.htm", L"d.htm"}));
}

// A gone rule reads as null, deletes and updates with 0x490, and its identity is not reused.
TEST_F(RuleTest, GoneRulesAreReportedAsNotFound) {
  const IArdentRulePtr rule = MakeRule(rules_, L"msn", L"4711", {L"CN=Ann"});
  const std::wstring id = Save(rule);
  EXPECT_EQ(rules_->DeleteRule(id), S_OK);

  IArdentRule* found = rule.Get();
  EXPECT_EQ(rules_->raw_GetRule(id.c_str(), &found), S_OK);
  EXPECT_EQ(found, nullptr);
  EXPECT_FALSE(rules_->GetRule(id));
  EXPECT_FALSE(rules_->GetRule(L"not a number"));
  EXPECT_FALSE(rules_->GetRule(L"-1"));
  EXPECT_EQ(rules_->raw_GetRule(L"", &found), E_INVALIDARG);
  EXPECT_EQ(rules_->raw_DeleteRule(id.c_str()), static_cast<HRESULT>(0x80070490));
  EXPECT_EQ(rules_->raw_DeleteRule(L"99999999999999999999"), ARDENTDB_E_RULENOTFOUND);
  try {
    rules_->DeleteRule(id);
    ADD_FAILURE() << "no COM error";
  } catch (const ComError& error) {
    EXPECT_EQ(error.WCode(), 0x490);
    EXPECT_EQ(error.Iid(), IID_IArdentRULEDB);
  }
  rule->SetField(L"ObjectDisplay", VARIANT::FromBstr(L"changed"));
  EXPECT_EQ(rules_->raw_SaveRule(rule.Get(), VARIANT_FALSE), ARDENTDB_E_RULENOTFOUND);
  EXPECT_TRUE(ValuesOfType(rules_, L"msn").empty()) << "a failed update creates nothing";

  const std::wstring next = Save(MakeRule(rules_, L"msn", L"4711"));
  EXPECT_GT(std::stoll(next), std::stoll(id));
  const IArdentRulePtr fresh = rules_->GetRule(next);
  ASSERT_TRUE(fresh);
  EXPECT_TRUE(AllTexts(fresh->EnumUsers()).empty()) << "no users of the deleted rule";
}

// Two objects on one configuration see each other's saves, updates and deletions.
TEST_F(RuleTest, ObjectsOnOneFileSeeEachOthersCommits) {
  const IArdentDBPtr other_store = OpenStore();
  ASSERT_TRUE(other_store);
  const IArdentRULEDBPtr other = other_store.As<IArdentRULEDB>();

  const std::wstring id = Save(MakeRule(rules_, L"line", L"1", {L"CN=Ann"}));
  const IArdentRulePtr seen = other->GetRule(id);
  ASSERT_TRUE(seen);
  EXPECT_EQ(AllTexts(seen->EnumUsers()), std::vector<std::wstring>{L"CN=Ann"});
  seen->AddUser(L"CN=Bob");
  other->SaveRule(seen.Get(), VARIANT_FALSE);
  EXPECT_EQ(AllTexts(rules_->GetRule(id)->EnumUsers()),
            (std::vector<std::wstring>{L"CN=Ann", L"CN=Bob"}));
  EXPECT_EQ(other->raw_SaveRule(MakeRule(other, L"line", L"1").Get(), VARIANT_TRUE),
            ARDENTDB_E_DUPLICATEVALUE);
  other->DeleteRule(id);
  EXPECT_FALSE(rules_->GetRule(id));
  EXPECT_EQ(rules_->raw_DeleteRule(id.c_str()), ARDENTDB_E_RULENOTFOUND);
}

}  // namespace
}  // namespace pw::test
