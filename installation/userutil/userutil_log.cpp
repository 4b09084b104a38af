// The library's diagnostic log.
#include "installation/userutil/userutil_log.h"

#include <cstdio>
#include <ctime>
#include <mutex>

#include "platform/com/strings.h"
#include "platform/win/paths.h"

namespace pw::userutil {
namespace {

struct LogState {
  std::mutex mutex;
  std::string file;  // POSIX path; empty while logging is off
};

LogState& State() {
  static LogState state;
  return state;
}

}  // namespace

void SetLogPath(std::wstring_view path) {
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  state.file = path.empty() ? std::string() : ToHostPath(path);
}

void WriteLogLine(std::wstring_view message) {
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  if (state.file.empty()) return;
  // The console appends to the same file between our lines, so it is opened for each one.
  std::FILE* log = std::fopen(state.file.c_str(), "a");
  if (log == nullptr) return;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof(stamp), "%m/%d/%y %H:%M:%S: ", &local);
  std::fputs(stamp, log);
  std::fputs(ToUtf8(message).c_str(), log);
  std::fputs("\n", log);
  std::fclose(log);
}

}  // namespace pw::userutil
