// Helpers for tests that run work in child processes.
#pragma once

#include <sys/types.h>

#include <chrono>

namespace pw::test {

// Waits for a child process at most `timeout`, killing it when it takes longer; its exit
// status, or -1 when it did not end normally.
int WaitForChild(pid_t child, std::chrono::seconds timeout);

}  // namespace pw::test
