// GUID parsing, text forms and creation.
#include "platform/com/guid.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr GUID kSample = pw::GuidLiteral("0000010E-0000-0000-C000-000000000046");

// The braced registry form round-trips in upper case, and both forms parse to the same value.
TEST(Guid, TextFormsRoundTrip) {
  EXPECT_EQ(pw::GuidToString(kSample), L"{0000010E-0000-0000-C000-000000000046}");
  EXPECT_EQ(kSample.Data1, 0x0000010Eu);
  EXPECT_EQ(kSample.Data4[0], 0xC0);
  EXPECT_EQ(kSample.Data4[7], 0x46);
  const auto lower = pw::ParseGuid(std::wstring_view(L"{0000010e-0000-0000-c000-000000000046}"));
  ASSERT_TRUE(lower.has_value());
  EXPECT_EQ(*lower, kSample);
  const auto bare = pw::ParseGuid(std::string_view("0000010E-0000-0000-C000-000000000046"));
  ASSERT_TRUE(bare.has_value());
  EXPECT_EQ(*bare, kSample);
}

// Anything but the exact 36- or 38-character forms is refused.
TEST(Guid, MalformedTextIsRefused) {
  for (std::wstring_view text :
       {L"", L"{0000010E-0000-0000-C000-000000000046", L"0000010E-0000-0000-C000-00000000004",
        L"0000010E-0000-0000-C000-00000000004G", L"0000010E+0000-0000-C000-000000000046",
        L" 0000010E-0000-0000-C000-000000000046", L"[0000010E-0000-0000-C000-000000000046]"}) {
    EXPECT_FALSE(pw::ParseGuid(text).has_value()) << std::string(text.begin(), text.end());
  }
  CLSID clsid;
  EXPECT_TRUE(FAILED(CLSIDFromString(L"0000010E-0000-0000-C000-000000000046", &clsid)));
  EXPECT_EQ(CLSIDFromString(L"{0000010E-0000-0000-C000-000000000046}", &clsid), S_OK);
  EXPECT_EQ(clsid, kSample);
}

// StringFromGUID2 needs room for 38 characters and the terminator.
TEST(Guid, StringFromGuid2ChecksTheBuffer) {
  wchar_t buffer[39];
  EXPECT_EQ(StringFromGUID2(kSample, buffer, 38), 0);
  EXPECT_EQ(StringFromGUID2(kSample, buffer, 39), 39);
  EXPECT_STREQ(buffer, L"{0000010E-0000-0000-C000-000000000046}");
}

// Created GUIDs are distinct version-4 values.
TEST(Guid, CreatedGuidsAreRandomVersion4) {
  std::set<GUID> seen;
  for (int i = 0; i < 200; ++i) {
    GUID guid;
    ASSERT_EQ(CoCreateGuid(&guid), S_OK);
    EXPECT_EQ(guid.Data3 >> 12, 4);
    EXPECT_EQ(guid.Data4[0] & 0xC0, 0x80);
    seen.insert(guid);
  }
  EXPECT_EQ(seen.size(), 200u);
}

}  // namespace
