// ConsoleWatcher: notices what changed in the console between two looks and tells the pages
// through the event hub (tree, view and console events).
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "console/console_slot.h"
#include "console/event_hub.h"

namespace pw::console {

// Lives as long as the server; Look may be called from any thread (it reads the state through
// the session, which runs the read on the console thread).
class ConsoleWatcher {
 public:
  ConsoleWatcher(ConsoleSlot& console, EventHub& events);

  // Reads the console's state and publishes an event for each part that changed since the
  // last look. The first look publishes nothing.
  void Look();
  // After the console was replaced: forgets what it saw and tells the pages to re-read
  // everything (a hello event), then takes the new console as the base of the next look.
  void Restart();
  std::uint64_t revision() const { return revision_.load(); }

 private:
  ConsoleSlot& console_;
  EventHub& events_;
  std::mutex mutex_;
  bool have_last_ = false;
  pw::mmc::ConsoleState last_;
  std::atomic<std::uint64_t> revision_{1};
};

}  // namespace pw::console
