// Text conversions at the edges and Windows case rules.
#include "platform/com/strings.h"

#include <gtest/gtest.h>

namespace {

// UTF-8 and UTF-16LE round-trip every plane; malformed input becomes U+FFFD, never a failure.
TEST(Strings, Conversions) {
  const std::wstring text = L"Grüße \U0001F4E0 fax";
  EXPECT_EQ(pw::FromUtf8(pw::ToUtf8(text)), text);
  EXPECT_EQ(pw::ToUtf8(L"ü"), "\xC3\xBC");
  const std::string utf16 = pw::ToUtf16Le(text);
  EXPECT_EQ(utf16.size(), (text.size() + 1) * 2);  // the fax sign takes a surrogate pair
  EXPECT_EQ(pw::FromUtf16Le(utf16), text);
  EXPECT_EQ(pw::ToUtf16Le(L"A"), std::string("A\0", 2));

  EXPECT_EQ(pw::FromUtf8("a\xFF"
                         "b"),
            L"a\uFFFDb");
  EXPECT_EQ(pw::FromUtf8("\xC3"), L"\uFFFD");
  EXPECT_EQ(pw::FromUtf8("\xC0\xAF"), L"\uFFFD\uFFFD");               // overlong form
  EXPECT_EQ(pw::FromUtf16Le(std::string("\x00\xD8", 2)), L"\uFFFD");  // lone surrogate
}

// Byte order marks decide how file text is decoded, and encoding writes them back.
TEST(Strings, DecodeTextHonoursByteOrderMarks) {
  pw::TextEncoding found;
  EXPECT_EQ(pw::DecodeText("\xFF\xFE" + pw::ToUtf16Le(L"[misc]"), &found), L"[misc]");
  EXPECT_EQ(found, pw::TextEncoding::kUtf16Le);
  EXPECT_EQ(pw::DecodeText(std::string("\xFE\xFF\x00\x41", 4), &found), L"A");
  EXPECT_EQ(found, pw::TextEncoding::kUtf16Be);
  EXPECT_EQ(pw::DecodeText("\xEF\xBB\xBFx", &found), L"x");
  EXPECT_EQ(found, pw::TextEncoding::kUtf8Bom);
  EXPECT_EQ(pw::DecodeText("plain", &found), L"plain");
  EXPECT_EQ(found, pw::TextEncoding::kUtf8);
  EXPECT_EQ(pw::EncodeText(L"A", pw::TextEncoding::kUtf16Be), std::string("\xFE\xFF\x00\x41", 4));
  EXPECT_EQ(pw::EncodeText(L"A", pw::TextEncoding::kUtf8Bom),
            "\xEF\xBB\xBF"
            "A");
}

// Names compare without regard to case, also beyond ASCII.
TEST(Strings, CaseRules) {
  EXPECT_TRUE(pw::EqualsIgnoreCase(L"PWSERVER$", L"pwserver$"));
  EXPECT_TRUE(pw::EqualsIgnoreCase(L"Grüße", L"GRÜßE"));
  EXPECT_FALSE(pw::EqualsIgnoreCase(L"abc", L"abcd"));
  EXPECT_LT(pw::CompareIgnoreCase(L"alpha", L"Beta"), 0);
  EXPECT_GT(pw::CompareIgnoreCase(L"b", L"A"), 0);
  EXPECT_EQ(pw::ToUpper(L"ärger"), L"ÄRGER");
  EXPECT_EQ(pw::Trim(L" \t x y \r\n"), L"x y");
  EXPECT_EQ(pw::Trim(L"   "), L"");
}

}  // namespace
