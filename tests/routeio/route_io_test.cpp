// The route file library through its exports, against a real configuration store and user
// database: round trips, updates of existing routes, user matching, refused files, undo of
// store failures, and exports that replace the file whole or not at all.
#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "installation/interfaces/routeio.h"
#include "platform/com/unknown.h"
#include "tests/userdb/userdb_fixture.h"

namespace pw::test {
namespace {

// A rule store that forwards to the real one and fails where a test asks it to. It offers no
// settings interface, so an import through it has no bulk update and must undo by itself.
class FaultyRules final : public ComObject<IArdentRULEDB> {
 public:
  explicit FaultyRules(IArdentRULEDBPtr inner) : inner_(std::move(inner)) {}

  int fail_save_at = 0;  // 1-based number of the SaveRule that fails; 0 for none
  bool fail_enum = false;

  HRESULT raw_GetRule(LPCWSTR object_id, IArdentRule** rule) override {
    return inner_->raw_GetRule(object_id, rule);
  }
  HRESULT raw_EnumRules(LPCWSTR user_filter, LPCWSTR rule_type, IArdentRuleEnum** rules) override {
    if (fail_enum) return E_ACCESSDENIED;
    return inner_->raw_EnumRules(user_filter, rule_type, rules);
  }
  HRESULT raw_SaveRule(IArdentRule* rule, VARIANT_BOOL is_new) override {
    if (++saves_ == fail_save_at) return E_FAIL;
    return inner_->raw_SaveRule(rule, is_new);
  }
  HRESULT raw_DeleteRule(LPCWSTR object_id) override { return inner_->raw_DeleteRule(object_id); }
  HRESULT raw_CreateRule(LPCWSTR rule_type, IArdentRule** rule) override {
    return inner_->raw_CreateRule(rule_type, rule);
  }

 private:
  IArdentRULEDBPtr inner_;
  int saves_ = 0;
};

class RouteIoTest : public UserDbTest {
 protected:
  void SetUp() override {
    UserDbTest::SetUp();
    library_ = ::dlopen((BinDir() + "/" + ROUTEIO_LIBRARY_NAME).c_str(), RTLD_NOW);
    ASSERT_NE(library_, nullptr) << ::dlerror();
    import_ = reinterpret_cast<RouteFileProc>(
        ::dlsym(library_, RouteIoExportName(ROUTEIO_ORDINAL_IMPORT)));
    export_ = reinterpret_cast<RouteFileProc>(
        ::dlsym(library_, RouteIoExportName(ROUTEIO_ORDINAL_EXPORT)));
    set_log_ = reinterpret_cast<decltype(&RouteFile_SetLogFile)>(
        ::dlsym(library_, "RouteFile_SetLogFile"));
    ASSERT_NE(import_, nullptr);
    ASSERT_NE(export_, nullptr);
    ASSERT_NE(set_log_, nullptr);
    ASSERT_EQ(set_log_(FromUtf8(files_.Sub("routes.log")).c_str()), S_OK);
    rules_ = OpenRules();
    users_ = Connected();
    ASSERT_TRUE(rules_);
    ASSERT_TRUE(users_);
  }
  void TearDown() override {
    if (set_log_ != nullptr) set_log_(nullptr);
    if (library_ != nullptr) ::dlclose(library_);
  }

  BOOL Import(const std::string& file, const wchar_t* type = L"csid",
              IArdentRULEDB* rules = nullptr, IArdentUserLocator* users = nullptr) {
    IArdentRULEDB* rule_db = rules != nullptr ? rules : rules_.Get();
    IArdentUserLocator* locator = users != nullptr ? users : users_.Get();
    return import_(&rule_db, &locator, 3, type, FromUtf8(file).c_str());
  }
  BOOL Export(const std::string& file, const wchar_t* type = L"csid",
              IArdentRULEDB* rules = nullptr) {
    IArdentRULEDB* rule_db = rules != nullptr ? rules : rules_.Get();
    IArdentUserLocator* locator = users_.Get();
    return export_(&rule_db, &locator, 3, type, FromUtf8(file).c_str());
  }

  // A route file in the test's folder, as UTF-8 without a byte order mark.
  std::string File(const std::string& name, std::wstring_view text) {
    return files_.WriteFile(name, ToUtf8(text));
  }

  std::wstring AddRule(const std::wstring& type, const std::wstring& value,
                       const std::vector<std::wstring>& users = {}, LONG flags = -1,
                       const std::wstring& auto_print = L"") {
    IArdentRulePtr rule = rules_->CreateRule(type);
    rule->SetField(L"ObjectValue", VARIANT::FromBstr(value));
    rule->SetField(L"ObjectDisplay", VARIANT::FromBstr(value));
    if (flags >= 0) rule->SetField(L"ObjectFlags", VARIANT::FromI4(flags));
    if (!auto_print.empty()) rule->SetField(L"AP_Assign", VARIANT::FromBstr(auto_print));
    for (const std::wstring& user : users) rule->AddUser(user);
    EXPECT_EQ(rules_->raw_SaveRule(rule.Get(), VARIANT_TRUE), S_OK);
    return rule->GetField(L"ObjectID").ToString();
  }

  std::wstring Identity(const std::wstring& login) {
    IArdentUserPtr user;
    EXPECT_EQ(users_->FindUser(udbSearchLogin, login, &user), S_OK);
    return user ? user->GetIdentity() : std::wstring();
  }

  // Every rule of the type as "id|value|display|flags|auto-print|users (sorted)".
  std::vector<std::wstring> Snapshot(const std::wstring& type = L"csid") {
    std::vector<std::wstring> rows;
    const IArdentRuleEnumPtr rules = rules_->EnumRules(L"", type);
    IArdentRulePtr rule;
    while (rules->Next(&rule) == S_OK) {
      VARIANT flags;
      EXPECT_EQ(rule->GetField(L"ObjectFlags").ChangeType(VT_I4, &flags), S_OK);
      std::vector<std::wstring> users = AllTexts(rule->EnumUsers());
      std::sort(users.begin(), users.end());
      std::wstring row = rule->GetField(L"ObjectID").ToString() + L"|" +
                         rule->GetField(L"ObjectValue").ToString() + L"|" +
                         rule->GetField(L"ObjectDisplay").ToString() + L"|" +
                         std::to_wstring(flags.lVal()) + L"|" +
                         rule->GetField(L"AP_Assign").ToString() + L"|";
      for (const std::wstring& user : users) row += user + L";";
      rows.push_back(row);
    }
    return rows;
  }

  // The log's lines without their time stamps ("MM/DD/YY HH:MM:SS: ").
  std::vector<std::wstring> LogLines() {
    std::vector<std::wstring> lines;
    std::istringstream log(files_.Exists("routes.log") ? files_.ReadFile("routes.log") : "");
    for (std::string line; std::getline(log, line);) {
      lines.push_back(FromUtf8(line.size() > 19 ? line.substr(19) : line));
    }
    return lines;
  }

  void* library_ = nullptr;
  RouteFileProc import_ = nullptr;
  RouteFileProc export_ = nullptr;
  decltype(&RouteFile_SetLogFile) set_log_ = nullptr;
  IArdentRULEDBPtr rules_;
  IArdentUserLocatorPtr users_;
  TempDir files_;
};

// Export writes every column and every user with a readable name, quoted where needed; after
// the routes are deleted, importing the file restores them exactly.
TEST_F(RouteIoTest, ExportedFileImportsBackToTheSameRoutes) {
  SaveUser(users_, L"alice");
  SaveUser(users_, L"bob");
  const std::wstring alice = Identity(L"alice");
  const std::wstring bob = Identity(L"bob");
  AddRule(L"csid", L"+49 40 1234, Sales", {alice, bob}, 256, L"3");
  AddRule(L"csid", L"Fax \"Q\"", {bob});
  AddRule(L"csid", L"plain");
  const std::vector<std::wstring> before = Snapshot();

  const std::string file = files_.Sub("csid.csv");
  ASSERT_TRUE(Export(file));
  std::vector<std::wstring> first_users;
  {
    const IArdentRuleEnumPtr rules = rules_->EnumRules(L"", L"csid");
    IArdentRulePtr rule;
    ASSERT_EQ(rules->Next(&rule), S_OK);
    first_users = AllTexts(rule->EnumUsers());
  }
  ASSERT_EQ(first_users.size(), 2u);
  const auto pair = [&](const std::wstring& id) {
    return (id == alice ? std::wstring(L"alice,") : std::wstring(L"bob,")) + id;
  };
  EXPECT_EQ(files_.ReadFile("csid.csv"),
            "\xEF\xBB\xBF" + ToUtf8(L"Value,Display,Flags,Auto-print,User name,User identity\r\n"
                                    L"\"+49 40 1234, Sales\",\"+49 40 1234, Sales\",256,3," +
                                    pair(first_users[0]) + L"," + pair(first_users[1]) +
                                    L"\r\n"
                                    L"\"Fax \"\"Q\"\"\",\"Fax \"\"Q\"\"\",0,,bob," +
                                    bob +
                                    L"\r\n"
                                    L"plain,plain,0,\r\n"));

  for (const wchar_t* id : {L"1", L"2", L"3"}) EXPECT_EQ(rules_->raw_DeleteRule(id), S_OK);
  EXPECT_TRUE(Snapshot().empty());
  ASSERT_TRUE(Import(file));
  std::vector<std::wstring> after = Snapshot();
  ASSERT_EQ(after.size(), 3u);
  // Only the identities differ: the store never reuses one.
  for (std::size_t n = 0; n < after.size(); ++n) {
    EXPECT_EQ(after[n].substr(after[n].find(L'|')), before[n].substr(before[n].find(L'|')));
  }
  // A second import of the same file updates the routes instead of adding them again.
  ASSERT_TRUE(Import(file));
  EXPECT_EQ(Snapshot(), after);
  EXPECT_EQ(LogLines().back(),
            L"Route import: " + FromUtf8(file) + L": 0 routes added, 3 updated, 0 users left out.");
}

// A value the type has (without regard to case) updates that route: columns the header has
// are written, the others are kept; DTMF/DID values are stored in capitals.
TEST_F(RouteIoTest, ExistingValuesAreUpdatedNotDuplicated) {
  SaveUser(users_, L"alice");
  SaveUser(users_, L"bob");
  const std::wstring alice = Identity(L"alice");
  const std::wstring bob = Identity(L"bob");
  const std::wstring sales = AddRule(L"csid", L"Sales Dept", {alice}, 256, L"3");

  ASSERT_TRUE(Import(File("short.csv", L"Value,Display\nsales dept,Sales Hamburg\nNew one,\n")));
  EXPECT_EQ(Snapshot(),
            (std::vector<std::wstring>{sales + L"|sales dept|Sales Hamburg|256|3|" + alice + L";",
                                       L"2|New one|New one|0||"}));

  ASSERT_TRUE(Import(File("full.csv",
                          L"Value,Display,Flags,Auto-print,User name,User identity\n"
                          L"SALES DEPT,SALES DEPT,0,,bob," +
                              bob + L"\n")));
  const std::vector<std::wstring> rows = Snapshot();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], sales + L"|SALES DEPT|SALES DEPT|0||" + bob + L";");
  const IArdentRulePtr updated = rules_->GetRule(sales);
  ASSERT_TRUE(updated);
  EXPECT_EQ(updated->GetField(L"AP_Assign").vt(), VT_EMPTY);

  const std::wstring did = AddRule(L"did", L"12AB");
  ASSERT_TRUE(Import(File("did.csv", L"Value\n12ab\n *5# \n"), L"did"));
  EXPECT_EQ(Snapshot(L"did"),
            (std::vector<std::wstring>{did + L"|12AB|12AB|0||", L"4|*5#|*5#|0||"}));
}

// Users are found by identity, else by login, address or unique display name; duplicates
// collapse; ambiguous and unknown users are left out and logged, and the import succeeds.
TEST_F(RouteIoTest, UsersAreMatchedOrLeftOutWithALogLine) {
  SaveUser(users_, L"alice");
  SaveUser(users_, L"bob");
  IArdentUserPtr carol = users_->CreateUser(L"user");
  carol->SetAttribute(L"cn", VARIANT::FromBstr(L"carol"));
  carol->SetAttribute(L"displayName", VARIANT::FromBstr(L"Carol Jones"));
  ASSERT_EQ(carol->raw_Save(), S_OK);
  for (int twin = 0; twin < 2; ++twin) {
    IArdentUserPtr user = users_->CreateUser(L"user");
    user->SetAttribute(L"cn", VARIANT::FromBstr(L"Twin"));
    ASSERT_EQ(user->raw_Save(), S_OK);
  }
  const std::wstring alice = Identity(L"alice");
  const std::wstring bob = Identity(L"bob");
  const std::wstring unknown = L"{11111111-1111-1111-1111-111111111111}";

  const std::string file = File("users.csv",
                                L"Value,Display,Flags,Auto-print,User name,User identity\n"
                                L"A,A,0,,whatever," +
                                    alice +
                                    L"\n"
                                    L"B,B,0,,bob,\n"
                                    L"C,C,0,,ALICE@pagewell,\n"
                                    L"D,D,0,,carol jones,{00000000-0000-0000-0000-000000000000}\n"
                                    L"E,E,0,,Twin,,bob,\n"
                                    L"F,F,0,,Nobody," +
                                    unknown + L",alice," + alice + L"\n");
  ASSERT_TRUE(Import(file));
  EXPECT_EQ(Snapshot(), (std::vector<std::wstring>{
                            L"1|A|A|0||" + alice + L";", L"2|B|B|0||" + bob + L";",
                            L"3|C|C|0||" + alice + L";", L"4|D|D|0||" + carol->GetIdentity() + L";",
                            L"5|E|E|0||" + bob + L";", L"6|F|F|0||" + alice + L";"}));
  EXPECT_EQ(
      LogLines(),
      (std::vector<std::wstring>{
          L"Route import: line 6: user \"Twin\" () is left out: several users have this "
          L"name.",
          L"Route import: line 7: user \"Nobody\" (" + unknown +
              L") is left out: the user database does not know this user.",
          L"Route import: " + FromUtf8(file) + L": 6 routes added, 0 updated, 2 users left out."}));
}

// Every kind of bad file answers 0 and leaves the store exactly as it was, even when its
// first records were good; the log says why.
TEST_F(RouteIoTest, MalformedFilesChangeNothing) {
  AddRule(L"csid", L"a", {}, 256, L"3");
  AddRule(L"did", L"100");
  const std::vector<std::wstring> csid = Snapshot();
  const std::vector<std::wstring> did = Snapshot(L"did");
  const std::string good = "Value,Display\nnew1,x\na,changed\n";
  const struct {
    const char* name;
    std::string bytes;
    const wchar_t* type;
  } files[] = {
      {"open.csv", good + "\"b,c\n", L"csid"},
      {"header.csv", "Value,Name\nb,c\n", L"csid"},
      {"twice.csv", good + "b,1\nB,2\n", L"csid"},
      {"range.csv", "Value\n101\n102-105\n", L"did"},
      {"latin1.csv", good + "Z\xFCrich,x\n", L"csid"},
      {"odd16.csv", "\xFF\xFEV\0a", L"csid"},
      {"empty.csv", "", L"csid"},
      {"flags.csv", "Value,Display,Flags\nnew1,x,0x100\n", L"csid"},
      {"extra.csv", good + "b,c,d\n", L"csid"},
  };
  for (const auto& bad : files) {
    SCOPED_TRACE(bad.name);
    EXPECT_EQ(Import(files_.WriteFile(bad.name, bad.bytes), bad.type), FALSE);
  }
  EXPECT_EQ(Import(files_.Sub("missing.csv")), FALSE);
  EXPECT_EQ(Import(files_.path()), FALSE);
  EXPECT_EQ(Snapshot(), csid);
  EXPECT_EQ(Snapshot(L"did"), did);
  const std::vector<std::wstring> log = LogLines();
  ASSERT_EQ(log.size(), std::size(files) + 2);
  EXPECT_EQ(log[2], L"Route import: " + FromUtf8(files_.Sub("twice.csv")) +
                        L" is refused, line 5: the value \"B\" is given again (first on line 4).");
  EXPECT_EQ(log[4], L"Route import: " + FromUtf8(files_.Sub("latin1.csv")) +
                        L" is refused: the file is neither UTF-8 nor UTF-16 text.");
  EXPECT_EQ(log.back(), L"Route import: cannot open " + FromUtf8(files_.path()) + L".");
}

// The same routes arrive from UTF-8 with or without its mark, UTF-16 of either order and a
// semicolon-separated file.
TEST_F(RouteIoTest, EncodingsAndSeparatorsImportAlike) {
  const std::wstring text = L"Value,Display\r\nZ\u00fcrich \u20ac,\"K\u00f6ln, Dom\"\r\n";
  const std::wstring semicolons = L"Value;Display\nZ\u00fcrich \u20ac;K\u00f6ln, Dom\n";
  const std::string variants[] = {ToUtf8(text), EncodeText(text, TextEncoding::kUtf8Bom),
                                  EncodeText(text, TextEncoding::kUtf16Le),
                                  EncodeText(text, TextEncoding::kUtf16Be), ToUtf8(semicolons)};
  for (std::size_t n = 0; n < std::size(variants); ++n) {
    SCOPED_TRACE(n);
    ASSERT_TRUE(Import(files_.WriteFile("variant.csv", variants[n])));
    const std::vector<std::wstring> rows = Snapshot();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], std::to_wstring(n + 1) + L"|Z\u00fcrich \u20ac|K\u00f6ln, Dom|0||");
    EXPECT_EQ(rules_->raw_DeleteRule(std::to_wstring(n + 1).c_str()), S_OK);
  }
}

// A store failure in the middle of an import undoes what was stored before it, the update of
// an existing route included.
TEST_F(RouteIoTest, StoreFailureUndoesTheWholeImport) {
  SaveUser(users_, L"alice");
  SaveUser(users_, L"bob");
  const std::wstring alice = Identity(L"alice");
  AddRule(L"csid", L"Keep", {alice}, 256, L"3");
  const std::vector<std::wstring> before = Snapshot();
  const std::string file =
      File("fail.csv",
           L"Value,Display,Flags,Auto-print,User name,User identity\n"
           L"New1,New1,0,,,\nkeep,Changed,0,,bob,\nNew2,New2,0,,,\nNew3,,,,,\n");
  const ComPtr<FaultyRules> faulty = MakeComObject<FaultyRules>(rules_);
  faulty->fail_save_at = 3;
  EXPECT_EQ(Import(file, L"csid", faulty.Get()), FALSE);
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(LogLines().back(),
            L"Route import: the store refused a change (0x80004005); "
            L"nothing of " +
                FromUtf8(file) + L" was kept.");
  // Through the store itself the same file goes in whole.
  ASSERT_TRUE(Import(file));
  EXPECT_EQ(Snapshot().size(), 4u);
}

// Export replaces the file whole or leaves it alone, and never leaves a temporary file.
TEST_F(RouteIoTest, ExportReplacesTheFileWholeOrNotAtAll) {
  AddRule(L"csid", L"one");
  const std::string target = files_.WriteFile("out/routes.csv", "old contents");
  const ComPtr<FaultyRules> faulty = MakeComObject<FaultyRules>(rules_);
  faulty->fail_enum = true;
  EXPECT_EQ(Export(target, L"csid", faulty.Get()), FALSE);
  EXPECT_EQ(files_.ReadFile("out/routes.csv"), "old contents");

  std::filesystem::create_directories(files_.Sub("out/folder.csv"));
  EXPECT_EQ(Export(files_.Sub("out/folder.csv")), FALSE);
  EXPECT_EQ(Export(files_.Sub("missing/routes.csv")), FALSE);
  EXPECT_FALSE(files_.Exists("missing"));

  ASSERT_TRUE(Export(target));
  EXPECT_EQ(files_.ReadFile("out/routes.csv"),
            "\xEF\xBB\xBFValue,Display,Flags,Auto-print,User name,User identity\r\n"
            "one,one,0,\r\n");
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(files_.Sub("out"))) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"folder.csv", "routes.csv"}));
}

// The ordinal table names both exports; bad arguments answer 0 without touching anything; a
// missing user database refuses files that name users but exports identities without names.
TEST_F(RouteIoTest, OrdinalsArgumentsAndMissingUserDatabase) {
  EXPECT_STREQ(RouteIoExportName(28), "RouteFile_Import");
  EXPECT_STREQ(RouteIoExportName(30), "RouteFile_Export");
  EXPECT_EQ(RouteIoExportName(29), nullptr);

  const std::string file = File("a.csv", L"Value\nA\n");
  IArdentRULEDB* rules = rules_.Get();
  IArdentRULEDB* no_rules = nullptr;
  IArdentUserLocator* locator = users_.Get();
  const std::wstring path = FromUtf8(file);
  EXPECT_EQ(import_(nullptr, &locator, 3, L"csid", path.c_str()), FALSE);
  EXPECT_EQ(import_(&no_rules, &locator, 3, L"csid", path.c_str()), FALSE);
  EXPECT_EQ(import_(&rules, &locator, 0, L"csid", path.c_str()), FALSE);
  EXPECT_EQ(import_(&rules, &locator, 4, L"csid", path.c_str()), FALSE);
  EXPECT_EQ(import_(&rules, &locator, 3, L"ocr", path.c_str()), FALSE);
  EXPECT_EQ(import_(&rules, &locator, 3, nullptr, path.c_str()), FALSE);
  EXPECT_EQ(export_(&rules, &locator, 3, L"csid", nullptr), FALSE);
  EXPECT_EQ(export_(&rules, &locator, 3, L"csid", L""), FALSE);
  EXPECT_TRUE(Snapshot().empty());
  EXPECT_EQ(LogLines()[0], L"RouteFile_Import: invalid arguments.");
  EXPECT_EQ(LogLines()[7], L"RouteFile_Export: invalid arguments.");
  EXPECT_EQ(import_(&rules, nullptr, 3, L"CSID", path.c_str()), TRUE);
  EXPECT_EQ(Snapshot(), std::vector<std::wstring>{L"1|A|A|0||"});

  SaveUser(users_, L"alice");
  const std::wstring alice = Identity(L"alice");
  const std::string with_users =
      File("u.csv", L"Value,Display,Flags,Auto-print,User name,User identity\nB,B,0,,alice," +
                        alice + L"\n");
  EXPECT_EQ(import_(&rules, nullptr, 3, L"csid", FromUtf8(with_users).c_str()), FALSE);
  EXPECT_EQ(LogLines().back(),
            L"Route import: line 2 names users, but no user database was given.");
  EXPECT_EQ(Snapshot().size(), 1u);
  ASSERT_TRUE(Import(with_users));
  const std::string out = files_.Sub("nameless.csv");
  EXPECT_EQ(export_(&rules, nullptr, 3, L"csid", FromUtf8(out).c_str()), TRUE);
  EXPECT_EQ(files_.ReadFile("nameless.csv"),
            "\xEF\xBB\xBFValue,Display,Flags,Auto-print,User name,User identity\r\n"
            "A,A,0,\r\nB,B,0,,," +
                ToUtf8(alice) + "\r\n");
}

}  // namespace
}  // namespace pw::test
