// Tests of Windows command-line splitting and of processes started, waited for and ended.
#include "platform/win/process.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/com/strings.h"
#include "platform/win/last_error.h"
#include "tests/support/temp_installation.h"

namespace {

using pw::test::ScopedEnv;
using pw::test::TempDir;

constexpr DWORD kWaitMs = 10000;

std::wstring Win(const std::string& host_path) {
  std::wstring path = pw::FromUtf8(host_path);
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

// Starts a command line and answers its exit code once it ended, or a failure text.
std::string RunToExit(std::wstring_view application, std::wstring_view command_line,
                      std::wstring_view folder = L"") {
  PROCESS_INFORMATION info;
  if (!CreateProcess(application, command_line, folder, &info)) {
    return "start failed " + std::to_string(GetLastError());
  }
  std::string result;
  if (WaitForSingleObject(info.hProcess, kWaitMs) != WAIT_OBJECT_0) {
    TerminateProcess(info.hProcess, 1);
    result = "did not end";
  } else {
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    result = "exit " + std::to_string(code);
  }
  CloseHandle(info.hProcess);
  return result;
}

// Polls for a condition for up to ten seconds.
template <typename Condition>
bool Eventually(Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return condition();
}

bool IsGoneOrNotZombie(DWORD pid) {
  const std::string stat_file = "/proc/" + std::to_string(pid) + "/stat";
  FILE* file = std::fopen(stat_file.c_str(), "r");
  if (file == nullptr) return true;
  char line[512] = {};
  const bool read = std::fgets(line, sizeof(line), file) != nullptr;
  std::fclose(file);
  const std::string text = read ? line : "";
  const std::size_t paren = text.rfind(')');
  return paren == std::string::npos || paren + 2 >= text.size() || text[paren + 2] != 'Z';
}

bool ProcessExists(DWORD pid) { return std::filesystem::exists("/proc/" + std::to_string(pid)); }

// The classic splitting table: quotes, backslash runs before quotes, doubled quotes, empty
// arguments, and the program name that knows no escapes.
TEST(CommandLineToArgvTest, SplitsWithTheWindowsRules) {
  using Words = std::vector<std::wstring>;
  struct Case {
    const wchar_t* line;
    Words words;
  };
  const Case cases[] = {
      {LR"(p "a b" c)", {L"p", L"a b", L"c"}},
      {LR"(p a\\\"b)", {L"p", LR"(a\"b)"}},
      {LR"(p a\\\\"b c" d)", {L"p", LR"(a\\b c)", L"d"}},
      {LR"(p "")", {L"p", L""}},
      {LR"(p "" "")", {L"p", L"", L""}},
      {LR"(p a\\ b\)", {L"p", LR"(a\\)", LR"(b\)"}},
      {LR"(p "a\\")", {L"p", LR"(a\)"}},
      {LR"(p "a\\\"")", {L"p", LR"(a\")"}},
      {LR"(p "a""b")", {L"p", LR"(a"b)"}},
      {LR"(p a"b c"d e)", {L"p", L"ab cd", L"e"}},
      {LR"(p "unterminated arg)", {L"p", L"unterminated arg"}},
      {L"p\ta\t\tb  ", {L"p", L"a", L"b"}},
      {LR"("C:\Program Files\x.exe" /s)", {LR"(C:\Program Files\x.exe)", L"/s"}},
      {LR"(C:\dir\a"b c)", {LR"(C:\dir\a"b)", L"c"}},
      {LR"("C:\x\"y z)", {LR"(C:\x\)", L"y", L"z"}},
      {LR"("a b"c d)", {L"a b", L"c", L"d"}},
      {L"  p a", {L"", L"p", L"a"}},
      {L"p", {L"p"}},
      {L"", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(pw::CommandLineToArgv(c.line), c.words) << pw::ToUtf8(c.line);
  }
}

// Programs found by path, by a Windows path, by an application argument and on PATH report
// their exit codes; leading blanks before the program are ignored.
TEST(CreateProcessTest, ReportsExitCodes) {
  EXPECT_EQ(RunToExit(L"", LR"(/bin/sh -c "exit 7")"), "exit 7");
  EXPECT_EQ(RunToExit(L"", LR"(\bin\sh -c "exit 0")"), "exit 0");
  EXPECT_EQ(RunToExit(L"/bin/sh", LR"(anything -c "exit 3")"), "exit 3");
  EXPECT_EQ(RunToExit(L"", LR"(sh -c "exit 250")"), "exit 250");
  EXPECT_EQ(RunToExit(L"", LR"(   "/bin/sh" -c "exit 4")"), "exit 4");
  EXPECT_EQ(RunToExit(L"", LR"(/bin/sh -c "kill -TERM $$")"), "exit 143");
}

// Arguments arrive as the Windows rules split them, the child runs in the given folder (a
// Windows path), and argv[0] is the command line's first word even when an application is named.
TEST(CreateProcessTest, PassesArgumentsAndFolder) {
  TempDir dir;
  dir.WriteFile("work dir/.keep", "");
  const std::string script = dir.WriteFile(
      "show args.sh",
      "#!/bin/sh\n"
      "{ printf '<%s>\\n' \"$0\"; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; pwd; } "
      "> args.txt\n");
  ::chmod(script.c_str(), 0755);
  const std::wstring line = L"\"" + Win(script) + LR"(" "two words" plain a\"b "" "tail\\")";
  EXPECT_EQ(RunToExit(L"", line, Win(dir.Sub("work dir"))), "exit 0");
  const std::string expected_folder = std::filesystem::canonical(dir.Sub("work dir")).string();
  EXPECT_EQ(
      dir.ReadFile("work dir/args.txt"),
      "<" + script + ">\n[two words]\n[plain]\n[a\"b]\n[]\n[tail\\]\n" + expected_folder + "\n");

  // A bare name is looked for in this process's current folder before PATH.
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  const std::string here = std::filesystem::current_path().string();
  const std::string bare = RunToExit(L"", L"\"show args.sh\" x", L"");
  std::filesystem::current_path(previous);
  EXPECT_EQ(bare, "exit 0");
  EXPECT_EQ(dir.ReadFile("args.txt"), "<" + here + "/show args.sh>\n[x]\n" + here + "\n");

  EXPECT_EQ(RunToExit(L"/bin/sh", LR"(shown-name -c "cat /proc/$$/cmdline > cmd.txt; exit 0")",
                      Win(dir.path())),
            "exit 0");
  EXPECT_EQ(dir.ReadFile("cmd.txt").substr(0, 14), std::string("shown-name\0-c\0", 14));
}

// Each kind of failure to start gives its Windows error number.
TEST(CreateProcessTest, MapsStartFailures) {
  TempDir dir;
  dir.WriteFile("plain.txt", "not a program\n");
  const std::string garbage = dir.WriteFile("garbage.exe", std::string("\x01\x02\x03junk", 7));
  ::chmod(garbage.c_str(), 0755);
  std::filesystem::create_directory(dir.Sub("folder"));
  ScopedEnv path("PATH", dir.path() + ":/usr/bin:/bin");
  PROCESS_INFORMATION info;

  struct Case {
    std::wstring application;
    std::wstring line;
    std::wstring folder;
    LONG error;
  };
  const Case cases[] = {
      {L"", Win(dir.Sub("missing.exe")) + L" a", L"", ERROR_FILE_NOT_FOUND},
      {L"", L"no-such-program-pw", L"", ERROR_FILE_NOT_FOUND},
      {L"", Win(dir.Sub("nofolder/x.exe")), L"", ERROR_FILE_NOT_FOUND},
      {L"", L"", L"", ERROR_FILE_NOT_FOUND},
      {L"", L"   ", L"", ERROR_FILE_NOT_FOUND},
      {L"", Win(dir.Sub("plain.txt")), L"", ERROR_ACCESS_DENIED},
      {L"", L"plain.txt", L"", ERROR_ACCESS_DENIED},
      {L"", Win(dir.Sub("folder")), L"", ERROR_ACCESS_DENIED},
      {L"", Win(garbage) + L" arg", L"", ERROR_BAD_EXE_FORMAT},
      {L"", L"/bin/sh -c true", Win(dir.Sub("no such folder")), ERROR_DIRECTORY},
      {L"", L"/bin/sh -c true", Win(dir.Sub("plain.txt")), ERROR_DIRECTORY},
  };
  for (const Case& c : cases) {
    info.hProcess = reinterpret_cast<HANDLE>(0x1);
    EXPECT_FALSE(CreateProcess(c.application, c.line, c.folder, &info)) << pw::ToUtf8(c.line);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(c.error)) << pw::ToUtf8(c.line);
    EXPECT_EQ(info.hProcess, nullptr);
  }
  EXPECT_FALSE(CreateProcess(L"", L"/bin/true", L"", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

// A short wait on a long program times out; TerminateProcess ends it with the given code and
// a second attempt is refused.
TEST(CreateProcessTest, WaitTimesOutAndTerminateEnds) {
  PROCESS_INFORMATION info;
  ASSERT_TRUE(CreateProcess(L"", L"sleep 5", L"", &info));
  EXPECT_GT(info.dwProcessId, 0u);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 50), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_TIMEOUT);
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeProcess(info.hProcess, &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  EXPECT_TRUE(TerminateProcess(info.hProcess, 42));
  EXPECT_EQ(WaitForSingleObject(info.hProcess, kWaitMs), WAIT_OBJECT_0);
  ASSERT_TRUE(GetExitCodeProcess(info.hProcess, &code));
  EXPECT_EQ(code, 42u);
  EXPECT_FALSE(ProcessExists(info.dwProcessId));
  EXPECT_FALSE(TerminateProcess(info.hProcess, 1));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(CloseHandle(info.hProcess));
}

// A process killed from outside reports 128 + the signal; a process waited for on another
// thread wakes that waiter.
TEST(CreateProcessTest, SignalsAndWaitersOnOtherThreads) {
  PROCESS_INFORMATION info;
  ASSERT_TRUE(CreateProcess(L"", L"sleep 30", L"", &info));
  DWORD waited = WAIT_FAILED;
  std::thread waiter([&] { waited = WaitForSingleObject(info.hProcess, kWaitMs); });
  ASSERT_EQ(::kill(static_cast<pid_t>(info.dwProcessId), SIGTERM), 0);
  waiter.join();
  EXPECT_EQ(waited, WAIT_OBJECT_0);
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeProcess(info.hProcess, &code));
  EXPECT_EQ(code, 128u + SIGTERM);
  EXPECT_TRUE(CloseHandle(info.hProcess));
}

// Closing the handle of a running process neither kills it nor leaves a zombie when it ends.
TEST(CreateProcessTest, ClosedHandleLeavesChildRunningAndReaped) {
  TempDir dir;
  PROCESS_INFORMATION info;
  ASSERT_TRUE(CreateProcess(L"", LR"(/bin/sh -c "sleep 0.3; echo done > finished.txt")",
                            Win(dir.path()), &info));
  const DWORD pid = info.dwProcessId;
  EXPECT_TRUE(CloseHandle(info.hProcess));
  EXPECT_TRUE(Eventually([&] { return dir.ReadFile("finished.txt") == "done\n"; }));
  EXPECT_TRUE(Eventually([&] { return !ProcessExists(pid); }));
  EXPECT_TRUE(IsGoneOrNotZombie(pid));
}

// Handles that were never given out, or were closed, are refused without harm.
TEST(CreateProcessTest, RefusesBadHandles) {
  HANDLE bogus = reinterpret_cast<HANDLE>(0xdead0);
  EXPECT_EQ(WaitForSingleObject(bogus, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  DWORD code = 0;
  EXPECT_FALSE(GetExitCodeProcess(bogus, &code));
  EXPECT_FALSE(TerminateProcess(nullptr, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  PROCESS_INFORMATION info;
  ASSERT_TRUE(CreateProcess(L"", L"/bin/true", L"", &info));
  EXPECT_EQ(WaitForSingleObject(info.hProcess, kWaitMs), WAIT_OBJECT_0);
  EXPECT_FALSE(GetExitCodeProcess(info.hProcess, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(CloseHandle(info.hProcess));
  EXPECT_FALSE(CloseHandle(info.hProcess));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_FAILED);
}

}  // namespace
