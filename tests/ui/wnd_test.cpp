// Tests of CWnd: handles from the table, typed control lookup that fails loudly, the order
// of destruction, and the dialog helpers every window offers.
#include "platform/ui/wnd.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/static_ctrl.h"
#include "platform/win/last_error.h"
#include "platform/win/message_queue.h"
#include "tests/ui/ui_test_fixture.h"

namespace pw::test {
namespace {

using WndTest = UiTest;

// Handles come from a table: every window its own, never reused, and a stale or made-up
// handle finds nothing (posting to it fails with ERROR_INVALID_WINDOW_HANDLE). Another thread
// sees that the window exists but cannot reach its object.
TEST_F(WndTest, HandlesFailCleanlyWhenStale) {
  std::unique_ptr<RecordingDialog> dialog = ShowModeless(IDD_SMALL);
  const HWND window = dialog->GetSafeHwnd();
  const HWND edit = dialog->GetDlgItem(IDC_NAME)->GetSafeHwnd();
  EXPECT_NE(window, edit);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(CWnd::FromHandle(edit), dialog->GetDlgItem(IDC_NAME));
  EXPECT_EQ(GetParent(edit), window);
  EXPECT_EQ(GetDlgItem(window, IDC_NAME), edit);
  EXPECT_EQ(GetDlgCtrlID(edit), static_cast<int>(IDC_NAME));

  bool exists_elsewhere = false;
  CWnd* object_elsewhere = dialog.get();
  std::thread other([&] {
    exists_elsewhere = IsWindow(window) != FALSE;
    object_elsewhere = CWnd::FromHandle(window);
  });
  other.join();
  EXPECT_TRUE(exists_elsewhere);
  EXPECT_EQ(object_elsewhere, nullptr);

  dialog->DestroyWindow();
  std::unique_ptr<RecordingDialog> again = ShowModeless(IDD_SMALL);
  EXPECT_NE(again->GetSafeHwnd(), window);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(CWnd::FromHandle(window), nullptr);
  EXPECT_EQ(SendMessage(window, WM_COMMAND, IDOK, 0), 0);
  EXPECT_FALSE(::PostMessage(edit, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(0x1234)));
  EXPECT_FALSE(DestroyWindow(window));
  again->DestroyWindow();
}

// GetDlgItem<T> with an id that does not exist, or of another kind, stops the program with a
// message naming the window, the id and both kinds.
TEST_F(WndTest, TypedLookupFailsLoudly) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  std::unique_ptr<RecordingDialog> dialog = ShowModeless(IDD_SMALL);
  EXPECT_NE(dialog->GetDlgItem<CEdit>(IDC_NAME), nullptr);
  EXPECT_EQ(dialog->GetDlgItem(IDC_USERS), nullptr);
  EXPECT_DEATH(dialog->GetDlgItem<CEdit>(IDC_USERS),
               "GetDlgItem: window \"Small\" has no control with id 1015");
  EXPECT_DEATH(dialog->GetDlgItem<CListCtrl>(IDC_NAME),
               "GetDlgItem: control 1001 is a \"EDIT\", not a \"SysListView32\"");
  dialog->DestroyWindow();
}

// Destroying a window sends WM_DESTROY to it before its children, destroys the windows it
// owns first, and tells the host; the objects of its template controls go with it.
TEST_F(WndTest, DestructionOrder) {
  std::unique_ptr<RecordingDialog> owner = ShowModeless(IDD_EVERYTHING);
  RecordingDialog owned(IDD_SMALL, owner.get());
  ASSERT_TRUE(owned.Create());
  RecordingDialog page(IDD_PAGE);
  ASSERT_TRUE(page.Create(IDD_PAGE, owner.get()));
  EXPECT_EQ(owned.GetOwner(), owner.get());

  owned.events.clear();
  page.events.clear();
  owner->events.clear();
  owner->DestroyWindow();
  EXPECT_EQ(owned.events, (std::vector<std::string>{"WM_DESTROY"}));
  // The page took the focus when it was made (no DS_CONTROL): its edit loses it first.
  EXPECT_EQ(page.events, (std::vector<std::string>{"EN_KILLFOCUS 1001", "WM_DESTROY"}));
  EXPECT_EQ(owner->events.back(), "WM_DESTROY");
  EXPECT_EQ(owned.GetSafeHwnd(), nullptr);
  EXPECT_EQ(page.GetSafeHwnd(), nullptr);
  const std::vector<std::wstring>& log = host_.window_log();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], L"destroyed Small");
  EXPECT_EQ(log.back(), L"destroyed Every Control");

  // A child needs a parent with a window.
  CStatic orphan;
  EXPECT_FALSE(orphan.Create(L"x", SS_LEFT, RECT{0, 0, 10, 10}, owner.get()));
  EXPECT_EQ(orphan.GetSafeHwnd(), nullptr);
}

// GetDlgItemInt reads a number with blanks around it and a sign where allowed; anything
// else is untranslated. SetDlgItemInt writes signed or unsigned.
TEST_F(WndTest, DialogItemNumbers) {
  std::unique_ptr<RecordingDialog> dialog = ShowModeless(IDD_SMALL);
  const struct {
    const wchar_t* text;
    BOOL is_signed;
    UINT value;
    BOOL translated;
  } cases[] = {
      {L"42", TRUE, 42, TRUE},         {L"  -17 ", TRUE, static_cast<UINT>(-17), TRUE},
      {L"-17", FALSE, 0, FALSE},       {L"4294967295", FALSE, 4294967295u, TRUE},
      {L"4294967295", TRUE, 0, FALSE}, {L"12abc", TRUE, 0, FALSE},
      {L"", TRUE, 0, FALSE},           {L"+", TRUE, 0, FALSE},
  };
  for (const auto& c : cases) {
    dialog->SetDlgItemText(IDC_NAME, c.text);
    BOOL translated = -1;
    EXPECT_EQ(dialog->GetDlgItemInt(IDC_NAME, &translated, c.is_signed), c.value) << c.text;
    EXPECT_EQ(translated, c.translated) << c.text;
  }
  dialog->SetDlgItemInt(IDC_NAME, static_cast<UINT>(-5), TRUE);
  EXPECT_EQ(dialog->GetDlgItemText(IDC_NAME), L"-5");
  dialog->SetDlgItemInt(IDC_NAME, static_cast<UINT>(-5), FALSE);
  EXPECT_EQ(dialog->GetDlgItemText(IDC_NAME), L"4294967291");
  dialog->DestroyWindow();
}

// Window state: enable and show answer the previous state; IsWindowVisible needs the parents
// visible too; MoveWindow resizes in dialog units and sends WM_SIZE.
TEST_F(WndTest, StateAndGeometry) {
  std::unique_ptr<RecordingDialog> dialog = ShowModeless(IDD_SMALL);
  CWnd* edit = dialog->GetDlgItem(IDC_NAME);
  EXPECT_FALSE(edit->EnableWindow(FALSE));
  EXPECT_TRUE(edit->EnableWindow(TRUE));
  EXPECT_TRUE(edit->IsWindowEnabled());
  EXPECT_TRUE(edit->ShowWindow(SW_HIDE));
  EXPECT_FALSE(edit->IsWindowVisible());
  edit->ShowWindow(SW_SHOW);
  dialog->ShowWindow(SW_HIDE);
  EXPECT_FALSE(edit->IsWindowVisible());
  EXPECT_TRUE((edit->GetStyle() & WS_VISIBLE) != 0);
  dialog->ShowWindow(SW_SHOW);

  edit->MoveWindow(1, 2, 30, 40);
  RECT rect;
  edit->GetWindowRect(&rect);
  EXPECT_EQ(rect.left, 1);
  EXPECT_EQ(rect.bottom, 42);
  edit->GetClientRect(&rect);
  EXPECT_EQ(rect.right, 30);
  EXPECT_EQ(rect.bottom, 40);
  EXPECT_TRUE(edit->ModifyStyle(0, ES_READONLY));
  EXPECT_FALSE(edit->ModifyStyle(0, ES_READONLY));
  EXPECT_TRUE(dialog->GetDlgItem<CEdit>(IDC_NAME)->IsReadOnly());
  dialog->DestroyWindow();
}

}  // namespace
}  // namespace pw::test
