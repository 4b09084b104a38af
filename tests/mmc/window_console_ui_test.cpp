// The window model's console UI: real property sheets made of a snap-in's real pages, their
// apply reaching the snap-in, the add wizard as a modal sheet, and message boxes.
#include <gtest/gtest.h>

#include "platform/ui/message_box.h"
#include "platform/ui/property_sheet.h"
#include "platform/ui/sheet_input.h"
#include "platform/ui/ui_host.h"
#include "tests/mmc/console_fixture.h"

namespace pw::mmc::test {
namespace {

using Entries = std::vector<std::wstring>;

// Stands in for a person at the screen: remembers the windows the console thread made,
// answers message boxes with their declining answer and presses Finish (or Cancel) in wizards.
class AutomaticHost : public ui::UiHost {
 public:
  void WindowCreated(HWND window) override {
    std::lock_guard lock(mutex_);
    created_.push_back(window);
  }

  void RunModalLoop(CWnd& window) override {
    if (auto* box = dynamic_cast<CMessageBoxWnd*>(&window)) {
      {
        std::lock_guard lock(mutex_);
        message_boxes_.push_back(box->caption() + L": " + box->text());
      }
      window.EndModalLoop(box->cancel_like_answer());
      return;
    }
    if (auto* sheet = dynamic_cast<CPropertySheet*>(&window); sheet != nullptr) {
      {
        std::lock_guard lock(mutex_);
        modal_sheets_.push_back(sheet->GetWindowText());
      }
      if (finish_wizards) {
        ui::PressWizardFinish(sheet->GetSafeHwnd());
      } else {
        ui::PressSheetCancel(sheet->GetSafeHwnd());
      }
    }
    if (window.ContinueModal()) window.EndModalLoop(IDCANCEL);
  }

  // The modeless property sheets still open; call on the console thread.
  std::vector<CPropertySheet*> OpenSheets() {
    std::lock_guard lock(mutex_);
    std::vector<CPropertySheet*> sheets;
    for (HWND window : created_) {
      if (auto* sheet = dynamic_cast<CPropertySheet*>(CWnd::FromHandle(window))) {
        if (!sheet->IsInModalLoop()) sheets.push_back(sheet);
      }
    }
    return sheets;
  }
  Entries message_boxes() {
    std::lock_guard lock(mutex_);
    return message_boxes_;
  }
  Entries modal_sheets() {
    std::lock_guard lock(mutex_);
    return modal_sheets_;
  }

  bool finish_wizards = true;

 private:
  std::mutex mutex_;
  std::vector<HWND> created_;
  Entries message_boxes_;
  Entries modal_sheets_;
};

class WindowConsoleUiTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ui::SetUiHost(&host_);
    ConsoleTest::SetUp();
    // The session shows windows of the window model instead of recording them.
    session_.reset();
    ConsoleSession::Options options;
    options.timeout_ms = kWatchdogMs;
    session_ = ConsoleSession::Start(options);
    state_->real_pages = true;
  }
  void TearDown() override {
    ConsoleTest::TearDown();
    ui::SetUiHost(nullptr);
  }

  // Runs `press` on the console thread with the only open sheet.
  OperationResult OnSheet(std::function<bool(CPropertySheet&)> press) {
    return session_->Run([this, press](Console&) {
      const std::vector<CPropertySheet*> sheets = host_.OpenSheets();
      if (sheets.size() != 1) return E_UNEXPECTED;
      return press(*sheets.front()) ? S_OK : E_FAIL;
    });
  }

  AutomaticHost host_;
};

// Properties show a modeless sheet titled "<item> Properties"; Apply reaches the page, whose
// notification reaches the component after the apply; OK closes the sheet, the page frees
// its handle and the console forgets the sheet. Closing the console meanwhile is refused with
// a message box.
TEST_F(WindowConsoleUiTest, ShowsRealPropertySheets) {
  Start();
  ASSERT_TRUE(session_->SelectScopeItem(1, kFolder).ok());
  ASSERT_TRUE(session_->SelectRows(1, {2}).ok());
  Log();
  ASSERT_TRUE(session_->RunVerb(1, MMC_VERB_PROPERTIES).ok());
  EXPECT_EQ(Log(), (Entries{L"C1.QueryPagesFor do=102", L"C1.CreatePropertyPages do=102 handle=1",
                            L"RealPage.Init Beta"}));
  std::wstring title;
  ASSERT_TRUE(OnSheet([&title](CPropertySheet& sheet) {
                title = sheet.GetWindowText();
                return ui::PressSheetApply(sheet.GetSafeHwnd());
              }).ok());
  EXPECT_EQ(title, L"Beta Properties");
  EXPECT_EQ(Log(), (Entries{
                       L"RealPage.Apply Beta",
                       L"RealPage.Notified Beta notify=0",
                       L"C1.Notify PROPERTY_CHANGE do=null arg=0 param=102",
                   }));
  ASSERT_TRUE(session_->RunVerb(1, MMC_VERB_PROPERTIES).ok());
  EXPECT_EQ(Log(), (Entries{L"C1.QueryPagesFor do=102", L"C1.CompareObjects 102 102"}));

  const OperationResult refused = session_->Close(ClosePolicy::kDiscard);
  EXPECT_EQ(refused.hr, kSheetsOpenResult);
  EXPECT_EQ(
      host_.message_boxes(),
      (Entries{L"Management Console: Close all property sheets before closing the console."}));

  ASSERT_TRUE(
      OnSheet([](CPropertySheet& sheet) { return ui::PressSheetOk(sheet.GetSafeHwnd()); }).ok());
  EXPECT_EQ(Log(), (Entries{
                       L"RealPage.Apply Beta",
                       L"RealPage.Notified Beta notify=0",
                       L"RealPage.Destroy Beta free=0",
                       L"C1.Notify PROPERTY_CHANGE do=null arg=0 param=102",
                   }));
  EXPECT_TRUE(State().sheets.empty());
  EXPECT_TRUE(session_->Close(ClosePolicy::kDiscard).ok());
}

// The add wizard runs as a modal wizard sheet; Finish lets the add go on, Cancel abandons it.
TEST_F(WindowConsoleUiTest, RunsTheAddWizardAsAModalSheet) {
  state_->snapin_manager_pages = true;
  host_.finish_wizards = false;
  EXPECT_EQ(session_->AddSnapIn(CLSID_TestSnapin).hr, kCancelledResult);
  EXPECT_EQ(Only(Log(), L"RealPage."),
            (Entries{L"RealPage.Init Welcome", L"RealPage.Destroy Welcome free=0"}));

  host_.finish_wizards = true;
  const OperationResult added = session_->AddSnapIn(CLSID_TestSnapin);
  ASSERT_TRUE(added.ok()) << ToUtf8(added.error);
  const Entries log = Log();
  EXPECT_EQ(Only(log, L"RealPage."), (Entries{
                                         L"RealPage.Init Welcome",
                                         L"RealPage.Finish Welcome",
                                         L"RealPage.Notified Welcome notify=0",
                                         L"RealPage.Destroy Welcome free=0",
                                     }));
  EXPECT_EQ(Only(log, L"CD.Notify PROPERTY_CHANGE"),
            (Entries{L"CD.Notify PROPERTY_CHANGE do=null arg=1 param=0"}));
  EXPECT_EQ(host_.modal_sheets(), (Entries{L"Test Snap-in", L"Test Snap-in"}));
  EXPECT_TRUE(State().has_snapin);
}

}  // namespace
}  // namespace pw::mmc::test
