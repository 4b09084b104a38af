// Tests of the printf and FormatMessage formatting of string-table texts.
#include "platform/win/format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "platform/com/strings.h"
#include "platform/com/types.h"

namespace pw {
namespace {

struct Case {
  std::wstring_view format;
  std::vector<FormatArg> args;
  std::wstring_view expected;
};

void ExpectFormats(const std::vector<Case>& cases, bool message_style) {
  for (const Case& c : cases) {
    const std::wstring actual =
        message_style ? FormatMessageArgs(c.format, c.args) : FormatStringArgs(c.format, c.args);
    EXPECT_EQ(actual, c.expected) << "format: " << ToUtf8(c.format);
  }
}

// The conversions that Windows texts rely on and that glibc would format differently.
TEST(FormatStringTest, WindowsConventions) {
  const DWORD major = 5, minor = 2, build = 3790;
  const HRESULT invalid_arg = static_cast<HRESULT>(0x80070057);
  const ULONGLONG big = std::numeric_limits<std::uint64_t>::max();
  ExpectFormats(
      {
          {L"%lu.%lu (Build %lu)", {major, minor, build}, L"5.2 (Build 3790)"},
          {L"%s %s: ", {L"Pagewell", std::wstring(L"Configuration")}, L"Pagewell Configuration: "},
          {L"%08X", {invalid_arg}, L"80070057"},
          {L"0x%08x", {HRESULT{0x57}}, L"0x00000057"},
          {L"%I64u", {big}, L"18446744073709551615"},
          {L"%I64u bytes", {ULONGLONG{0x100000000}}, L"4294967296 bytes"},
          {L"%llu", {ULONGLONG{5}}, L"5"},
          {L"%-5s|", {L"ab"}, L"ab   |"},
          {L"%S",
           {"Gr\xC3\xBC\xC3\x9F"
            "e"},
           L"Gr\u00FC\u00DFe"},
          {L"%hs and %ls and %ws",
           {"narrow", L"wide", L"wide too"},
           L"narrow and wide and wide too"},
          {L"%5.2s", {L"abcdef"}, L"   ab"},
          {L"%05s", {L"ab"}, L"000ab"},
          {L"%s", {static_cast<const wchar_t*>(nullptr)}, L"(null)"},
          {L"100%% sure", {}, L"100% sure"},
      },
      false);
}

// printf's integer rules: sign, blank, zero padding, precision, alternate forms, sizes.
TEST(FormatStringTest, Integers) {
  const std::int64_t most_negative = std::numeric_limits<std::int64_t>::min();
  ExpectFormats(
      {
          {L"%d", {-42}, L"-42"},
          {L"%i", {123}, L"123"},
          {L"%+d %+d", {42, -42}, L"+42 -42"},
          {L"% d|% d", {42, -42}, L" 42|-42"},
          {L"%+ d", {42}, L"+42"},
          {L"%05d", {-42}, L"-0042"},
          {L"%-6d|", {42}, L"42    |"},
          {L"%-06d|", {42}, L"42    |"},
          {L"%.3d", {7}, L"007"},
          {L"%010.3d", {42}, L"       042"},
          {L"[%.0d]", {0}, L"[]"},
          {L"%x %X", {255, 255}, L"ff FF"},
          {L"%#x %#X %#x", {255, 255, 0}, L"0xff 0XFF 0"},
          {L"%#010x", {255}, L"0x000000ff"},
          {L"%o %#o %#o", {8, 8, 0}, L"10 010 0"},
          {L"%x", {-1}, L"ffffffff"},
          {L"%u", {-1}, L"4294967295"},
          {L"%d", {0xFFFFFFFFu}, L"-1"},
          {L"%X", {0xDEADBEEFu}, L"DEADBEEF"},
          {L"%hd %hu", {65535, -1}, L"-1 65535"},
          {L"%I64d", {most_negative}, L"-9223372036854775808"},
          {L"%lld %I64X", {-5LL, -1LL}, L"-5 FFFFFFFFFFFFFFFF"},
          {L"%I32d", {-7}, L"-7"},
          {L"%*d|%-*d|%*d", {5, 42, 4, 7, -4, 7}, L"   42|7   |7   "},
          {L"%.*d", {4, 9}, L"0009"},
      },
      false);
}

// Characters and strings: wide by default, narrow with an upper-case conversion or h.
TEST(FormatStringTest, CharactersAndStrings) {
  ExpectFormats(
      {
          {L"%c%c", {L'x', wchar_t{0xFC}}, L"x\u00FC"},
          {L"%3c|%-3c|", {L'a', L'b'}, L"  a|b  |"},
          {L"%C%hc", {'A', 'b'}, L"Ab"},
          {L"%.*s|", {2, L"abc"}, L"ab|"},
          {L"%.*s|", {-1, L"abc"}, L"abc|"},
          {L"%*s|", {-4, L"ab"}, L"ab  |"},
          {L"%.3S", {"abcdef"}, L"abc"},
          {L"%s", {std::wstring_view(L"view")}, L"view"},
          {L"%S", {std::string("string")}, L"string"},
          {L"[%s]", {L""}, L"[]"},
      },
      false);
}

// FormatMessage inserts: numbered in any order, with printf conversions, and its escapes.
TEST(FormatMessageTest, InsertsAndEscapes) {
  const std::vector<FormatArg> ten = {L"a", L"b", L"c", L"d", L"e", L"f", L"g", L"h", L"i", L"j"};
  ExpectFormats(
      {
          {L"%1 and %2", {L"this", L"that"}, L"this and that"},
          {L"%2 before %1", {L"first", L"second"}, L"second before first"},
          {L"%1!d! of %2!d! pages sent%!", {4, 5}, L"4 of 5 pages sent!"},
          {L"Error %1!08X!: %2",
           {static_cast<HRESULT>(0x80070005), L"denied"},
           L"Error 80070005: denied"},
          {L"%1!-4s!|%1!4s!|", {L"ab"}, L"ab  |  ab|"},
          {L"%1!S!", {"narrow"}, L"narrow"},
          {L"%1!I64u!", {ULONGLONG{1} << 40}, L"1099511627776"},
          {L"%1%n%2", {L"one", L"two"}, L"one\r\ntwo"},
          {L"a%rb%tc", {}, L"a\rb\tc"},
          {L"kept%0 not this", {}, L"kept"},
          {L"%%1 %. %! %  %q", {}, L"%1 . !   q"},
          {L"ends with %", {}, L"ends with %"},
          {L"%1 only", {L"one", L"unused"}, L"one only"},
          {L"%10|%100", ten, L"j|j0"},
          {L"%9%1", ten, L"ia"},
          {L"line\nbreak", {}, L"line\nbreak"},
      },
      true);
}

}  // namespace
}  // namespace pw
