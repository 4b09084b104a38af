// The own-database page of a licensed user through the console host: what it shows, automatic
// filling, the checks when leaving it, the uniqueness checks at apply and the write-back.
#include <gtest/gtest.h>

#include <string>

#include "module/resources/user_dialogs.h"
#include "platform/ui/property_sheet.h"
#include "platform/ui/sheet_input.h"
#include "tests/snapin/rule_list_fixture.h"

namespace pw::test {
namespace {

class UserPagesTest : public RuleListTest {
 protected:
  // Attribute `name` of the object `identity`, as text.
  std::wstring AttributeOf(const std::wstring& identity, const std::wstring& name) {
    std::wstring text;
    WithStores([&](IArdentRULEDB&, IArdentUserLocator& users) {
      IArdentUserPtr user;
      if (users.FindUser(udbSearchDefault, identity, &user) == S_OK && user) {
        text = user->GetAttribute(name).ToString();
      }
    });
    return text;
  }

  static std::wstring Text(HWND control) { return CWnd::FromHandle(control)->GetWindowText(); }
};

// The page shows the user, refuses a bad login and a login another registered user has, and
// applying writes the changed values back to the user database and the row.
TEST_F(UserPagesTest, OwnDatabasePageValidatesAndWritesBack) {
  MakeInstallation();
  const std::wstring anna = AddObject(L"user", L"Anna Berger", L"anna@Pagewell", L"aberger");
  const std::wstring tom = AddObject(L"user", L"Tom Fischer", L"tom@Pagewell", L"tfischer");
  AddToList(L"faxusers", {anna, tom});
  ASSERT_TRUE(AddSnapIn().ok());
  ShowLicensedUsers();
  const int row = RowOf(L"Anna Berger");
  ASSERT_NE(row, -1);
  const HWND sheet = OpenSheet(row);
  ASSERT_NE(sheet, nullptr);

  ui_.ExpectMessageBox(IDOK, L"Please type in a valid user login name.");
  ui_.ExpectMessageBox(IDOK,
                       L"Please specify another login name for this user, since the login name "
                       L"you specified already exists.");
  OnSheet(sheet, [&](CPropertySheet& window) {
    ASSERT_EQ(window.GetPageCount(), 1);
    EXPECT_EQ(window.GetPage(0)->GetCaption(), L"General");
    const HWND login = PageControl(window, 0, IDC_UP_LOGIN);
    EXPECT_EQ(Text(login), L"aberger");
    EXPECT_EQ(Text(PageControl(window, 0, IDC_UP_FULL_NAME)), L"Anna Berger");
    EXPECT_EQ(Text(PageControl(window, 0, IDC_UP_EMAIL)), L"anna@Pagewell");
    EXPECT_EQ(Text(PageControl(window, 0, IDC_UP_HEADER)), L"Anna Berger (anna@Pagewell)");
    EXPECT_EQ(CWnd::FromHandle(PageControl(window, 0, IDC_UP_NETWORKS))->SendMessage(BM_GETCHECK),
              BST_CHECKED);
    // Fields that held values count as typed: a new login changes nothing else.
    EXPECT_TRUE(pw::ui::TypeText(login, L"ab*c"));
    EXPECT_EQ(Text(PageControl(window, 0, IDC_UP_FULL_NAME)), L"Anna Berger");
    pw::ui::PressSheetOk(sheet);
    EXPECT_TRUE(IsWindow(sheet));
    EXPECT_TRUE(pw::ui::TypeText(login, L"tfischer"));
    pw::ui::PressSheetApply(sheet);
    EXPECT_TRUE(pw::ui::TypeText(login, L"  anna.b  "));
    EXPECT_TRUE(pw::ui::TypeText(PageControl(window, 0, IDC_UP_DEPARTMENT), L"Sales"));
    // Emptying the full name makes it untyped: it is split again from what is typed next.
    EXPECT_TRUE(pw::ui::TypeText(PageControl(window, 0, IDC_UP_FULL_NAME), L"Berger, Anna"));
    EXPECT_EQ(Text(PageControl(window, 0, IDC_UP_LAST_NAME)), L"Berger");
    EXPECT_TRUE(pw::ui::PressSheetOk(sheet));
  });
  ASSERT_EQ(ui_.message_boxes().size(), 2u);
  EXPECT_EQ(ui_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONWARNING));
  EXPECT_EQ(AttributeOf(anna, L"ardentWindowsAccount"), L"anna.b");
  EXPECT_EQ(AttributeOf(anna, L"mail"), L"anna.b@Pagewell");
  EXPECT_EQ(AttributeOf(anna, L"cn"), L"Berger, Anna");
  EXPECT_EQ(AttributeOf(anna, L"department"), L"Sales");
  EXPECT_EQ(AttributeOf(anna, L"ardentCustomFlags"), L"0");
  EXPECT_NE(RowOf(L"Berger, Anna"), -1);
}

}  // namespace
}  // namespace pw::test
