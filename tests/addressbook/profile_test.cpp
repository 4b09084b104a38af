// The messaging profile library: the file it writes, replacing, and the names and values it
// refuses.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "installation/interfaces/exchange_profile.h"
#include "platform/com/hresult.h"
#include "tests/support/temp_installation.h"

namespace pw::test {
namespace {

class ProfileLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    library_ = ::dlopen((BinDir() + "/libpwprofile.so").c_str(), RTLD_NOW);
    ASSERT_NE(library_, nullptr) << ::dlerror();
    create_ = reinterpret_cast<decltype(&CreateExchange55Profile)>(
        ::dlsym(library_, "CreateExchange55Profile"));
    ASSERT_NE(create_, nullptr);
  }
  void TearDown() override {
    if (library_ != nullptr) ::dlclose(library_);
  }

  std::string ProfileFile(const std::string& name) const {
    return "config/pagewell/profiles/" + name + ".ini";
  }

  TempDir home_;
  ScopedEnv config_home_{"XDG_CONFIG_HOME", home_.Sub("config")};
  void* library_ = nullptr;
  decltype(&CreateExchange55Profile) create_ = nullptr;
};

// The profile file holds the server, the prompt and the flags; a second call replaces it in
// one step, leaving no other file behind.
TEST_F(ProfileLibraryTest, WritesAndReplacesTheProfile) {
  EXPECT_EQ(create_(L"Pagewell", L"dsa01", L"Enter your Microsoft Exchange Mailbox Name", 0), S_OK);
  EXPECT_EQ(home_.ReadFile(ProfileFile("Pagewell")),
            "[Profile]\nServer=dsa01\nMailboxPrompt=Enter your Microsoft Exchange Mailbox "
            "Name\nFlags=0\n");
  EXPECT_EQ(create_(L"Pagewell", L"dsa02.example.com:3890", L"", 5), S_OK);
  EXPECT_EQ(home_.ReadFile(ProfileFile("Pagewell")),
            "[Profile]\nServer=dsa02.example.com:3890\nMailboxPrompt=\nFlags=5\n");
  EXPECT_EQ(create_(L"Büro Köln", L"dsa03", nullptr, 0), S_OK);
  EXPECT_EQ(home_.ReadFile(ProfileFile("Büro Köln")),
            "[Profile]\nServer=dsa03\nMailboxPrompt=\nFlags=0\n");
  int files = 0;
  for ([[maybe_unused]] const auto& entry :
       std::filesystem::directory_iterator(home_.Sub("config/pagewell/profiles"))) {
    ++files;
  }
  EXPECT_EQ(files, 2);
}

// Names that are no plain file name, empty servers and line breaks are refused and write
// nothing; without XDG_CONFIG_HOME the profile goes below $HOME/.config; a folder that cannot
// be made is a write failure.
TEST_F(ProfileLibraryTest, RefusesBadNamesAndValues) {
  for (const wchar_t* name : {L"", L"../up", L"a/b", L"a\\b", L".hidden", L"tab\there"}) {
    EXPECT_EQ(create_(name, L"dsa01", L"", 0), E_INVALIDARG);
  }
  EXPECT_EQ(create_(std::wstring(65, L'p').c_str(), L"dsa01", L"", 0), E_INVALIDARG);
  EXPECT_EQ(create_(std::wstring(64, L'p').c_str(), L"dsa01", L"", 0), S_OK);
  EXPECT_EQ(create_(nullptr, L"dsa01", L"", 0), E_INVALIDARG);
  EXPECT_EQ(create_(L"P", L"", L"", 0), E_INVALIDARG);
  EXPECT_EQ(create_(L"P", nullptr, L"", 0), E_INVALIDARG);
  EXPECT_EQ(create_(L"P", L"dsa01\nServer=evil", L"", 0), E_INVALIDARG);
  EXPECT_EQ(create_(L"P", L"dsa01", L"two\r\nlines", 0), E_INVALIDARG);
  EXPECT_FALSE(home_.Exists(ProfileFile("P")));

  {
    ScopedEnv relative("XDG_CONFIG_HOME", "relative/config");
    ScopedEnv home("HOME", home_.Sub("home"));
    EXPECT_EQ(create_(L"P", L"dsa01", L"", 0), S_OK);
    EXPECT_TRUE(home_.Exists("home/.config/pagewell/profiles/P.ini"));
  }
  home_.WriteFile("blocked", "a file where a folder should be");
  ScopedEnv blocked("XDG_CONFIG_HOME", home_.Sub("blocked"));
  EXPECT_EQ(create_(L"P", L"dsa01", L"", 0), HRESULT_FROM_WIN32(ERROR_CANTWRITE));
}

}  // namespace
}  // namespace pw::test
