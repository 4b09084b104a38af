// Invariants of the window model: a wrong control id or kind is a programming error that
// stops the program with a message, in every build.
#pragma once

#include <string>

namespace pw::ui {

[[noreturn]] void CheckFailed(const char* file, int line, const std::string& message);

}  // namespace pw::ui

#define PW_UI_CHECK(condition, message) \
  ((condition) ? static_cast<void>(0) : ::pw::ui::CheckFailed(__FILE__, __LINE__, (message)))
