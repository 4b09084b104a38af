// Shared pieces of the window model's tests: a dialog that records every notification it
// receives in readable form, and a fixture with the test resources and the scripted host.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/dialog.h"
#include "platform/ui/list_ctrl.h"
#include "platform/win/thread_locale.h"
#include "tests/support/scripted_ui_host.h"
#include "tests/ui/resources/ui_test_resource.h"

extern const pw::ResourceModule kUiTestResources;

namespace pw::test {

// The readable name of a notification code ("EN_CHANGE", "LVN_ITEMCHANGED"…).
std::string CommandName(UINT code);
std::string NotifyName(UINT code);

// Records what its controls tell it, one line per notification:
//   "BN_CLICKED 1006", "LVN_ITEMCHANGED 1016 row=2 old=0 new=3", "LVN_GETDISPINFO 1015 2/1"…
// The owner-data list IDC_USERS shows `rows` (column texts per row, image = row number),
// and type-ahead finds the first row from the start whose column 0 begins with the text.
class RecordingDialog : public CDialog {
 public:
  explicit RecordingDialog(UINT template_id, CWnd* parent = nullptr)
      : CDialog(template_id, parent) {}

  std::vector<std::string> events;
  std::vector<std::vector<std::wstring>> rows;
  // Runs at the end of OnInitDialog; its answer is OnInitDialog's.
  std::function<BOOL(RecordingDialog&)> on_init;
  // Answers UDN_DELTAPOS with this (nonzero refuses).
  LRESULT delta_answer = 0;
  // Runs after a command was recorded (and handled by the base).
  std::function<void(RecordingDialog&, int id, UINT code)> on_command;
  // Private messages: WM_USER + n.
  std::function<LRESULT(RecordingDialog&, UINT, WPARAM, LPARAM)> on_message;
  bool destroyed = false;

  // The events since the last call, and forgets them.
  std::vector<std::string> Take() {
    std::vector<std::string> taken = std::move(events);
    events.clear();
    return taken;
  }

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM w_param, LPARAM l_param) override;
  BOOL OnNotify(WPARAM w_param, LPARAM l_param, LRESULT* result) override;
  LRESULT WindowProc(UINT message, WPARAM w_param, LPARAM l_param) override;
  void OnDestroy() override;
};

// Every test of the model runs in English with the test resources and a scripted host.
class UiTest : public ::testing::Test {
 protected:
  UiTest() {
    previous_resources_ = AfxSetResourceHandle(kUiTestResources.handle());
    SetThreadLocale(LOCALE_ENGLISH_US);
  }
  ~UiTest() override {
    SetThreadLocale(LOCALE_ENGLISH_US);
    AfxSetResourceHandle(previous_resources_);
  }

  ScriptedUiHost host_;
  HINSTANCE previous_resources_ = nullptr;
};

// A modeless RecordingDialog of `template_id`, shown, for tests that act on it directly.
std::unique_ptr<RecordingDialog> ShowModeless(UINT template_id);

}  // namespace pw::test
