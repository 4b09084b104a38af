// WebUiHost.
#include "console/web_ui_host.h"

#include <algorithm>
#include <cstdint>

#include "platform/com/strings.h"
#include "platform/ui/wnd.h"
#include "platform/win/message_queue.h"

namespace pw::console {

std::uint64_t WindowNumber(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }

HWND WindowFromNumber(std::uint64_t number) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(number));
}

WebUiHost::WebUiHost(EventHub& events) : events_(events) { previous_ = pw::ui::SetUiHost(this); }

WebUiHost::~WebUiHost() { pw::ui::SetUiHost(previous_); }

bool WebUiHost::IsOpen(HWND window) const {
  return std::find(windows_.begin(), windows_.end(), window) != windows_.end();
}

void WebUiHost::Changed() {
  const std::uint64_t revision = ++revision_;
  events_.Publish("windows", "{\"revision\":" + std::to_string(revision) + "}");
}

void WebUiHost::WindowCreated(HWND window) {
  if (!IsOpen(window)) windows_.push_back(window);
  Changed();
}

void WebUiHost::WindowChanged(HWND window) {
  if (IsOpen(window)) Changed();
}

void WebUiHost::WindowDestroyed(HWND window) {
  std::erase(windows_, window);
  Changed();
}

INT_PTR WebUiHost::ShellExecute(HWND, std::wstring_view, std::wstring_view file,
                                std::wstring_view parameters, std::wstring_view, int) {
  // The page opens what the console asks for: an address in a new tab, a file offered for
  // download would need a route of its own and is opened the same way by its address.
  std::wstring target(file);
  if (!parameters.empty()) target += L" " + std::wstring(parameters);
  std::string data = "{\"url\":\"";
  for (char c : pw::ToUtf8(target)) {
    if (c == '"' || c == '\\') data += '\\';
    if (static_cast<unsigned char>(c) < 0x20) continue;
    data += c;
  }
  events_.Publish("open", data + "\"}");
  return 42;
}

void WebUiHost::BusyChanged(bool busy) {
  busy_ = busy;
  events_.Publish("busy", busy ? "{\"busy\":true}" : "{\"busy\":false}");
}

UINT WebUiHost::TrackPopupMenu(const CMenu& menu, CWnd& owner, int, int) {
  if (popup_) return 0;  // one popup at a time, as a person can open only one
  popup_ = PopupMenu{next_popup_++, owner.GetSafeHwnd(), menu.items(), false, 0};
  Changed();
  // The page answers through a task on this thread, which this nested pump runs; meanwhile
  // the console counts as idle, as it does while a dialog waits.
  pw::MessageQueue::Current().RunUntil([this] { return popup_->answered; });
  const UINT command = popup_->command;
  popup_.reset();
  Changed();
  return command;
}

bool WebUiHost::AnswerPopup(std::uint64_t id, UINT command) {
  if (!popup_ || popup_->id != id || popup_->answered) return false;
  if (command != 0) {
    const auto& items = popup_->items;
    const bool offered = std::any_of(items.begin(), items.end(), [command](const CMenu::Item& i) {
      return i.id == command && !i.separator() && i.enabled();
    });
    if (!offered) return false;
  }
  popup_->answered = true;
  popup_->command = command;
  return true;
}

}  // namespace pw::console
