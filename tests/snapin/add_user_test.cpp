// The "New Licensed User" dialog through the console host: automatic filling, the personal
// part, OK enabling, defaults from options.ini, uniqueness checks and the user it creates.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "module/resources/user_dialogs.h"
#include "tests/snapin/user_list_fixture.h"

namespace pw::test {
namespace {

class AddUserTest : public UserListTest {
 protected:
  // Runs "&New licensed user/group..." of the Licensed users node.
  void RunNewUser() {
    const HSCOPEITEM item = ShowLicensedUsers();
    std::vector<pw::mmc::MenuItem> items;
    ASSERT_TRUE(session().OpenContextMenu(kView, item, &items).ok());
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (!items[i].console_item && items[i].command_id == 1) {
        EXPECT_TRUE(session().RunMenuItem(kView, static_cast<int>(i)).ok());
        return;
      }
    }
    ADD_FAILURE() << "no command 1";
  }

  // Attribute `name` of the object found by login, as text.
  std::wstring AttributeOf(const std::wstring& login, const std::wstring& name) {
    std::wstring text;
    WithStores([&](IArdentRULEDB&, IArdentUserLocator& users) {
      IArdentUserPtr user;
      if (users.FindUser(udbSearchLogin, login, &user) != S_OK || !user) return;
      text = user->GetAttribute(name).ToString();
    });
    return text;
  }

  std::wstring IdentityOf(const std::wstring& login) {
    std::wstring identity;
    WithStores([&](IArdentRULEDB&, IArdentUserLocator& users) {
      IArdentUserPtr user;
      if (users.FindUser(udbSearchLogin, login, &user) == S_OK && user) {
        identity = user->GetIdentity();
      }
    });
    return identity;
  }
};

// Typing a login with Networks fills the names and addresses; OK creates the user with every
// attribute and registers it, and the list shows it.
TEST_F(AddUserTest, NetworksLoginFillsFieldsAndCreatesRegisteredUser) {
  MakeInstallation();
  ASSERT_TRUE(AddSnapIn().ok());
  ui_.ExpectDialog(IDD_ADD_USER, [](DialogDriver& d) {
    EXPECT_EQ(d.Caption(), L"New Licensed User");
    EXPECT_EQ(d.Check(IDC_AU_NETWORKS), BST_CHECKED);
    EXPECT_FALSE(d.IsEnabled(IDOK));
    EXPECT_FALSE(d.IsVisible(IDC_AU_FIRST_NAME));
    EXPECT_EQ(d.Text(IDC_AU_MORE), L"&Personal >>");
    d.Type(IDC_AU_LOGIN, L"jdoe");
    EXPECT_EQ(d.Text(IDC_AU_FULL_NAME), L"jdoe");
    EXPECT_EQ(d.Text(IDC_AU_EMAIL), L"jdoe@Pagewell");
    EXPECT_EQ(d.Text(IDC_AU_FIRST_NAME), L"jdoe");
    EXPECT_EQ(d.Text(IDC_AU_LAST_NAME), L"");
    EXPECT_EQ(d.Text(IDC_AU_INTERNET_EMAIL), L"jdoe@Pagewell");
    EXPECT_TRUE(d.IsEnabled(IDOK));
    // The e-mail field is read-only with Networks: typing into it is refused.
    EXPECT_FALSE(pw::ui::TypeText(d.Hwnd(IDC_AU_EMAIL), L"x@y"));
    d.Click(IDC_AU_MORE);
    EXPECT_EQ(d.Text(IDC_AU_MORE), L"<< &Personal");
    EXPECT_TRUE(d.IsVisible(IDC_AU_FIRST_NAME));
    // A full name typed by hand is split and no longer follows the login.
    d.Type(IDC_AU_FULL_NAME, L"Doe, John");
    EXPECT_EQ(d.Text(IDC_AU_FIRST_NAME), L"John");
    EXPECT_EQ(d.Text(IDC_AU_LAST_NAME), L"Doe");
    d.Type(IDC_AU_LOGIN, L"jdoe2");
    EXPECT_EQ(d.Text(IDC_AU_FULL_NAME), L"Doe, John");
    EXPECT_EQ(d.Text(IDC_AU_EMAIL), L"jdoe2@Pagewell");
    d.Type(IDC_AU_DEPARTMENT, L"Sales");
    d.Type(IDC_AU_VOICE, L"100");
    // An Internet e-mail without "@" keeps OK disabled.
    d.Type(IDC_AU_INTERNET_EMAIL, L"nowhere");
    EXPECT_FALSE(d.IsEnabled(IDOK));
    d.Type(IDC_AU_INTERNET_EMAIL, L"john.doe@example.com");
    EXPECT_TRUE(d.IsEnabled(IDOK));
    d.Click(IDOK);
  });
  RunNewUser();
  EXPECT_TRUE(ui_.message_boxes().empty());
  const std::wstring identity = IdentityOf(L"jdoe2");
  ASSERT_FALSE(identity.empty());
  EXPECT_TRUE(Lists(L"faxusers", identity));
  EXPECT_EQ(AttributeOf(L"jdoe2", L"cn"), L"Doe, John");
  EXPECT_EQ(AttributeOf(L"jdoe2", L"mail"), L"jdoe2@Pagewell");
  EXPECT_EQ(AttributeOf(L"jdoe2", L"givenName"), L"John");
  EXPECT_EQ(AttributeOf(L"jdoe2", L"sn"), L"Doe");
  EXPECT_EQ(AttributeOf(L"jdoe2", L"department"), L"Sales");
  EXPECT_EQ(AttributeOf(L"jdoe2", L"telephoneNumber"), L"100");
  EXPECT_EQ(AttributeOf(L"jdoe2", L"ardentInternetMail"), L"john.doe@example.com");
  EXPECT_EQ(AttributeOf(L"jdoe2", L"ardentCustomFlags"), L"0");
  EXPECT_NE(RowOf(L"Doe, John"), -1);
}

// A login with a blank gets its address on OK (up to the blank); a login that is already an
// address is used as it is.
TEST_F(AddUserTest, NetworksAddressIsMadeOnOkFromLoginUpToBlank) {
  MakeInstallation();
  ASSERT_TRUE(AddSnapIn().ok());
  ui_.ExpectDialog(IDD_ADD_USER, [](DialogDriver& d) {
    d.Type(IDC_AU_LOGIN, L"mary ann");
    EXPECT_EQ(d.Text(IDC_AU_EMAIL), L"");
    EXPECT_EQ(d.Text(IDC_AU_FIRST_NAME), L"mary");
    EXPECT_EQ(d.Text(IDC_AU_LAST_NAME), L"ann");
    d.Click(IDOK);
  });
  RunNewUser();
  ui_.ExpectDialog(IDD_ADD_USER, [](DialogDriver& d) {
    d.Type(IDC_AU_LOGIN, L"bob@corp");
    d.Click(IDOK);
  });
  RunNewUser();
  EXPECT_EQ(AttributeOf(L"mary ann", L"mail"), L"mary@Pagewell");
  EXPECT_EQ(AttributeOf(L"bob@corp", L"mail"), L"bob@corp");
}

// Defaults come from the server's options.ini: SMTP mail system, fax number and company; the
// SMTP address follows the login and stays editable.
TEST_F(AddUserTest, DefaultsFromOptionsIniAndSmtpAddress) {
  MakeInstallation();
  std::ofstream(installation_->server_folder() + "/options.ini")
      << "[Installation]\r\nLocalID=+49 30 1234\r\nCompany=Acme\r\n[MailSystems]\r\n"
         "Networks=\r\nSMTP=*\r\n";
  ASSERT_TRUE(AddSnapIn().ok());
  ui_.ExpectDialog(IDD_ADD_USER, [](DialogDriver& d) {
    EXPECT_EQ(d.Check(IDC_AU_SMTP), BST_CHECKED);
    EXPECT_EQ(d.Text(IDC_AU_FAX), L"+49 30 1234");
    EXPECT_EQ(d.Text(IDC_AU_COMPANY), L"Acme");
    d.Type(IDC_AU_LOGIN, L"carl");
    EXPECT_EQ(d.Text(IDC_AU_EMAIL), L"carl");
    EXPECT_FALSE(d.IsEnabled(IDOK));
    d.Type(IDC_AU_EMAIL, L"carl@acme.example");
    EXPECT_EQ(d.Text(IDC_AU_LOGIN), L"carl");
    EXPECT_EQ(d.Text(IDC_AU_INTERNET_EMAIL), L"carl@acme.example");
    // Back to Networks: read-only again and filled from the login.
    d.Click(IDC_AU_NETWORKS);
    EXPECT_EQ(d.Text(IDC_AU_EMAIL), L"carl@Pagewell");
    d.Click(IDC_AU_SMTP);
    EXPECT_TRUE(pw::ui::TypeText(d.Hwnd(IDC_AU_EMAIL), L"carl@acme.example"));
    d.Click(IDOK);
  });
  RunNewUser();
  EXPECT_EQ(AttributeOf(L"carl", L"mail"), L"carl@acme.example");
  EXPECT_EQ(AttributeOf(L"carl", L"ardentCustomFlags"), L"1");
  EXPECT_EQ(AttributeOf(L"carl", L"company"), L"Acme");
  EXPECT_EQ(AttributeOf(L"carl", L"facsimileTelephoneNumber"), L"+49 30 1234");
}

// A login (in any case) or address that a registered user already has keeps the dialog open
// with a warning.
TEST_F(AddUserTest, DuplicateLoginAndAddressOfRegisteredUsersAreRefused) {
  MakeInstallation();
  const std::wstring tom = AddObject(L"user", L"Tom Fischer", L"tom@Pagewell", L"tfischer");
  AddToList(L"faxusers", {tom});
  ASSERT_TRUE(AddSnapIn().ok());
  ui_.ExpectDialog(IDD_ADD_USER, [](DialogDriver& d) {
    d.Type(IDC_AU_LOGIN, L"TFISCHER");
    d.Click(IDOK);
    d.Type(IDC_AU_LOGIN, L"tom");
    d.Click(IDOK);
    d.Click(IDCANCEL);
  });
  ui_.ExpectMessageBox(IDOK,
                       L"Please specify another login name for this user, since the login name "
                       L"you specified already exists.");
  ui_.ExpectMessageBox(IDOK,
                       L"Please specify another Pagewell address for this user, since the address "
                       L"you specified already exists. If the user is a Pagewell for networks "
                       L"user, please change the user login name.");
  RunNewUser();
  ASSERT_EQ(ui_.message_boxes().size(), 2u);
  EXPECT_EQ(ui_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONWARNING));
  EXPECT_EQ(ui_.message_boxes()[0].caption, L"Pagewell Configuration");
  EXPECT_EQ(UsersOf(L"faxusers").size(), 2u);  // the administrator and Tom
}

}  // namespace
}  // namespace pw::test
