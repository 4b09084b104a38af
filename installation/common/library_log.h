// The diagnostic log of the installation's libraries: the console's log file, in the console's
// line format, while a caller has set one. Each library links its own copy, so each has its own
// log setting.
#pragma once

#include <string>
#include <string_view>

#include "platform/win/format.h"

namespace pw::install {

// Sets the log file (a Windows-style path); empty turns logging off.
void SetLogPath(std::wstring_view path);
// Appends one line: the local date and time ("MM/DD/YY HH:MM:SS: "), then the message.
void WriteLogLine(std::wstring_view message);

// Formats with the Windows printf conventions and writes one line when logging is on.
template <typename... Args>
void Log(std::wstring_view format, const Args&... args) {
  WriteLogLine(FormatString(format, args...));
}

}  // namespace pw::install
