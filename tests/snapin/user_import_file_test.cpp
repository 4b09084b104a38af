// The user import file reader without a console: encodings, the field syntax, line numbers,
// completion and the address checks.
#include "module/users/user_import_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/com/strings.h"

namespace pw {
namespace {

using Problems = std::vector<ImportProblem>;
using P = ImportProblem;

std::string Utf16(const std::u16string& text, bool big_endian, bool mark = true) {
  std::string bytes = mark ? (big_endian ? "\xFE\xFF" : "\xFF\xFE") : "";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += big_endian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

std::vector<ImportRecord> ReadAll(const std::wstring& text) {
  UserImportReader reader(text);
  std::vector<ImportRecord> records;
  ImportRecord record;
  while (reader.Next(&record)) records.push_back(record);
  return records;
}

ImportRecord ReadOne(const std::wstring& line) {
  const std::vector<ImportRecord> records = ReadAll(line);
  EXPECT_EQ(records.size(), 1u) << "for: " << ToUtf8(line);
  return records.empty() ? ImportRecord{} : records.front();
}

// The four encodings give the same text; the first bytes decide, and ANSI is Windows-1252.
TEST(UserImportFileTest, EncodingsDecodeToTheSameText) {
  const std::wstring expected = L"J\u00FCrgen,\u20AC,\U0001F600\r\n";
  std::wstring text;
  ImportEncoding encoding = ImportEncoding::kAnsi;
  ASSERT_TRUE(
      DecodeUserImportFile(Utf16(u"J\u00FCrgen,\u20AC,\U0001F600\r\n", false), &text, &encoding));
  EXPECT_EQ(encoding, ImportEncoding::kUtf16Le);
  EXPECT_EQ(text, expected);
  ASSERT_TRUE(
      DecodeUserImportFile(Utf16(u"J\u00FCrgen,\u20AC,\U0001F600\r\n", true), &text, &encoding));
  EXPECT_EQ(encoding, ImportEncoding::kUtf16Be);
  EXPECT_EQ(text, expected);
  ASSERT_TRUE(DecodeUserImportFile("\xEF\xBB\xBFJ\xC3\xBCrgen,\xE2\x82\xAC,\xF0\x9F\x98\x80\r\n",
                                   &text, &encoding));
  EXPECT_EQ(encoding, ImportEncoding::kUtf8);
  EXPECT_EQ(text, expected);
  // 0x80 is the euro sign, 0x9F Y with diaeresis, the undefined 0x81 stays U+0081; UTF-8
  // without its mark is ANSI too.
  ASSERT_TRUE(DecodeUserImportFile("J\xFCrgen \x80\x9F\x81\xC3\xBC", &text, &encoding));
  EXPECT_EQ(encoding, ImportEncoding::kAnsi);
  EXPECT_EQ(text, L"J\u00FCrgen \u20AC\u0178\u0081\u00C3\u00BC");
  // A mark alone is an empty file, not a broken one.
  EXPECT_TRUE(DecodeUserImportFile("\xFE\xFF", &text));
  EXPECT_EQ(text, L"");
}

// What the reader cannot decode is refused, with no text left behind: odd UTF-16, broken
// surrogates, NUL characters (UTF-16 without a mark looks like that) and malformed UTF-8.
TEST(UserImportFileTest, UndecodableFilesAreRefused) {
  const std::vector<std::string> refused = {
      Utf16(u"ab", false) + "c",
      Utf16(u"ab", true) + "c",
      Utf16(std::u16string(u"a") + char16_t(0xD83D), false),
      Utf16(std::u16string{char16_t(0xD83D), u'a'}, true),
      Utf16(std::u16string{u'a', char16_t(0xDE00)}, false),
      Utf16(std::u16string{u'a', u'\0', u'b'}, false),
      Utf16(u"Anna,Berger", false, false),
      std::string("a\0b", 3),
      "\xEF\xBB\xBF\x80",
      "\xEF\xBB\xBF\xC0\x80",
      "\xEF\xBB\xBF\xED\xA0\x80",
      "\xEF\xBB\xBF\xE2\x82",
      "\xEF\xBB\xBF\xF4\x90\x80\x80",
      std::string("\xEF\xBB\xBF"
                  "a\0",
                  5),
  };
  for (std::size_t i = 0; i < refused.size(); ++i) {
    std::wstring text = L"left over";
    EXPECT_FALSE(DecodeUserImportFile(refused[i], &text)) << "case " << i;
    EXPECT_EQ(text, L"") << "case " << i;
  }
}

// Blanks and tabs before a field are skipped, quotes keep commas, tabs inside become blanks,
// fields are trimmed and cut at the longest length, quoted or not.
TEST(UserImportFileTest, FieldSyntax) {
  ImportRecord record = ReadOne(
      L" \tAnna ,\"Berger, Dr.\" ,\"Acme, Inc.\",Sales\tEast,+49 1,  +49 2 ,anna@Pagewell,"
      L"aberger,\" anna@example.com \"");
  EXPECT_EQ(record.problems, Problems{});
  const ImportedUser& user = record.user;
  EXPECT_EQ((std::vector<std::wstring>{user.first_name, user.last_name, user.company,
                                       user.department, user.fax, user.voice, user.address,
                                       user.login, user.internet_mail, user.full_name}),
            (std::vector<std::wstring>{L"Anna", L"Berger, Dr.", L"Acme, Inc.", L"Sales East",
                                       L"+49 1", L"+49 2", L"anna@Pagewell", L"aberger",
                                       L"anna@example.com", L"Anna Berger, Dr."}));

  const std::wstring longest(kMaxImportFieldLength, L'x');
  record = ReadOne(longest + L"yyy,\"" + longest + L"z,z\",,,,,a@b,c");
  EXPECT_EQ(record.problems, Problems{});
  EXPECT_EQ(record.user.first_name, longest);
  EXPECT_EQ(record.user.last_name, longest);
  EXPECT_EQ(record.user.address, L"a@b");
}

// Which lines are records with which problems, in the order found. A missing comma or an
// unclosed string ends the record unchecked; text after the last field is reported and the
// record is still completed and checked.
TEST(UserImportFileTest, RecordProblems) {
  const struct {
    const wchar_t* line;
    Problems problems;
  } cases[] = {
      {L"A,B,,,,,a@b,c", {}},
      {L"A,B,,,,,a@b,c, ", {}},
      {L"A,B,,,,,a@b,c,\"\"", {}},
      {L"A,B,C,D,E,F,a@b", {P::kCommaExpected}},
      {L"A;B;;;;;a@b;c", {P::kCommaExpected}},
      {L"\"A\"x,B,,,,,a@b,c", {P::kCommaExpected}},
      {L"A,B,,,,,a@b,c,d@e,more", {P::kNewLineExpected}},
      {L"A,B,,,,,bad,c,\"d@e\" x", {P::kNewLineExpected, P::kInvalidAddress}},
      {L"A,\"B\n", {P::kStringNotClosedAtEndOfLine}},
      {L"A,\"B,,,,,a@b,c", {P::kStringNotClosedAtEndOfFile}},
      {L"A,B,,,,,,c,", {P::kInvalidAddress}},
      {L"A,B,,,,,a b@c,c", {P::kInvalidAddress}},
      {L"A,B,,,,,a@c,c,nowhere", {P::kInvalidInternetMail}},
      {L"Doe, John,,,,,,x@y,z", {P::kInvalidAddress, P::kInvalidInternetMail}},
  };
  for (const auto& test : cases) {
    EXPECT_EQ(ReadOne(test.line).problems, test.problems) << ToUtf8(test.line);
  }
  ImportRecord record = ReadOne(L"A,B,C,D,E,F,a@b");
  EXPECT_EQ(record.user.address, L"a@b");
  EXPECT_EQ(record.user.login, L"") << "an abandoned record is not completed";
  record = ReadOne(L"A,B,,,,,a@b,c,d@e,more");
  EXPECT_EQ(record.user.internet_mail, L"d@e");
  EXPECT_EQ(record.user.full_name, L"A B");
}

// Every line end counts a line, empty and blank lines included; CR LF is one line end, CR CR
// two; rewinding starts the count again.
TEST(UserImportFileTest, LineNumbers) {
  const std::wstring user = L"A,B,,,,,a@b,c";
  std::vector<int> lines;
  for (const ImportRecord& record : ReadAll(L"\r\n" + user + L"\r\n\r\n \t\n" + user + L"\r\r" +
                                            user + L"\n" + user + L"\n\n")) {
    lines.push_back(record.line);
  }
  EXPECT_EQ(lines, (std::vector<int>{2, 5, 7, 8}));

  UserImportReader reader(L"\n\"open\n" + user);
  ImportRecord record;
  ASSERT_TRUE(reader.Next(&record));
  EXPECT_EQ(record.line, 2);
  EXPECT_EQ(record.problems, Problems{P::kStringNotClosedAtEndOfLine});
  ASSERT_TRUE(reader.Next(&record));
  EXPECT_EQ(record.line, 3);
  EXPECT_FALSE(reader.Next(&record));
  reader.Rewind();
  ASSERT_TRUE(reader.Next(&record));
  EXPECT_EQ(record.line, 2);
}

// Completion: login from the address; names from a known full name; the full name from the
// names, the one that is given, or the login.
TEST(UserImportFileTest, Completion) {
  EXPECT_EQ(ReadOne(L",,,,,,jd@Pagewell,,").user.full_name, L"jd@Pagewell");
  EXPECT_EQ(ReadOne(L",Berger,,,,,a@b,ab").user.full_name, L"Berger");
  EXPECT_EQ(ReadOne(L"Anna,,,,,,a@b,ab").user.full_name, L"Anna");

  ImportedUser user;
  user.full_name = L"Doe,  John";
  CompleteImportedUser(&user);
  EXPECT_EQ(user.first_name, L"John");
  EXPECT_EQ(user.last_name, L"Doe");
  EXPECT_EQ(user.full_name, L"John Doe");
  user = ImportedUser{};
  user.full_name = L"Mary Ann Smith";
  user.first_name = L"Maria";
  CompleteImportedUser(&user);
  EXPECT_EQ(user.last_name, L"Ann Smith");
  EXPECT_EQ(user.full_name, L"Maria Ann Smith");
}

}  // namespace
}  // namespace pw
