// Programs started from Windows command lines with posix_spawn, and their process handles.
//
// A handle owns the child until the child has been reaped. Closing the handle of a child that
// still runs hands it to a detached thread that waits for it, so the child is neither killed
// nor left behind as a zombie. A thread per abandoned child is cheap at the rate the snap-in
// starts programs, needs no SIGCHLD handler (which would take the signal away from the rest of
// the process) and cannot miss an exit. A double fork would avoid the thread but would also
// make the child a stranger whose exit code nobody can read.
#include "platform/win/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "platform/com/strings.h"
#include "platform/win/handle_table.h"
#include "platform/win/last_error.h"
#include "platform/win/paths.h"

extern char** environ;

namespace pw {
namespace {

// What GetExitCodeProcess answers for a child that something outside this layer reaped.
constexpr DWORD kUnknownExitCode = 0xFFFFFFFF;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

BOOL Fail(LONG error) {
  SetLastError(static_cast<DWORD>(error));
  return FALSE;
}

int OpenPidfd(pid_t pid) {
#ifdef SYS_pidfd_open
  return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
  (void)pid;
  return -1;
#endif
}

DWORD ExitCodeFromStatus(int status) {
  if (WIFEXITED(status)) return static_cast<DWORD>(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return 128 + static_cast<DWORD>(WTERMSIG(status));
  return kUnknownExitCode;
}

class ProcessObject : public WaitableObject {
 public:
  explicit ProcessObject(pid_t pid) : pid_(pid), pidfd_(OpenPidfd(pid)) {}

  ~ProcessObject() override {
    {
      std::lock_guard lock(mutex_);
      if (!ReapLocked(WNOHANG)) {
        const pid_t pid = pid_;
        try {
          std::thread([pid] {
            int status = 0;
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
          }).detach();
        } catch (const std::system_error&) {
          // Without a thread the child stays a zombie until this process ends; it still runs.
        }
      }
    }
    if (pidfd_ >= 0) ::close(pidfd_);
  }

  DWORD Wait(DWORD milliseconds) override {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    auto poll_interval = std::chrono::milliseconds(1);
    for (;;) {
      {
        std::lock_guard lock(mutex_);
        if (ReapLocked(WNOHANG)) return WAIT_OBJECT_0;
      }
      int timeout_ms = -1;
      if (milliseconds != INFINITE) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return WAIT_TIMEOUT;
        timeout_ms = static_cast<int>(std::min<long long>(left.count(), INT_MAX));
      }
      if (pidfd_ >= 0) {
        pollfd wanted = {pidfd_, POLLIN, 0};
        ::poll(&wanted, 1, timeout_ms);
      } else {
        // Without pidfds the child can only be asked; the interval grows to keep this cheap.
        auto pause = poll_interval;
        if (timeout_ms >= 0) pause = std::min(pause, std::chrono::milliseconds(timeout_ms));
        std::this_thread::sleep_for(pause);
        poll_interval = std::min(poll_interval * 2, std::chrono::milliseconds(20));
      }
    }
  }

  DWORD ExitCode() {
    std::lock_guard lock(mutex_);
    return ReapLocked(WNOHANG) ? exit_code_ : STILL_ACTIVE;
  }

  BOOL Terminate(UINT exit_code) {
    std::lock_guard lock(mutex_);
    // Once reaped, the process id may already belong to somebody else.
    if (ReapLocked(WNOHANG)) return Fail(ERROR_ACCESS_DENIED);
    if (::kill(pid_, SIGKILL) != 0) return Fail(Win32ErrorFromErrno(errno));
    ReapLocked(0);
    if (killed_by_ == SIGKILL) exit_code_ = exit_code;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
  }

 private:
  // True once the child has ended and its status is known. Only this object reaps its child,
  // always under the mutex.
  bool ReapLocked(int options) {
    if (exited_) return true;
    int status = 0;
    pid_t result;
    do {
      result = ::waitpid(pid_, &status, options);
    } while (result < 0 && errno == EINTR);
    if (result == pid_) {
      exit_code_ = ExitCodeFromStatus(status);
      killed_by_ = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
      exited_ = true;
    } else if (result < 0 && errno == ECHILD) {
      exit_code_ = kUnknownExitCode;
      exited_ = true;
    }
    return exited_;
  }

  std::mutex mutex_;
  const pid_t pid_;
  const int pidfd_;
  bool exited_ = false;
  int killed_by_ = 0;
  DWORD exit_code_ = STILL_ACTIVE;
};

bool IsRegularFile(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string CurrentFolder() {
  char buffer[PATH_MAX];
  return ::getcwd(buffer, sizeof(buffer)) != nullptr ? std::string(buffer) : std::string(".");
}

// The file a program name stands for, or empty. A name with a folder is taken as it is,
// relative to this process's current folder; a bare name is looked for in the current folder,
// then in the folders of PATH, where an executable file wins over one that is not.
std::string ResolveProgram(std::wstring_view program) {
  if (program.find_first_of(L"\\/") != std::wstring_view::npos) {
    std::string path = ToHostPath(program);
    if (path.front() != '/') path = CurrentFolder() + "/" + path;
    return path;
  }
  const std::string name = ToUtf8(program);
  const std::string here = CurrentFolder() + "/" + name;
  struct stat info;
  if (::stat(here.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) return here;
  const char* search_path = std::getenv("PATH");
  std::string folders = search_path != nullptr ? search_path : "/usr/local/bin:/usr/bin:/bin";
  std::string not_executable;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = folders.find(':', start);
    std::string folder = folders.substr(start, end == std::string::npos ? end : end - start);
    if (folder.empty()) folder = CurrentFolder();
    const std::string candidate = folder + "/" + name;
    if (IsRegularFile(candidate)) {
      if (::access(candidate.c_str(), X_OK) == 0) return candidate;
      if (not_executable.empty()) not_executable = candidate;
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return not_executable;
}

LONG SpawnError(int error_number) {
  switch (error_number) {
    case ENOENT:
    case ENOTDIR:
      return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
      return ERROR_ACCESS_DENIED;
    case ENOEXEC:
    case ELIBBAD:
      return ERROR_BAD_EXE_FORMAT;
    default:
      return Win32ErrorFromErrno(error_number);
  }
}

// Owns the posix_spawn descriptions for the duration of one start.
class SpawnSetup {
 public:
  SpawnSetup() {
    ::posix_spawn_file_actions_init(&actions_);
    ::posix_spawnattr_init(&attributes_);
  }
  ~SpawnSetup() {
    ::posix_spawnattr_destroy(&attributes_);
    ::posix_spawn_file_actions_destroy(&actions_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
};

}  // namespace

std::vector<std::wstring> CommandLineToArgv(std::wstring_view command_line) {
  std::vector<std::wstring> words;
  if (command_line.empty()) return words;
  const std::size_t length = command_line.size();
  std::size_t i = 0;
  std::wstring word;
  // The program name knows no escapes: paths are full of backslashes.
  if (command_line[0] == L'"') {
    for (i = 1; i < length && command_line[i] != L'"'; ++i) word += command_line[i];
    if (i < length) ++i;
  } else {
    for (; i < length && !IsBlank(command_line[i]); ++i) word += command_line[i];
  }
  words.push_back(std::move(word));
  word.clear();

  bool in_quotes = false;
  bool in_word = false;
  while (i < length) {
    const wchar_t c = command_line[i];
    if (IsBlank(c) && !in_quotes) {
      if (in_word) words.push_back(std::move(word));
      word.clear();
      in_word = false;
      ++i;
      continue;
    }
    in_word = true;
    if (c == L'\\') {
      std::size_t backslashes = 0;
      while (i + backslashes < length && command_line[i + backslashes] == L'\\') ++backslashes;
      const bool before_quote = i + backslashes < length && command_line[i + backslashes] == L'"';
      if (!before_quote) {
        word.append(backslashes, L'\\');
        i += backslashes;
      } else {
        word.append(backslashes / 2, L'\\');
        i += backslashes;
        // An odd backslash makes the quote literal; an even count leaves it to quote.
        if (backslashes % 2 == 1) {
          word += L'"';
          ++i;
        }
      }
    } else if (c == L'"') {
      if (in_quotes && i + 1 < length && command_line[i + 1] == L'"') {
        word += L'"';
        i += 2;
      } else {
        in_quotes = !in_quotes;
        ++i;
      }
    } else {
      word += c;
      ++i;
    }
  }
  if (in_word) words.push_back(std::move(word));
  return words;
}

}  // namespace pw

BOOL CreateProcess(std::wstring_view application, std::wstring_view command_line,
                   std::wstring_view current_directory, PROCESS_INFORMATION* info) {
  if (info == nullptr) return pw::Fail(ERROR_INVALID_PARAMETER);
  *info = PROCESS_INFORMATION{};
  std::size_t first = 0;
  while (first < command_line.size() && pw::IsBlank(command_line[first])) ++first;
  std::vector<std::wstring> words = pw::CommandLineToArgv(command_line.substr(first));
  const std::wstring program = application.empty()
                                   ? (words.empty() ? std::wstring() : words.front())
                                   : std::wstring(application);
  if (program.empty()) return pw::Fail(ERROR_FILE_NOT_FOUND);
  if (words.empty()) words.push_back(program);

  const std::string program_file = pw::ResolveProgram(program);
  if (program_file.empty()) return pw::Fail(ERROR_FILE_NOT_FOUND);

  pw::SpawnSetup setup;
  if (!current_directory.empty()) {
    const std::string folder = pw::ToHostPath(current_directory);
    struct stat folder_info;
    if (::stat(folder.c_str(), &folder_info) != 0 || !S_ISDIR(folder_info.st_mode)) {
      return pw::Fail(ERROR_DIRECTORY);
    }
    ::posix_spawn_file_actions_addchdir_np(&setup.actions_, folder.c_str());
  }
  // Like a Windows child started without inherited handles, the program sees only the
  // standard streams; and it starts with default signal handling and nothing blocked, whatever
  // this process has set up for itself.
  ::posix_spawn_file_actions_addclosefrom_np(&setup.actions_, 3);
  sigset_t no_signals;
  sigemptyset(&no_signals);
  sigset_t all_signals;
  sigfillset(&all_signals);
  sigdelset(&all_signals, SIGKILL);
  sigdelset(&all_signals, SIGSTOP);
  ::posix_spawnattr_setsigmask(&setup.attributes_, &no_signals);
  ::posix_spawnattr_setsigdefault(&setup.attributes_, &all_signals);
  ::posix_spawnattr_setflags(&setup.attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  std::vector<std::string> arguments;
  arguments.reserve(words.size());
  for (const std::wstring& word : words) arguments.push_back(pw::ToUtf8(word));
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  pid_t pid = 0;
  const int result = ::posix_spawn(&pid, program_file.c_str(), &setup.actions_, &setup.attributes_,
                                   argv.data(), environ);
  if (result != 0) return pw::Fail(pw::SpawnError(result));
  info->hProcess = pw::RegisterHandle(std::make_shared<pw::ProcessObject>(pid));
  info->dwProcessId = static_cast<DWORD>(pid);
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  const auto object = pw::LookUpHandleAs<pw::WaitableObject>(handle);
  if (object == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  return object->Wait(milliseconds);
}

BOOL GetExitCodeProcess(HANDLE process, DWORD* exit_code) {
  const auto object = pw::LookUpHandleAs<pw::ProcessObject>(process);
  if (object == nullptr) return pw::Fail(ERROR_INVALID_HANDLE);
  if (exit_code == nullptr) return pw::Fail(ERROR_INVALID_PARAMETER);
  *exit_code = object->ExitCode();
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

BOOL TerminateProcess(HANDLE process, UINT exit_code) {
  const auto object = pw::LookUpHandleAs<pw::ProcessObject>(process);
  if (object == nullptr) return pw::Fail(ERROR_INVALID_HANDLE);
  return object->Terminate(exit_code);
}

BOOL CloseHandle(HANDLE handle) {
  if (!pw::UnregisterHandle(handle)) return pw::Fail(ERROR_INVALID_HANDLE);
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}
