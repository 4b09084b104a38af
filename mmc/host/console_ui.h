// ConsoleUi: what the console host needs from the window layer — message boxes, the main
// window, and the display of property sheets and wizards made of a snap-in's pages.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "mmc/mmc.h"

namespace pw::mmc {

using SheetId = std::uint64_t;

// A sheet that the console asks the window layer to show.
struct SheetRequest {
  std::wstring title;
  std::vector<HPROPSHEETPAGE> pages;
  bool wizard = false;
  DWORD options = 0;  // MMC_PSO_ flags
  int start_page = 0;
  HWND owner = nullptr;
};

// The window layer as the console sees it. Every call comes on the console thread. A console
// borrows its ConsoleUi, which must outlive it.
//
// To implement: show message boxes modally (a nested loop that pumps the console thread's
// queue, so that the console counts as idle while one waits); show property sheets modeless
// and report their end through `closed`; run wizards modally.
class ConsoleUi {
 public:
  virtual ~ConsoleUi() = default;

  // IDOK, IDCANCEL, IDYES… An empty title shows "Error".
  virtual int MessageBox(std::wstring_view text, std::wstring_view title, UINT style) = 0;
  // The window that owns the console's dialogs; may be null.
  virtual HWND MainWindow() = 0;

  // Shows a modeless sheet and takes its pages, also when it fails. `closed` runs on the
  // console thread after the sheet and its pages are gone.
  virtual HRESULT ShowPropertySheet(SheetRequest request, std::function<void()> closed,
                                    SheetId* id) = 0;
  virtual void BringSheetToFront(SheetId id) = 0;
  // Runs a wizard to its end and takes its pages: S_OK when finished, S_FALSE when cancelled.
  virtual HRESULT RunWizard(SheetRequest request) = 0;
  // Destroys pages that never reached a sheet (a snap-in whose CreatePropertyPages failed).
  virtual void DestroyPages(std::vector<HPROPSHEETPAGE> pages) = 0;
  // Ends every open sheet at once, without telling anybody: the console is going away, and
  // the pages must end while the snap-in they belong to still exists.
  virtual void DestroyAllSheets() = 0;
};

// The ConsoleUi of the window model in platform/ui.
std::unique_ptr<ConsoleUi> CreateWindowConsoleUi();

}  // namespace pw::mmc
