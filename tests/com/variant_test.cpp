// VARIANT values keep their type tag; conversions follow the automation rules.
#include "platform/com/variant.h"

#include <gtest/gtest.h>

#include "platform/com/bstr.h"

namespace {

// A text "5", a signed 5 and an unsigned 5 are three different values.
TEST(Variant, TagsAreKept) {
  const VARIANT text = VARIANT::FromBstr(L"5");
  const VARIANT signed_five = VARIANT::FromI4(5);
  const VARIANT unsigned_five = VARIANT::FromUI4(5);
  EXPECT_EQ(text.vt(), VT_BSTR);
  EXPECT_EQ(signed_five.vt(), VT_I4);
  EXPECT_EQ(unsigned_five.vt(), VT_UI4);
  EXPECT_NE(text, signed_five);
  EXPECT_NE(signed_five, unsigned_five);
  EXPECT_EQ(signed_five, VARIANT::FromI4(5));
  EXPECT_TRUE(VARIANT().IsEmpty());
  EXPECT_EQ(VARIANT::FromBool(true).boolVal(), VARIANT_TRUE);

  int record[4] = {};
  const VARIANT pointer = VARIANT::FromPointer(record);
  EXPECT_EQ(pointer.vt(), VT_BYREF | VT_PTR);
  EXPECT_EQ(pointer.byref(), record);
}

// Arrays of variants compare item by item and survive copies independently.
TEST(Variant, ArraysHoldVariants) {
  VARIANT list = VARIANT::FromArray({VARIANT::FromBstr(L"a"), VARIANT::FromI4(-1)});
  EXPECT_EQ(list.vt(), VT_ARRAY | VT_VARIANT);
  const VARIANT copy = list;
  list = VARIANT::FromArray({});
  ASSERT_EQ(copy.Array().size(), 2u);
  EXPECT_EQ(copy.Array()[0].bstrVal(), L"a");
  EXPECT_EQ(copy.Array()[1].lVal(), -1);
  EXPECT_EQ(copy, VARIANT::FromArray({VARIANT::FromBstr(L"a"), VARIANT::FromI4(-1)}));
  EXPECT_NE(copy, list);
}

// ChangeType converts numbers and texts both ways and reports mismatches and overflow.
TEST(Variant, ChangeTypeFollowsAutomationRules) {
  VARIANT out;
  ASSERT_EQ(VARIANT::FromBstr(L" 42 ").ChangeType(VT_I4, &out), S_OK);
  EXPECT_EQ(out.lVal(), 42);
  ASSERT_EQ(VARIANT::FromBstr(L"-7").ChangeType(VT_I4, &out), S_OK);
  EXPECT_EQ(out.lVal(), -7);
  EXPECT_EQ(VARIANT::FromBstr(L"-7").ChangeType(VT_UI4, &out), DISP_E_OVERFLOW);
  EXPECT_EQ(VARIANT::FromBstr(L"4x").ChangeType(VT_I4, &out), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(VARIANT::FromBstr(L"").ChangeType(VT_I4, &out), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(VARIANT::FromBstr(L"4294967296").ChangeType(VT_UI4, &out), DISP_E_OVERFLOW);
  ASSERT_EQ(VARIANT::FromUI4(4000000000u).ChangeType(VT_BSTR, &out), S_OK);
  EXPECT_EQ(out.bstrVal(), L"4000000000");
  EXPECT_EQ(VARIANT::FromUI4(4000000000u).ChangeType(VT_I4, &out), DISP_E_OVERFLOW);
  ASSERT_EQ(VARIANT::FromI4(-3).ChangeType(VT_BOOL, &out), S_OK);
  EXPECT_EQ(out.boolVal(), VARIANT_TRUE);

  EXPECT_EQ(VARIANT::FromBool(true).ToString(), L"-1");
  ASSERT_EQ(VARIANT::FromBool(false).ChangeType(VT_BSTR, &out, VARIANT_ALPHABOOL), S_OK);
  EXPECT_EQ(out.bstrVal(), L"False");
  EXPECT_EQ(VARIANT().ToString(), L"");
  EXPECT_EQ(VARIANT::FromArray({}).ToString(), L"");
  EXPECT_EQ(VARIANT::FromArray({}).ChangeType(VT_BSTR, &out), DISP_E_TYPEMISMATCH);
}

// BSTRs carry their length, so embedded nulls survive; a null BSTR is empty.
TEST(Bstr, LengthPrefixedStrings) {
  const wchar_t text[] = {L'a', L'\0', L'b'};
  BSTR copy = SysAllocStringLen(text, 3);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(SysStringLen(copy), 3u);
  EXPECT_EQ(copy[1], L'\0');
  EXPECT_EQ(copy[3], L'\0');
  SysFreeString(copy);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysAllocString(nullptr), nullptr);

  const _bstr_t owned(L"Fax");
  BSTR handed_out = owned.copy();
  EXPECT_EQ(SysStringLen(handed_out), 3u);
  EXPECT_STREQ(handed_out, L"Fax");
  SysFreeString(handed_out);
  EXPECT_EQ(_bstr_t(static_cast<LPCWSTR>(nullptr)).length(), 0u);
}

}  // namespace
