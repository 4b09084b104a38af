// Shared pieces of the property sheet and common dialog tests: a page that records what its
// sheet tells it, and a fixture with the test pages and the scripted host.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/property_page.h"
#include "platform/ui/property_sheet.h"
#include "platform/win/thread_locale.h"
#include "tests/support/scripted_ui_host.h"
#include "tests/support/temp_installation.h"
#include "tests/ui/sheet_resources/sheet_test_resource.h"

extern const pw::ResourceModule kSheetTestResources;

namespace pw::test {

// Appends one line per notification to a log that the pages of a sheet share:
//   "General init", "General set-active", "Users apply ok", "Options apply now",
//   "General reset", "General destroy", "Name wizard-next"…
// Typing into IDC_PAGE_NAME marks the page modified ("General changed").
class RecordingPage : public CPropertyPage {
 public:
  RecordingPage(std::string name, UINT template_id, std::vector<std::string>* log,
                UINT caption_id = 0);

  const std::string name;
  // What the page answers.
  BOOL set_active_answer = TRUE;
  BOOL kill_active_answer = TRUE;
  BOOL apply_answer = TRUE;
  // Answers PSN_APPLY itself when set (PSNRET_INVALID…), instead of OnApply.
  std::optional<LRESULT> apply_result;
  BOOL query_cancel_answer = TRUE;
  LRESULT back_answer = 0;
  LRESULT next_answer = 0;
  BOOL finish_answer = TRUE;
  LRESULT siblings_answer = 0;
  // Wizard buttons set on every activation (0: none set).
  DWORD wizard_buttons = 0;
  // Runs when IDC_PAGE_MORE is clicked.
  std::function<void(RecordingPage&)> on_more;

  // The control `id` of the page's window.
  HWND Control(int id) const;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;
  BOOL OnApply() override;
  void OnReset() override;
  BOOL OnQueryCancel() override;
  LRESULT OnWizardBack() override;
  LRESULT OnWizardNext() override;
  BOOL OnWizardFinish() override;
  void OnDestroy() override;
  BOOL OnNotify(WPARAM w_param, LPARAM l_param, LRESULT* result) override;
  const pw::ui::MessageMap* GetMessageMap() const override;

 private:
  void Log(const std::string& event) { log_->push_back(name + " " + event); }
  void OnNameChanged();
  void OnMore();
  LRESULT OnQuerySiblings(WPARAM w_param, LPARAM l_param);

  std::vector<std::string>* log_;
  // Whether the PSN_APPLY being handled came from OK (TRUE) or Apply (FALSE).
  bool applying_for_ok_ = false;
};

// Every test of sheets and common dialogs runs in English with the sheet test resources and
// a scripted host.
class SheetTest : public ::testing::Test {
 protected:
  SheetTest();
  ~SheetTest() override;

  // The log lines since the last call, and forgets them.
  std::vector<std::string> TakeLog();

  ScriptedUiHost host_;
  std::vector<std::string> log_;

 private:
  HINSTANCE previous_resources_ = nullptr;
};

// The property sheet a scripted dialog handler runs on.
CPropertySheet& SheetOf(const DialogDriver& driver);

// The sheet's buttons as a front end shows them, one line each:
//   "1 OK visible enabled default", "12321 &Apply visible disabled"…
std::vector<std::string> DescribeButtons(const CPropertySheet& sheet);
// The texts of the sheet's tabs.
std::vector<std::wstring> TabTexts(const CPropertySheet& sheet);

}  // namespace pw::test
