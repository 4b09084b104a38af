// Formatting of string-table texts with the Windows conventions, type-checked.
//
// FormatString follows the printf rules of the Windows C runtime, as CString::Format does:
// %s takes a wide string, %S a narrow (UTF-8) one, %d %i %u %x %X %c with the flags - 0 + and
// blank, width and precision (also *), the size prefixes h l ll I64, and %% for a percent sign.
// FormatMessageString follows FormatMessage: %1 to %99 insert the arguments (%1!d! with a
// printf conversion), %% is a percent sign, %n a line break ("\r\n").
//
// An argument whose type does not suit its conversion, or a missing argument, is a programming
// error: it is asserted, and in release builds the conversion is written as it stood.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace pw {

class FormatArg {
 public:
  FormatArg(int value) : value_(static_cast<std::int64_t>(value)) {}
  FormatArg(long value) : value_(static_cast<std::int64_t>(value)) {}
  FormatArg(long long value) : value_(static_cast<std::int64_t>(value)) {}
  FormatArg(unsigned value) : value_(static_cast<std::uint64_t>(value)) {}
  FormatArg(unsigned long value) : value_(static_cast<std::uint64_t>(value)) {}
  FormatArg(unsigned long long value) : value_(static_cast<std::uint64_t>(value)) {}
  FormatArg(wchar_t value) : value_(static_cast<std::uint64_t>(value)) {}
  FormatArg(const wchar_t* value) : value_(std::wstring_view(value ? value : L"(null)")) {}
  FormatArg(const std::wstring& value) : value_(std::wstring_view(value)) {}
  FormatArg(std::wstring_view value) : value_(value) {}
  FormatArg(const char* value) : value_(std::string_view(value ? value : "(null)")) {}
  FormatArg(const std::string& value) : value_(std::string_view(value)) {}
  FormatArg(std::string_view value) : value_(value) {}

  using Value = std::variant<std::int64_t, std::uint64_t, std::wstring_view, std::string_view>;
  const Value& value() const { return value_; }

 private:
  Value value_;
};

std::wstring FormatStringArgs(std::wstring_view format, const std::vector<FormatArg>& args);
std::wstring FormatMessageArgs(std::wstring_view format, const std::vector<FormatArg>& args);

template <typename... Args>
std::wstring FormatString(std::wstring_view format, const Args&... args) {
  return FormatStringArgs(format, std::vector<FormatArg>{FormatArg(args)...});
}

template <typename... Args>
std::wstring FormatMessageString(std::wstring_view format, const Args&... args) {
  return FormatMessageArgs(format, std::vector<FormatArg>{FormatArg(args)...});
}

}  // namespace pw
