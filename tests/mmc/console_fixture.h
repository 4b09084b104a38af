// The console host tests' fixture: the test snap-in registered in a registry of the test's own,
// a console session on its own thread, and a console UI that records what the console shows
// and lets the test apply and close property sheets.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "mmc/host/console_session.h"
#include "platform/com/class_loader.h"
#include "platform/com/strings.h"
#include "platform/ui/ui_constants.h"
#include "platform/win/registry.h"
#include "tests/mmc/test_snapin/test_snapin.h"
#include "tests/support/temp_installation.h"

namespace pw::mmc::test {

// Called on the console thread only; tests read it while the console thread is idle.
class TestConsoleUi : public ConsoleUi {
 public:
  struct MessageBoxShown {
    std::wstring text;
    std::wstring title;
    UINT style = 0;
  };
  struct Sheet {
    SheetId id = 0;
    std::wstring title;
    std::vector<HPROPSHEETPAGE> pages;
    DWORD options = 0;
    std::function<void()> closed;
    bool open = true;
    int brought_to_front = 0;
  };

  ~TestConsoleUi() override {
    for (Sheet& sheet : sheets) DestroyPageObjects(&sheet.pages);
  }

  // The answers of the next message boxes; without one a box answers IDOK or, when it offers
  // one, IDCANCEL.
  std::deque<int> answers;
  std::vector<MessageBoxShown> message_boxes;
  std::vector<Sheet> sheets;
  std::vector<std::wstring> wizards;  // titles, in order
  // Whether the next wizard finishes (its pages applied) or is cancelled.
  bool finish_wizards = true;
  int destroyed_pages = 0;

  int MessageBox(std::wstring_view text, std::wstring_view title, UINT style) override {
    message_boxes.push_back(MessageBoxShown{std::wstring(text), std::wstring(title), style});
    if (!answers.empty()) {
      const int answer = answers.front();
      answers.pop_front();
      return answer;
    }
    return (style & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
  }

  HWND MainWindow() override { return nullptr; }

  HRESULT ShowPropertySheet(SheetRequest request, std::function<void()> closed,
                            SheetId* id) override {
    Sheet sheet;
    sheet.id = ++next_id_;
    sheet.title = request.title;
    sheet.pages = std::move(request.pages);
    sheet.options = request.options;
    sheet.closed = std::move(closed);
    sheets.push_back(std::move(sheet));
    *id = next_id_;
    return S_OK;
  }

  void BringSheetToFront(SheetId id) override {
    if (Sheet* sheet = Find(id)) ++sheet->brought_to_front;
  }

  HRESULT RunWizard(SheetRequest request) override {
    wizards.push_back(request.title);
    if (finish_wizards) {
      for (HPROPSHEETPAGE page : request.pages) TestPageFromHandle(page)->apply();
    }
    DestroyPageObjects(&request.pages);
    return finish_wizards ? S_OK : S_FALSE;
  }

  void DestroyPages(std::vector<HPROPSHEETPAGE> pages) override {
    destroyed_pages += static_cast<int>(pages.size());
    DestroyPageObjects(&pages);
  }

  void DestroyAllSheets() override {
    for (Sheet& sheet : sheets) {
      sheet.open = false;
      DestroyPageObjects(&sheet.pages);
    }
  }

  // What a person does to an open sheet; call on the console thread (ConsoleSession::Run).
  HRESULT Apply(SheetId id) {
    Sheet* sheet = Find(id);
    if (sheet == nullptr || !sheet->open) return E_INVALIDARG;
    for (HPROPSHEETPAGE page : sheet->pages) TestPageFromHandle(page)->apply();
    return S_OK;
  }
  // The sheet's pages end, then the console hears of it from the queue, as from a real sheet.
  HRESULT CloseSheet(SheetId id) {
    Sheet* sheet = Find(id);
    if (sheet == nullptr || !sheet->open) return E_INVALIDARG;
    sheet->open = false;
    DestroyPageObjects(&sheet->pages);
    MessageQueue::Current().PostTask(sheet->closed);
    return S_OK;
  }

  Sheet* Find(SheetId id) {
    for (Sheet& sheet : sheets) {
      if (sheet.id == id) return &sheet;
    }
    return nullptr;
  }

 private:
  static void DestroyPageObjects(std::vector<HPROPSHEETPAGE>* pages) {
    for (HPROPSHEETPAGE page : *pages) {
      TestPage* object = TestPageFromHandle(page);
      object->destroy();
      delete object;
    }
    pages->clear();
  }

  SheetId next_id_ = 0;
};

inline constexpr int kWatchdogMs = 10000;

// A console session with the test snap-in registered, not yet added.
class ConsoleTest : public ::testing::Test {
 protected:
  // The handles of the test snap-in's scope items once the static node has been expanded.
  static constexpr HSCOPEITEM kRoot = 1;
  static constexpr HSCOPEITEM kFolder = 2;
  static constexpr HSCOPEITEM kVirtual = 3;
  static constexpr HSCOPEITEM kMessage = 4;
  static constexpr HSCOPEITEM kWeb = 5;
  static constexpr HSCOPEITEM kSub = 6;

  void SetUp() override {
    const std::wstring module = FromUtf8(pw::test::BinDir() + "/pwtest_snapin.so");
    for (const CLSID& clsid : {CLSID_TestSnapin, CLSID_TestSnapinAbout, CLSID_TestSnapinControl}) {
      CRegKey key;
      ASSERT_EQ(
          key.Create(HKEY_CLASSES_ROOT, L"CLSID\\" + GuidToString(clsid) + L"\\InprocServer32"),
          ERROR_SUCCESS);
      ASSERT_EQ(key.SetStringValue(L"", module), ERROR_SUCCESS);
    }
    CRegKey snapin;
    ASSERT_EQ(snapin.Create(HKEY_LOCAL_MACHINE,
                            std::wstring(kSnapInsKey) + L"\\" + GuidToString(CLSID_TestSnapin)),
              ERROR_SUCCESS);
    ASSERT_EQ(snapin.SetStringValue(L"NameString", L"Test Snap-in"), ERROR_SUCCESS);
    ASSERT_EQ(snapin.SetStringValue(L"About", GuidToString(CLSID_TestSnapinAbout)), ERROR_SUCCESS);
    ASSERT_EQ(CreateInstance(CLSID_TestSnapinControl, &control_), S_OK);
    state_ = control_->State();
    state_->Reset();
    ConsoleSession::Options options;
    options.ui = &ui_;
    options.timeout_ms = kWatchdogMs;
    session_ = ConsoleSession::Start(options);
  }

  void TearDown() override {
    session_.reset();
    state_->Reset();
  }

  // Adds the test snap-in and forgets what start-up recorded.
  void Start() {
    const OperationResult added = session_->AddSnapIn(CLSID_TestSnapin);
    ASSERT_TRUE(added.ok()) << ToUtf8(added.error);
    Log();
  }

  std::vector<std::wstring> Log() { return state_->TakeLog(); }

  ConsoleState State() {
    ConsoleState state;
    EXPECT_TRUE(session_->ReadState(&state).ok());
    Log();  // reading the tree asks the snap-in for names
    return state;
  }

  static std::vector<std::wstring> Only(const std::vector<std::wstring>& log,
                                        std::wstring_view prefix) {
    std::vector<std::wstring> kept;
    for (const auto& entry : log) {
      if (entry.compare(0, prefix.size(), prefix) == 0) kept.push_back(entry);
    }
    return kept;
  }

  pw::test::TempRegistry registry_;
  TestConsoleUi ui_;
  ComPtr<ITestSnapinControl> control_;
  TestSnapinState* state_ = nullptr;
  std::unique_ptr<ConsoleSession> session_;
};

}  // namespace pw::mmc::test
