// Formatting of setup failures.
#include "installation/setup/setup_status.h"

#include <cstdio>

namespace pw::setup {

SetupStatus SetupStatus::Failure(std::string file, std::string step, HRESULT code,
                                 std::string detail) {
  SetupStatus status;
  status.failed_ = true;
  status.file_ = std::move(file);
  status.step_ = std::move(step);
  // A failure must never read as success, whatever the caller passed.
  status.code_ = SUCCEEDED(code) ? E_FAIL : code;
  status.detail_ = std::move(detail);
  return status;
}

std::string SetupStatus::Message() const {
  if (!failed_) return "success";
  char code[16];
  std::snprintf(code, sizeof(code), "0x%08X", static_cast<unsigned>(code_));
  std::string text = file_ + ": " + step_ + " failed (code " + code;
  if (!detail_.empty()) text += ": " + detail_;
  return text + ")";
}

}  // namespace pw::setup
