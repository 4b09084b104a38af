// Tests of find patterns, listings, copies, moves and deletions with Windows answers.
#include "platform/win/files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/com/strings.h"
#include "platform/win/last_error.h"
#include "tests/support/temp_installation.h"

namespace {

using pw::test::TempDir;

// The Windows form of a host path, so that every call goes through the backslash mapping.
std::wstring Win(const std::string& host_path) {
  std::wstring path = pw::FromUtf8(host_path);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

std::vector<std::wstring> Names(const std::vector<WIN32_FIND_DATA>& found) {
  std::vector<std::wstring> names;
  for (const WIN32_FIND_DATA& data : found) names.push_back(data.cFileName);
  return names;
}

std::set<std::string> Entries(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

// The matching table: case, wildcards, the three-letter extension rule and dot rules.
TEST(FindPatternTest, MatchesAsOnAWindowsShare) {
  struct Case {
    const wchar_t* pattern;
    const wchar_t* name;
    bool matches;
  };
  const Case cases[] = {
      {L"*.htm", L"a.html", true},
      {L"*.html", L"a.htm", false},
      {L"*.HTM", L"Index.Html", true},
      {L"*.htm", L"page.htm", true},
      {L"*.htm", L"a.htmx.txt", false},
      {L"*.htm", L"a.ht", false},
      {L"*.tx", L"a.txt", false},
      {L"a.htm", L"a.html", false},
      {L"*.*", L"README", true},
      {L"*.*", L"a.b.c", true},
      {L"*", L"x", true},
      {L"a.*", L"a", true},
      {L"a.*", L"ab", false},
      {L"*.", L"noext", true},
      {L"*.", L"a.txt", false},
      {L"a?c.txt", L"ABC.TXT", true},
      {L"a?c.txt", L"ac.txt", false},
      {L"r*.log", L"Report.LOG", true},
      {L"*ab*cd", L"xabyabcd", true},
      {L"*ab*cd", L"xabycdz", false},
      {L"PW??????.DAT", L"pw000001.dat", true},
      {L"Ü*.txt", L"ü1.TXT", true},
      {L"", L"a", false},
      {L"*", L"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(pw::MatchesFindPattern(c.pattern, c.name), c.matches)
        << pw::ToUtf8(c.pattern) << " vs " << pw::ToUtf8(c.name);
  }
}

// A real folder lists matches sorted without regard to case, with sizes and attributes, and
// FindFirstFile/FindNextFile walk the same list.
TEST(FindFilesTest, ListsARealFolder) {
  TempDir dir;
  dir.WriteFile("a.html", "12345");
  dir.WriteFile("B.HTM", "");
  dir.WriteFile("c.htm", "");
  dir.WriteFile("d.txt", "");
  dir.WriteFile("noext", "");
  dir.WriteFile(".hidden.htm", "");
  dir.WriteFile("ro.htm", "");
  ::chmod(dir.Sub("ro.htm").c_str(), 0444);
  std::filesystem::create_directory(dir.Sub("sub.htm"));

  const std::vector<WIN32_FIND_DATA> found = pw::FindFiles(Win(dir.path()) + L"\\*.htm");
  ASSERT_EQ(Names(found), (std::vector<std::wstring>{L".hidden.htm", L"a.html", L"B.HTM", L"c.htm",
                                                     L"ro.htm", L"sub.htm"}));
  EXPECT_EQ(found[0].dwFileAttributes, FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(found[1].dwFileAttributes, FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(found[1].nFileSize, 5u);
  EXPECT_GT(found[1].ftLastWriteTime, 0);
  EXPECT_EQ(found[4].dwFileAttributes, FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(found[5].dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(found[5].nFileSize, 0u);

  EXPECT_EQ(Names(pw::FindFiles(Win(dir.path()) + L"\\*.html")),
            (std::vector<std::wstring>{L"a.html"}));
  // "*" and "*.*" both list everything, never "." or "..".
  const std::vector<std::wstring> everything = {L".hidden.htm", L"a.html", L"B.HTM",  L"c.htm",
                                                L"d.txt",       L"noext",  L"ro.htm", L"sub.htm"};
  EXPECT_EQ(Names(pw::FindFiles(Win(dir.path()) + L"\\*")), everything);
  EXPECT_EQ(Names(pw::FindFiles(pw::FromUtf8(dir.path()) + L"/*.*")), everything);

  WIN32_FIND_DATA data;
  HANDLE find = FindFirstFile(Win(dir.path()) + L"\\*.HTM", &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  std::vector<std::wstring> walked = {data.cFileName};
  while (FindNextFile(find, &data)) walked.push_back(data.cFileName);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
  EXPECT_EQ(walked, Names(found));
  EXPECT_TRUE(FindClose(find));
  EXPECT_FALSE(FindClose(find));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(FindNextFile(find, &data));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

// Searches that find nothing answer as Windows does, and a bad handle never crashes.
TEST(FindFilesTest, ReportsEmptyAndMissing) {
  TempDir dir;
  dir.WriteFile("a.txt", "");
  WIN32_FIND_DATA data;
  EXPECT_EQ(FindFirstFile(Win(dir.path()) + L"\\*.doc", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(FindFirstFile(Win(dir.path()) + L"\\missing\\*", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(FindFirstFile(Win(dir.path()) + L"\\", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(pw::FindFiles(Win(dir.path()) + L"\\missing\\*").empty());
  EXPECT_FALSE(FindNextFile(reinterpret_cast<HANDLE>(0x1234), &data));
  EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

// A UNC pattern is resolved under the UNC root, matching server, share and folder names
// without regard to case; missing servers and shares get their own error numbers.
TEST(FindFilesTest, ResolvesUncPaths) {
  TempDir root;
  root.WriteFile("FaxSrv/PwServer$/Docs/cover.HTML", "<html/>");
  root.WriteFile("FaxSrv/PwServer$/Docs/notes.txt", "");
  pw::test::ScopedEnv env("PAGEWELL_UNC_ROOT", root.path());

  const auto found = pw::FindFiles(L"\\\\FAXSRV\\pwserver$\\docs\\*.htm");
  ASSERT_EQ(Names(found), (std::vector<std::wstring>{L"cover.HTML"}));
  EXPECT_EQ(found[0].nFileSize, 7u);
  EXPECT_EQ(GetFileAttributes(L"\\\\faxsrv\\PWSERVER$\\DOCS"), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttributes(L"\\\\nohost\\share\\x.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_NETPATH));
  EXPECT_EQ(GetFileAttributes(L"\\\\faxsrv\\noshare\\x.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_NET_NAME));
  EXPECT_EQ(GetFileAttributes(L"\\\\faxsrv\\pwserver$\\docs\\gone.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

// CopyFile copies bytes, permissions and time; fail-if-exists and refusals keep the old
// target and leave no temporary file behind.
TEST(CopyFileTest, CopiesOrLeavesTheTargetAlone) {
  TempDir dir;
  std::string payload(200000, '\0');
  for (std::size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<char>(i * 7 % 251);
  dir.WriteFile("src.bin", payload);
  ::chmod(dir.Sub("src.bin").c_str(), 0640);
  dir.WriteFile("dst.bin", "old");
  const std::wstring src = Win(dir.Sub("src.bin"));
  const std::wstring dst = Win(dir.Sub("dst.bin"));

  EXPECT_FALSE(CopyFile(src, dst, TRUE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
  EXPECT_EQ(dir.ReadFile("dst.bin"), "old");

  EXPECT_TRUE(CopyFile(src, dst, FALSE));
  EXPECT_EQ(dir.ReadFile("dst.bin"), payload);
  EXPECT_EQ(ModeOf(dir.Sub("dst.bin")), 0640u);
  EXPECT_EQ(std::filesystem::last_write_time(dir.Sub("dst.bin")),
            std::filesystem::last_write_time(dir.Sub("src.bin")));

  EXPECT_TRUE(CopyFile(src, Win(dir.Sub("fresh.bin")), TRUE));
  EXPECT_EQ(dir.ReadFile("fresh.bin"), payload);

  EXPECT_FALSE(CopyFile(src, src, FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(dir.ReadFile("src.bin"), payload);

  dir.WriteFile("ro.bin", "keep");
  ::chmod(dir.Sub("ro.bin").c_str(), 0444);
  EXPECT_FALSE(CopyFile(src, Win(dir.Sub("ro.bin")), FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(dir.ReadFile("ro.bin"), "keep");

  EXPECT_FALSE(CopyFile(Win(dir.Sub("none.bin")), dst, FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(CopyFile(src, Win(dir.Sub("nofolder/x.bin")), FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  std::filesystem::create_directory(dir.Sub("folder"));
  EXPECT_FALSE(CopyFile(Win(dir.Sub("folder")), Win(dir.Sub("f.bin")), FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

  EXPECT_EQ(Entries(dir.path()),
            (std::set<std::string>{"src.bin", "dst.bin", "fresh.bin", "ro.bin", "folder"}));
}

// A copy that fails half-way (the file size limit stands in for a full disk) leaves the old
// target whole and removes its partial copy.
TEST(CopyFileTest, FailedWriteKeepsOldTarget) {
  TempDir dir;
  dir.WriteFile("big.bin", std::string(256 * 1024, 'x'));
  dir.WriteFile("dst.bin", "old content");
  rlimit saved_limit{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved_limit), 0);
  const auto saved_handler = ::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved_limit;
  small.rlim_cur = 64 * 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const BOOL copied = CopyFile(Win(dir.Sub("big.bin")), Win(dir.Sub("dst.bin")), FALSE);
  const DWORD error = GetLastError();
  ::setrlimit(RLIMIT_FSIZE, &saved_limit);
  ::signal(SIGXFSZ, saved_handler);

  EXPECT_FALSE(copied);
  EXPECT_NE(error, static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(dir.ReadFile("dst.bin"), "old content");
  EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"big.bin", "dst.bin"}));
}

// DeleteFile, MoveFile, CreateDirectory and RemoveDirectory refuse as Windows does and touch
// nothing when they refuse.
TEST(FileOperationsTest, AnswerWithWindowsErrors) {
  TempDir dir;
  dir.WriteFile("a.txt", "A");
  dir.WriteFile("b.txt", "B");
  dir.WriteFile("ro.txt", "R");
  ::chmod(dir.Sub("ro.txt").c_str(), 0444);
  std::filesystem::create_directory(dir.Sub("folder"));
  dir.WriteFile("full/inner.txt", "");

  EXPECT_FALSE(DeleteFile(Win(dir.Sub("none.txt"))));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(DeleteFile(Win(dir.Sub("nofolder\\none.txt"))));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(DeleteFile(Win(dir.Sub("folder"))));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(DeleteFile(Win(dir.Sub("ro.txt"))));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(dir.Exists("ro.txt"));

  EXPECT_FALSE(MoveFile(Win(dir.Sub("a.txt")), Win(dir.Sub("b.txt"))));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(dir.ReadFile("a.txt"), "A");
  EXPECT_EQ(dir.ReadFile("b.txt"), "B");
  EXPECT_FALSE(MoveFile(Win(dir.Sub("none.txt")), Win(dir.Sub("c.txt"))));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(MoveFile(Win(dir.Sub("a.txt")), Win(dir.Sub("nofolder\\a.txt"))));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_TRUE(MoveFile(Win(dir.Sub("a.txt")), Win(dir.Sub("folder\\moved.txt"))));
  EXPECT_FALSE(dir.Exists("a.txt"));
  EXPECT_EQ(dir.ReadFile("folder/moved.txt"), "A");
  EXPECT_TRUE(MoveFile(Win(dir.Sub("folder")), Win(dir.Sub("renamed"))));
  EXPECT_EQ(dir.ReadFile("renamed/moved.txt"), "A");

  EXPECT_TRUE(CreateDirectory(Win(dir.Sub("new"))));
  EXPECT_EQ(GetFileAttributes(Win(dir.Sub("new"))), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_FALSE(CreateDirectory(Win(dir.Sub("new"))));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(CreateDirectory(Win(dir.Sub("nofolder\\new"))));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

  EXPECT_FALSE(RemoveDirectory(Win(dir.Sub("full"))));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
  EXPECT_FALSE(RemoveDirectory(Win(dir.Sub("b.txt"))));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
  EXPECT_FALSE(RemoveDirectory(Win(dir.Sub("none"))));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(RemoveDirectory(Win(dir.Sub("new"))));
  EXPECT_FALSE(dir.Exists("new"));

  EXPECT_TRUE(DeleteFile(Win(dir.Sub("b.txt"))));
  EXPECT_FALSE(dir.Exists("b.txt"));
  EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"ro.txt", "full", "renamed"}));
}

// GetFileAttributes combines the attributes and says why a path is missing.
TEST(FileOperationsTest, AttributesAndMissingPaths) {
  TempDir dir;
  dir.WriteFile("plain.txt", "");
  dir.WriteFile(".secret", "");
  ::chmod(dir.Sub(".secret").c_str(), 0400);
  std::filesystem::create_directory(dir.Sub(".config"));

  EXPECT_EQ(GetFileAttributes(Win(dir.Sub("plain.txt"))), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(GetFileAttributes(Win(dir.Sub(".secret"))),
            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(GetFileAttributes(Win(dir.Sub(".config")) + L"\\"),
            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttributes(Win(dir.Sub("gone.txt"))), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(GetFileAttributes(Win(dir.Sub("gone\\x.txt"))), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(GetFileAttributes(Win(dir.Sub("plain.txt\\x"))), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(GetFileAttributes(L""), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

}  // namespace
