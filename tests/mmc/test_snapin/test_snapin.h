// The console host tests' snap-in: its classes, the pages it adds to property sheets, and the
// shared record of every call it receives.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "mmc/mmc.h"

inline constexpr CLSID CLSID_TestSnapin = pw::GuidLiteral("7B1E5A20-3C4D-4E5F-8A9B-0C1D2E3F4A50");
inline constexpr CLSID CLSID_TestSnapinAbout =
    pw::GuidLiteral("7B1E5A20-3C4D-4E5F-8A9B-0C1D2E3F4A51");
inline constexpr CLSID CLSID_TestSnapinControl =
    pw::GuidLiteral("7B1E5A20-3C4D-4E5F-8A9B-0C1D2E3F4A52");
inline constexpr IID IID_ITestSnapinControl =
    pw::GuidLiteral("7B1E5A20-3C4D-4E5F-8A9B-0C1D2E3F4A53");

// Cookies of the snap-in's items. The static node is 0; its children are inserted on its first
// expansion in this order, and "Sub" on the first expansion of "Folder".
inline constexpr MMC_COOKIE kFolderCookie = 1;       // a regular list of three items
inline constexpr MMC_COOKIE kVirtualCookie = 2;      // an owner-data list, multiple selection
inline constexpr MMC_COOKIE kMessageCookie = 3;      // the message view
inline constexpr MMC_COOKIE kSubCookie = 4;          // under "Folder"
inline constexpr MMC_COOKIE kWebCookie = 5;          // a web page
inline constexpr MMC_COOKIE kFirstItemCookie = 101;  // "Alpha", "Beta", "Gamma" in "Folder"
// The "Message" item's menu command that opens AskDialog.
inline constexpr LONG kAskCommand = 5;
inline constexpr wchar_t kWebAddress[] = L"https://example.invalid/help.htm";

// A stand-in for a real property page: the handle the snap-in adds to sheets points to one.
// The tests' console UI applies and destroys it as a sheet would.
struct TestPage {
  std::wstring title;
  std::function<BOOL()> apply;
  std::function<void()> destroy;
};
inline TestPage* TestPageFromHandle(HPROPSHEETPAGE page) {
  return reinterpret_cast<TestPage*>(page);
}

// What the snap-in records and what the tests set; one per loaded module. Tests read it
// while the console thread is idle.
struct TestSnapinState {
  std::mutex mutex;
  std::vector<std::wstring> log;
  // QueryPagesFor with CCT_SNAPIN_MANAGER answers S_OK, so that adding shows a wizard.
  bool snapin_manager_pages = false;
  bool dirty = false;
  std::string saved_stream = "snap-in state";
  std::string loaded_stream;
  int virtual_rows = 1000;
  bool fail_create_pages = false;
  // Pages are real property pages of the window model instead of TestPage stand-ins.
  bool real_pages = false;

  void Log(std::wstring entry) {
    std::lock_guard lock(mutex);
    log.push_back(std::move(entry));
  }
  std::vector<std::wstring> TakeLog() {
    std::lock_guard lock(mutex);
    return std::exchange(log, {});
  }
  void Reset() {
    std::lock_guard lock(mutex);
    log.clear();
    snapin_manager_pages = false;
    dirty = false;
    saved_stream = "snap-in state";
    loaded_stream.clear();
    virtual_rows = 1000;
    fail_create_pages = false;
    real_pages = false;
  }
};

struct ITestSnapinControl : IUnknown {
  static constexpr const IID& kIid = IID_ITestSnapinControl;
  virtual TestSnapinState* State() = 0;

 protected:
  ~ITestSnapinControl() = default;
};
