// What a setup step answers, and the account of what a setup run created and kept.
#pragma once

#include <string>
#include <vector>

#include "platform/com/hresult.h"

namespace pw::setup {

// The outcome of a setup step: success, or the file it worked on, the step and the code that
// stopped it. Must be examined, so that no failure is dropped on the way up.
class [[nodiscard]] SetupStatus {
 public:
  static SetupStatus Ok() { return SetupStatus(); }
  // `detail` is optional text that the code alone does not say (a library's own message).
  static SetupStatus Failure(std::string file, std::string step, HRESULT code,
                             std::string detail = {});

  bool ok() const { return !failed_; }
  HRESULT code() const { return code_; }
  // "FILE: STEP failed (code 0xXXXXXXXX: detail)".
  std::string Message() const;

 private:
  bool failed_ = false;
  std::string file_;
  std::string step_;
  HRESULT code_ = S_OK;
  std::string detail_;
};

// The lines a setup run reports: everything it made ("created: ..."), everything that was
// there already and left as it was ("kept: ...") and the modules it registered again
// ("registered: ..."), in the order they happened.
class SetupReport {
 public:
  void Created(const std::string& what) { lines_.push_back("created: " + what); }
  void Kept(const std::string& what) { lines_.push_back("kept: " + what); }
  void Registered(const std::string& module) { lines_.push_back("registered: " + module); }
  // Created or Kept by `existed`.
  void Record(bool existed, const std::string& what) { existed ? Kept(what) : Created(what); }
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
};

}  // namespace pw::setup
