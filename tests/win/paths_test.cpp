// Tests of the mapping from Windows-style paths to host paths, and of module and computer names.
#include "platform/win/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/com/strings.h"
#include "tests/support/temp_installation.h"

namespace {

using pw::test::ScopedEnv;
using pw::test::TempDir;

// Local paths only change their separators; relative paths stay relative.
TEST(PathsTest, LocalPathsUseSlashes) {
  EXPECT_EQ(pw::ToHostPath(L"\\var\\lib\\pagewell\\pw.ini"), "/var/lib/pagewell/pw.ini");
  EXPECT_EQ(pw::ToHostPath(L"/srv/mixed\\part/file"), "/srv/mixed/part/file");
  EXPECT_EQ(pw::ToHostPath(L"docs\\Cover Pages\\a.htm"), "docs/Cover Pages/a.htm");
  EXPECT_EQ(pw::ToHostPath(L"Ümlaut\\é.txt"), "Ümlaut/é.txt");
  EXPECT_EQ(pw::ToHostPath(L""), "");
  EXPECT_TRUE(pw::IsUncPath(L"\\\\host\\share"));
  EXPECT_TRUE(pw::IsUncPath(L"//host/share"));
  EXPECT_FALSE(pw::IsUncPath(L"\\\\"));
  EXPECT_FALSE(pw::IsUncPath(L"\\\\\\host"));
  EXPECT_FALSE(pw::IsUncPath(L"\\host\\share"));
}

// UNC paths land under the UNC root; existing server, share and folder names are found
// without regard to case, missing parts keep the caller's spelling, a trailing separator stays.
TEST(PathsTest, UncPathsResolveUnderTheRootIgnoringCase) {
  TempDir root;
  std::filesystem::create_directories(root.Sub("FaxSrv/PwServer$/Cover Pages"));
  ScopedEnv env("PAGEWELL_UNC_ROOT", root.path());

  EXPECT_EQ(pw::UncRoot(), root.path());
  EXPECT_EQ(pw::ToHostPath(L"\\\\faxsrv\\PWSERVER$\\cover pages\\Letter.htm"),
            root.path() + "/FaxSrv/PwServer$/Cover Pages/Letter.htm");
  EXPECT_EQ(pw::ToHostPath(L"\\\\FAXSRV\\pwserver$\\"), root.path() + "/FaxSrv/PwServer$/");
  EXPECT_EQ(pw::ToHostPath(L"//FaxSrv//PwServer$/x"), root.path() + "/FaxSrv/PwServer$/x");
  EXPECT_EQ(pw::ToHostPath(L"\\\\OtherHost\\Share\\a"), root.path() + "/OtherHost/Share/a");
}

// Without an explicit root the UNC folder sits in the user's data folder, which follows
// XDG_DATA_HOME when it is absolute and HOME otherwise.
TEST(PathsTest, DefaultFoldersFollowTheEnvironment) {
  ScopedEnv no_root("PAGEWELL_UNC_ROOT", std::nullopt);
  ScopedEnv home("HOME", "/home/fax");
  {
    ScopedEnv xdg("XDG_DATA_HOME", "/data/xdg");
    EXPECT_EQ(pw::UserDataFolder(), "/data/xdg/pagewell");
    EXPECT_EQ(pw::UncRoot(), "/data/xdg/pagewell/unc");
  }
  {
    ScopedEnv xdg("XDG_DATA_HOME", "relative/xdg");
    EXPECT_EQ(pw::UserDataFolder(), "/home/fax/.local/share/pagewell");
  }
  ScopedEnv xdg("XDG_DATA_HOME", std::nullopt);
  EXPECT_EQ(pw::UserDataFolder(), "/home/fax/.local/share/pagewell");
  EXPECT_EQ(pw::ToHostPath(L"\\\\srv\\share"), "/home/fax/.local/share/pagewell/unc/srv/share");
}

// FolderOf cuts at the last separator of either kind and keeps a root.
TEST(PathsTest, FolderOfCutsAtTheLastSeparator) {
  EXPECT_EQ(pw::FolderOf(L"C:\\Program Files\\Pagewell\\pwconfig.dll"),
            L"C:\\Program Files\\Pagewell");
  EXPECT_EQ(pw::FolderOf(L"/usr/lib/x.so"), L"/usr/lib");
  EXPECT_EQ(pw::FolderOf(L"\\\\FAXSRV\\PWSERVER$\\a/b.txt"), L"\\\\FAXSRV\\PWSERVER$\\a");
  EXPECT_EQ(pw::FolderOf(L"/x"), L"/");
  EXPECT_EQ(pw::FolderOf(L"name.txt"), L"");
  EXPECT_EQ(pw::FolderOf(L""), L"");
}

// The computer name is the short host name in capitals, or the override in capitals.
TEST(PathsTest, ComputerName) {
  std::wstring name;
  {
    ScopedEnv forced("PAGEWELL_COMPUTERNAME", "faxsrv-01");
    ASSERT_TRUE(GetComputerName(&name));
    EXPECT_EQ(name, L"FAXSRV-01");
  }
  ScopedEnv unset("PAGEWELL_COMPUTERNAME", std::nullopt);
  ASSERT_TRUE(GetComputerName(&name));
  EXPECT_FALSE(name.empty());
  EXPECT_EQ(name.find(L'.'), std::wstring::npos);
  EXPECT_EQ(name, pw::ToUpper(name));
  EXPECT_FALSE(GetComputerName(nullptr));
}

// An address inside libpwplatform names that library's file; no module means the program.
TEST(PathsTest, ModuleFileNames) {
  const std::wstring library =
      pw::ModuleFileNameFromAddress(reinterpret_cast<const void*>(&pw::ToHostPath));
  ASSERT_FALSE(library.empty());
  EXPECT_EQ(library.front(), L'/');
  EXPECT_EQ(std::filesystem::path(library).filename(), "libpwplatform.so");
  EXPECT_TRUE(std::filesystem::exists(library));

  std::wstring program;
  EXPECT_GT(GetModuleFileName(nullptr, &program), 0u);
  EXPECT_EQ(std::filesystem::path(program).filename(), "pw_win_tests");
  EXPECT_EQ(GetModuleFileName(nullptr, nullptr), 0u);
}

}  // namespace
