// The address book over the test directory: Active Directory mode lists by the braced
// identities, Exchange 5.5 mode finds its server through the messaging profile and picks by
// distinguished name, and a directory that went away shows no dialog.
#include <dlfcn.h>

#include <memory>
#include <string>

#include "installation/interfaces/exchange_profile.h"
#include "tests/addressbook/address_book_fixture.h"
#include "tests/support/test_directory.h"

namespace pw::test {
namespace {

class DirectoryAddressBookTest : public AddressBookTest {
 protected:
  void SetUp() override {
    AddressBookTest::SetUp();
    ASSERT_TRUE(TestDirectory().Start()) << TestDirectory().Log();
    // The client configuration names the server's port, known once it runs.
    client_ = std::make_unique<LdapClientSettings>(
        TestDirectory(), "cn=reader," + std::string(kDirectorySuffix), "reader-secret");
  }

  std::unique_ptr<LdapClientSettings> client_;
  TempDir config_;
  ScopedEnv config_home_{"XDG_CONFIG_HOME", config_.path()};
};

// Mode 1: users, groups and the agent by display name (the object with a malformed
// identity is left out); the picks come back as braced identities with their types.
TEST_F(DirectoryAddressBookTest, ActiveDirectoryListsAndPicks) {
  ASSERT_EQ(book_->raw_Initialize(1, L"", 0x3B), S_OK);
  ui_.ExpectDialog(IDD_ADDRESS_BOOK, [&](DialogDriver& d) {
    EXPECT_EQ(AllRows(d), (Rows{{L"Ann Archer", L"ann@pagewell.test", L"User"},
                                {L"Bobby Baker", L"bob@pagewell.test", L"User"},
                                {L"Cid Carter", L"", L"User"},
                                {L"Everyone", L"", L"Group"},
                                {L"Fax Agent", L"agent@pagewell.test", L"Mailbox agent"},
                                {L"Sales", L"sales@pagewell.test", L"Group"}}));
    EXPECT_TRUE(d.SelectRows(IDC_AB_LIST, {5, 0}));
    EXPECT_TRUE(d.Click(IDOK));
  });
  EXPECT_EQ(book_->raw_InvokeDialog(nullptr), S_OK);
  EXPECT_EQ(Picked(), (std::vector<std::wstring>{std::wstring(kAnn) + L"|user",
                                                 std::wstring(kSales) + L"|group"}));
}

// Mode 2: the profile made by the profile library names the server; groups only; a missing
// profile or one without a server is refused; a stopped server fails the dialog unshown.
TEST_F(DirectoryAddressBookTest, ExchangeThroughTheMessagingProfile) {
  void* library = ::dlopen((BinDir() + "/libpwprofile.so").c_str(), RTLD_NOW);
  ASSERT_NE(library, nullptr);
  auto create = reinterpret_cast<decltype(&CreateExchange55Profile)>(
      ::dlsym(library, "CreateExchange55Profile"));
  ASSERT_NE(create, nullptr);
  EXPECT_EQ(book_->raw_Initialize(2, L"Pagewell", 0x3B), AB_E_NOPROFILE);
  config_.WriteFile("pagewell/profiles/Empty.ini", "[Profile]\nMailboxPrompt=x\n");
  EXPECT_EQ(book_->raw_Initialize(2, L"Empty", 0x3B), AB_E_NOPROFILE);
  ASSERT_EQ(create(L"Pagewell", FromUtf8(TestDirectory().host()).c_str(), L"Mailbox?", 0), S_OK);

  ASSERT_EQ(book_->raw_Initialize(2, L"Pagewell", ABF_GROUPS | ABF_MULTISELECT), S_OK);
  ui_.ExpectDialog(IDD_ADDRESS_BOOK, [&](DialogDriver& d) {
    EXPECT_EQ(AllRows(d),
              (Rows{{L"Everyone", L"", L"Group"}, {L"Sales", L"sales@pagewell.test", L"Group"}}));
    EXPECT_TRUE(d.ClickRow(IDC_AB_LIST, 0));
    EXPECT_TRUE(d.Click(IDOK));
  });
  EXPECT_EQ(book_->raw_InvokeDialog(nullptr), S_OK);
  EXPECT_EQ(Picked(), (std::vector<std::wstring>{std::wstring(kEveryoneDn) + L"|group"}));

  RestartDirectoryOnExit restart;
  TestDirectory().Stop();
  EXPECT_EQ(book_->raw_InvokeDialog(nullptr), UDB_E_NODIRECTORYACCESS);
  EXPECT_TRUE(Picked().empty());
  EXPECT_EQ(ui_.modal_windows().size(), 1u);
  ::dlclose(library);
}

}  // namespace
}  // namespace pw::test
