// Tests of what the host hears: windows created, changed (once per turn of the loop) and
// destroyed; the busy cursor; shell execute; and the host's own modal loop.
#include "platform/ui/ui_host.h"

#include <gtest/gtest.h>

#include "platform/ui/animate_ctrl.h"
#include "platform/ui/edit.h"
#include "platform/ui/ui_input.h"
#include "platform/ui/wait_box.h"
#include "platform/ui/wait_cursor.h"
#include "platform/win/message_queue.h"
#include "tests/ui/ui_test_fixture.h"

namespace pw::test {
namespace {

using UiHostTest = UiTest;
using Log = std::vector<std::wstring>;

// Changes of any control of a window reach the host as one report per window and turn of
// the message loop; changes made while the window is being built are not reported; a
// window destroyed with changes pending reports only its end.
TEST_F(UiHostTest, ReportsCreatedChangedDestroyedOncePerTurn) {
  auto dialog = std::make_unique<RecordingDialog>(IDD_EVERYTHING);
  dialog->on_init = [](RecordingDialog& self) {
    self.SetDlgItemText(IDC_NAME, L"during init");
    return TRUE;
  };
  ASSERT_TRUE(dialog->Create());
  pw::MessageQueue::Current().DispatchPending();
  EXPECT_EQ(host_.window_log(), (Log{L"created Every Control"}));

  dialog->SetDlgItemText(IDC_NAME, L"a");
  dialog->CheckDlgButton(IDC_FORCE, BST_CHECKED);
  dialog->GetDlgItem(IDC_NUMBER)->EnableWindow(FALSE);
  dialog->GetDlgItem<CListCtrl>(IDC_USERS)->SetItemCount(5);
  pw::MessageQueue::Current().DispatchPending();
  EXPECT_EQ(host_.window_log(), (Log{L"created Every Control", L"changed Every Control"}));
  host_.clear_window_log();

  // Nothing changed, nothing reported; a change flushed at once is reported at once.
  pw::MessageQueue::Current().DispatchPending();
  EXPECT_TRUE(host_.window_log().empty());
  dialog->SetWindowText(L"Renamed");
  pw::ui::FlushWindowChanges();
  EXPECT_EQ(host_.window_log(), (Log{L"changed Renamed"}));
  host_.clear_window_log();

  dialog->SetDlgItemText(IDC_NAME, L"b");
  dialog->DestroyWindow();
  pw::MessageQueue::Current().DispatchPending();
  EXPECT_EQ(host_.window_log(), (Log{L"destroyed Renamed"}));
}

// The busy cursor nests; the host hears only its first start and its last end.
TEST_F(UiHostTest, BusyCursorNests) {
  {
    CWaitCursor outer;
    EXPECT_EQ(WaitCursorDepth(), 1);
    {
      CWaitCursor inner;
      BeginWaitCursor();
      EXPECT_EQ(WaitCursorDepth(), 3);
      EndWaitCursor();
    }
    EXPECT_EQ(host_.busy_changes(), (std::vector<bool>{true}));
  }
  EndWaitCursor();  // one too many changes nothing
  EXPECT_EQ(WaitCursorDepth(), 0);
  EXPECT_EQ(host_.busy_changes(), (std::vector<bool>{true, false}));
}

// ShellExecute goes through the host, which answers as Windows does.
TEST_F(UiHostTest, ShellExecuteGoesThroughTheHost) {
  EXPECT_EQ(ShellExecute(nullptr, L"open", L"http://www.example.com/support"), 42);
  host_.set_shell_execute_result(SE_ERR_FNF);
  EXPECT_EQ(ShellExecute(nullptr, L"edit", L"C:\\coverpge\\fax.cov", L"/p"), SE_ERR_FNF);
  ASSERT_EQ(host_.shell_executes().size(), 2u);
  EXPECT_EQ(host_.shell_executes()[0].file, L"http://www.example.com/support");
  EXPECT_EQ(host_.shell_executes()[1].verb, L"edit");
  EXPECT_EQ(host_.shell_executes()[1].parameters, L"/p");
}

// The base host's modal loop pumps the thread's queue until the window ends: a command the
// dialog posted to itself ends it.
TEST_F(UiHostTest, BaseHostPumpsUntilTheWindowEnds) {
  pw::ui::UiHost plain;
  pw::ui::UiHost* scripted = pw::ui::SetUiHost(&plain);
  RecordingDialog dialog(IDD_SMALL);
  dialog.on_init = [](RecordingDialog& self) {
    self.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return TRUE;
  };
  const INT_PTR result = dialog.DoModal();
  pw::ui::SetUiHost(scripted);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dialog.events.back(), "WM_DESTROY");
}

// The wait box is a modeless window with its text and a playing animation; it goes with
// its object.
TEST_F(UiHostTest, WaitBoxShowsTextAndAnimation) {
  std::unique_ptr<RecordingDialog> owner = ShowModeless(IDD_SMALL);
  host_.clear_window_log();
  {
    CWaitBox box(owner.get(), L"Please wait while checking for updates...", IDB_FRAMES,
                 L"Pagewell Configuration");
    EXPECT_TRUE(box.IsWindowVisible());
    EXPECT_EQ(box.GetOwner(), owner.get());
    EXPECT_EQ(box.GetText(), L"Please wait while checking for updates...");
    auto* animation = box.GetDlgItem<CAnimateCtrl>(CWaitBox::kAnimationId);
    EXPECT_TRUE(animation->IsPlaying());
    EXPECT_EQ(animation->GetFrameCount(), 3);
    // The person can still work in the owner.
    EXPECT_TRUE(owner->IsWindowEnabled());
    box.SetText(L"Still waiting");
    EXPECT_EQ(box.GetDlgItemText(CWaitBox::kTextId), L"Still waiting");
  }
  EXPECT_EQ(host_.window_log(),
            (Log{L"created Pagewell Configuration", L"destroyed Pagewell Configuration"}));
  owner->DestroyWindow();
}

}  // namespace
}  // namespace pw::test
