// The snap-in's behaviour tests' fixture: a temporary installation made by pwsetup (a local
// server, or a remote console of kind 1 or 2 with its server on a share under a UNC root of
// the test's own), a console session with the scripted UI host, and helpers to add the
// snap-in and find its scope items by name.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "mmc/host/console_session.h"
#include "platform/com/types.h"
#include "tests/support/scripted_ui_host.h"
#include "tests/support/temp_installation.h"

namespace pw::test {

struct InstallationOptions {
  DWORD remote = 0;  // "REMOTE": 0 a local server; 1 or 2 a remote console of the server below
  std::wstring machine = L"FAXSRV";  // the server's computer name on a remote console
  DWORD user_mode = 3;
  bool install_server = true;  // false: a remote console whose server has no installation
};

// The installation lives in a temporary folder: a program folder with copies of the build's
// modules, programs and pwsetup (so that what the snap-in writes beside itself stays the
// test's own), the server folder, and the registry file. The registry file is in use while the
// object lives.
class TempInstallation {
 public:
  explicit TempInstallation(const InstallationOptions& options = {});

  // False (with a test failure) when pwsetup failed.
  bool ok() const { return ok_; }
  const std::string& program_folder() const { return program_folder_; }
  // The local server folder, or on a remote console the server's share under the UNC root.
  const std::string& server_folder() const { return server_folder_; }
  // The command lines the server's programs ran, one per line ("pwgwconf.exe -close").
  std::vector<std::string> ProgramRuns() const;
  // Sets HKLM\SOFTWARE\Ardent Telecom\Pagewell\Config\DEBUG, so a module loaded afterwards
  // writes pwconfig.log.
  void EnableLog() const;
  // The snap-in's log lines without their date and time; empty when there is no log.
  std::vector<std::string> LogLines() const;
  const TempDir& dir() const { return dir_; }

 private:
  bool RunSetup(const std::string& arguments, const std::string& registry_file);

  TempDir dir_;
  TempRegistry registry_;
  ScopedEnv unc_root_;
  std::string program_folder_;
  std::string server_folder_;
  bool ok_ = false;
};

// A console on an installation. Tests make the installation (MakeInstallation) and then add
// the snap-in; every message box and dialog must be expected through `ui_`.
class SnapinConsoleTest : public ::testing::Test {
 protected:
  void TearDown() override;

  void MakeInstallation(const InstallationOptions& options = {});
  // Starts the console (when not yet started) and adds the snap-in.
  pw::mmc::OperationResult AddSnapIn();
  pw::mmc::ConsoleSession& session();
  pw::mmc::ConsoleState State();
  // The scope item at a path of names from the root ({} is the root), expanding on the way;
  // 0 (with a test failure) when a name is missing.
  HSCOPEITEM FindScopeItem(const std::vector<std::wstring>& path);
  // The texts of the message boxes shown so far, in order.
  std::vector<std::wstring> MessageTexts() const;
  // Selects the scope item at `path` in the view.
  HSCOPEITEM ShowScopeItem(const std::vector<std::wstring>& path);
  // The snap-in's own items of the item's context menu: name and status text.
  std::vector<std::pair<std::wstring, std::wstring>> OwnMenu(HSCOPEITEM item);
  // Runs the item's context menu entry `name` (a test failure when there is none).
  void RunMenu(HSCOPEITEM item, const std::wstring& name);
  // Command and tooltip of every button of the view's attached toolbars.
  std::vector<std::pair<int, std::wstring>> AttachedButtons();
  std::vector<std::wstring> ColumnTitles();
  bool VerbEnabled(MMC_CONSOLE_VERB verb);

  static constexpr int kView = 1;

  // Directory modes 1 and 2 reach no directory server, whatever the machine runs: the
  // directory tests start their own.
  ScopedEnv no_directory_{"LDAPURI", "ldap://127.0.0.1:1"};
  ScriptedUiHost ui_;
  std::unique_ptr<TempInstallation> installation_;
  std::unique_ptr<pw::mmc::ConsoleSession> session_;
};

}  // namespace pw::test
