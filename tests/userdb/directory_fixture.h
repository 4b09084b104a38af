// The directory tests' fixture: the test directory (tests/support/test_directory.h) and the
// LDAP client configuration that points the user database at it.
#pragma once

#include <memory>
#include <string>

#include "tests/support/test_directory.h"
#include "tests/userdb/userdb_fixture.h"

namespace pw::test {

class DirectoryTest : public UserDbTest {
 protected:
  void SetUp() override {
    UserDbTest::SetUp();
    SlapdServer& server = TestDirectory();
    ASSERT_TRUE(server.Start()) << server.Log();
    const std::string configuration = server.folder().WriteFile(
        "ldap.conf", "URI " + server.uri() + "\nBASE " + server.suffix() + "\n");
    setenv("LDAPCONF", configuration.c_str(), 1);
    // Nothing of the machine's or the user's own configuration may take part.
    setenv("LDAPRC", "pagewell-test-no-ldaprc", 1);
    unsetenv("LDAPURI");
    unsetenv("LDAPBASE");
    UseAccount("cn=reader," + server.suffix(), "reader-secret");
  }

  // Binds later connections as `dn` with `password` (none: no password file).
  void UseAccount(const std::string& dn, const std::optional<std::string>& password) {
    // The earlier settings go first: each restores what it found when it ends.
    password_file_.reset();
    bind_dn_.reset();
    bind_dn_ = std::make_unique<ScopedEnv>("PAGEWELL_LDAP_BINDDN", dn);
    std::optional<std::string> file;
    if (password) file = secrets_.WriteFile("password", *password + "\n");
    password_file_ = std::make_unique<ScopedEnv>("PAGEWELL_LDAP_PASSWORD_FILE", file);
  }

  // The locator of a user database connected to the test directory with `connection`.
  IArdentUserLocatorPtr ConnectedTo(const std::wstring& connection) {
    user_db_ = NewUserDb();
    if (!user_db_) return nullptr;
    const HRESULT hr = user_db_->raw_Connect(0, connection.c_str());
    EXPECT_EQ(hr, S_OK) << TestDirectory().Log();
    return SUCCEEDED(hr) ? user_db_.As<IArdentUserLocator>() : nullptr;
  }
  std::wstring ExchangeString() const {
    return L"directorytype=ex55;directoryserver=" + FromUtf8(TestDirectory().host());
  }

  IArdentUserDBPtr user_db_;
  TempDir secrets_;
  std::unique_ptr<ScopedEnv> bind_dn_;
  std::unique_ptr<ScopedEnv> password_file_;
};

// The object `text` finds with `search_type`; null (and a failed test) when it finds none.
inline IArdentUserPtr Find(const IArdentUserLocatorPtr& users, LONG search_type,
                           const std::wstring& text) {
  IArdentUserPtr user;
  EXPECT_EQ(users->FindUser(search_type, text, &user), S_OK) << ToUtf8(text);
  return user;
}

// The text of a VT_BSTR attribute; any other shape fails the test.
inline std::wstring TextOf(const IArdentUserPtr& user, const wchar_t* name) {
  VARIANT value;
  EXPECT_EQ(user->raw_GetAttribute(name, &value), S_OK) << ToUtf8(name);
  EXPECT_EQ(value.vt(), VT_BSTR) << ToUtf8(name);
  return value.vt() == VT_BSTR ? value.bstrVal() : L"";
}

}  // namespace pw::test
