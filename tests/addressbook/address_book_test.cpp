// The address book over the server's own user database: what the dialog lists, the search,
// single and multiple picks, Cancel, the German dialog, and what is refused.
#include <string>

#include "platform/win/thread_locale.h"
#include "tests/addressbook/address_book_fixture.h"

namespace pw::test {
namespace {

class OwnDatabaseAddressBookTest : public AddressBookTest {
 protected:
  void SetUp() override {
    AddressBookTest::SetUp();
    const IArdentUserLocatorPtr users = Connected();
    ASSERT_TRUE(users);
    zoe_ = Save(users, L"user", L"Zoe Adler", L"zoe@Pagewell");
    anna_ = Save(users, L"user", L"Anna Berger", L"anna@Pagewell");
    sales_ = Save(users, L"group", L"Sales", L"");
    agent_ = Save(users, L"mailboxagent", L"Fax Agent", L"faxagent@Pagewell");
  }

  std::wstring Save(const IArdentUserLocatorPtr& users, const std::wstring& type,
                    const std::wstring& name, const std::wstring& mail) {
    IArdentUserPtr user = users->CreateUser(type);
    user->SetAttribute(L"cn", VARIANT::FromBstr(name));
    if (!mail.empty()) user->SetAttribute(L"mail", VARIANT::FromBstr(mail));
    EXPECT_EQ(user->raw_Save(), S_OK);
    return user->GetIdentity();
  }

  std::wstring zoe_, anna_, sales_, agent_;
};

// Every kind sorted by name; the search narrows by name or address ignoring case and keeps
// what was picked, also while hidden; OK hands back the picks in list order.
TEST_F(OwnDatabaseAddressBookTest, ListsSearchesAndPicksSeveral) {
  ASSERT_EQ(book_->raw_Initialize(3, DbArgument().c_str(), 0x3B), S_OK);
  ui_.ExpectDialog(IDD_ADDRESS_BOOK, [&](DialogDriver& d) {
    EXPECT_EQ(d.Caption(), L"Address Book");
    EXPECT_EQ(d.Text(IDC_AB_PROMPT),
              L"Select one or more entries of the directory, then click OK.");
    EXPECT_TRUE(d.IsVisible(IDC_AB_SEARCH));
    EXPECT_FALSE(d.Control<CListCtrl>(IDC_AB_LIST).IsSingleSelection());
    EXPECT_EQ(d.Control<CListCtrl>(IDC_AB_LIST).GetColumnText(1), L"E-mail address");
    EXPECT_EQ(AllRows(d), (Rows{{L"Anna Berger", L"anna@Pagewell", L"User"},
                                {L"Fax Agent", L"faxagent@Pagewell", L"Mailbox agent"},
                                {L"Sales", L"", L"Group"},
                                {L"Zoe Adler", L"zoe@Pagewell", L"User"}}));
    EXPECT_FALSE(d.IsEnabled(IDOK));
    EXPECT_TRUE(d.Type(IDC_AB_SEARCH, L"  PAGEWELL "));
    ASSERT_EQ(AllRows(d).size(), 3u);
    EXPECT_TRUE(d.SelectRows(IDC_AB_LIST, {0, 2}));
    EXPECT_TRUE(d.IsEnabled(IDOK));
    EXPECT_TRUE(d.Type(IDC_AB_SEARCH, L"zoe"));
    EXPECT_EQ(AllRows(d), (Rows{{L"Zoe Adler", L"zoe@Pagewell", L"User"}}));
    EXPECT_TRUE(d.Type(IDC_AB_SEARCH, L"nobody"));
    EXPECT_TRUE(AllRows(d).empty());
    // The hidden picks still count.
    EXPECT_TRUE(d.IsEnabled(IDOK));
    EXPECT_TRUE(d.Type(IDC_AB_SEARCH, L""));
    EXPECT_EQ(d.Control<CListCtrl>(IDC_AB_LIST).GetSelectedCount(), 2u);
    EXPECT_TRUE(d.Click(IDOK));
  });
  EXPECT_EQ(book_->raw_InvokeDialog(nullptr), S_OK);
  EXPECT_EQ(Picked(), (std::vector<std::wstring>{anna_ + L"|user", zoe_ + L"|user"}));
  EXPECT_EQ(book_->GetID(1), zoe_);
  BSTR identity = nullptr;
  BSTR type = nullptr;
  EXPECT_EQ(book_->raw_ResolveID(2, &identity, &type), E_INVALIDARG);
  EXPECT_EQ(book_->raw_ResolveID(-1, &identity, &type), E_INVALIDARG);
  EXPECT_EQ(book_->raw_GetID(2, &identity), E_INVALIDARG);
  EXPECT_EQ(identity, nullptr);
}

// Users only without the multiple-selection and search flags: one row at a time, no search
// field; Cancel answers S_FALSE and forgets the last pick; a double click picks its row.
TEST_F(OwnDatabaseAddressBookTest, SingleSelectionCancelAndDoubleClick) {
  // The path alone serves as well as the "dbpath=" string.
  ASSERT_EQ(book_->raw_Initialize(3, DbArgument().substr(7).c_str(), ABF_USERS), S_OK);
  ui_.ExpectDialog(IDD_ADDRESS_BOOK,
                   [&](DialogDriver& d) { EXPECT_TRUE(d.DoubleClickRow(IDC_AB_LIST, 0)); });
  EXPECT_EQ(book_->raw_InvokeDialog(nullptr), S_OK);
  EXPECT_EQ(Picked(), (std::vector<std::wstring>{anna_ + L"|user"}));

  ui_.ExpectDialog(IDD_ADDRESS_BOOK, [&](DialogDriver& d) {
    EXPECT_EQ(d.Text(IDC_AB_PROMPT), L"Select one entry of the directory, then click OK.");
    EXPECT_FALSE(d.IsVisible(IDC_AB_SEARCH));
    EXPECT_FALSE(d.IsVisible(IDC_AB_SEARCH_LABEL));
    EXPECT_TRUE(d.Control<CListCtrl>(IDC_AB_LIST).IsSingleSelection());
    EXPECT_EQ(AllRows(d), (Rows{{L"Anna Berger", L"anna@Pagewell", L"User"},
                                {L"Zoe Adler", L"zoe@Pagewell", L"User"}}));
    EXPECT_TRUE(d.ClickRow(IDC_AB_LIST, 1));
    EXPECT_TRUE(d.Click(IDCANCEL));
  });
  EXPECT_EQ(book_->raw_InvokeDialog(nullptr), S_FALSE);
  EXPECT_TRUE(Picked().empty());
}

// A German administrator sees the dialog in German.
TEST_F(OwnDatabaseAddressBookTest, GermanDialog) {
  ASSERT_EQ(book_->raw_Initialize(3, DbArgument().c_str(), ABF_GROUPS | ABF_MAILBOXAGENTS), S_OK);
  SetThreadLocale(LOCALE_GERMAN);
  ui_.ExpectDialog(IDD_ADDRESS_BOOK, [&](DialogDriver& d) {
    EXPECT_EQ(d.Caption(), L"Adressbuch");
    EXPECT_EQ(d.Text(IDCANCEL), L"Abbrechen");
    EXPECT_EQ(d.Control<CListCtrl>(IDC_AB_LIST).GetColumnText(2), L"Typ");
    EXPECT_EQ(AllRows(d), (Rows{{L"Fax Agent", L"faxagent@Pagewell", L"Postfach-Agent"},
                                {L"Sales", L"", L"Gruppe"}}));
    EXPECT_TRUE(d.Click(IDCANCEL));
  });
  EXPECT_EQ(book_->raw_InvokeDialog(nullptr), S_FALSE);
  SetThreadLocale(LOCALE_ENGLISH_US);
}

// Calls out of order and bad arguments are refused without a dialog; a failed Initialize
// leaves the object uninitialised even after a good one.
TEST_F(OwnDatabaseAddressBookTest, RefusesWhatItCannotServe) {
  LONG count = -1;
  EXPECT_EQ(book_->raw_InvokeDialog(nullptr), AB_E_NOTINITIALIZED);
  EXPECT_EQ(book_->raw_GetNumEntries(&count), AB_E_NOTINITIALIZED);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(book_->raw_Initialize(3, DbArgument().c_str(), ABF_MULTISELECT | ABF_SEARCH),
            E_INVALIDARG);
  EXPECT_EQ(book_->raw_Initialize(3, DbArgument().c_str(), ABF_USERS | 0x04), E_INVALIDARG);
  EXPECT_EQ(book_->raw_Initialize(3, DbArgument().c_str(), ABF_USERS | 0x40), E_INVALIDARG);
  EXPECT_EQ(book_->raw_Initialize(0, L"", 0x3B), AB_E_BADMODE);
  EXPECT_EQ(book_->raw_Initialize(4, L"", 0x3B), AB_E_BADMODE);
  ASSERT_EQ(book_->raw_Initialize(3, DbArgument().c_str(), 0x3B), S_OK);
  EXPECT_EQ(book_->raw_Initialize(3, (DbArgument() + L".missing").c_str(), 0x3B), UDB_E_NODATABASE);
  EXPECT_EQ(book_->raw_InvokeDialog(nullptr), AB_E_NOTINITIALIZED);
  EXPECT_TRUE(FAILED(book_->raw_Initialize(3, nullptr, 0x3B)));
  EXPECT_EQ(book_->raw_GetNumEntries(nullptr), E_POINTER);
  EXPECT_EQ(ui_.modal_windows().size(), 0u);
}

}  // namespace
}  // namespace pw::test
