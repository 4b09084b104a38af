// Unit tests of the snap-in's page base and wait dialog: one property change per apply on a
// sheet of linked pages, the node's notify handle freed on OK and on Cancel, pages without a
// node, and the computer lookup behind "Please wait".
#include "module/snapin/mmc_property_page.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>
#include <vector>

#include "mmc/host/notify_handles.h"
#include "module/resources/resource.h"
#include "module/snapin/please_wait.h"
#include "platform/ui/animate_ctrl.h"
#include "platform/ui/property_sheet.h"
#include "platform/ui/sheet_input.h"
#include "platform/win/message_queue.h"
#include "platform/win/thread_locale.h"
#include "tests/support/scripted_ui_host.h"

namespace pw::test {
namespace {

// A node as a page sees it: a notify handle made by the console side of the test.
class FakeNode : public IMMCPropertyObject {
 public:
  explicit FakeNode(std::vector<LPARAM>* notifications) {
    handle_ = pw::mmc::CreateNotifyHandle(
        {this, [notifications](LPARAM param) { notifications->push_back(param); }});
    created_handle_ = handle_;
  }
  ~FakeNode() {
    if (handle_ != 0) MMCFreeNotifyHandle(handle_);
  }
  LONG_PTR GetNotifyHandle() override { return handle_; }
  void ClearNotifyHandle() override { handle_ = 0; }
  LPARAM GetNotifyParam() override { return reinterpret_cast<LPARAM>(this); }
  LONG_PTR created_handle() const { return created_handle_; }

 private:
  LONG_PTR handle_ = 0;
  LONG_PTR created_handle_ = 0;
};

// Any template of the module serves as a page: the sheet makes every template a child.
class TestPage : public CMMCPropertyPage {
 public:
  TestPage() : CMMCPropertyPage(IDD_PLEASE_WAIT) {}
  void Change() {
    modified_ = TRUE;
    SetModified(TRUE);
  }
};

class MmcPropertyPageTest : public ::testing::Test {
 protected:
  MmcPropertyPageTest() { SetThreadLocale(LOCALE_ENGLISH_US); }
  ~MmcPropertyPageTest() override { SetThreadLocale(LOCALE_ENGLISH_US); }

  // Three pages of one node, each told the sheet's pages in order.
  void LinkPages(IMMCPropertyObject* node) {
    for (TestPage* page : {&first_, &second_, &third_}) {
      page->SetPropertyObject(node);
      page->SetSiblings({&first_, &second_, &third_});
      sheet_.AddPage(page);
    }
  }

  ScriptedUiHost host_;
  std::vector<LPARAM> notifications_;
  TestPage first_;
  TestPage second_;
  TestPage third_;
  CPropertySheet sheet_{std::wstring_view(L"Node")};
};

// All three pages visited: Apply tells the node once, OK once more; the handle is freed and
// cleared when the sheet closes.
TEST_F(MmcPropertyPageTest, LinkedPagesNotifyOncePerApply) {
  FakeNode node(&notifications_);
  LinkPages(&node);
  host_.ExpectDialog(L"Node", [&](DialogDriver& driver) {
    EXPECT_TRUE(pw::ui::SelectSheetTab(driver.window(), 1));
    EXPECT_TRUE(pw::ui::SelectSheetTab(driver.window(), 2));
    second_.Change();
    EXPECT_TRUE(second_.is_modified());
    EXPECT_TRUE(pw::ui::PressSheetApply(driver.window()));
    driver.Pump();
    EXPECT_EQ(notifications_, std::vector<LPARAM>{node.GetNotifyParam()});
    EXPECT_FALSE(second_.is_modified());
    EXPECT_TRUE(pw::ui::PressSheetOk(driver.window()));
  });
  EXPECT_EQ(sheet_.DoModal(), IDOK);
  pw::MessageQueue::Current().DispatchPending();
  EXPECT_EQ(notifications_, (std::vector<LPARAM>{node.GetNotifyParam(), node.GetNotifyParam()}));
  EXPECT_EQ(node.GetNotifyHandle(), 0);
  EXPECT_FALSE(pw::mmc::IsNotifyHandleAlive(node.created_handle()));
}

// A page never shown has no window: the last visited page tells the node, exactly once.
TEST_F(MmcPropertyPageTest, LastVisitedPageNotifiesWhenLaterPagesWereNeverShown) {
  FakeNode node(&notifications_);
  LinkPages(&node);
  host_.ExpectDialog(L"Node", [&](DialogDriver& driver) {
    EXPECT_TRUE(pw::ui::SelectSheetTab(driver.window(), 1));
    EXPECT_TRUE(pw::ui::PressSheetOk(driver.window()));
  });
  EXPECT_EQ(sheet_.DoModal(), IDOK);
  pw::MessageQueue::Current().DispatchPending();
  EXPECT_EQ(notifications_, std::vector<LPARAM>{node.GetNotifyParam()});
}

// Cancel tells the node nothing but still frees and clears its handle, so it can be deleted.
TEST_F(MmcPropertyPageTest, CancelClearsTheNotifyHandle) {
  FakeNode node(&notifications_);
  LinkPages(&node);
  ASSERT_NE(node.GetNotifyHandle(), 0);
  host_.ExpectDialog(L"Node", [&](DialogDriver& driver) {
    first_.Change();
    EXPECT_TRUE(pw::ui::PressSheetCancel(driver.window()));
  });
  EXPECT_EQ(sheet_.DoModal(), IDCANCEL);
  pw::MessageQueue::Current().DispatchPending();
  EXPECT_TRUE(notifications_.empty());
  EXPECT_EQ(node.GetNotifyHandle(), 0);
  EXPECT_FALSE(pw::mmc::IsNotifyHandleAlive(node.created_handle()));
}

// A page tied to no node applies and closes without notifying anybody.
TEST_F(MmcPropertyPageTest, PageWithoutPropertyObjectAppliesSilently) {
  FakeNode bystander(&notifications_);
  sheet_.AddPage(&first_);
  host_.ExpectDialog(L"Node", [&](DialogDriver& driver) {
    first_.Change();
    EXPECT_TRUE(pw::ui::PressSheetApply(driver.window()));
    EXPECT_FALSE(first_.is_modified());
    EXPECT_TRUE(pw::ui::PressSheetOk(driver.window()));
  });
  EXPECT_EQ(sheet_.DoModal(), IDOK);
  pw::MessageQueue::Current().DispatchPending();
  EXPECT_TRUE(notifications_.empty());
  EXPECT_NE(bystander.GetNotifyHandle(), 0);
  EXPECT_TRUE(pw::mmc::IsNotifyHandleAlive(bystander.created_handle()));
}

// The wait dialog animates while the lookup runs on another thread, cannot be cancelled, and
// ends with IDOK carrying the lookup's values once the worker posts its completion.
TEST(PleaseWaitTest, RunsTheLookupOnAWorkerAndEndsWithIdOk) {
  SetThreadLocale(LOCALE_ENGLISH_US);
  ScriptedUiHost host;
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::thread::id lookup_thread;
  std::wstring looked_up;
  CPleaseWait wait(L"FAXSRV", [&](const std::wstring& name) {
    lookup_thread = std::this_thread::get_id();
    looked_up = name;
    // Bounded, so that a dialog that never shows fails the test instead of hanging it.
    released.wait_for(std::chrono::seconds(10));
    return ComputerLookupResult{0, 2, 3, L"Fax server"};
  });
  host.ExpectDialog(IDD_PLEASE_WAIT, [&](DialogDriver& driver) {
    EXPECT_EQ(driver.Text(IDC_WAIT_TEXT), L"Please wait while looking for computer...");
    CAnimateCtrl& animation = driver.Control<CAnimateCtrl>(IDC_WAIT_ANIMATION);
    EXPECT_EQ(animation.GetResourceId(), IDR_AVI_SEARCH);
    EXPECT_TRUE(animation.IsPlaying());
    EXPECT_GT(animation.GetFrameCount(), 1);
    EXPECT_TRUE(driver.Escape());
    EXPECT_TRUE(::IsWindow(driver.window()));
    release.set_value();
  });
  EXPECT_EQ(wait.DoModal(), IDOK);
  EXPECT_NE(lookup_thread, std::this_thread::get_id());
  EXPECT_EQ(looked_up, L"FAXSRV");
  EXPECT_EQ(wait.result().error, 0u);
  EXPECT_EQ(wait.result().platform, 2);
  EXPECT_EQ(wait.result().role, 3);
  EXPECT_EQ(wait.result().comment, L"Fax server");
  EXPECT_EQ(host.busy_changes(), (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace pw::test
