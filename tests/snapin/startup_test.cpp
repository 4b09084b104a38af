// The module's start-up: where the diagnostic log goes, when it is on, the fresh log per run,
// the line format, and the display language from "options.ini".
#include <gtest/gtest.h>

#include <regex>

#include "mmc/mmc.h"
#include "module/snapin/guids.h"
#include "platform/com/memory.h"
#include "tests/snapin/module_fixture.h"

namespace {

constexpr wchar_t kServerKey[] = L"SOFTWARE\\Ardent Telecom\\Pagewell";
constexpr wchar_t kConfigKey[] = L"SOFTWARE\\Ardent Telecom\\Pagewell\\Config";
constexpr char kCreateLines[] =
    "(\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d: >> ClassFactory::CreateInstance \\(creating "
    "CComponentData\\)\n"
    "\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d: >> CComponentData::CComponentData\n"
    "\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d: << CComponentData::CComponentData\n"
    "\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d: << ClassFactory::CreateInstance \\(ok\\)\n)+";

// Creates the snap-in object once, which writes four log lines when logging is on.
void CreateSnapin(pw::test::ModuleCopy& module) {
  pw::ComPtr<IUnknown> snapin;
  ASSERT_EQ(module.Create(CLSID_PagewellSnapin, &snapin), S_OK);
}

class StartupTest : public ::testing::Test {
 protected:
  pw::test::TempRegistry registry_;
  pw::test::TempDir module_folder_;
};

// "DEBUG" = 0 (or not a DWORD) keeps logging off: an old log is neither deleted nor written.
TEST_F(StartupTest, LoggingOffKeepsOldLog) {
  module_folder_.WriteFile("pwconfig.log", "old run\n");
  pw::test::SetMachineDword(kConfigKey, L"DEBUG", 0);
  {
    pw::test::ModuleCopy module(module_folder_);
    ASSERT_TRUE(module.loaded());
    CreateSnapin(module);
  }
  pw::test::SetMachineString(kConfigKey, L"DEBUG", L"1");
  {
    pw::test::ModuleCopy module(module_folder_);
    CreateSnapin(module);
  }
  EXPECT_EQ(module_folder_.ReadFile("pwconfig.log"), "old run\n");
}

// With "DEBUG" = 1 and no folder values the log is in the module's folder, starts fresh, and
// has the date, time and entry/exit lines of the factory.
TEST_F(StartupTest, LogInModuleFolder) {
  module_folder_.WriteFile("pwconfig.log", "old run\n");
  pw::test::SetMachineDword(kConfigKey, L"DEBUG", 1);
  pw::test::ModuleCopy module(module_folder_);
  ASSERT_TRUE(module.loaded());
  EXPECT_FALSE(module_folder_.Exists("pwconfig.log"));
  CreateSnapin(module);
  CreateSnapin(module);
  const std::string log = module_folder_.ReadFile("pwconfig.log");
  EXPECT_TRUE(std::regex_match(log, std::regex(kCreateLines))) << log;
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 8);
}

// "LOGDIR" wins over "PATH"; a separator is added when missing; a LOGDIR of the wrong type or
// one too long for the path buffer falls back to "PATH".
TEST_F(StartupTest, LogFolderSources) {
  pw::test::TempDir log_dir;
  pw::test::TempDir server_dir;
  pw::test::SetMachineDword(kConfigKey, L"DEBUG", 1);
  pw::test::SetMachineString(kConfigKey, L"LOGDIR", pw::FromUtf8(log_dir.path()));
  pw::test::SetMachineString(kServerKey, L"PATH", pw::FromUtf8(server_dir.path()) + L"\\");
  {
    pw::test::ModuleCopy module(module_folder_);
    CreateSnapin(module);
  }
  EXPECT_TRUE(log_dir.Exists("pwconfig.log"));
  EXPECT_FALSE(server_dir.Exists("pwconfig.log"));

  pw::test::SetMachineDword(kConfigKey, L"LOGDIR", 5);
  {
    pw::test::ModuleCopy module(module_folder_);
    CreateSnapin(module);
  }
  EXPECT_TRUE(server_dir.Exists("pwconfig.log"));

  pw::test::SetMachineString(kConfigKey, L"LOGDIR", L"/" + std::wstring(300, L'x'));
  std::remove(server_dir.Sub("pwconfig.log").c_str());
  {
    pw::test::ModuleCopy module(module_folder_);
    CreateSnapin(module);
  }
  EXPECT_TRUE(server_dir.Exists("pwconfig.log"));
  EXPECT_FALSE(module_folder_.Exists("pwconfig.log"));
}

// A log folder that cannot be written loses the lines silently; nothing else fails.
TEST_F(StartupTest, UnwritableLogIsSilent) {
  pw::test::SetMachineDword(kConfigKey, L"DEBUG", 1);
  pw::test::SetMachineString(kConfigKey, L"LOGDIR", L"/nonexistent/pagewell/logs");
  pw::test::ModuleCopy module(module_folder_);
  ASSERT_TRUE(module.loaded());
  CreateSnapin(module);
}

std::wstring Description(pw::test::ModuleCopy& module) {
  pw::ComPtr<ISnapinAbout> about;
  EXPECT_EQ(module.Create(CLSID_PagewellAbout, &about), S_OK);
  LPWSTR text = nullptr;
  if (!about || FAILED(about->GetSnapinDescription(&text))) return L"<none>";
  std::wstring result = text;
  CoTaskMemFree(text);
  return result;
}

// "language" of section "misc" chooses German without regard to case; anything else, a
// missing entry or a missing file keeps English.
TEST_F(StartupTest, DisplayLanguage) {
  const std::wstring english_start = L"Local or Remote Configuration";
  const std::wstring german_start = L"Lokale oder entfernte Konfiguration";
  {
    pw::test::ModuleCopy module(module_folder_);
    EXPECT_EQ(GetThreadLocale(), LOCALE_ENGLISH_US);
    EXPECT_TRUE(Description(module).starts_with(english_start));
  }
  module_folder_.WriteFile("options.ini", "[Misc]\nLanguage = German\n");
  {
    pw::test::ModuleCopy module(module_folder_);
    EXPECT_EQ(GetThreadLocale(), LOCALE_GERMAN);
    EXPECT_TRUE(Description(module).starts_with(german_start));
  }
  for (const char* other : {"[misc]\nlanguage=english\n", "[misc]\nlanguage=germany\n",
                            "[other]\nlanguage=german\n", "[misc]\n"}) {
    module_folder_.WriteFile("options.ini", other);
    pw::test::ModuleCopy module(module_folder_);
    EXPECT_EQ(GetThreadLocale(), LOCALE_ENGLISH_US) << other;
    EXPECT_TRUE(Description(module).starts_with(english_start)) << other;
  }
}

}  // namespace
