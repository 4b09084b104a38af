// Helpers for tests that run work in child processes.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>

namespace pw::test {

// Waits for a child process at most `timeout`, killing it when it takes longer; its exit
// status, or -1 when it did not end normally.
int WaitForChild(pid_t child, std::chrono::seconds timeout);

// Runs `body` in a forked child, which exits with 0 when `body` returns true and 1 otherwise.
pid_t SpawnChild(const std::function<bool()>& body);

// Whether the child ended within `timeout` with exit status 0.
inline bool ChildSucceeded(pid_t child, std::chrono::seconds timeout) {
  return child > 0 && WaitForChild(child, timeout) == 0;
}

}  // namespace pw::test
