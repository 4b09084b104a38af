// ConsoleWatcher: notices what changed in the console between two looks and tells the pages
// through the event hub (tree, view and console events).
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "console/event_hub.h"
#include "mmc/host/console_session.h"

namespace pw::console {

// Lives as long as the server; Look may be called from any thread (it reads the state through
// the session, which runs the read on the console thread).
class ConsoleWatcher {
 public:
  ConsoleWatcher(pw::mmc::ConsoleSession& session, EventHub& events);

  // Reads the console's state and publishes an event for each part that changed since the
  // last look. The first look publishes nothing.
  void Look();
  std::uint64_t revision() const { return revision_.load(); }

 private:
  pw::mmc::ConsoleSession& session_;
  EventHub& events_;
  std::mutex mutex_;
  bool have_last_ = false;
  pw::mmc::ConsoleState last_;
  std::atomic<std::uint64_t> revision_{1};
};

}  // namespace pw::console
