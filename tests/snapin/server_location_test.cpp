// Start-up against missing or broken installations: the exact message, its title and icon,
// the log lines, and the hand-over of a remote console's server name.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "module/resources/resource.h"
#include "module/resources/select_computer.h"
#include "platform/com/strings.h"
#include "platform/ui/property_page.h"
#include "platform/ui/property_sheet.h"
#include "platform/ui/sheet_input.h"
#include "platform/win/ini_file.h"
#include "platform/win/registry.h"
#include "tests/support/snapin_console.h"

namespace pw::test {
namespace {

constexpr wchar_t kConfigKey[] = L"SOFTWARE\\Ardent Telecom\\Pagewell\\Config";

void ChangeConfig(const std::function<void(CRegKey&)>& change) {
  CRegKey config;
  ASSERT_EQ(config.Open(HKEY_LOCAL_MACHINE, kConfigKey, KEY_ALL_ACCESS), ERROR_SUCCESS);
  change(config);
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class ServerLocationTest : public SnapinConsoleTest {
 protected:
  // Adds the snap-in expecting one warning with `text`; answers the add's result.
  void ExpectInvalidUserMode(DWORD mode);

  HRESULT AddExpectingWarning(const std::wstring& text) {
    ui_.ExpectMessageBox(IDOK, text);
    const HRESULT hr = AddSnapIn().hr;
    EXPECT_EQ(ui_.message_boxes().size(), 1u);
    if (!ui_.message_boxes().empty()) {
      EXPECT_EQ(ui_.message_boxes()[0].caption, L"Pagewell Configuration");
      EXPECT_EQ(ui_.message_boxes()[0].icon, MB_ICONWARNING);
    }
    return hr;
  }
};

// A local server without DBPATH names the Config key and the value, in the box and the log.
TEST_F(ServerLocationTest, MissingDbPathNamesKeyAndValue) {
  MakeInstallation();
  ChangeConfig([](CRegKey& config) { config.DeleteValue(L"DBPATH"); });
  installation_->EnableLog();
  EXPECT_EQ(AddExpectingWarning(L"Failed to read HKEY_LOCAL_MACHINE\\SOFTWARE\\Ardent "
                                L"Telecom\\Pagewell\\Config\\DBPATH from registry."),
            E_FAIL);
  const std::vector<std::string> log = installation_->LogLines();
  EXPECT_TRUE(Contains(log, ">> CComponentData::Initialize"));
  EXPECT_TRUE(Contains(log, "m_dbConfig.CreateInstance(__uuidof(ZAVUVURIre::ArdentDB));"));
  EXPECT_TRUE(Contains(log,
                       "Failed to read HKEY_LOCAL_MACHINE\\SOFTWARE\\Ardent "
                       "Telecom\\Pagewell\\Config\\DBPATH from registry."));
}

// Directory modes outside 1 to 3 show string 76 and log the mode read.
void ServerLocationTest::ExpectInvalidUserMode(DWORD mode) {
  MakeInstallation();
  ChangeConfig([mode](CRegKey& config) { config.SetDWORDValue(L"USERMODE", mode); });
  installation_->EnableLog();
  EXPECT_EQ(AddExpectingWarning(L"Invalid user-mode specified in registry.  Please contact "
                                L"Ardent Software Ltd support."),
            E_FAIL);
  EXPECT_TRUE(Contains(installation_->LogLines(),
                       "Invalid user mode read from registry:" + std::to_string(mode) + "."));
}

// A mode below the known ones.
TEST_F(ServerLocationTest, UserModeZeroShowsString76) { ExpectInvalidUserMode(0); }

// A mode above the known ones.
TEST_F(ServerLocationTest, UserModeFourShowsString76) { ExpectInvalidUserMode(4); }

// A local server folder without its configuration shows string 370.
TEST_F(ServerLocationTest, MissingConfigurationShowsString370) {
  MakeInstallation();
  std::filesystem::remove(installation_->server_folder() + "/pwconfig.db");
  EXPECT_EQ(AddExpectingWarning(
                L"The configuration files cannot be accessed.\n\nPlease make sure you have "
                L"installed Pagewell correctly and that you have the enough permissions to access "
                L"the Pagewell folder."),
            E_FAIL);
}

// Kind 1 takes the name from SPLITINFO.INI once, trimmed and upper-cased, keeps the text as
// read in MACHINE, and deletes the INI entry.
TEST_F(ServerLocationTest, FixedServerNameComesFromSplitInfoOnce) {
  MakeInstallation({.remote = 1});
  const std::wstring ini = FromUtf8(installation_->program_folder()) + L"/SPLITINFO.INI";
  ASSERT_TRUE(WritePrivateProfileString(L"Config", L"Machine", L"  faxsrv  ", ini));
  ASSERT_TRUE(AddSnapIn().ok());
  EXPECT_EQ(State().tree.front().name, L"Pagewell Configuration (FAXSRV)");
  CRegKey config;
  ASSERT_EQ(config.Open(HKEY_LOCAL_MACHINE, kConfigKey), ERROR_SUCCESS);
  std::wstring machine;
  ASSERT_EQ(config.QueryStringValue(L"MACHINE", &machine), ERROR_SUCCESS);
  EXPECT_EQ(machine, L"  faxsrv  ");
  EXPECT_EQ(GetPrivateProfileString(L"Config", L"Machine", L"(none)", ini), L"(none)");
  EXPECT_TRUE(ui_.message_boxes().empty());
}

// Kind 1 with neither the INI entry nor MACHINE shows string 415.
TEST_F(ServerLocationTest, FixedServerWithoutNameShowsString415) {
  MakeInstallation({.remote = 1});
  WritePrivateProfileString(L"Config", L"Machine", std::nullopt,
                            FromUtf8(installation_->program_folder()) + L"/SPLITINFO.INI");
  EXPECT_EQ(AddExpectingWarning(L"Remote machine settings were not found. Please make sure that "
                                L"the Pagewell Fax Server component is installed before running "
                                L"the configuration."),
            E_FAIL);
}

// Kind 1 whose server has no installation on the share shows string 369 with the name.
TEST_F(ServerLocationTest, FixedServerNotInstalledShowsString369) {
  MakeInstallation({.remote = 1, .install_server = false});
  EXPECT_EQ(AddExpectingWarning(L"The Pagewell server is not installed on the machine "
                                L"'FAXSRV'.\n\nPlease contact Ardent Software Ltd support for "
                                L"instructions on how to make Pagewell configure a different "
                                L"machine."),
            E_FAIL);
}

// Kind 2 without MACHINE: the add wizard's page starts empty, and the share path is formed
// from the name chosen there.
TEST_F(ServerLocationTest, AnyServerWithoutMachineConnectsToThePagesChoice) {
  MakeInstallation({.remote = 2});
  ChangeConfig([](CRegKey& config) { config.DeleteValue(L"MACHINE"); });
  ui_.ExpectDialog(L"Pagewell Configuration", [](DialogDriver& driver) {
    auto& sheet = dynamic_cast<CPropertySheet&>(driver.wnd());
    DialogDriver page(sheet.GetActivePage()->GetSafeHwnd());
    EXPECT_EQ(page.Text(IDC_COMPUTER_NAME), L"");
    page.Type(IDC_COMPUTER_NAME, L"faxsrv");
    EXPECT_TRUE(pw::ui::PressWizardFinish(driver.window()));
  });
  ui_.ExpectDialog(IDD_PLEASE_WAIT);
  ASSERT_TRUE(AddSnapIn().ok());
  EXPECT_EQ(State().tree.front().name, L"Pagewell Configuration (FAXSRV)");
  EXPECT_TRUE(ui_.message_boxes().empty());
}

}  // namespace
}  // namespace pw::test
