// The user utility library, called by name as the console calls it: the server's defaults,
// membership of registered users through groups, and the enumeration of those groups.
#include <map>

#include "installation/interfaces/userutil.h"
#include "tests/userdb/userdb_fixture.h"

namespace pw::test {
namespace {

constexpr wchar_t kTitle[] = L"Pagewell Configuration";

// The library's exports, found by name.
struct UserUtil {
  decltype(&UserUtil_SetLogFile) SetLogFile = nullptr;
  decltype(&UserUtil_InstallPagewellDefaults) InstallPagewellDefaults = nullptr;
  decltype(&UserUtil_IsPagewellUser) IsPagewellUser = nullptr;
  decltype(&UserUtil_GetUserConfigGroups) GetUserConfigGroups = nullptr;
  decltype(&UserUtil_GetNextUserConfigGroup) GetNextUserConfigGroup = nullptr;
};

class UserUtilTest : public UserDbTest {
 protected:
  void SetUp() override {
    UserDbTest::SetUp();
    library_ = ::dlopen((BinDir() + "/libuserutil.so").c_str(), RTLD_NOW);
    ASSERT_NE(library_, nullptr) << ::dlerror();
    Find(&util_.SetLogFile, "UserUtil_SetLogFile");
    Find(&util_.InstallPagewellDefaults, "UserUtil_InstallPagewellDefaults");
    Find(&util_.IsPagewellUser, "UserUtil_IsPagewellUser");
    Find(&util_.GetUserConfigGroups, "UserUtil_GetUserConfigGroups");
    Find(&util_.GetNextUserConfigGroup, "UserUtil_GetNextUserConfigGroup");
    rules_ = OpenRules();
    ASSERT_TRUE(rules_);
  }
  void TearDown() override {
    if (util_.SetLogFile != nullptr) util_.SetLogFile(nullptr);
    if (library_ != nullptr) ::dlclose(library_);
  }

  template <typename Function>
  void Find(Function* function, const char* name) {
    *function = reinterpret_cast<Function>(::dlsym(library_, name));
    ASSERT_NE(*function, nullptr) << name;
  }

  HRESULT InstallDefaults(const IArdentUserDBPtr& user_db, LONG mode = 3, LONG mail_system = 0) {
    return util_.InstallPagewellDefaults(0, rules_.Get(), user_db.Get(), mode, kTitle,
                                         USERUTIL_DEFAULTS_ALL, mail_system, L"", L"",
                                         ToUtf8(DbArgument()).c_str());
  }

  // Every rule of the lists the defaults fill: its identity and users, by list.
  std::map<std::wstring, std::vector<std::wstring>> ListSnapshot() {
    std::map<std::wstring, std::vector<std::wstring>> snapshot;
    for (const wchar_t* type : {L"faxusers", L"defrouters", L"smsdefrouters", L"admins"}) {
      const IArdentRuleEnumPtr rules = rules_->EnumRules(L"", type);
      IArdentRulePtr rule;
      while (rules->Next(&rule) == S_OK) {
        std::vector<std::wstring>& entry = snapshot[type];
        entry.push_back(L"#" + rule->GetField(L"ObjectID").ToString());
        for (const std::wstring& user : AllTexts(rule->EnumUsers())) entry.push_back(user);
      }
    }
    return snapshot;
  }

  void Register(const std::wstring& list, const std::wstring& identity) {
    const IArdentRulePtr rule = rules_->CreateRule(list);
    rule->AddUser(identity);
    rules_->SaveRule(rule.Get(), VARIANT_TRUE);
  }

  // Every name the group enumeration hands out, and the code it ended with.
  std::vector<std::wstring> RemainingGroups(HRESULT* end) {
    std::vector<std::wstring> names;
    for (int guard = 0; guard < 100; ++guard) {
      BSTR name = nullptr;
      *end = util_.GetNextUserConfigGroup(&name);
      if (*end != S_OK) {
        EXPECT_EQ(name, nullptr);
        break;
      }
      names.push_back(ardent_detail::TakeBstr(name));
    }
    return names;
  }

  void* library_ = nullptr;
  UserUtil util_;
  IArdentRULEDBPtr rules_;
};

// In the own database the defaults make and register the default user and make it default
// router and administrator; a second run changes nothing; the console's object is left
// unconnected as it was; the log has the library's lines.
TEST_F(UserUtilTest, DefaultsAreMadeOnceInTheOwnDatabase) {
  ASSERT_EQ(util_.SetLogFile((FromUtf8(server_.path()) + L"\\pwconfig.log").c_str()), S_OK);
  const IArdentUserDBPtr user_db = NewUserDb();
  ASSERT_EQ(InstallDefaults(user_db, 3, 1), S_OK);
  IArdentTextEnum* objects = nullptr;
  EXPECT_EQ(user_db.As<IArdentUserLocator>()->raw_EnumObjects(L"", &objects), UDB_E_NOTCONNECTED);

  const IArdentUserLocatorPtr users = Connected();
  IArdentUserPtr admin;
  ASSERT_EQ(users->FindUser(udbSearchLogin, L"Administrator", &admin), S_OK);
  EXPECT_EQ(admin->GetAttribute(L"mail"), VARIANT::FromBstr(L"Administrator@Pagewell"));
  EXPECT_EQ(admin->GetAttribute(L"cn"), VARIANT::FromBstr(L"Administrator"));
  EXPECT_EQ(admin->GetAttribute(L"ardentCustomFlags"), VARIANT::FromI4(1));
  const std::wstring id = admin->GetIdentity();
  const auto first = ListSnapshot();
  EXPECT_EQ(first,
            (std::map<std::wstring, std::vector<std::wstring>>{{L"faxusers", {L"#1", id}},
                                                               {L"defrouters", {L"#2", id}},
                                                               {L"smsdefrouters", {L"#3", id}},
                                                               {L"admins", {L"#4", id}}}));

  EXPECT_EQ(InstallDefaults(user_db), S_FALSE);
  EXPECT_EQ(ListSnapshot(), first);
  EXPECT_EQ(AllTexts(users->EnumObjects()), std::vector<std::wstring>{id});
  // An object the console connected stays connected.
  ASSERT_EQ(user_db->raw_Connect(7, DbArgument().c_str()), S_OK);
  EXPECT_EQ(InstallDefaults(user_db), S_FALSE);
  EXPECT_EQ(AllTexts(user_db.As<IArdentUserLocator>()->EnumObjects()).size(), 1u);

  const std::string log = server_.ReadFile("pwconfig.log");
  EXPECT_NE(log.find(": >> UserUtil_InstallPagewellDefaults (Pagewell Configuration, directory "
                     "mode 3)\n"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find(": Registered the default user " + ToUtf8(id) + ".\n"), std::string::npos);
  EXPECT_NE(log.find(": << UserUtil_InstallPagewellDefaults (0x00000001)\n"), std::string::npos);
}

// Lists that have members are left alone; an empty one gets the first registered object when
// the default user is not registered; in a directory mode no user is ever made.
TEST_F(UserUtilTest, DefaultsCompleteOnlyWhatIsMissing) {
  const IArdentUserLocatorPtr users = Connected();
  const std::wstring bob = SaveUser(users, L"bob")->GetIdentity();
  const std::wstring ann = SaveUser(users, L"ann")->GetIdentity();
  SaveUser(users, L"Administrator");
  Register(L"faxusers", bob);
  Register(L"faxusers", ann);
  Register(L"admins", ann);
  ASSERT_EQ(InstallDefaults(NewUserDb()), S_OK);
  EXPECT_EQ(ListSnapshot(), (std::map<std::wstring, std::vector<std::wstring>>{
                                {L"faxusers", {L"#1", bob, L"#2", ann}},
                                {L"admins", {L"#3", ann}},
                                {L"defrouters", {L"#4", bob}},
                                {L"smsdefrouters", {L"#5", bob}}}));

  // Active Directory, nothing registered: there is no one to make a default member.
  TempDir other_server;
  const IArdentRULEDBPtr kept = rules_;
  rules_ = nullptr;
  IArdentDBPtr store;
  ASSERT_EQ(CreateInstance(CLSID_ArdentDB, &store), S_OK);
  ASSERT_EQ(
      store.As<IArdentDBSetup>()->raw_CreateConfiguration(FromUtf8(other_server.path()).c_str()),
      S_OK);
  ASSERT_EQ(store->raw_Open(0, FromUtf8(other_server.path()).c_str()), S_OK);
  rules_ = store.As<IArdentRULEDB>();
  EXPECT_EQ(InstallDefaults(NewUserDb(), 1), S_FALSE);
  EXPECT_TRUE(ListSnapshot().empty());
  // Once a directory user is registered, it becomes router and administrator.
  Register(L"faxusers", L"{11111111-2222-3333-4444-555555555555}");
  EXPECT_EQ(InstallDefaults(NewUserDb(), 1), S_OK);
  EXPECT_EQ(ListSnapshot()[L"admins"],
            (std::vector<std::wstring>{L"#4", L"{11111111-2222-3333-4444-555555555555}"}));

  EXPECT_EQ(util_.InstallPagewellDefaults(1, rules_.Get(), nullptr, 3, kTitle, 7, 0, L"", L"", ""),
            E_INVALIDARG);
  EXPECT_EQ(util_.InstallPagewellDefaults(0, rules_.Get(), nullptr, 4, kTitle, 7, 0, L"", L"", ""),
            E_INVALIDARG);
  EXPECT_EQ(util_.InstallPagewellDefaults(0, nullptr, nullptr, 3, kTitle, 7, 0, L"", L"", ""),
            E_POINTER);
}

// A user belongs to a list through a listed group, also through nested groups and cycles;
// being listed itself, or an unknown identity, does not count.
TEST_F(UserUtilTest, IsPagewellUserThroughGroupMembership) {
  const IArdentUserLocatorPtr users = Connected();
  const IArdentUserPtr ann = SaveUser(users, L"ann");
  const IArdentUserPtr bob = SaveUser(users, L"bob");
  const IArdentUserPtr sales = SaveUser(users, L"Sales", L"group");
  const IArdentUserPtr staff = SaveUser(users, L"Staff", L"group");
  sales->AddMember(ann->GetIdentity());
  sales->AddMember(staff->GetIdentity());
  staff->AddMember(sales->GetIdentity());
  sales->Save();
  staff->Save();
  Register(L"faxusers", staff->GetIdentity());
  Register(L"faxusers", bob->GetIdentity());

  const auto is_user = [&](const std::wstring& identity, const wchar_t* list = L"faxusers") {
    return util_.IsPagewellUser(identity.c_str(), rules_.Get(), users.Get(), 3, list);
  };
  EXPECT_EQ(is_user(ann->GetIdentity()), S_OK);
  EXPECT_EQ(is_user(ToLower(ann->GetIdentity())), S_OK);
  EXPECT_EQ(is_user(sales->GetIdentity()), S_OK);
  // Staff holds itself through Sales; an object is never its own way into the list.
  EXPECT_EQ(is_user(staff->GetIdentity()), S_FALSE);
  EXPECT_EQ(is_user(bob->GetIdentity()), S_FALSE);
  EXPECT_EQ(is_user(ann->GetIdentity(), L"admins"), S_FALSE);
  EXPECT_EQ(is_user(L"{00000000-0000-0000-0000-000000000001}"), S_FALSE);
  EXPECT_EQ(util_.IsPagewellUser(L"", rules_.Get(), users.Get(), 3, L"faxusers"), E_INVALIDARG);
  EXPECT_EQ(
      util_.IsPagewellUser(ann->GetIdentity().c_str(), rules_.Get(), users.Get(), 0, L"faxusers"),
      E_INVALIDARG);
  EXPECT_EQ(util_.IsPagewellUser(ann->GetIdentity().c_str(), rules_.Get(), nullptr, 3, L"faxusers"),
            E_POINTER);
  EXPECT_EQ(is_user(ann->GetIdentity(), L""), E_INVALIDARG);
  EXPECT_EQ(util_.IsPagewellUser(ann->GetIdentity().c_str(), rules_.Get(),
                                 NewUserDb().As<IArdentUserLocator>().Get(), 3, L"faxusers"),
            UDB_E_NOTCONNECTED);
}

// The listed groups of a user come one name per call, sorted ignoring case, and the
// enumeration ends with its end code, also when nothing was started or nothing was found.
TEST_F(UserUtilTest, ConfigGroupsAreEnumeratedToTheirEnd) {
  HRESULT end = E_FAIL;
  EXPECT_TRUE(RemainingGroups(&end).empty());
  EXPECT_EQ(end, USERUTIL_S_NOMOREGROUPS);

  const IArdentUserLocatorPtr users = Connected();
  const IArdentUserPtr ann = SaveUser(users, L"ann");
  const IArdentUserPtr sales = SaveUser(users, L"sales team", L"group");
  const IArdentUserPtr fax = SaveUser(users, L"Fax senders", L"group");
  const IArdentUserPtr unlisted = SaveUser(users, L"Archive", L"group");
  const IArdentUserPtr all = SaveUser(users, L"All staff", L"group");
  sales->AddMember(ann->GetIdentity());
  fax->AddMember(sales->GetIdentity());
  unlisted->AddMember(ann->GetIdentity());
  all->AddMember(unlisted->GetIdentity());
  for (const IArdentUserPtr& group : {sales, fax, unlisted, all}) group->Save();
  for (const IArdentUserPtr& group : {sales, fax, all}) Register(L"smsusers", group->GetIdentity());
  Register(L"faxusers", fax->GetIdentity());

  ASSERT_EQ(
      util_.GetUserConfigGroups(L"smsusers", rules_.Get(), users.Get(), ann->GetIdentity().c_str()),
      S_OK);
  EXPECT_EQ(RemainingGroups(&end),
            (std::vector<std::wstring>{L"All staff", L"Fax senders", L"sales team"}));
  EXPECT_EQ(end, USERUTIL_S_NOMOREGROUPS);
  EXPECT_TRUE(RemainingGroups(&end).empty());
  EXPECT_EQ(end, USERUTIL_S_NOMOREGROUPS);

  // A new start replaces an enumeration that was not read to its end.
  ASSERT_EQ(
      util_.GetUserConfigGroups(L"smsusers", rules_.Get(), users.Get(), ann->GetIdentity().c_str()),
      S_OK);
  BSTR name = nullptr;
  ASSERT_EQ(util_.GetNextUserConfigGroup(&name), S_OK);
  EXPECT_EQ(ardent_detail::TakeBstr(name), L"All staff");
  ASSERT_EQ(
      util_.GetUserConfigGroups(L"faxusers", rules_.Get(), users.Get(), ann->GetIdentity().c_str()),
      S_OK);
  EXPECT_EQ(RemainingGroups(&end), std::vector<std::wstring>{L"Fax senders"});
  EXPECT_EQ(end, USERUTIL_S_NOMOREGROUPS);

  // A failed start leaves nothing to read.
  ASSERT_EQ(
      util_.GetUserConfigGroups(L"smsusers", rules_.Get(), users.Get(), ann->GetIdentity().c_str()),
      S_OK);
  EXPECT_EQ(util_.GetUserConfigGroups(L"smsusers", rules_.Get(), users.Get(), L""), E_INVALIDARG);
  EXPECT_TRUE(RemainingGroups(&end).empty());
  EXPECT_EQ(util_.GetNextUserConfigGroup(nullptr), E_POINTER);
}

}  // namespace
}  // namespace pw::test
