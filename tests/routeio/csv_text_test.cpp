// Comma-separated text of route files: quoting both ways, line numbers, separators, the
// encodings a file may have, and the malformed texts that are refused.
#include "installation/routeio/csv_text.h"

#include <gtest/gtest.h>

#include "platform/com/strings.h"

namespace pw::routeio {
namespace {

using Fields = std::vector<std::wstring>;

std::vector<CsvRecord> Parse(std::wstring_view text) {
  std::vector<CsvRecord> records;
  FileProblem problem;
  EXPECT_TRUE(ParseCsv(text, &records, &problem)) << ToUtf8(problem.reason);
  return records;
}

FileProblem Refusal(std::wstring_view text) {
  std::vector<CsvRecord> records;
  FileProblem problem;
  EXPECT_FALSE(ParseCsv(text, &records, &problem));
  return problem;
}

// Fields with separators, quotes, line ends and edge blanks are quoted and read back as they
// were; plain fields are written bare.
TEST(CsvTextTest, QuotingRoundTrip) {
  const Fields fields = {L"plain", L"a,b",        L"say \"hi\"", L"two\r\nlines",     L"x\ny",
                         L" pad",  L"semi;colon", L"",           L"\u00c4rger \u20ac"};
  const std::wstring line = FormatCsvRecord(fields);
  EXPECT_EQ(line,
            L"plain,\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",\"x\ny\",\" pad\","
            L"\"semi;colon\",,\u00c4rger \u20ac\r\n");
  const std::vector<CsvRecord> records = Parse(line + FormatCsvRecord({L"next"}));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].fields, fields);
  EXPECT_EQ(records[0].line, 1u);
  // The quoted line ends moved the second record to line 4.
  EXPECT_EQ(records[1].line, 4u);
  EXPECT_EQ(records[1].fields, Fields{L"next"});
}

// LF, CR LF and lone CR all end records; empty lines are skipped but counted; a last record
// without a line end is kept; empty fields are kept.
TEST(CsvTextTest, LineEndsAndEmptyLines) {
  const std::vector<CsvRecord> records = Parse(L"a,b\n\r\nc\rd,,\r\n\n\"\"\ne");
  ASSERT_EQ(records.size(), 5u);
  EXPECT_EQ(records[0].fields, (Fields{L"a", L"b"}));
  EXPECT_EQ(records[1].line, 3u);
  EXPECT_EQ(records[1].fields, Fields{L"c"});
  EXPECT_EQ(records[2].line, 4u);
  EXPECT_EQ(records[2].fields, (Fields{L"d", L"", L""}));
  EXPECT_EQ(records[3].line, 6u);
  EXPECT_EQ(records[3].fields, Fields{L""});
  EXPECT_EQ(records[4].line, 7u);
  EXPECT_EQ(records[4].fields, Fields{L"e"});
  EXPECT_TRUE(Parse(L"").empty());
  EXPECT_TRUE(Parse(L"\r\n\n").empty());
}

// A first line with semicolons and no comma makes the semicolon the separator of the file;
// a comma anywhere on the first line (outside quotes) keeps the comma.
TEST(CsvTextTest, SemicolonFiles) {
  const std::vector<CsvRecord> semicolons = Parse(L"Value;Display\n1,5;\"x;y\"\n");
  ASSERT_EQ(semicolons.size(), 2u);
  EXPECT_EQ(semicolons[0].fields, (Fields{L"Value", L"Display"}));
  EXPECT_EQ(semicolons[1].fields, (Fields{L"1,5", L"x;y"}));
  const std::vector<CsvRecord> commas = Parse(L"\"a;b\",c;d\n");
  ASSERT_EQ(commas.size(), 1u);
  EXPECT_EQ(commas[0].fields, (Fields{L"a;b", L"c;d"}));
}

// Malformed quoting and NUL characters are refused with the line where they were found.
TEST(CsvTextTest, MalformedTextIsRefused) {
  FileProblem problem = Refusal(L"a\nb,\"open\n\nstill open");
  EXPECT_EQ(problem.line, 2u);
  EXPECT_EQ(problem.reason, L"a quoted field is not closed");
  problem = Refusal(L"a\n\"closed\"x,b");
  EXPECT_EQ(problem.line, 2u);
  EXPECT_EQ(problem.reason, L"text follows a closing quote");
  problem = Refusal(L"a\n\nab\"c\"");
  EXPECT_EQ(problem.line, 3u);
  EXPECT_EQ(problem.reason, L"a quote stands inside an unquoted field");
  problem = Refusal(std::wstring(L"a,b\0c", 5));
  EXPECT_EQ(problem.line, 1u);
  EXPECT_EQ(problem.reason, L"the text holds a NUL character");
  problem = Refusal(std::wstring(L"\"a\0\"", 4));
  EXPECT_EQ(problem.reason, L"the text holds a NUL character");
}

// UTF-8 with and without its mark and UTF-16 of either order with its mark decode to the same
// text; bytes that are not UTF-8 (Latin-1, overlong forms, surrogates, cut sequences) and
// UTF-16 with half a character are refused.
TEST(CsvTextTest, EncodingsOfFiles) {
  const std::wstring expected = L"Value\r\n\u00c4rger \U0001F4E0\r\n";
  const std::string utf8 = ToUtf8(expected);
  for (const std::string& bytes :
       {utf8, "\xEF\xBB\xBF" + utf8, EncodeText(expected, TextEncoding::kUtf16Le),
        EncodeText(expected, TextEncoding::kUtf16Be)}) {
    std::wstring text;
    FileProblem problem;
    EXPECT_TRUE(DecodeFileText(bytes, &text, &problem)) << ToUtf8(problem.reason);
    EXPECT_EQ(text, expected);
  }
  for (const std::string& bytes :
       {std::string("Value\n\xE4rger"), std::string("\xC0\xAF"), std::string("\xED\xA0\x80"),
        std::string("ok\xE2\x82"), std::string("\xEF\xBB\xBF\xFF")}) {
    std::wstring text;
    FileProblem problem;
    EXPECT_FALSE(DecodeFileText(bytes, &text, &problem));
    EXPECT_EQ(problem.reason, L"the file is neither UTF-8 nor UTF-16 text");
  }
  std::wstring text;
  FileProblem problem;
  EXPECT_FALSE(DecodeFileText(std::string("\xFF\xFE"
                                          "V\0"
                                          "a",
                                          5),
                              &text, &problem));
  EXPECT_EQ(problem.reason, L"the UTF-16 text ends in half a character");
}

}  // namespace
}  // namespace pw::routeio
