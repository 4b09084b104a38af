// Conversions between wide strings, UTF-8 (which stands in for the ANSI code page) and the
// UTF-16LE bytes of Windows files and streams; case rules of Windows names.
#pragma once

#include <string>
#include <string_view>

namespace pw {

std::string ToUtf8(std::wstring_view text);
// Malformed sequences become U+FFFD, so that outside text can never make a conversion fail.
std::wstring FromUtf8(std::string_view text);

// Wide text as UTF-16LE bytes (no byte order mark) and back; characters outside the basic
// plane become surrogate pairs. An odd trailing byte is ignored.
std::string ToUtf16Le(std::wstring_view text);
std::wstring FromUtf16Le(std::string_view bytes);
std::wstring FromUtf16Be(std::string_view bytes);

// Decodes text read from a file: a UTF-16 byte order mark (either order) or a UTF-8 one is
// honoured and removed; without a mark the bytes are taken as UTF-8.
enum class TextEncoding { kUtf8, kUtf8Bom, kUtf16Le, kUtf16Be };
std::wstring DecodeText(std::string_view bytes, TextEncoding* found = nullptr);
std::string EncodeText(std::wstring_view text, TextEncoding encoding);

wchar_t ToUpper(wchar_t c);
wchar_t ToLower(wchar_t c);
std::wstring ToUpper(std::wstring_view text);
std::wstring ToLower(std::wstring_view text);
// Comparison without regard to case, as Windows compares registry, INI and file names.
bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b);
int CompareIgnoreCase(std::wstring_view a, std::wstring_view b);

// Leading and trailing blanks, tabs and line ends removed.
std::wstring_view Trim(std::wstring_view text);

struct LessIgnoreCase {
  using is_transparent = void;
  bool operator()(std::wstring_view a, std::wstring_view b) const {
    return CompareIgnoreCase(a, b) < 0;
  }
};

}  // namespace pw
