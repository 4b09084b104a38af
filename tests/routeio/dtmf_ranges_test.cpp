// The DTMF/DID entry grammar: lists, ranges, errors with their positions, counts, expansion
// with and without forced widths, and the single-number check of renames.
#include "module/routing/dtmf_ranges.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace pw {
namespace {

using Texts = std::vector<std::wstring>;

constexpr DtmfFormat kPlain{false, 4};
constexpr DtmfFormat kFourDigits{true, 4};

Texts Expand(std::wstring_view list, const DtmfFormat& format) {
  const DtmfParseResult parsed = ParseDtmfList(list);
  EXPECT_TRUE(parsed.valid) << "list: " << std::string(list.begin(), list.end());
  return ExpandDtmfEntries(parsed.entries, format);
}

// The dialog's own example makes ten routes, plain or forced to four digits.
TEST(DtmfRangesTest, ExampleListExpandsInTypedOrder) {
  const DtmfParseResult parsed = ParseDtmfList(L"1,3,5-12");
  ASSERT_TRUE(parsed.valid);
  ASSERT_EQ(parsed.entries.size(), 3u);
  EXPECT_EQ(parsed.entries[0], (DtmfEntry{true, false, 1, 1, L""}));
  EXPECT_EQ(parsed.entries[2], (DtmfEntry{true, true, 5, 12, L""}));
  EXPECT_EQ(CountDtmfNumbers(parsed.entries), 10u);
  EXPECT_EQ(ExpandDtmfEntries(parsed.entries, kPlain),
            (Texts{L"1", L"3", L"5", L"6", L"7", L"8", L"9", L"10", L"11", L"12"}));
  EXPECT_EQ(ExpandDtmfEntries(parsed.entries, kFourDigits),
            (Texts{L"0001", L"0003", L"0005", L"0006", L"0007", L"0008", L"0009", L"0010", L"0011",
                   L"0012"}));
}

// A range typed downwards keeps its bounds but expands upwards; blanks of every kind around
// tokens, dashes and commas are skipped.
TEST(DtmfRangesTest, ReversedRangesAndBlanks) {
  const DtmfParseResult reversed = ParseDtmfList(L"12-5");
  ASSERT_TRUE(reversed.valid);
  EXPECT_EQ(reversed.entries[0], (DtmfEntry{true, true, 12, 5, L""}));
  EXPECT_EQ(ExpandDtmfEntries(reversed.entries, kPlain),
            (Texts{L"5", L"6", L"7", L"8", L"9", L"10", L"11", L"12"}));
  EXPECT_EQ(Expand(L"7 - 9 , 11", kPlain), (Texts{L"7", L"8", L"9", L"11"}));
  EXPECT_EQ(Expand(L"\t1\r\n-\v3\f, 5 ", kPlain), (Texts{L"1", L"2", L"3", L"5"}));
  EXPECT_EQ(Expand(L"5-5", kPlain), (Texts{L"5"}));
}

// Symbolic entries are padded like numbers and upper-cased; numbers lose leading zeros unless
// forced; nothing longer than the width is cut.
TEST(DtmfRangesTest, SymbolicEntriesAndPadding) {
  const DtmfParseResult parsed = ParseDtmfList(L"*5#");
  ASSERT_TRUE(parsed.valid);
  EXPECT_EQ(parsed.entries[0], (DtmfEntry{false, false, 0, 0, L"*5#"}));
  EXPECT_EQ(Expand(L"*5#", kFourDigits), (Texts{L"0*5#"}));
  EXPECT_EQ(Expand(L"*5#", kPlain), (Texts{L"*5#"}));
  EXPECT_EQ(Expand(L"ab, 12cd, 12ab", kFourDigits), (Texts{L"00AB", L"12CD", L"12AB"}));
  EXPECT_EQ(Expand(L"007", kPlain), (Texts{L"7"}));
  EXPECT_EQ(Expand(L"007", kFourDigits), (Texts{L"0007"}));
  EXPECT_EQ(Expand(L"123456", kFourDigits), (Texts{L"123456"}));
  // The width is held to what the dialog offers.
  EXPECT_EQ(Expand(L"5", DtmfFormat{true, 0}), (Texts{L"05"}));
  EXPECT_EQ(Expand(L"5", DtmfFormat{true, 99}), (Texts{std::wstring(31, L'0') + L"5"}));
}

// Every kind of invalid list, with the position from which the dialog selects the text.
TEST(DtmfRangesTest, InvalidListsReportWhereParsingStopped) {
  const struct {
    const wchar_t* list;
    std::size_t position;
  } cases[] = {
      {L"", 0},     {L"   ", 3}, {L"*5-7", 0},    {L"5 - *7", 4}, {L"1,,2", 2}, {L"1,", 2},
      {L"1 , ", 4}, {L"1-", 2},  {L"1 2", 2},     {L"1;2", 1},    {L",1", 0},   {L"1-2-3", 3},
      {L"1-e", 2},  {L"E", 0},   {L"12ab-13", 0}, {L"5-12ab", 2}, {L"1, x", 3},
  };
  for (std::size_t n = 0; n < std::size(cases); ++n) {
    SCOPED_TRACE("case " + std::to_string(n));
    const DtmfParseResult parsed = ParseDtmfList(cases[n].list);
    EXPECT_FALSE(parsed.valid);
    EXPECT_EQ(parsed.error_position, cases[n].position);
    EXPECT_TRUE(parsed.entries.empty());
  }
}

// More than one hundred numbers need confirmation; one hundred do not.
TEST(DtmfRangesTest, ConfirmationAboveOneHundredNumbers) {
  EXPECT_FALSE(DtmfNeedsConfirmation(ParseDtmfList(L"1-100").entries));
  EXPECT_TRUE(DtmfNeedsConfirmation(ParseDtmfList(L"1-101").entries));
  EXPECT_EQ(CountDtmfNumbers(ParseDtmfList(L"1-101").entries), 101u);
  EXPECT_FALSE(DtmfNeedsConfirmation(ParseDtmfList(L"1-99, *").entries));
  EXPECT_TRUE(DtmfNeedsConfirmation(ParseDtmfList(L"1-100, *").entries));
  EXPECT_EQ(CountDtmfNumbers({}), 0u);
}

// Values at the top of 64 bits neither wrap the count nor the expansion; longer digit strings
// stay text; long tokens keep their first 255 characters.
TEST(DtmfRangesTest, LimitsOfNumbersAndTokens) {
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  const DtmfParseResult whole = ParseDtmfList(L"0-18446744073709551615");
  ASSERT_TRUE(whole.valid);
  EXPECT_EQ(CountDtmfNumbers(whole.entries), kMax);
  EXPECT_TRUE(DtmfNeedsConfirmation(whole.entries));
  Texts visited;
  EXPECT_FALSE(ForEachDtmfText(whole.entries, kPlain, [&](const std::wstring& text) {
    visited.push_back(text);
    return visited.size() < 3;
  }));
  EXPECT_EQ(visited, (Texts{L"0", L"1", L"2"}));

  EXPECT_EQ(Expand(L"18446744073709551615-18446744073709551614", kPlain),
            (Texts{L"18446744073709551614", L"18446744073709551615"}));

  const DtmfParseResult too_long = ParseDtmfList(L"18446744073709551616");
  ASSERT_TRUE(too_long.valid);
  EXPECT_EQ(too_long.entries[0], (DtmfEntry{false, false, 0, 0, L"18446744073709551616"}));
  EXPECT_EQ(ParseDtmfList(L"1-18446744073709551616").error_position, 2u);

  const DtmfParseResult long_token = ParseDtmfList(std::wstring(300, L'#') + L",1");
  ASSERT_TRUE(long_token.valid);
  ASSERT_EQ(long_token.entries.size(), 2u);
  EXPECT_EQ(long_token.entries[0].text, std::wstring(kDtmfMaxTokenLength, L'#'));
  EXPECT_EQ(long_token.entries[1].first, 1u);
}

// A renamed route or the options page accepts exactly one token and stores it in capitals.
TEST(DtmfRangesTest, SingleNumberCheck) {
  EXPECT_EQ(ParseDtmfNumber(L"  12ab "), std::optional<std::wstring>(L"12AB"));
  EXPECT_EQ(ParseDtmfNumber(L"0042"), std::optional<std::wstring>(L"0042"));
  EXPECT_EQ(ParseDtmfNumber(L"*#d"), std::optional<std::wstring>(L"*#D"));
  EXPECT_EQ(ParseDtmfNumber(L"1-3"), std::nullopt);
  EXPECT_EQ(ParseDtmfNumber(L"1,2"), std::nullopt);
  EXPECT_EQ(ParseDtmfNumber(L"1 2"), std::nullopt);
  EXPECT_EQ(ParseDtmfNumber(L"12e"), std::nullopt);
  EXPECT_EQ(ParseDtmfNumber(L"  "), std::nullopt);
}

}  // namespace
}  // namespace pw
