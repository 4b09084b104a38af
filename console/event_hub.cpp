// EventHub.
#include "console/event_hub.h"

namespace pw::console {

void EventHub::Publish(std::string name, std::string data) {
  {
    std::lock_guard lock(mutex_);
    events_.push_back(ServerEvent{next_++, std::move(name), std::move(data)});
    while (events_.size() > kKept) events_.pop_front();
  }
  changed_.notify_all();
}

std::uint64_t EventHub::latest() const {
  std::lock_guard lock(mutex_);
  return next_ - 1;
}

std::vector<ServerEvent> EventHub::WaitAfter(std::uint64_t* cursor,
                                             std::chrono::milliseconds wait) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, wait, [&] { return closed_ || next_ - 1 > *cursor; });
  std::vector<ServerEvent> found;
  if (closed_ || next_ - 1 <= *cursor) return found;
  if (!events_.empty() && events_.front().sequence > *cursor + 1) {
    // Events were dropped before this stream saw them.
    found.push_back(
        ServerEvent{next_ - 1, "hello", "{\"revision\":" + std::to_string(next_ - 1) + "}"});
  } else {
    for (const ServerEvent& event : events_) {
      if (event.sequence > *cursor) found.push_back(event);
    }
  }
  *cursor = next_ - 1;
  return found;
}

void EventHub::Close() {
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
  }
  changed_.notify_all();
}

bool EventHub::closed() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

std::string FormatServerEvent(const ServerEvent& event) {
  // The data is one line of JSON: serialized JSON never holds a raw line break.
  return "id: " + std::to_string(event.sequence) + "\nevent: " + event.name +
         "\ndata: " + event.data + "\n\n";
}

}  // namespace pw::console
