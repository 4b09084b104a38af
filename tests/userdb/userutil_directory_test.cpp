// The user utility library through a user database connected to a real directory: membership
// of registered lists through nested directory groups, the names of those groups, and the
// defaults, which never add a directory's users.
#include "installation/interfaces/userutil.h"
#include "tests/userdb/directory_fixture.h"

namespace pw::test {
namespace {

class UserUtilDirectoryTest : public DirectoryTest {
 protected:
  void SetUp() override {
    DirectoryTest::SetUp();
    library_ = ::dlopen((BinDir() + "/libuserutil.so").c_str(), RTLD_NOW);
    ASSERT_NE(library_, nullptr) << ::dlerror();
    is_pagewell_user_ = reinterpret_cast<decltype(&UserUtil_IsPagewellUser)>(
        ::dlsym(library_, "UserUtil_IsPagewellUser"));
    get_groups_ = reinterpret_cast<decltype(&UserUtil_GetUserConfigGroups)>(
        ::dlsym(library_, "UserUtil_GetUserConfigGroups"));
    next_group_ = reinterpret_cast<decltype(&UserUtil_GetNextUserConfigGroup)>(
        ::dlsym(library_, "UserUtil_GetNextUserConfigGroup"));
    install_defaults_ = reinterpret_cast<decltype(&UserUtil_InstallPagewellDefaults)>(
        ::dlsym(library_, "UserUtil_InstallPagewellDefaults"));
    ASSERT_TRUE(is_pagewell_user_ && get_groups_ && next_group_ && install_defaults_);
    rules_ = OpenRules();
    ASSERT_TRUE(rules_);
  }
  void TearDown() override {
    if (library_ != nullptr) ::dlclose(library_);
  }

  void Register(const std::wstring& list, const std::wstring& identity) {
    const IArdentRulePtr rule = rules_->CreateRule(list);
    rule->AddUser(identity);
    rules_->SaveRule(rule.Get(), VARIANT_TRUE);
  }

  HRESULT IsPagewellUser(const IArdentUserLocatorPtr& users, const std::wstring& identity,
                         LONG mode, const wchar_t* list) {
    return is_pagewell_user_(identity.c_str(), rules_.Get(), users.Get(), mode, list);
  }

  // The names of the groups through which `identity` is on `list`; a failed start fails the
  // test.
  std::vector<std::wstring> ConfigGroups(const IArdentUserLocatorPtr& users, const wchar_t* list,
                                         const std::wstring& identity) {
    std::vector<std::wstring> names;
    EXPECT_EQ(get_groups_(list, rules_.Get(), users.Get(), identity.c_str()), S_OK);
    for (int guard = 0; guard < 100; ++guard) {
      BSTR name = nullptr;
      if (next_group_(&name) != S_OK) break;
      names.push_back(ardent_detail::TakeBstr(name));
    }
    return names;
  }

  void* library_ = nullptr;
  decltype(&UserUtil_IsPagewellUser) is_pagewell_user_ = nullptr;
  decltype(&UserUtil_GetUserConfigGroups) get_groups_ = nullptr;
  decltype(&UserUtil_GetNextUserConfigGroup) next_group_ = nullptr;
  decltype(&UserUtil_InstallPagewellDefaults) install_defaults_ = nullptr;
  IArdentRULEDBPtr rules_;
};

// In Active Directory mode a user belongs to a list through a listed group, directly or
// through nested groups; being listed itself does not count; a gone server is passed on.
TEST_F(UserUtilDirectoryTest, ActiveDirectoryMembershipThroughNestedGroups) {
  const IArdentUserLocatorPtr users = ConnectedTo(kActiveDirectory);
  ASSERT_TRUE(users);
  Register(L"faxusers", kSales);
  Register(L"admins", kEveryone);
  EXPECT_EQ(IsPagewellUser(users, kAnn, 1, L"faxusers"), S_OK);
  EXPECT_EQ(IsPagewellUser(users, kAgent, 1, L"faxusers"), S_OK);
  EXPECT_EQ(IsPagewellUser(users, kBob, 1, L"faxusers"), S_FALSE);
  EXPECT_EQ(IsPagewellUser(users, kSales, 1, L"faxusers"), S_FALSE);
  EXPECT_EQ(IsPagewellUser(users, kAnn, 1, L"admins"), S_OK);
  EXPECT_EQ(IsPagewellUser(users, kSales, 1, L"admins"), S_OK);
  EXPECT_EQ(IsPagewellUser(users, kCid, 1, L"admins"), S_FALSE);
  EXPECT_EQ(IsPagewellUser(users, L"{00000000-0000-0000-0000-000000000001}", 1, L"admins"),
            S_FALSE);

  Register(L"admins", kSales);
  EXPECT_EQ(ConfigGroups(users, L"admins", kAnn),
            (std::vector<std::wstring>{L"Everyone", L"Sales"}));
  EXPECT_EQ(ConfigGroups(users, L"faxusers", kAnn), std::vector<std::wstring>{L"Sales"});
  EXPECT_TRUE(ConfigGroups(users, L"faxusers", kBob).empty());

  const RestartDirectoryOnExit restart;
  TestDirectory().Stop();
  EXPECT_EQ(IsPagewellUser(users, kAnn, 1, L"faxusers"), UDB_E_NODIRECTORYACCESS);
}

// In Exchange 5.5 mode the identities the lists keep are distinguished names.
TEST_F(UserUtilDirectoryTest, ExchangeMembershipByDistinguishedName) {
  const IArdentUserLocatorPtr users = ConnectedTo(ExchangeString());
  ASSERT_TRUE(users);
  Register(L"faxusers", kEveryoneDn);
  EXPECT_EQ(IsPagewellUser(users, kAnnDn, 2, L"faxusers"), S_OK);
  EXPECT_EQ(IsPagewellUser(users, L"cn=Cid Carter,ou=Users,dc=pagewell,dc=test", 2, L"faxusers"),
            S_FALSE);
  EXPECT_EQ(ConfigGroups(users, L"faxusers", kAnnDn), std::vector<std::wstring>{L"Everyone"});
}

// The defaults never create a user in a directory: with no "Administrator" login there, the
// lists stay empty and nothing is reported as added.
TEST_F(UserUtilDirectoryTest, DefaultsAddNoDirectoryUsers) {
  const IArdentUserLocatorPtr users = ConnectedTo(kActiveDirectory);
  ASSERT_TRUE(users);
  EXPECT_EQ(install_defaults_(0, rules_.Get(), user_db_.Get(), 1, L"Pagewell Configuration",
                              USERUTIL_DEFAULTS_ALL, 0, L"", L"", ""),
            S_FALSE);
  for (const wchar_t* list : {L"faxusers", L"defrouters", L"admins"}) {
    IArdentRulePtr rule;
    EXPECT_NE(rules_->EnumRules(L"", list)->Next(&rule), S_OK) << ToUtf8(list);
  }
  EXPECT_EQ(AllTexts(users->EnumObjects(L"user")), (std::vector<std::wstring>{kAnn, kBob, kCid}));
}

}  // namespace
}  // namespace pw::test
