// Registering directory users, groups and mailbox agents through the address book in
// directory modes 1 and 2, against a slapd of the test's own: every check and summary of the
// registration, Cancel, the read-only directory pages, the login as DOMAIN\account in mode 1,
// the Exchange profile of mode 2, and the administrators' add.
//
// The LDAP client library reads its configuration once per process, so each test needs a
// process of its own (ctest runs every test case in its own process).
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "installation/addressbook/resources/addressbook.h"
#include "module/resources/user_dialogs.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/property_sheet.h"
#include "platform/ui/sheet_input.h"
#include "tests/snapin/rule_list_fixture.h"
#include "tests/support/test_directory.h"

namespace pw::test {
namespace {

constexpr char kSuffix[] = "dc=example,dc=test";
constexpr int kMembers = 12;

// The identity of the entry whose entryUUID ends in `tail` (mode 1).
std::wstring Id(const std::wstring& tail) {
  return L"{11111111-0000-4000-8000-" + std::wstring(12 - tail.size(), L'0') + tail + L"}";
}
std::string Uuid(const std::string& tail) {
  return "11111111-0000-4000-8000-" + std::string(12 - tail.size(), '0') + tail;
}
std::string Two(int number) { return (number < 10 ? "0" : "") + std::to_string(number); }

const std::wstring kAnn = Id(L"1");
const std::wstring kBob = Id(L"2");
const std::wstring kSales = Id(L"3");
const std::wstring kPlain = Id(L"4");
const std::wstring kAgent = Id(L"5");
const std::wstring kAnnDn = L"cn=Ann Archer,ou=Staff,dc=example,dc=test";

// Ann, Bob, the group Sales (with Ann) and the agent have a Pagewell address in both address
// attributes; the group Plain (with Bob) and Member 01 to Member 12 have none.
std::string RegistrationLdif() {
  std::string ldif =
      "dn: dc=example,dc=test\nobjectClass: dcObject\nobjectClass: organization\no: Example\n"
      "dc: example\nentryUUID: " +
      Uuid("90") +
      "\n\n"
      "dn: cn=reader,dc=example,dc=test\nobjectClass: organizationalRole\n"
      "objectClass: simpleSecurityObject\ncn: reader\nuserPassword: reader-secret\n"
      "entryUUID: " +
      Uuid("91") +
      "\n\n"
      "dn: ou=Staff,dc=example,dc=test\nobjectClass: organizationalUnit\nou: Staff\n"
      "entryUUID: " +
      Uuid("92") + "\n\n";
  auto person = [](const std::string& cn, const std::string& sn, const std::string& login,
                   const std::string& kind, const std::string& uuid, const std::string& extra) {
    return "dn: cn=" + cn + ",ou=Staff,dc=example,dc=test\nobjectClass: inetOrgPerson\n" +
           "objectClass: " + kind + "\nobjectClass: pagewellUser\ncn: " + cn + "\nsn: " + sn +
           "\nmail: " + login + "@example.test\n" +
           (kind == "user" ? "sAMAccountName: " + login + "\n" : "") + extra +
           "entryUUID: " + uuid + "\n\n";
  };
  ldif += person("Ann Archer", "Archer", "ann", "user", Uuid("1"),
                 "givenName: Ann\nproxyAddresses: SMTP:ann@example.test\n"
                 "proxyAddresses: Pagewell:ann.fax@example.test\n"
                 "otherMailbox: Pagewell$ann.fax@example.test\n"
                 "telephoneNumber: +44 20 7946 0101\nstreet: 1 High Street\nl: London\n"
                 "postalCode: EC1A 1AA\ntitle: Buyer\ndepartment: Sales\ncompany: Example Ltd\n");
  ldif += person("Bob Baker", "Baker", "bob", "user", Uuid("2"),
                 "proxyAddresses: Pagewell:bob.fax@example.test\n"
                 "otherMailbox: Pagewell$bob.fax@example.test\n");
  ldif += person("Fax Agent", "Agent", "agent", "Mailbox-Agent", Uuid("5"),
                 "proxyAddresses: Pagewell:agent@example.test\n"
                 "otherMailbox: Pagewell$agent@example.test\n");
  for (int number = 1; number <= kMembers; ++number) {
    ldif +=
        person("Member " + Two(number), "Member", "m" + Two(number), "user",
               Uuid("1" + Two(number)), "proxyAddresses: SMTP:m" + Two(number) + "@example.test\n");
  }
  ldif +=
      "dn: cn=Sales,ou=Staff,dc=example,dc=test\nobjectClass: group\nobjectClass: pagewellUser\n"
      "cn: Sales\nmail: sales@example.test\nproxyAddresses: Pagewell:sales.fax@example.test\n"
      "otherMailbox: Pagewell$sales.fax@example.test\n"
      "member: cn=Ann Archer,ou=Staff,dc=example,dc=test\nentryUUID: " +
      Uuid("3") +
      "\n\n"
      "dn: cn=Plain,ou=Staff,dc=example,dc=test\nobjectClass: group\ncn: Plain\n"
      "member: cn=Bob Baker,ou=Staff,dc=example,dc=test\nentryUUID: " +
      Uuid("4") + "\n";
  return ldif;
}

SlapdServer& RegistrationDirectory() {
  static SlapdServer server(kDirectorySchema, kSuffix, RegistrationLdif());
  return server;
}

// Rows of the address book, sorted by name.
constexpr int kRowAnn = 0;
constexpr int kRowBob = 1;
constexpr int kRowAgent = 2;
constexpr int kRowMember01 = 3;
constexpr int kRowPlain = 15;
constexpr int kRowSales = 16;
constexpr int kRows = 17;

class DirectoryRegistrationTest : public RuleListTest {
 protected:
  static constexpr wchar_t kNewUser[] = L"&New licensed user/group...";

  void SetUp() override {
    ASSERT_TRUE(RegistrationDirectory().Start()) << RegistrationDirectory().Log();
    client_ = std::make_unique<LdapClientSettings>(
        RegistrationDirectory(), "cn=reader," + std::string(kSuffix), "reader-secret");
  }

  // An installation of directory `mode` (mode 2 with the test directory as its DSA server),
  // its log on, and the snap-in added.
  void Start(DWORD mode) {
    MakeInstallation({.user_mode = mode});
    if (mode == 2) {
      const std::wstring folder = FromUtf8(installation_->server_folder());
      ASSERT_TRUE(session()
                      .Run([&](pw::mmc::Console&) -> HRESULT {
                        try {
                          IArdentDBPtr store;
                          HRESULT hr = CreateInstance(CLSID_ArdentDB, &store);
                          if (FAILED(hr)) return hr;
                          store->Open(0, folder);
                          const IPagewellPtr settings = store.As<IPagewell>();
                          settings->PutValue(L"IPW_Exc_DSAorDOM", VARIANT::FromBstr(DsaServer()));
                          settings->SaveValues();
                          store->Close();
                        } catch (const ComError& error) {
                          return error.Error();
                        }
                        return S_OK;
                      })
                      .ok());
    }
    installation_->EnableLog();
    ASSERT_TRUE(AddSnapIn().ok());
  }

  static std::wstring DsaServer() { return FromUtf8(RegistrationDirectory().host()); }

  // Expects the address book, picks `rows` and presses OK (or Cancel with no rows).
  void ExpectPick(const std::vector<int>& rows) {
    ui_.ExpectDialog(IDD_ADDRESS_BOOK, [rows](DialogDriver& d) {
      EXPECT_EQ(d.Control<CListCtrl>(IDC_AB_LIST).GetItemCount(), kRows);
      if (rows.empty()) {
        EXPECT_TRUE(d.Click(IDCANCEL));
        return;
      }
      EXPECT_TRUE(d.SelectRows(IDC_AB_LIST, rows));
      EXPECT_TRUE(d.Click(IDOK));
    });
  }

  void NewUser(HSCOPEITEM item) { RunMenu(item, kNewUser); }

  // Every row of the view: its texts.
  std::vector<std::vector<std::wstring>> Rows() {
    std::vector<std::vector<std::wstring>> texts;
    const pw::mmc::ConsoleState state = State();
    const int count = state.views.empty() ? 0 : state.views.front().row_count;
    if (count == 0) return texts;
    std::vector<pw::mmc::RowData> rows;
    EXPECT_TRUE(session().ReadRows(kView, 0, count - 1, &rows).ok());
    for (const pw::mmc::RowData& row : rows) texts.push_back(row.texts);
    return texts;
  }

  bool Logged(const std::string& line) {
    for (const std::string& logged : installation_->LogLines()) {
      if (logged == line) return true;
    }
    return false;
  }

  std::unique_ptr<LdapClientSettings> client_;
  TempDir config_;
  ScopedEnv config_home_{"XDG_CONFIG_HOME", config_.path()};
};

using Ids = std::vector<std::wstring>;

// One pick is registered with its login translated to DOMAIN\account; picking it again shows
// the single "already available" message; Cancel registers nothing and says so in the log.
TEST_F(DirectoryRegistrationTest, RegistersOnePickAndRefusesItTwice) {
  Start(1);
  const HSCOPEITEM item = ShowLicensedUsers();
  EXPECT_TRUE(UsersOf(L"faxusers").empty());
  ui_.ExpectDialog(IDD_ADDRESS_BOOK, [](DialogDriver& d) {
    EXPECT_EQ(d.Control<CListCtrl>(IDC_AB_LIST).GetItemCount(), kRows);
    EXPECT_TRUE(d.Type(IDC_AB_SEARCH, L"ANN"));
    EXPECT_EQ(
        d.ShowRows(IDC_AB_LIST, 0, 0),
        (std::vector<std::vector<std::wstring>>{{L"Ann Archer", L"ann@example.test", L"User"}}));
    EXPECT_TRUE(d.ClickRow(IDC_AB_LIST, 0));
    EXPECT_TRUE(d.Click(IDOK));
  });
  NewUser(item);
  EXPECT_EQ(UsersOf(L"faxusers"), Ids{kAnn});
  EXPECT_EQ(Rows(), (std::vector<std::vector<std::wstring>>{
                        {L"Ann Archer", L"EXAMPLE\\ann", L"ann@example.test"}}));
  EXPECT_TRUE(MessageTexts().empty());

  ExpectPick({kRowAnn});
  ui_.ExpectMessageBox(
      IDOK, L"This user cannot be added since it is already available as a Pagewell user.");
  NewUser(item);
  ASSERT_EQ(ui_.message_boxes().size(), 1u);
  EXPECT_EQ(ui_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(ui_.message_boxes()[0].caption, L"Pagewell Configuration");

  ExpectPick({});
  NewUser(item);
  EXPECT_EQ(ui_.message_boxes().size(), 1u);
  EXPECT_EQ(UsersOf(L"faxusers"), Ids{kAnn});
  EXPECT_TRUE(Logged("Dialog cancelled by user."));
}

// Several picks at once: registered ones join in pick order, the one already present and
// those without a Pagewell address go into one summary each, the latter cut after 10 names.
TEST_F(DirectoryRegistrationTest, SeveralPicksEndInSummaries) {
  Start(1);
  AddToList(L"faxusers", {kBob});
  const HSCOPEITEM item = ShowLicensedUsers();
  std::vector<int> every_row;
  for (int row = 0; row < kRows; ++row) every_row.push_back(row);
  ExpectPick(every_row);
  ui_.ExpectMessageBox(IDOK,
                       L"The following user(s) or group(s) were not added since they were "
                       L"already available:\nBob Baker");
  ui_.ExpectMessageBox(IDOK,
                       L"The following user(s) or group(s) were not added since they are not "
                       L"assigned a Pagewell address:\nMember 01, Member 02, Member 03, Member "
                       L"04, Member 05, Member 06, Member 07, Member 08, Member 09, Member 10, "
                       L"...");
  NewUser(item);
  ASSERT_EQ(ui_.message_boxes().size(), 2u);
  EXPECT_EQ(ui_.message_boxes()[1].icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(UsersOf(L"faxusers"), (Ids{kBob, kAnn, kAgent, kSales}));
  EXPECT_EQ(Names(), (Ids{L"Bob Baker", L"Ann Archer", L"Fax Agent", L"Sales"}));
}

// A user already registered through a group is asked about (No skips it, Yes registers it);
// one pick without a Pagewell address gets the user's or the group's message.
TEST_F(DirectoryRegistrationTest, GroupMembershipQuestionAndMissingAddress) {
  Start(1);
  AddToList(L"faxusers", {kSales});
  const HSCOPEITEM item = ShowLicensedUsers();
  const std::wstring question =
      L"The user 'Ann Archer' is already available indirectly in the following groups:\n"
      L"Sales.\n\nAre you sure you want to explicitly set this user?";
  ExpectPick({kRowAnn});
  ui_.ExpectMessageBox(IDNO, question);
  NewUser(item);
  EXPECT_EQ(UsersOf(L"faxusers"), Ids{kSales});
  ASSERT_EQ(ui_.message_boxes().size(), 1u);
  EXPECT_EQ(ui_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONQUESTION));
  EXPECT_EQ(ui_.message_boxes()[0].buttons, static_cast<UINT>(MB_YESNO));

  ExpectPick({kRowAnn});
  ui_.ExpectMessageBox(IDYES, question);
  NewUser(item);
  EXPECT_EQ(UsersOf(L"faxusers"), (Ids{kSales, kAnn}));

  ExpectPick({kRowMember01});
  ui_.ExpectMessageBox(IDOK,
                       L"This user cannot be added since it is not assigned a Pagewell address.");
  NewUser(item);
  ExpectPick({kRowPlain});
  ui_.ExpectMessageBox(IDOK,
                       L"This group cannot be added since it is not assigned a Pagewell address.");
  NewUser(item);
  EXPECT_EQ(UsersOf(L"faxusers"), (Ids{kSales, kAnn}));
  EXPECT_EQ(Names(), (Ids{L"Sales", L"Ann Archer"}));
}

// A directory that goes away after the pick cannot say whether the object has a Pagewell
// address: No skips it; Yes stores it and ends when its name cannot be read; with the
// directory gone before the pick, the address book fails and nothing is shown.
TEST_F(DirectoryRegistrationTest, AddressCheckFailureAsks) {
  Start(1);
  RestartDirectoryOnExit restart(RegistrationDirectory());
  const HSCOPEITEM item = ShowLicensedUsers();
  const std::wstring question =
      L"Cannot determine if the user or group has a Pagewell address. Are you sure you would "
      L"like to add this user or group?";
  for (const int answer : {IDNO, IDYES}) {
    ASSERT_TRUE(RegistrationDirectory().Start());
    ui_.ExpectDialog(IDD_ADDRESS_BOOK, [](DialogDriver& d) {
      EXPECT_TRUE(d.ClickRow(IDC_AB_LIST, kRowBob));
      RegistrationDirectory().Stop();
      EXPECT_TRUE(d.Click(IDOK));
    });
    ui_.ExpectMessageBox(answer, question);
    NewUser(item);
  }
  ASSERT_EQ(ui_.message_boxes().size(), 2u);
  EXPECT_EQ(ui_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONWARNING));
  EXPECT_EQ(UsersOf(L"faxusers"), Ids{kBob});
  EXPECT_TRUE(Logged("FAILED raw_GetDisplayName. Return 0x80040303."));
  // The row of an object the directory cannot answer for shows its identity.
  EXPECT_EQ(Names(), Ids{kBob});

  NewUser(item);
  EXPECT_EQ(ui_.message_boxes().size(), 2u);
  EXPECT_TRUE(Logged("IArdentAddressBook::Initialize failed. Returned 0x80040303"));
}

// Mode 1: a registered user's rows and its four read-only directory pages.
TEST_F(DirectoryRegistrationTest, ActiveDirectoryPagesAreReadOnly) {
  Start(1);
  AddToList(L"faxusers", {kAnn, kSales});
  ShowLicensedUsers();
  EXPECT_EQ(Rows(), (std::vector<std::vector<std::wstring>>{
                        {L"Ann Archer", L"EXAMPLE\\ann", L"ann@example.test"},
                        {L"Sales", L"", L"sales@example.test"}}));
  const HWND sheet = OpenSheet(0);
  OnSheet(sheet, [&](CPropertySheet& window) {
    ASSERT_EQ(window.GetPageCount(), 4);
    EXPECT_EQ(window.GetPage(3)->GetCaption(), L"Organization/E-mails");
    const std::vector<std::pair<int, std::wstring>> general = {
        {IDC_DP_FIRST_NAME, L"Ann"},
        {IDC_DP_LAST_NAME, L"Archer"},
        {IDC_DP_DISPLAY_NAME, L"Ann Archer"},
        {IDC_DP_TELEPHONE, L"+44 20 7946 0101"},
        {IDC_DP_EMAIL, L"ann@example.test"}};
    for (const auto& [id, text] : general) {
      CWnd* field = CWnd::FromHandle(PageControl(window, 0, id));
      ASSERT_NE(field, nullptr) << id;
      EXPECT_EQ(field->GetWindowText(), text) << id;
      EXPECT_NE(field->GetStyle() & ES_READONLY, 0u) << id;
    }
    EXPECT_EQ(CWnd::FromHandle(PageControl(window, 1, IDC_DP_STREET))->GetWindowText(),
              L"1 High Street");
    EXPECT_EQ(CWnd::FromHandle(PageControl(window, 1, IDC_DP_CITY))->GetWindowText(), L"London");
    EXPECT_EQ(CWnd::FromHandle(PageControl(window, 3, IDC_DP_COMPANY))->GetWindowText(),
              L"Example Ltd");
    const auto* addresses =
        dynamic_cast<CListCtrl*>(CWnd::FromHandle(PageControl(window, 3, IDC_DP_ADDRESSES)));
    ASSERT_NE(addresses, nullptr);
    ASSERT_EQ(addresses->GetItemCount(), 2);
    EXPECT_EQ(addresses->GetItemText(1, 0), L"Pagewell");
    EXPECT_EQ(addresses->GetItemText(1, 1), L"ann.fax@example.test");
    EXPECT_TRUE(pw::ui::PressSheetCancel(window.GetSafeHwnd()));
  });
}

// Mode 2: the Exchange profile is made and logged before the pick, the pick registers the
// distinguished name, and the registered user's pages are read-only.
TEST_F(DirectoryRegistrationTest, ExchangeRegistrationMakesTheProfile) {
  Start(2);
  const HSCOPEITEM item = ShowLicensedUsers();
  EXPECT_EQ(ColumnTitles(), (Ids{L"Name", L"E-mail"}));
  ExpectPick({kRowAnn});
  NewUser(item);
  EXPECT_EQ(config_.ReadFile("pagewell/profiles/Pagewell.ini"),
            "[Profile]\nServer=" + RegistrationDirectory().host() +
                "\nMailboxPrompt=Enter your Microsoft Exchange Mailbox Name\nFlags=0\n");
  const std::vector<std::string> log = installation_->LogLines();
  const auto first =
      std::find(log.begin(), log.end(), "Attempting to create Exchange 5.5 profile:");
  ASSERT_NE(first, log.end());
  ASSERT_GE(log.end() - first, 4);
  EXPECT_EQ(std::vector<std::string>(first + 1, first + 4),
            (std::vector<std::string>{"Profile name: Pagewell",
                                      "Exchange server: " + RegistrationDirectory().host(),
                                      "Result: 0"}));
  EXPECT_EQ(UsersOf(L"faxusers"), Ids{kAnnDn});
  EXPECT_EQ(Rows(), (std::vector<std::vector<std::wstring>>{{L"Ann Archer", L"ann@example.test"}}));

  ExpectPick({kRowMember01, kRowAgent});
  ui_.ExpectMessageBox(IDOK,
                       L"The following user(s) or group(s) were not added since they are not "
                       L"assigned a Pagewell address:\nMember 01");
  NewUser(item);
  EXPECT_EQ(UsersOf(L"faxusers"), (Ids{kAnnDn, L"cn=Fax Agent,ou=Staff,dc=example,dc=test"}));

  const HWND sheet = OpenSheet(0);
  OnSheet(sheet, [&](CPropertySheet& window) {
    ASSERT_EQ(window.GetPageCount(), 4);
    CWnd* first_name = CWnd::FromHandle(PageControl(window, 0, IDC_DP_FIRST_NAME));
    EXPECT_EQ(first_name->GetWindowText(), L"Ann");
    EXPECT_NE(first_name->GetStyle() & ES_READONLY, 0u);
    EXPECT_TRUE(pw::ui::PressSheetCancel(window.GetSafeHwnd()));
  });
}

// The administrators' "&New..." in mode 1 picks through the address book with the
// administrators' own texts.
TEST_F(DirectoryRegistrationTest, AdministratorsAddThroughTheAddressBook) {
  Start(1);
  const HSCOPEITEM item = ShowScopeItem({L"Advanced", L"Fax administrators"});
  ExpectPick({kRowBob, kRowSales});
  RunMenu(item, L"&New...");
  EXPECT_EQ(UsersOf(L"admins"), (Ids{kBob, kSales}));
  EXPECT_EQ(Names(), (Ids{L"Bob Baker", L"Sales"}));
  EXPECT_TRUE(UsersOf(L"faxusers").empty());

  ExpectPick({kRowSales});
  ui_.ExpectMessageBox(IDOK,
                       L"This administrative group cannot be added since it is already available.");
  RunMenu(item, L"&New...");
  EXPECT_EQ(UsersOf(L"admins"), (Ids{kBob, kSales}));
}

}  // namespace
}  // namespace pw::test
