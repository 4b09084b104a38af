// The diagnostic log of the installation's libraries.
#include "installation/common/library_log.h"

#include <cstdio>
#include <ctime>
#include <mutex>

#include "platform/com/strings.h"
#include "platform/win/paths.h"

namespace pw::install {
namespace {

std::mutex& LogMutex() {
  static std::mutex mutex;
  return mutex;
}

// POSIX path of the log; empty while logging is off.
std::string& LogFile() {
  static std::string file;
  return file;
}

}  // namespace

void SetLogPath(std::wstring_view path) {
  std::lock_guard lock(LogMutex());
  LogFile() = path.empty() ? std::string() : ToHostPath(path);
}

void WriteLogLine(std::wstring_view message) {
  std::lock_guard lock(LogMutex());
  if (LogFile().empty()) return;
  // The console writes to the same file between our lines, so each line opens it afresh.
  std::FILE* log = std::fopen(LogFile().c_str(), "a");
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

}  // namespace pw::install
