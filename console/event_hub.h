// EventHub: the changes that the event stream sends to every open page.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace pw::console {

// One event as the stream sends it: its name and its JSON data.
struct ServerEvent {
  std::uint64_t sequence = 0;
  std::string name;
  std::string data;
};

// Shared by the console thread (which publishes) and the HTTP threads (each stream waits for
// events after the last one it sent). Keeps the latest events only: a stream that falls far
// behind gets a "hello", after which its page re-reads everything.
class EventHub {
 public:
  static constexpr std::size_t kKept = 512;

  void Publish(std::string name, std::string data);
  // The sequence of the latest event (0 before the first).
  std::uint64_t latest() const;
  // Waits up to `wait` for events after `*cursor`, answers them and moves the cursor. Answers
  // nothing when the wait ran out or the hub is closing.
  std::vector<ServerEvent> WaitAfter(std::uint64_t* cursor, std::chrono::milliseconds wait);
  // Wakes every waiting stream for good; the server is ending.
  void Close();
  bool closed() const;

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<ServerEvent> events_;
  std::uint64_t next_ = 1;
  bool closed_ = false;
};

// The bytes of one event on the stream.
std::string FormatServerEvent(const ServerEvent& event);

}  // namespace pw::console
