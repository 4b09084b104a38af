// The scripted UiHost of tests: expectations, records, and the watchdog of modal loops.
#include "tests/support/scripted_ui_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/com/strings.h"
#include "platform/ui/button.h"
#include "platform/ui/dialog.h"
#include "platform/ui/menu.h"
#include "platform/ui/message_box.h"
#include "platform/win/message_queue.h"

namespace pw::test {

CWnd& DialogDriver::wnd() const {
  CWnd* window = CWnd::FromHandle(window_);
  PW_UI_CHECK(window != nullptr, "DialogDriver: the dialog is gone");
  return *window;
}

HWND DialogDriver::Hwnd(int id) const {
  CWnd* control = wnd().GetDlgItem(id);
  return control != nullptr ? control->GetSafeHwnd() : nullptr;
}

std::wstring DialogDriver::Caption() const { return wnd().GetWindowText(); }

std::wstring DialogDriver::Text(int id) const { return wnd().GetDlgItemText(id); }

bool DialogDriver::IsEnabled(int id) const { return ::IsWindowEnabled(Hwnd(id)) != FALSE; }

bool DialogDriver::IsVisible(int id) const { return ::IsWindowVisible(Hwnd(id)) != FALSE; }

int DialogDriver::Check(int id) const { return static_cast<int>(wnd().IsDlgButtonChecked(id)); }

int DialogDriver::FocusId() const {
  CWnd* focus = wnd().GetFocusWithin();
  return focus != nullptr ? focus->GetDlgCtrlID() : 0;
}

bool DialogDriver::Expect(bool done, const std::string& operation, int id) const {
  if (!done) {
    ADD_FAILURE() << operation << " on control " << id << " was refused: " << pw::ui::LastRefusal();
  }
  return done;
}

bool DialogDriver::Type(int id, std::wstring_view text) {
  return Expect(pw::ui::TypeText(Hwnd(id), text), "Type", id);
}

bool DialogDriver::TypeKeys(int id, std::wstring_view keys) {
  return Expect(pw::ui::TypeKeys(Hwnd(id), keys), "TypeKeys", id);
}

bool DialogDriver::Click(int id) { return Expect(pw::ui::ClickButton(Hwnd(id)), "Click", id); }

bool DialogDriver::Select(int id, int index) {
  return Expect(pw::ui::SelectComboItem(Hwnd(id), index), "Select", id);
}

bool DialogDriver::Select(int id, std::wstring_view text) {
  return Expect(pw::ui::SelectComboString(Hwnd(id), text), "Select", id);
}

bool DialogDriver::ClickRow(int id, int row, pw::ui::Modifiers modifiers) {
  return Expect(pw::ui::ClickListRow(Hwnd(id), row, modifiers), "ClickRow", id);
}

bool DialogDriver::SelectRows(int id, std::vector<int> rows) {
  return Expect(pw::ui::SelectListRows(Hwnd(id), rows), "SelectRows", id);
}

bool DialogDriver::DoubleClickRow(int id, int row) {
  return Expect(pw::ui::DoubleClickListRow(Hwnd(id), row), "DoubleClickRow", id);
}

bool DialogDriver::RightClickRow(int id, int row) {
  return Expect(pw::ui::RightClickListRow(Hwnd(id), row), "RightClickRow", id);
}

bool DialogDriver::ClickColumn(int id, int column) {
  return Expect(pw::ui::ClickListColumn(Hwnd(id), column), "ClickColumn", id);
}

std::vector<std::vector<std::wstring>> DialogDriver::ShowRows(int id, int first, int last) {
  std::vector<std::vector<std::wstring>> texts;
  const std::optional<std::vector<pw::ui::ListRow>> rows =
      pw::ui::ShowListRows(Hwnd(id), first, last);
  if (!Expect(rows.has_value(), "ShowRows", id)) return texts;
  for (const pw::ui::ListRow& row : *rows) texts.push_back(row.texts);
  return texts;
}

int DialogDriver::TypeAhead(int id, std::wstring_view text) {
  return pw::ui::TypeAhead(Hwnd(id), text);
}

bool DialogDriver::Spin(int id, bool up) {
  return Expect(pw::ui::ClickSpin(Hwnd(id), up), "Spin", id);
}

bool DialogDriver::Enter() { return Expect(pw::ui::PressEnter(window_), "Enter", 0); }

bool DialogDriver::Escape() { return Expect(pw::ui::PressEscape(window_), "Escape", 0); }

bool DialogDriver::Tab(bool backward) {
  return Expect(pw::ui::PressTab(window_, backward), "Tab", 0);
}

bool DialogDriver::Close() { return Expect(pw::ui::CloseWindow(window_), "Close", 0); }

void DialogDriver::Pump() { pw::MessageQueue::Current().DispatchPending(); }

ScriptedUiHost::ScriptedUiHost() { previous_ = pw::ui::SetUiHost(this); }

ScriptedUiHost::~ScriptedUiHost() {
  pw::ui::SetUiHost(previous_);
  for (const Expectation& expectation : expectations_) {
    switch (expectation.kind) {
      case Expectation::Kind::kDialogById:
        ADD_FAILURE() << "expected dialog " << expectation.template_id << " never appeared";
        break;
      case Expectation::Kind::kDialogByCaption:
        ADD_FAILURE() << "expected dialog \"" << pw::ToUtf8(expectation.caption)
                      << "\" never appeared";
        break;
      case Expectation::Kind::kMessageBox:
        ADD_FAILURE() << "expected message box (answer " << expectation.answer
                      << ") never appeared";
        break;
      case Expectation::Kind::kMenu:
        ADD_FAILURE() << "expected popup menu (command " << expectation.answer
                      << ") never appeared";
        break;
    }
  }
}

void ScriptedUiHost::ExpectDialog(UINT template_id, Handler handler) {
  Expectation expectation;
  expectation.kind = Expectation::Kind::kDialogById;
  expectation.template_id = template_id;
  expectation.handler = std::move(handler);
  expectations_.push_back(std::move(expectation));
}

void ScriptedUiHost::ExpectDialog(std::wstring caption, Handler handler) {
  Expectation expectation;
  expectation.kind = Expectation::Kind::kDialogByCaption;
  expectation.caption = std::move(caption);
  expectation.handler = std::move(handler);
  expectations_.push_back(std::move(expectation));
}

void ScriptedUiHost::ExpectMessageBox(int answer, std::optional<std::wstring> text) {
  Expectation expectation;
  expectation.kind = Expectation::Kind::kMessageBox;
  expectation.answer = answer;
  expectation.text = std::move(text);
  expectations_.push_back(std::move(expectation));
}

void ScriptedUiHost::ExpectPopupMenu(UINT command) {
  Expectation expectation;
  expectation.kind = Expectation::Kind::kMenu;
  expectation.answer = static_cast<int>(command);
  expectations_.push_back(std::move(expectation));
}

std::string ScriptedUiHost::Describe(CWnd& window) const {
  std::wstring description = L"\"" + window.GetWindowText() + L"\"";
  if (auto* dialog = dynamic_cast<CDialog*>(&window);
      dialog != nullptr && dialog->GetTemplateId()) {
    description += L" (template " + std::to_wstring(dialog->GetTemplateId()) + L")";
  }
  for (CWnd* child : window.GetChildren()) {
    const std::wstring text = child->GetWindowText();
    if (!text.empty()) description += L" | " + text;
  }
  return pw::ToUtf8(description);
}

void ScriptedUiHost::FailAndCancel(CWnd& window, const std::string& why) {
  ADD_FAILURE() << why << ": " << Describe(window);
  auto* message_box = dynamic_cast<CMessageBoxWnd*>(&window);
  window.EndModalLoop(message_box != nullptr ? message_box->cancel_like_answer() : IDCANCEL);
}

void ScriptedUiHost::RunModalLoop(CWnd& window) {
  modal_windows_.push_back(window.GetWindowText());
  if (dynamic_cast<CMessageBoxWnd*>(&window) != nullptr) {
    RunMessageBox(window);
  } else {
    RunDialog(window);
  }
}

void ScriptedUiHost::RunMessageBox(CWnd& window) {
  auto& box = dynamic_cast<CMessageBoxWnd&>(window);
  MessageBoxRecord record;
  record.text = box.text();
  record.caption = box.caption();
  record.icon = box.icon_kind();
  record.buttons = box.buttons_kind();
  record.default_answer = box.default_answer();
  if (expectations_.empty() || expectations_.front().kind != Expectation::Kind::kMessageBox) {
    record.answer = box.cancel_like_answer();
    message_boxes_.push_back(record);
    FailAndCancel(window, expectations_.empty()
                              ? "unexpected message box"
                              : "a message box came instead of the expected window");
    return;
  }
  const Expectation expectation = std::move(expectations_.front());
  expectations_.pop_front();
  if (expectation.text && *expectation.text != record.text) {
    ADD_FAILURE() << "message box text \"" << pw::ToUtf8(record.text) << "\", expected \""
                  << pw::ToUtf8(*expectation.text) << "\"";
  }
  const auto& answers = box.answers();
  if (std::find(answers.begin(), answers.end(), expectation.answer) == answers.end()) {
    record.answer = box.cancel_like_answer();
    message_boxes_.push_back(record);
    FailAndCancel(window, "answer " + std::to_string(expectation.answer) + " is not a button of");
    return;
  }
  record.answer = expectation.answer;
  message_boxes_.push_back(record);
  // Through the button, as a person answers.
  const HWND button = box.GetDlgItem(expectation.answer)->GetSafeHwnd();
  pw::ui::ClickButton(button);
  if (box.ContinueModal()) box.EndModalLoop(expectation.answer);
}

void ScriptedUiHost::RunDialog(CWnd& window) {
  const HWND self = window.GetSafeHwnd();
  if (expectations_.empty()) {
    FailAndCancel(window, "unexpected window");
    return;
  }
  const Expectation& next = expectations_.front();
  auto* dialog = dynamic_cast<CDialog*>(&window);
  const bool matches =
      (next.kind == Expectation::Kind::kDialogById && dialog != nullptr &&
       dialog->GetTemplateId() == next.template_id) ||
      (next.kind == Expectation::Kind::kDialogByCaption && window.GetWindowText() == next.caption);
  if (!matches) {
    FailAndCancel(window, "a window came that does not match the expected one");
    return;
  }
  const Handler handler = std::move(expectations_.front().handler);
  expectations_.pop_front();
  // A person acts once the dialog has shown: what it posted to itself is handled first.
  pw::MessageQueue::Current().DispatchPending();
  if (handler && IsWindow(self) && window.ContinueModal()) {
    DialogDriver driver(self);
    handler(driver);
  }
  if (!IsWindow(self) || !window.ContinueModal()) return;
  if (!PumpUntil([&window, self] { return !IsWindow(self) || !window.ContinueModal(); })) {
    FailAndCancel(window, "the dialog did not end within the watchdog's time");
  }
}

bool ScriptedUiHost::PumpUntil(const std::function<bool()>& done) const {
  pw::MessageQueue& queue = pw::MessageQueue::Current();
  const DWORD thread = queue.thread_id();
  std::mutex mutex;
  std::condition_variable finished_changed;
  bool finished = false;
  std::atomic<bool> expired{false};
  std::thread watchdog([&] {
    std::unique_lock lock(mutex);
    if (!finished_changed.wait_for(lock, watchdog_, [&] { return finished; })) {
      expired = true;
      // Wakes the loop, which may be waiting for a message that never comes.
      if (pw::MessageQueue* owner = pw::MessageQueue::ForThread(thread)) owner->PostTask([] {});
    }
  });
  queue.RunUntil([&] { return done() || expired.load(); });
  {
    std::lock_guard lock(mutex);
    finished = true;
  }
  finished_changed.notify_all();
  watchdog.join();
  return done();
}

void ScriptedUiHost::WindowCreated(HWND window) {
  CWnd* object = CWnd::FromHandle(window);
  window_log_.push_back(L"created " + (object != nullptr ? object->GetWindowText() : L"?"));
}

void ScriptedUiHost::WindowChanged(HWND window) {
  CWnd* object = CWnd::FromHandle(window);
  window_log_.push_back(L"changed " + (object != nullptr ? object->GetWindowText() : L"?"));
}

void ScriptedUiHost::WindowDestroyed(HWND window) {
  CWnd* object = CWnd::FromHandle(window);
  window_log_.push_back(L"destroyed " + (object != nullptr ? object->GetWindowText() : L"?"));
}

INT_PTR ScriptedUiHost::ShellExecute(HWND /*owner*/, std::wstring_view verb, std::wstring_view file,
                                     std::wstring_view parameters, std::wstring_view /*directory*/,
                                     int /*show*/) {
  shell_executes_.push_back({std::wstring(verb), std::wstring(file), std::wstring(parameters)});
  return shell_execute_result_;
}

void ScriptedUiHost::BusyChanged(bool busy) { busy_changes_.push_back(busy); }

UINT ScriptedUiHost::TrackPopupMenu(const CMenu& menu, CWnd& /*owner*/, int /*x*/, int /*y*/) {
  std::vector<std::wstring> texts;
  for (const CMenu::Item& item : menu.items()) texts.push_back(item.text);
  popup_menus_.push_back(texts);
  if (expectations_.empty() || expectations_.front().kind != Expectation::Kind::kMenu) {
    std::wstring joined;
    for (const std::wstring& text : texts) joined += (joined.empty() ? L"" : L" | ") + text;
    ADD_FAILURE() << "unexpected popup menu: " << pw::ToUtf8(joined);
    return 0;
  }
  const UINT command = static_cast<UINT>(expectations_.front().answer);
  expectations_.pop_front();
  return command;
}

}  // namespace pw::test
