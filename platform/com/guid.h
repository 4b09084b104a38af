// GUID values: parsing, the braced registry text form, and creation.
#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/com/hresult.h"

struct GUID {
  DWORD Data1 = 0;
  WORD Data2 = 0;
  WORD Data3 = 0;
  std::array<BYTE, 8> Data4{};

  friend constexpr bool operator==(const GUID&, const GUID&) = default;
  friend constexpr auto operator<=>(const GUID&, const GUID&) = default;
};

using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

inline constexpr GUID GUID_NULL{};

namespace pw {

namespace guid_detail {
constexpr int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}
}  // namespace guid_detail

// Parses "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx", with or without the braces of the registry
// form. Anything else, including stray white space, is not a GUID.
template <typename Char>
constexpr std::optional<GUID> ParseGuid(std::basic_string_view<Char> text) {
  if (text.size() == 38) {
    if (text.front() != Char('{') || text.back() != Char('}')) return std::nullopt;
    text = text.substr(1, 36);
  }
  if (text.size() != 36) return std::nullopt;
  std::uint64_t parts[5] = {};
  constexpr std::size_t kStarts[5] = {0, 9, 14, 19, 24};
  constexpr std::size_t kLengths[5] = {8, 4, 4, 4, 12};
  for (int part = 0; part < 5; ++part) {
    if (part > 0 && text[kStarts[part] - 1] != Char('-')) return std::nullopt;
    for (std::size_t i = 0; i < kLengths[part]; ++i) {
      const int digit = guid_detail::HexDigit(static_cast<wchar_t>(text[kStarts[part] + i]));
      if (digit < 0) return std::nullopt;
      parts[part] = parts[part] * 16 + static_cast<std::uint64_t>(digit);
    }
  }
  GUID guid;
  guid.Data1 = static_cast<DWORD>(parts[0]);
  guid.Data2 = static_cast<WORD>(parts[1]);
  guid.Data3 = static_cast<WORD>(parts[2]);
  guid.Data4[0] = static_cast<BYTE>(parts[3] >> 8);
  guid.Data4[1] = static_cast<BYTE>(parts[3]);
  for (int i = 0; i < 6; ++i) guid.Data4[2 + i] = static_cast<BYTE>(parts[4] >> (40 - 8 * i));
  return guid;
}

// A GUID from a literal known at compile time; a malformed literal does not compile.
consteval GUID GuidLiteral(const char* text) {
  std::size_t length = 0;
  while (text[length] != '\0') ++length;
  const auto guid = ParseGuid(std::string_view(text, length));
  if (!guid) throw std::invalid_argument("malformed GUID literal");
  return *guid;
}

// The braced registry form, upper-case hex: "{0000010E-0000-0000-C000-000000000046}".
std::wstring GuidToString(REFGUID guid);
std::string GuidToNarrowString(REFGUID guid);

}  // namespace pw

// StringFromGUID2: writes the braced form and its terminator; 0 when the buffer is too small.
int StringFromGUID2(REFGUID guid, LPWSTR buffer, int buffer_chars);
// CLSIDFromString: accepts the braced form only, as the registry holds it.
HRESULT CLSIDFromString(LPCWSTR text, CLSID* clsid);
// A random (version 4) GUID.
HRESULT CoCreateGuid(GUID* guid);
inline bool IsEqualGUID(REFGUID a, REFGUID b) { return a == b; }

template <>
struct std::hash<GUID> {
  std::size_t operator()(const GUID& guid) const noexcept;
};
