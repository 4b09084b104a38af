// Tests of the scripted host itself: a window nobody expected, a handler that never closes
// its dialog, a missing or mismatched window all fail the test — and none of them hangs.
#include "tests/support/scripted_ui_host.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "platform/ui/menu.h"
#include "platform/ui/message_box.h"
#include "platform/ui/ui_input.h"
#include "platform/win/message_queue.h"
#include "tests/ui/ui_test_fixture.h"

namespace pw::test {
namespace {

using ScriptedUiHostTest = UiTest;

// An unexpected dialog fails the test with its caption and texts and is cancelled.
TEST_F(ScriptedUiHostTest, UnexpectedDialogFailsAndIsCancelled) {
  INT_PTR result = 0;
  EXPECT_NONFATAL_FAILURE(result = RecordingDialog(IDD_SMALL).DoModal(),
                          "unexpected window: \"Small\" (template 101) | Enter a \"name\": | OK "
                          "| Cancel");
  EXPECT_EQ(result, IDCANCEL);

  // A message box nobody expected gets its declining answer and is recorded all the same.
  int answer = 0;
  EXPECT_NONFATAL_FAILURE(answer = MessageBox(nullptr, L"Delete?", L"Pagewell", MB_YESNO),
                          "unexpected message box: \"Pagewell\" | Delete? | &Yes | &No");
  EXPECT_EQ(answer, IDNO);
  ASSERT_EQ(host_.message_boxes().size(), 1u);
  EXPECT_EQ(host_.message_boxes()[0].answer, IDNO);
}

// A handler that leaves its dialog open fails the test once the watchdog's time is over,
// and the dialog ends with Cancel; the same for a dialog expected to end by itself.
TEST_F(ScriptedUiHostTest, DialogLeftOpenFailsAfterTheWatchdog) {
  host_.set_watchdog(std::chrono::milliseconds(100));
  host_.ExpectDialog(IDD_SMALL, [](DialogDriver& d) { d.Type(IDC_NAME, L"left open"); });
  INT_PTR result = 0;
  EXPECT_NONFATAL_FAILURE(result = RecordingDialog(IDD_SMALL).DoModal(),
                          "the dialog did not end within the watchdog's time: \"Small\"");
  EXPECT_EQ(result, IDCANCEL);

  host_.ExpectDialog(IDD_WAIT);
  EXPECT_NONFATAL_FAILURE(result = RecordingDialog(IDD_WAIT).DoModal(),
                          "the dialog did not end within the watchdog's time: \"Please Wait\"");
  EXPECT_EQ(result, IDCANCEL);
}

// A window that does not match the next expectation fails; the expectation stays for the
// window that does match.
TEST_F(ScriptedUiHostTest, MismatchedWindowFails) {
  host_.ExpectDialog(IDD_SMALL, [](DialogDriver& d) { d.Click(IDOK); });
  int answer = 0;
  EXPECT_NONFATAL_FAILURE(answer = MessageBox(nullptr, L"Surprise", L"Pagewell", MB_OKCANCEL),
                          "a message box came instead of the expected window");
  EXPECT_EQ(answer, IDCANCEL);
  INT_PTR result = 0;
  EXPECT_NONFATAL_FAILURE(result = RecordingDialog(IDD_WAIT).DoModal(),
                          "a window came that does not match the expected one: \"Please Wait\"");
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(RecordingDialog(IDD_SMALL).DoModal(), IDOK);
  EXPECT_EQ(host_.pending_expectations(), 0u);
}

// Expectations never met, a wrong text and an answer the box does not offer fail the test.
TEST_F(ScriptedUiHostTest, UnmetAndWrongExpectationsFail) {
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedUiHost local;
        local.ExpectDialog(IDD_SMALL);
      },
      "expected dialog 101 never appeared");
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedUiHost local;
        local.ExpectMessageBox(IDOK, std::wstring(L"Saved."));
        MessageBox(nullptr, L"Not saved.", L"Pagewell", MB_OK);
      },
      "message box text \"Not saved.\", expected \"Saved.\"");
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedUiHost local;
        local.ExpectMessageBox(IDYES);
        EXPECT_EQ(MessageBox(nullptr, L"Continue?", L"Pagewell", MB_OKCANCEL), IDCANCEL);
      },
      "answer 6 is not a button of");
  // A refused operation in a handler names the control and why.
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedUiHost local;
        local.ExpectDialog(IDD_SMALL, [](DialogDriver& d) {
          d.wnd().GetDlgItem(IDC_NAME)->EnableWindow(FALSE);
          d.Type(IDC_NAME, L"x");
          d.Click(IDCANCEL);
        });
        RecordingDialog(IDD_SMALL).DoModal();
      },
      "Type on control 1001 was refused: control 1001 is disabled");
}

// Popup menus: an expected menu answers its command; the texts are recorded; an unexpected
// menu fails and is dismissed.
TEST_F(ScriptedUiHostTest, PopupMenus) {
  std::unique_ptr<RecordingDialog> dialog = ShowModeless(IDD_SMALL);
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, 32001, L"Select &All");
  menu.AppendMenu(MF_SEPARATOR);
  menu.AppendMenu(MF_STRING | MF_GRAYED, 32002, L"&Remove");
  host_.ExpectPopupMenu(32001);
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, dialog.get()), 32001);
  host_.ExpectPopupMenu(32002);  // disabled: counts as dismissed
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, dialog.get()), 0);
  // Without TPM_RETURNCMD the command arrives later as WM_COMMAND.
  host_.ExpectPopupMenu(32001);
  EXPECT_TRUE(menu.TrackPopupMenu(0, 0, 0, dialog.get()));
  EXPECT_TRUE(dialog->Take().empty());
  pw::MessageQueue::Current().DispatchPending();
  EXPECT_EQ(dialog->Take(), (std::vector<std::string>{"WM_COMMAND/0 32001"}));
  EXPECT_EQ(host_.popup_menus().size(), 3u);
  EXPECT_EQ(host_.popup_menus()[0], (std::vector<std::wstring>{L"Select &All", L"", L"&Remove"}));
  EXPECT_NONFATAL_FAILURE(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, dialog.get()),
                          "unexpected popup menu: Select &All |  | &Remove");
  dialog->DestroyWindow();
}

}  // namespace
}  // namespace pw::test
