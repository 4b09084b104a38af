// INI files: Windows reading rules, rewrites that keep the rest of the file, encodings, errors.
#include "platform/win/ini_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/com/strings.h"
#include "platform/win/last_error.h"
#include "tests/support/process_helpers.h"
#include "tests/support/temp_installation.h"

namespace {

using pw::test::ChildSucceeded;
using pw::test::SpawnChild;
using pw::test::TempDir;

std::wstring Wide(const std::string& path) { return pw::FromUtf8(path); }

// Sections and keys compare without regard to case, the first occurrence wins, values are
// trimmed and unquoted, comments and lines outside sections are not entries.
TEST(Ini, ReadingRules) {
  TempDir dir;
  const std::wstring file = Wide(dir.WriteFile("pw.ini",
                                               "orphan=outside any section\r\n"
                                               "[Server]\r\n"
                                               "  Name =  FAXSRV  \r\n"
                                               "name=second wins nothing\r\n"
                                               "Quoted=\"  spaced  \"\r\n"
                                               "Twice=\"\"inner\"\"\r\n"
                                               "Half=\"open\r\n"
                                               ";Comment=not a key\r\n"
                                               "Empty=\r\n"
                                               "no equals sign\r\n"
                                               "[ server ]\r\n"
                                               "Extra=in a later section of the same name\r\n"
                                               "[Other\r\n"
                                               "Key=no closing bracket\r\n"));

  EXPECT_EQ(GetPrivateProfileString(L"SERVER", L"name", L"def", file), L"FAXSRV");
  EXPECT_EQ(GetPrivateProfileString(L"server", L"Quoted", L"", file), L"  spaced  ");
  EXPECT_EQ(GetPrivateProfileString(L"server", L"Twice", L"", file), L"\"inner\"");
  EXPECT_EQ(GetPrivateProfileString(L"server", L"Half", L"", file), L"\"open");
  EXPECT_EQ(GetPrivateProfileString(L"server", L"Empty", L"def", file), L"");
  EXPECT_EQ(GetPrivateProfileString(L"server", L";Comment", L"def", file), L"def");
  EXPECT_EQ(GetPrivateProfileString(L"server", L"Extra", L"def", file), L"def");
  EXPECT_EQ(GetPrivateProfileString(L"Other", L"Key", L"def", file), L"no closing bracket");
  EXPECT_EQ(GetPrivateProfileString(L"", L"orphan", L"def", file), L"def");
  EXPECT_EQ(GetPrivateProfileString(L"Missing", L"Name", L"default  ", file), L"default");
  EXPECT_EQ(GetPrivateProfileString(L"Server", L"Name", L"", Wide(dir.Sub("none.ini"))), L"");

  // The result is cut as a buffer of that many characters, terminator included, would cut it.
  EXPECT_EQ(GetPrivateProfileString(L"Server", L"Name", L"", file, 4), L"FAX");
  EXPECT_EQ(GetPrivateProfileString(L"Server", L"Name", L"", file, 1), L"");
  EXPECT_EQ(GetPrivateProfileString(L"Server", L"Missing", L"default", file, 3), L"de");

  EXPECT_EQ(GetPrivateProfileSectionNames(file), (std::vector<std::wstring>{L"Server", L"Other"}));
  EXPECT_EQ(GetPrivateProfileKeyNames(L"SERVER", file),
            (std::vector<std::wstring>{L"Name", L"Quoted", L"Twice", L"Half", L"Empty"}));
  EXPECT_TRUE(GetPrivateProfileKeyNames(L"Missing", file).empty());
  EXPECT_TRUE(GetPrivateProfileSectionNames(Wide(dir.Sub("none.ini"))).empty());
}

// Numbers are read from their leading digits, with a sign, as Windows reads them.
TEST(Ini, IntParsing) {
  TempDir dir;
  const std::wstring file = Wide(dir.WriteFile("n.ini",
                                               "[N]\n"
                                               "Mixed=12abc\n"
                                               "Negative=-3\n"
                                               "Plus=+7\n"
                                               "Spaced=  42  \n"
                                               "Letters=abc\n"
                                               "Empty=\n"
                                               "Quoted=\"15\"\n"
                                               "Wraps=4294967297\n"));
  EXPECT_EQ(GetPrivateProfileInt(L"n", L"mixed", 9, file), 12u);
  EXPECT_EQ(static_cast<INT>(GetPrivateProfileInt(L"N", L"Negative", 9, file)), -3);
  EXPECT_EQ(GetPrivateProfileInt(L"N", L"Plus", 9, file), 7u);
  EXPECT_EQ(GetPrivateProfileInt(L"N", L"Spaced", 9, file), 42u);
  EXPECT_EQ(GetPrivateProfileInt(L"N", L"Letters", 9, file), 0u);
  EXPECT_EQ(GetPrivateProfileInt(L"N", L"Empty", 9, file), 9u);
  EXPECT_EQ(GetPrivateProfileInt(L"N", L"Quoted", 9, file), 15u);
  EXPECT_EQ(GetPrivateProfileInt(L"N", L"Wraps", 9, file), 1u);
  EXPECT_EQ(static_cast<INT>(GetPrivateProfileInt(L"N", L"Missing", -5, file)), -5);
  EXPECT_EQ(GetPrivateProfileInt(L"N", L"Mixed", 9, Wide(dir.Sub("none.ini"))), 9u);
}

// Setting a value changes only its line; new keys go after the section's last entry and new
// sections at the end, in the file's own line ends.
TEST(Ini, WritesKeepEveryOtherLine) {
  TempDir dir;
  const std::string original =
      "; Pagewell settings\r\n"
      "\r\n"
      "[Server]\r\n"
      "Name = FAXSRV ; not a comment\r\n"
      "  ; indented comment\r\n"
      "Port=4000\r\n"
      "\r\n"
      "; about the client\r\n"
      "[Client]\r\n"
      "Lang=1033";
  const std::wstring file = Wide(dir.WriteFile("pw.ini", original));

  ASSERT_TRUE(WritePrivateProfileString(L"server", L"NAME", L"OTHER", file));
  ASSERT_TRUE(WritePrivateProfileString(L"Server", L"Added", L" spaced ", file));
  ASSERT_TRUE(WritePrivateProfileString(L"Client", L"Lang", L"1031", file));
  ASSERT_TRUE(WritePrivateProfileString(L"Client", L"Theme", L"\"dark\"", file));
  ASSERT_TRUE(WritePrivateProfileString(L"New Section", L"Key", L"value", file));
  EXPECT_EQ(dir.ReadFile("pw.ini"),
            "; Pagewell settings\r\n"
            "\r\n"
            "[Server]\r\n"
            "Name = OTHER\r\n"
            "  ; indented comment\r\n"
            "Port=4000\r\n"
            "Added=\" spaced \"\r\n"
            "\r\n"
            "; about the client\r\n"
            "[Client]\r\n"
            "Lang=1031\r\n"
            "Theme=\"\"dark\"\"\r\n"
            "[New Section]\r\n"
            "Key=value\r\n");
  EXPECT_EQ(GetPrivateProfileString(L"Server", L"Added", L"", file), L" spaced ");
  EXPECT_EQ(GetPrivateProfileString(L"Client", L"Theme", L"", file), L"\"dark\"");

  // Writing what is already there leaves the file alone; LF files get LF lines.
  const std::wstring unix_file = Wide(dir.WriteFile("unix.ini", "[A]\nk=v\n"));
  ASSERT_TRUE(WritePrivateProfileString(L"A", L"k", L"v", unix_file));
  ASSERT_TRUE(WritePrivateProfileString(L"A", L"j", L"w", unix_file));
  EXPECT_EQ(dir.ReadFile("unix.ini"), "[A]\nk=v\nj=w\n");
}

// A null value deletes the key (every repetition of it), a null key the section (every
// section of that name); comments after a section's entries stay.
TEST(Ini, DeletesKeysAndSections) {
  TempDir dir;
  const std::wstring file = Wide(dir.WriteFile("pw.ini",
                                               "[A]\n"
                                               "keep=1\n"
                                               "gone=1\n"
                                               "; between\n"
                                               "GONE=2\n"
                                               "\n"
                                               "; introduces B\n"
                                               "[B]\n"
                                               "x=1\n"
                                               "; trailing comment\n"
                                               "[b]\n"
                                               "y=2\n"
                                               "[C]\n"
                                               "z=3"));
  ASSERT_TRUE(WritePrivateProfileString(L"a", L"Gone", std::nullopt, file));
  ASSERT_TRUE(WritePrivateProfileString(L"B", std::nullopt, std::nullopt, file));
  EXPECT_EQ(dir.ReadFile("pw.ini"),
            "[A]\n"
            "keep=1\n"
            "; between\n"
            "\n"
            "; introduces B\n"
            "; trailing comment\n"
            "[C]\n"
            "z=3");
  ASSERT_TRUE(WritePrivateProfileString(L"C", L"z", std::nullopt, file));
  EXPECT_EQ(dir.ReadFile("pw.ini"),
            "[A]\n"
            "keep=1\n"
            "; between\n"
            "\n"
            "; introduces B\n"
            "; trailing comment\n"
            "[C]");
  ASSERT_TRUE(WritePrivateProfileString(L"C", std::nullopt, std::nullopt, file));
  EXPECT_EQ(dir.ReadFile("pw.ini"),
            "[A]\n"
            "keep=1\n"
            "; between\n"
            "\n"
            "; introduces B\n"
            "; trailing comment");
  EXPECT_EQ(GetPrivateProfileSectionNames(file), std::vector<std::wstring>{L"A"});
}

// UTF-16 files (either byte order) and UTF-8 files with a mark are rewritten as they came.
TEST(Ini, KeepsTheFileEncoding) {
  TempDir dir;
  const std::wstring text = L"[Grüße]\r\nName=Jürgen\r\n";
  const std::wstring le = Wide(dir.WriteFile("le.ini", "\xFF\xFE" + pw::ToUtf16Le(text)));
  EXPECT_EQ(GetPrivateProfileString(L"GRÜßE", L"name", L"", le), L"Jürgen");
  ASSERT_TRUE(WritePrivateProfileString(L"Grüße", L"Ort", L"Köln", le));
  EXPECT_EQ(dir.ReadFile("le.ini"),
            "\xFF\xFE" + pw::ToUtf16Le(L"[Grüße]\r\nName=Jürgen\r\nOrt=Köln\r\n"));

  const std::wstring be =
      Wide(dir.WriteFile("be.ini", pw::EncodeText(text, pw::TextEncoding::kUtf16Be)));
  ASSERT_TRUE(WritePrivateProfileString(L"Grüße", L"Name", L"Ä", be));
  EXPECT_EQ(dir.ReadFile("be.ini"),
            pw::EncodeText(L"[Grüße]\r\nName=Ä\r\n", pw::TextEncoding::kUtf16Be));

  const std::wstring bom = Wide(dir.WriteFile("bom.ini", "\xEF\xBB\xBF[A]\r\n"));
  ASSERT_TRUE(WritePrivateProfileString(L"A", L"k", L"ü", bom));
  EXPECT_EQ(dir.ReadFile("bom.ini"), "\xEF\xBB\xBF[A]\r\nk=\xC3\xBC\r\n");
}

// New files are UTF-8 with CRLF; a missing folder or an unwritable text fails cleanly.
TEST(Ini, CreatesFilesAndFailsCleanly) {
  TempDir dir;
  std::wstring windows_path = Wide(dir.path() + "/new.ini");
  for (wchar_t& c : windows_path) {
    if (c == L'/') c = L'\\';
  }
  ASSERT_TRUE(WritePrivateProfileString(L"Server", L"Name", L"FAXSRV", windows_path));
  EXPECT_EQ(dir.ReadFile("new.ini"), "[Server]\r\nName=FAXSRV\r\n");

  // Deleting from a file that does not exist succeeds without creating it.
  EXPECT_TRUE(WritePrivateProfileString(L"S", L"k", std::nullopt, Wide(dir.Sub("absent.ini"))));
  EXPECT_TRUE(
      WritePrivateProfileString(L"S", std::nullopt, std::nullopt, Wide(dir.Sub("absent.ini"))));
  EXPECT_FALSE(dir.Exists("absent.ini"));

  SetLastError(0);
  EXPECT_FALSE(WritePrivateProfileString(L"S", L"k", L"v", Wide(dir.Sub("no/folder/x.ini"))));
  EXPECT_EQ(GetLastError(), 3u);
  EXPECT_FALSE(dir.Exists("no"));

  SetLastError(0);
  EXPECT_FALSE(WritePrivateProfileString(L"Server", L"Name", L"two\nlines", windows_path));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(WritePrivateProfileString(L"Server", L"a=b", L"v", windows_path));
  EXPECT_FALSE(WritePrivateProfileString(L"Server", L"[x", L"v", windows_path));
  EXPECT_FALSE(WritePrivateProfileString(L"Ser\nver", L"k", L"v", windows_path));
  EXPECT_EQ(dir.ReadFile("new.ini"), "[Server]\r\nName=FAXSRV\r\n");
}

// Two processes adding keys to one file at the same time lose none of them.
TEST(Ini, ConcurrentWritersLoseNoKey) {
  TempDir dir;
  const std::wstring file = Wide(dir.Sub("shared.ini"));
  const auto writer = [&file](std::wstring prefix) {
    return [&file, prefix] {
      for (int i = 0; i < 60; ++i) {
        const std::wstring key = prefix + std::to_wstring(i);
        if (!WritePrivateProfileString(L"Shared", key, key, file)) return false;
      }
      return true;
    };
  };
  const pid_t first = SpawnChild(writer(L"first"));
  const pid_t second = SpawnChild(writer(L"second"));
  EXPECT_TRUE(ChildSucceeded(first, std::chrono::seconds(120)));
  EXPECT_TRUE(ChildSucceeded(second, std::chrono::seconds(120)));
  EXPECT_EQ(GetPrivateProfileKeyNames(L"Shared", file).size(), 120u);
  EXPECT_EQ(GetPrivateProfileString(L"Shared", L"second59", L"", file), L"second59");
  EXPECT_EQ(GetPrivateProfileSectionNames(file), std::vector<std::wstring>{L"Shared"});
}

// Every entry of a parsed document written again through Set reads back the same.
TEST(IniDocument, SetValuesReadBackExactly) {
  pw::IniDocument document = pw::IniDocument::Parse(L"[S]\nplain=1\n");
  const std::vector<std::wstring> values = {L"",      L"\"",      L"\"\"",           L"\"quoted\"",
                                            L" lead", L"trail\t", L"a \"middle\" b", L"x=y;z"};
  for (std::size_t i = 0; i < values.size(); ++i) {
    ASSERT_TRUE(document.Set(L"S", L"k" + std::to_wstring(i), values[i]));
  }
  const pw::IniDocument reread = pw::IniDocument::Parse(document.Serialize());
  for (std::size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(reread.Get(L"s", L"K" + std::to_wstring(i)), values[i]) << i;
  }
  EXPECT_EQ(reread.Get(L"S", L"plain"), L"1");
  EXPECT_EQ(reread.Get(L"S", L"absent"), std::nullopt);
  EXPECT_EQ(reread.Keys(L"S").size(), values.size() + 1);
}

}  // namespace
