// ConsoleSlot: the console session that the server currently serves, replaceable as a whole
// when a console document is opened.
#pragma once

#include <memory>
#include <mutex>

#include "mmc/host/console_session.h"

namespace pw::console {

// Lives as long as the server. Callers keep the session they got for the length of one request;
// a replaced session ends (closing its console) once the last of them lets go.
class ConsoleSlot {
 public:
  explicit ConsoleSlot(std::shared_ptr<pw::mmc::ConsoleSession> session)
      : session_(std::move(session)) {}

  std::shared_ptr<pw::mmc::ConsoleSession> Get() const {
    std::lock_guard lock(mutex_);
    return session_;
  }
  // Serves `session` from now on; answers the one it replaces.
  std::shared_ptr<pw::mmc::ConsoleSession> Replace(
      std::shared_ptr<pw::mmc::ConsoleSession> session) {
    std::lock_guard lock(mutex_);
    std::swap(session, session_);
    return session;
  }

 private:
  mutable std::mutex mutex_;
  std::shared_ptr<pw::mmc::ConsoleSession> session_;
};

}  // namespace pw::console
