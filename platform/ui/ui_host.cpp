// The UiHost of the process, the default host, the reports of windows created, changed and
// destroyed, and shell execute.
#include "platform/ui/ui_host.h"

#include <algorithm>
#include <atomic>
#include <cstdio>

#include "platform/com/strings.h"
#include "platform/ui/message_box.h"
#include "platform/ui/window_internal.h"
#include "platform/ui/wnd.h"
#include "platform/win/last_error.h"
#include "platform/win/message_queue.h"
#include "platform/win/process.h"

namespace pw::ui {
namespace {

// Every text a window shows, for messages about it.
std::wstring DescribeWindow(CWnd& window) {
  std::wstring description = L"\"" + window.GetWindowText() + L"\"";
  for (CWnd* child : window.GetChildren()) {
    const std::wstring text = child->GetWindowText();
    if (!text.empty()) description += L" | " + text;
  }
  return description;
}

int DecliningAnswer(CWnd& window) {
  if (auto* message_box = dynamic_cast<CMessageBoxWnd*>(&window)) {
    return message_box->cancel_like_answer();
  }
  return IDCANCEL;
}

// Used while no front end is attached: nobody can answer, so nothing may wait.
class DefaultUiHost : public UiHost {
 public:
  void RunModalLoop(CWnd& window) override {
    const int answer = DecliningAnswer(window);
    std::fprintf(stderr, "pw: no user interface to show %s; answered %d\n",
                 pw::ToUtf8(DescribeWindow(window)).c_str(), answer);
    window.EndModalLoop(answer);
  }
};

std::atomic<UiHost*> current_host{nullptr};

}  // namespace

void UiHost::RunModalLoop(CWnd& window) { PumpModalLoop(window); }

INT_PTR UiHost::ShellExecute(HWND /*owner*/, std::wstring_view /*verb*/, std::wstring_view file,
                             std::wstring_view parameters, std::wstring_view directory,
                             int /*show*/) {
  if (file.empty()) return SE_ERR_FNF;
  std::wstring command_line;
  std::wstring application;
  if (parameters.empty()) {
    application = L"xdg-open";
    command_line = L"xdg-open \"" + std::wstring(file) + L"\"";
  } else {
    // A program with arguments runs as it is.
    application = std::wstring(file);
    command_line = L"\"" + std::wstring(file) + L"\" " + std::wstring(parameters);
  }
  PROCESS_INFORMATION info;
  if (!CreateProcess(application, command_line, directory, &info)) {
    const DWORD error = GetLastError();
    return error == 2 || error == 3 ? SE_ERR_FNF
           : error == 5             ? SE_ERR_ACCESSDENIED
                                    : SE_ERR_NOASSOC;
  }
  CloseHandle(info.hProcess);
  return 42;
}

UiHost* SetUiHost(UiHost* host) { return current_host.exchange(host); }

UiHost& GetUiHost() {
  static DefaultUiHost default_host;
  UiHost* host = current_host.load();
  return host != nullptr ? *host : default_host;
}

void FlushWindowChanges() {
  internal::ThreadState& state = internal::CurrentThreadState();
  state.flush_posted = false;
  const std::vector<HWND> changed = std::move(state.changed);
  state.changed.clear();
  for (HWND handle : changed) {
    CWnd* window = internal::LookUpWindow(handle);
    if (window != nullptr && WindowAccess::reported(*window)) GetUiHost().WindowChanged(handle);
  }
}

void PumpModalLoop(CWnd& window) {
  const HWND self = window.GetSafeHwnd();
  pw::MessageQueue::Current().RunUntil(
      [&window, self] { return !IsWindow(self) || !window.ContinueModal(); });
}

namespace internal {

void ReportCreated(CWnd& top_level) {
  bool& reported = WindowAccess::reported(top_level);
  if (reported || top_level.GetSafeHwnd() == nullptr) return;
  reported = true;
  GetUiHost().WindowCreated(top_level.GetSafeHwnd());
}

void ReportDestroyed(CWnd& top_level) {
  bool& reported = WindowAccess::reported(top_level);
  if (!reported) return;
  reported = false;
  std::erase(CurrentThreadState().changed, top_level.GetSafeHwnd());
  GetUiHost().WindowDestroyed(top_level.GetSafeHwnd());
}

void MarkChanged(CWnd& top_level) {
  ThreadState& state = CurrentThreadState();
  const HWND handle = top_level.GetSafeHwnd();
  if (std::find(state.changed.begin(), state.changed.end(), handle) != state.changed.end()) return;
  state.changed.push_back(handle);
  if (state.flush_posted) return;
  state.flush_posted = true;
  pw::MessageQueue::Current().PostTask([] { FlushWindowChanges(); });
}

}  // namespace internal
}  // namespace pw::ui

INT_PTR ShellExecute(HWND owner, std::wstring_view verb, std::wstring_view file,
                     std::wstring_view parameters, std::wstring_view directory, int show) {
  return pw::ui::GetUiHost().ShellExecute(owner, verb, file, parameters, directory, show);
}
