// The "Routing" node through the console host: its rows, and its sheet of default routers and
// receive-all users, which shows every rule of a list as one and stores one rule per list.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/snapin/rule_list_fixture.h"

namespace pw::test {
namespace {

using NameList = std::vector<std::wstring>;
using RuleUsers = std::vector<std::vector<std::wstring>>;

class RoutingNodeTest : public RuleListTest {
 protected:
  // Replaces every rule of `type` with one rule per entry of `rules`.
  void SetRules(const std::wstring& type, const RuleUsers& rules) {
    WithStores([&](IArdentRULEDB& store, IArdentUserLocator&) {
      std::vector<std::wstring> ids;
      IArdentRulePtr rule;
      const IArdentRuleEnumPtr found = store.EnumRules(L"", type);
      while (found->Next(&rule) == S_OK) ids.push_back(rule->GetField(L"ObjectID").ToString());
      for (const std::wstring& id : ids) store.DeleteRule(id);
      for (const std::vector<std::wstring>& users : rules) {
        const IArdentRulePtr fresh = store.CreateRule(type);
        for (const std::wstring& user : users) fresh->AddUser(user);
        store.SaveRule(fresh.Get(), VARIANT_TRUE);
      }
    });
  }

  // The users of each rule of `type`, sorted within the rule, rules in store order.
  RuleUsers StoredRules(const std::wstring& type) {
    RuleUsers stored;
    WithStores([&](IArdentRULEDB& store, IArdentUserLocator&) {
      IArdentRulePtr rule;
      const IArdentRuleEnumPtr found = store.EnumRules(L"", type);
      while (found->Next(&rule) == S_OK) {
        std::vector<std::wstring> users;
        const IArdentTextEnumPtr texts = rule->EnumUsers();
        _bstr_t user;
        while (texts->Next(&user) == S_OK) users.push_back(user.str());
        std::sort(users.begin(), users.end());
        stored.push_back(users);
      }
    });
    return stored;
  }

  // Selects "Routing" and runs its properties verb; the sheet, or null when none opened.
  HWND OpenRoutingSheet() {
    const HSCOPEITEM routing = FindScopeItem({L"Routing"});
    EXPECT_TRUE(session().SelectScopeItem(kView, routing).ok());
    EXPECT_TRUE(session().RunVerb(kView, MMC_VERB_PROPERTIES).ok());
    return watcher_.sheets().empty() ? nullptr : watcher_.sheets().back();
  }

  // The names the users list of page `index` shows.
  static NameList PageNames(CPropertySheet& sheet, int index) {
    const HWND list = PageControl(sheet, index, IDC_USERS_LIST);
    NameList names;
    const auto rows = pw::ui::ShowListRows(list, 0, 100);
    EXPECT_TRUE(rows.has_value());
    if (!rows) return names;
    for (const pw::ui::ListRow& row : *rows) names.push_back(row.texts.at(0));
    return names;
  }

  // Selects `rows` of page `index` and presses "&Remove".
  static void RemoveRows(CPropertySheet& sheet, int index, std::vector<int> rows) {
    EXPECT_TRUE(pw::ui::SelectListRows(PageControl(sheet, index, IDC_USERS_LIST), rows));
    EXPECT_TRUE(pw::ui::ClickButton(PageControl(sheet, index, IDC_USERS_REMOVE)));
  }

  static std::vector<std::wstring> Sorted(std::vector<std::wstring> values) {
    std::sort(values.begin(), values.end());
    return values;
  }
};

// The node lists its five route lists with their descriptions under its two columns, and
// offers its sheet.
TEST_F(RoutingNodeTest, ShowsTheFiveRouteListsAsRows) {
  MakeInstallation();
  ASSERT_TRUE(AddSnapIn().ok());
  const HSCOPEITEM routing = FindScopeItem({L"Routing"});
  ASSERT_TRUE(session().SelectScopeItem(kView, routing).ok());

  const pw::mmc::ConsoleState state = State();
  const pw::mmc::ViewState& view = state.views.front();
  ASSERT_EQ(view.columns.size(), 2u);
  EXPECT_EQ(view.columns[0].title, L"Routing Type");
  EXPECT_EQ(view.columns[0].width, 200);
  EXPECT_EQ(view.columns[1].title, L"Description");
  EXPECT_EQ(view.columns[1].width, 400);
  EXPECT_EQ(Rows(),
            (RuleUsers{
                {L"CSID", L"Configures routing on incoming faxes based on their CSID."},
                {L"DTMF/DID", L"Configures routing on incoming faxes based on their DTMF/DID."},
                {L"OCR",
                 L"Configures routing on incoming faxes based on their content, analyzed through "
                 L"Optical Character Recognition (OCR)."},
                {L"Line", L"Configures routing on incoming faxes based on the incoming line."},
                {L"MSN", L"Configures routing on incoming faxes based on their MSN."},
            }));
  const auto enabled = [&](MMC_CONSOLE_VERB verb) {
    for (const pw::mmc::VerbState& shown : view.verbs) {
      if (shown.verb == verb) return (shown.state & ENABLED) != 0;
    }
    return false;
  };
  EXPECT_TRUE(enabled(MMC_VERB_PROPERTIES));
  EXPECT_TRUE(enabled(MMC_VERB_OPEN));
  EXPECT_EQ(view.default_verb, MMC_VERB_OPEN);
}

// Two "defrouters" rules appear as the union of their users; OK stores one rule with that
// union and one receive-all rule, and deletes the old rules.
TEST_F(RoutingNodeTest, SheetShowsTheUnionAndAppliesOneRulePerList) {
  MakeInstallation();
  const std::wstring anna = AddObject(L"user", L"Anna Berger", L"anna@demo", L"anna");
  const std::wstring tom = AddObject(L"user", L"Tom Fischer", L"tom@demo", L"tom");
  const std::wstring sales = AddObject(L"group", L"Sales", L"sales@demo");
  AddToList(L"faxusers", {anna, tom, sales});
  SetRules(L"defrouters", {{tom}, {anna, tom}});
  SetRules(L"cpyrouters", {{sales}, {}});
  ASSERT_TRUE(AddSnapIn().ok());

  const HWND sheet = OpenRoutingSheet();
  OnSheet(sheet, [&](CPropertySheet& window) {
    ASSERT_EQ(window.GetPageCount(), 2);
    EXPECT_EQ(CWnd::FromHandle(PageControl(window, 0, IDC_USERS_TEXT))->GetWindowText(),
              L"Route all faxes that have not been routed to these users:");
    EXPECT_EQ(PageNames(window, 0), (NameList{L"Anna Berger", L"Tom Fischer"}));
    EXPECT_EQ(CWnd::FromHandle(PageControl(window, 1, IDC_USERS_TEXT))->GetWindowText(),
              L"Route ALL INCOMING faxes to these users (regardless of whether the fax has been "
              L"routed or not):");
    EXPECT_EQ(PageNames(window, 1), (NameList{L"Sales"}));
    EXPECT_EQ(window.GetPageTitle(0), L"Default Routers");
    EXPECT_EQ(window.GetPageTitle(1), L"Receive All Faxes");
    EXPECT_TRUE(pw::ui::PressSheetOk(window.GetSafeHwnd()));
  });
  EXPECT_EQ(StoredRules(L"defrouters"), (RuleUsers{Sorted({anna, tom})}));
  EXPECT_EQ(StoredRules(L"cpyrouters"), (RuleUsers{{sales}}));
  EXPECT_TRUE(State().sheets.empty());
  EXPECT_TRUE(ui_.message_boxes().empty());
}

// Removing every receive-all user is allowed and stores one rule without users; the default
// routers keep their last user, with the one-row and the several-rows refusal, and the
// licensed users list then refuses to unregister that last default router.
TEST_F(RoutingNodeTest, ReceiveAllMayBeEmptiedButOneDefaultRouterStays) {
  MakeInstallation();
  const std::wstring anna = AddObject(L"user", L"Anna Berger", L"anna@demo", L"anna");
  const std::wstring tom = AddObject(L"user", L"Tom Fischer", L"tom@demo", L"tom");
  AddToList(L"faxusers", {anna, tom});
  SetRules(L"defrouters", {{anna, tom}});
  SetRules(L"cpyrouters", {{anna}, {tom}});
  ASSERT_TRUE(AddSnapIn().ok());

  const HWND sheet = OpenRoutingSheet();
  OnSheet(sheet, [&](CPropertySheet& window) {
    RemoveRows(window, 1, {0, 1});
    EXPECT_EQ(PageNames(window, 1), NameList{});

    ui_.ExpectMessageBox(IDOK,
                         L"Not all users were removed since there must be at least one "
                         L"user in this page.");
    RemoveRows(window, 0, {0, 1});
    EXPECT_EQ(PageNames(window, 0), NameList{L"Tom Fischer"});
    ui_.ExpectMessageBox(IDOK,
                         L"You cannot delete this user since there must be at least one "
                         L"user in this page.");
    RemoveRows(window, 0, {0});
    EXPECT_EQ(PageNames(window, 0), NameList{L"Tom Fischer"});
    EXPECT_TRUE(pw::ui::PressSheetOk(window.GetSafeHwnd()));
  });
  ASSERT_EQ(ui_.message_boxes().size(), 2u);
  EXPECT_EQ(ui_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(StoredRules(L"cpyrouters"), (RuleUsers{{}}));
  EXPECT_EQ(StoredRules(L"defrouters"), (RuleUsers{{tom}}));

  ShowLicensedUsers();
  ui_.ExpectMessageBox(
      IDOK,
      L"The user cannot be unregistered since it is the only user in the default routing "
      L"list.\n\nPlease configure another default user or group from Routing->Properties before "
      L"unregistering this user.");
  ASSERT_TRUE(session().SelectRows(kView, {RowOf(L"Tom Fischer")}).ok());
  ASSERT_TRUE(session().RunVerb(kView, MMC_VERB_DELETE).ok());
  EXPECT_EQ(ui_.message_boxes().size(), 3u);
  EXPECT_TRUE(Lists(L"faxusers", tom));
}

// Without a directory connection the sheet does not open: the mode's connection error, with
// the error icon, and the store keeps its rules.
TEST_F(RoutingNodeTest, ActiveDirectoryNotConnectedShowsTheMessageAndNoSheet) {
  MakeInstallation({.user_mode = 1});
  ASSERT_TRUE(AddSnapIn().ok());
  const RuleUsers before = StoredRules(L"defrouters");
  ui_.ExpectMessageBox(
      IDOK,
      L"An error has occurred while connecting to Active Directory. Please check your network "
      L"connection and your Active Directory server, then try to manually connect again.");
  EXPECT_EQ(OpenRoutingSheet(), nullptr);
  ASSERT_EQ(ui_.message_boxes().size(), 1u);
  EXPECT_EQ(ui_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(ui_.message_boxes()[0].caption, L"Pagewell Configuration");
  EXPECT_TRUE(State().sheets.empty());
  EXPECT_EQ(StoredRules(L"defrouters"), before);
}

// The Exchange directory has its own connection text, also when no DSA server is configured.
TEST_F(RoutingNodeTest, ExchangeNotConnectedShowsItsMessageAndNoSheet) {
  MakeInstallation({.user_mode = 2});
  ASSERT_TRUE(AddSnapIn().ok());
  ui_.ExpectMessageBox(
      IDOK,
      L"An error has occurred while connecting to Exchange 5.5 DSA. Please check your network "
      L"connection and your DSA server, then try to manually connect again.");
  EXPECT_EQ(OpenRoutingSheet(), nullptr);
  EXPECT_EQ(ui_.message_boxes().size(), 1u);
  EXPECT_TRUE(State().sheets.empty());
}

}  // namespace
}  // namespace pw::test
