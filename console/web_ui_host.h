// WebUiHost: the window model's front end for the web console — it keeps the list of open
// top-level windows, the busy state and the popup menu waiting for the page, and tells the
// page of every change through the event hub.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "console/event_hub.h"
#include "platform/ui/menu.h"
#include "platform/ui/ui_host.h"

namespace pw::console {

// Installed for the process while the console runs (SetUiHost); outlives the console thread.
// Every UiHost call and every member but revision()/busy() runs on the console thread.
class WebUiHost final : public pw::ui::UiHost {
 public:
  // A popup menu of a dialog control, waiting for the page to choose.
  struct PopupMenu {
    std::uint64_t id = 0;
    HWND owner = nullptr;
    std::vector<CMenu::Item> items;
    bool answered = false;
    UINT command = 0;
  };

  explicit WebUiHost(EventHub& events);
  ~WebUiHost() override;
  WebUiHost(const WebUiHost&) = delete;
  WebUiHost& operator=(const WebUiHost&) = delete;

  // Open top-level windows in the order they were made: the topmost last.
  const std::vector<HWND>& windows() const { return windows_; }
  bool IsOpen(HWND window) const;
  PopupMenu* popup() { return popup_ ? &*popup_ : nullptr; }
  // Ends the waiting popup menu with `command` (0 dismisses it).
  bool AnswerPopup(std::uint64_t id, UINT command);

  std::uint64_t revision() const { return revision_.load(); }
  bool busy() const { return busy_.load(); }

  void WindowCreated(HWND window) override;
  void WindowChanged(HWND window) override;
  void WindowDestroyed(HWND window) override;
  INT_PTR ShellExecute(HWND owner, std::wstring_view verb, std::wstring_view file,
                       std::wstring_view parameters, std::wstring_view directory,
                       int show) override;
  void BusyChanged(bool busy) override;
  UINT TrackPopupMenu(const CMenu& menu, CWnd& owner, int x, int y) override;

 private:
  void Changed();

  EventHub& events_;
  pw::ui::UiHost* previous_ = nullptr;
  std::vector<HWND> windows_;
  std::optional<PopupMenu> popup_;
  // Far above the window handles, so that a menu and a window never share a number.
  std::uint64_t next_popup_ = (std::uint64_t{1} << 40) + 1;
  std::atomic<std::uint64_t> revision_{1};
  std::atomic<bool> busy_{false};
};

// The number by which the API names a window; 0 for none.
std::uint64_t WindowNumber(HWND window);
HWND WindowFromNumber(std::uint64_t number);

}  // namespace pw::console
