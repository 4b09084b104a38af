// A UiHost for tests: queued answers for the next dialogs and message boxes, a record of
// every message box shown, and a watchdog so that no modal loop can hang a test.
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/list_ctrl.h"
#include "platform/ui/ui_host.h"
#include "platform/ui/ui_input.h"
#include "platform/ui/wnd.h"

namespace pw::test {

// What a test does to one dialog while it runs: the operations of pw::ui by control id.
// Each operation that the window refuses fails the test (with the control and the reason)
// and answers false; to check a refusal itself call pw::ui with Hwnd(id).
class DialogDriver {
 public:
  explicit DialogDriver(HWND window) : window_(window) {}

  HWND window() const { return window_; }
  CWnd& wnd() const;
  HWND Hwnd(int id) const;
  // The control as a T, failing the test loudly when the id or kind is wrong.
  template <typename T>
  T& Control(int id) const {
    return *wnd().GetDlgItem<T>(id);
  }

  std::wstring Caption() const;
  std::wstring Text(int id) const;
  bool IsEnabled(int id) const;
  bool IsVisible(int id) const;
  int Check(int id) const;
  // The control with the keyboard focus (0 when none).
  int FocusId() const;

  bool Type(int id, std::wstring_view text);
  bool TypeKeys(int id, std::wstring_view keys);
  bool Click(int id);
  bool Select(int id, int index);
  bool Select(int id, std::wstring_view text);
  bool ClickRow(int id, int row, pw::ui::Modifiers modifiers = pw::ui::Modifiers::kNone);
  bool SelectRows(int id, std::vector<int> rows);
  bool DoubleClickRow(int id, int row);
  bool RightClickRow(int id, int row);
  bool ClickColumn(int id, int column);
  // The rows as the list shows them (texts per column); fails the test for a non-list.
  std::vector<std::vector<std::wstring>> ShowRows(int id, int first, int last);
  int TypeAhead(int id, std::wstring_view text);
  bool Spin(int id, bool up);
  bool Enter();
  bool Escape();
  bool Tab(bool backward = false);
  bool Close();
  // Handles what is queued for the thread now (posted messages, a worker's result).
  void Pump();

 private:
  bool Expect(bool done, const std::string& operation, int id) const;

  HWND window_;
};

// One message box as it was shown.
struct MessageBoxRecord {
  std::wstring text;
  std::wstring caption;
  UINT icon = 0;     // MB_ICONERROR, MB_ICONWARNING…
  UINT buttons = 0;  // MB_OK, MB_YESNO…
  int default_answer = 0;
  int answer = 0;  // what the test (or the host's refusal) answered
};

// Installed for its lifetime. A test queues the windows it expects, in order:
//
//   ScriptedUiHost host;
//   host.ExpectDialog(IDD_SELECT_COMPUTER, [](DialogDriver& d) {
//     d.Type(IDC_NAME, L"FAXSRV");
//     d.Click(IDOK);
//   });
//   host.ExpectMessageBox(IDYES);
//
// Each modal window takes the next expectation. A window nobody expected, or one that does
// not match the expectation, fails the test (ADD_FAILURE with its caption and texts) and is
// answered with Cancel (message boxes: their declining answer). A dialog that its handler
// leaves open is given the watchdog's time to end by itself (a worker posting its result),
// then fails the test the same way. Expectations never met fail the test when the host goes.
class ScriptedUiHost : public pw::ui::UiHost {
 public:
  using Handler = std::function<void(DialogDriver&)>;

  ScriptedUiHost();
  ~ScriptedUiHost() override;
  ScriptedUiHost(const ScriptedUiHost&) = delete;
  ScriptedUiHost& operator=(const ScriptedUiHost&) = delete;

  // A dialog made from template `template_id`; without a handler it must end by itself.
  void ExpectDialog(UINT template_id, Handler handler = {});
  // A dialog (or any modal window) with this caption.
  void ExpectDialog(std::wstring caption, Handler handler = {});
  // The next message box, answered with `answer`; with `text`, its text must be that.
  void ExpectMessageBox(int answer, std::optional<std::wstring> text = std::nullopt);
  // The next popup menu: the item `command` is chosen (0 dismisses it).
  void ExpectPopupMenu(UINT command);

  const std::vector<MessageBoxRecord>& message_boxes() const { return message_boxes_; }
  // Captions of the modal windows run, in order.
  const std::vector<std::wstring>& modal_windows() const { return modal_windows_; }
  // Texts of the items of the popup menus shown.
  const std::vector<std::vector<std::wstring>>& popup_menus() const { return popup_menus_; }
  struct ShellExecuteRecord {
    std::wstring verb;
    std::wstring file;
    std::wstring parameters;
  };
  const std::vector<ShellExecuteRecord>& shell_executes() const { return shell_executes_; }
  // The answer of the next ShellExecute calls (above 32 is success).
  void set_shell_execute_result(INT_PTR result) { shell_execute_result_ = result; }
  // Transitions of the busy cursor, in order (true: became busy).
  const std::vector<bool>& busy_changes() const { return busy_changes_; }
  // Window notifications, in order: "created <caption>", "changed <caption>"…
  const std::vector<std::wstring>& window_log() const { return window_log_; }
  void clear_window_log() { window_log_.clear(); }
  std::size_t pending_expectations() const { return expectations_.size(); }

  // How long a dialog may take to end after its handler; a short time makes tests of a
  // forgotten close fast.
  void set_watchdog(std::chrono::milliseconds timeout) { watchdog_ = timeout; }

  void WindowCreated(HWND window) override;
  void WindowChanged(HWND window) override;
  void WindowDestroyed(HWND window) override;
  void RunModalLoop(CWnd& window) override;
  INT_PTR ShellExecute(HWND owner, std::wstring_view verb, std::wstring_view file,
                       std::wstring_view parameters, std::wstring_view directory,
                       int show) override;
  void BusyChanged(bool busy) override;
  UINT TrackPopupMenu(const CMenu& menu, CWnd& owner, int x, int y) override;

  // Pumps the thread's queue until `done` or the watchdog's time; false on timeout.
  bool PumpUntil(const std::function<bool()>& done) const;

 private:
  struct Expectation {
    enum class Kind { kDialogById, kDialogByCaption, kMessageBox, kMenu };
    Kind kind = Kind::kDialogById;
    UINT template_id = 0;
    std::wstring caption;
    Handler handler;
    int answer = 0;
    std::optional<std::wstring> text;
  };

  void RunMessageBox(CWnd& window);
  void RunDialog(CWnd& window);
  void FailAndCancel(CWnd& window, const std::string& why);
  std::string Describe(CWnd& window) const;

  pw::ui::UiHost* previous_ = nullptr;
  std::deque<Expectation> expectations_;
  std::vector<MessageBoxRecord> message_boxes_;
  std::vector<std::wstring> modal_windows_;
  std::vector<std::vector<std::wstring>> popup_menus_;
  std::vector<ShellExecuteRecord> shell_executes_;
  INT_PTR shell_execute_result_ = 42;
  std::vector<bool> busy_changes_;
  std::vector<std::wstring> window_log_;
  std::chrono::milliseconds watchdog_{10000};
};

}  // namespace pw::test
