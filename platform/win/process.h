// Processes started with a Windows command line, as the snap-in starts the server's programs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/com/types.h"

struct PROCESS_INFORMATION {
  HANDLE hProcess = nullptr;
  DWORD dwProcessId = 0;
};

inline constexpr DWORD INFINITE = 0xFFFFFFFF;
inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_TIMEOUT = 258;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
inline constexpr DWORD STILL_ACTIVE = 259;

// Starts a program. `application` (may be empty) names the program file; otherwise the first
// word of `command_line` does. The command line is split with the Windows rules and the
// words after the program become its arguments. A name without a folder is looked for in the
// current folder, then on PATH. On failure: FALSE, and the last error is 2 (not found),
// 5 (access denied), 193 (not a program) or 267 (bad current folder).
BOOL CreateProcess(std::wstring_view application, std::wstring_view command_line,
                   std::wstring_view current_directory, PROCESS_INFORMATION* info);
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
// STILL_ACTIVE while running; the exit status, or 128 + the signal number when killed.
BOOL GetExitCodeProcess(HANDLE process, DWORD* exit_code);
// Kills the process (SIGKILL); its exit code is then `exit_code`, as on Windows. Fails with
// ERROR_ACCESS_DENIED when the process had already ended.
BOOL TerminateProcess(HANDLE process, UINT exit_code);
// Closing the handle of a running process leaves it running; it is reaped when it ends.
BOOL CloseHandle(HANDLE handle);

namespace pw {
// CommandLineToArgvW's rules: blanks separate words; quotes group; 2n backslashes before a
// quote give n backslashes and the quote toggles quoting; 2n+1 give n and a literal quote; ""
// inside quotes gives a quote; other backslashes are literal. The first word (the program)
// ends at the first blank or closing quote without backslash processing, so a line that
// starts with a blank has an empty first word. An empty line gives no words.
std::vector<std::wstring> CommandLineToArgv(std::wstring_view command_line);
}  // namespace pw
