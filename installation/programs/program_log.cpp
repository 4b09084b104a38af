// Recording the command lines the server's configuration programs receive.
#include "installation/programs/program_log.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace pw::programs {

int RecordCommandLine(const char* name, int argc, char** argv) {
  std::error_code failure;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", failure);
  if (failure) return 1;
  const std::string log = (self.parent_path() / "programs.log").string();
  std::string line = name;
  // Started as the console starts it, the command line does not repeat the program: its first
  // word is argv[0].
  for (int i = 0; i < argc; ++i) {
    line += ' ';
    line += argv[i];
  }
  line += '\n';
  const int file = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (file < 0) return 1;
  // Several consoles may start programs at once; each line is written whole.
  ::flock(file, LOCK_EX);
  const bool written = ::write(file, line.data(), line.size()) == static_cast<ssize_t>(line.size());
  ::flock(file, LOCK_UN);
  ::close(file);
  return written ? 0 : 1;
}

}  // namespace pw::programs
