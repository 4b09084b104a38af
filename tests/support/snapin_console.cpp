// The snap-in console fixture.
#include "tests/support/snapin_console.h"

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "module/snapin/guids.h"
#include "platform/com/strings.h"
#include "platform/win/registry.h"

namespace pw::test {
namespace {

constexpr const char* kInstalledFiles[] = {
    "pwsetup",        "pwconfig.so",     "pwstore.so",   "pwuserdb.so",  "pwaddrbook.so",
    "libuserutil.so", "libpwprofile.so", "pwgwconf.exe", "pwgwinet.exe", "pwimport.exe",
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

}  // namespace

TempInstallation::TempInstallation(const InstallationOptions& options)
    : unc_root_("PAGEWELL_UNC_ROOT", dir_.Sub("unc")), program_folder_(dir_.Sub("programs")) {
  std::filesystem::create_directories(program_folder_);
  for (const char* file : kInstalledFiles) {
    std::error_code failure;
    std::filesystem::copy_file(BinDir() + "/" + file, program_folder_ + "/" + file, failure);
    if (failure) {
      ADD_FAILURE() << "cannot copy " << file << ": " << failure.message();
      return;
    }
  }
  const std::string user_mode = " --usermode " + std::to_string(options.user_mode);
  if (options.remote == 0) {
    server_folder_ = dir_.Sub("server");
    ok_ = RunSetup("--server " + server_folder_ + user_mode, registry_.file());
    return;
  }
  const std::string machine = ToUtf8(options.machine);
  server_folder_ = dir_.Sub("unc/" + machine + "/PWSERVER$");
  ok_ = true;
  if (options.install_server) {
    // The server has a registry of its own: it is another computer.
    ok_ = RunSetup("--server '" + server_folder_ + "'" + user_mode, dir_.Sub("server.reg"));
  }
  ok_ = ok_ && RunSetup("--remote-console " + std::to_string(options.remote) + " --machine " +
                            machine + user_mode,
                        registry_.file());
}

bool TempInstallation::RunSetup(const std::string& arguments, const std::string& registry_file) {
  const std::string output = dir_.Sub("pwsetup.out");
  const std::string command = "timeout 60 '" + program_folder_ + "/pwsetup' --registry '" +
                              registry_file + "' " + arguments + " >'" + output + "' 2>&1";
  const int status = std::system(command.c_str());
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    ADD_FAILURE() << "pwsetup " << arguments << " failed:\n" << dir_.ReadFile("pwsetup.out");
    return false;
  }
  return true;
}

std::vector<std::string> TempInstallation::ProgramRuns() const {
  const std::string log = server_folder_ + "/programs.log";
  if (!std::filesystem::exists(log)) return {};
  std::ifstream file(log);
  std::stringstream text;
  text << file.rdbuf();
  return Lines(text.str());
}

void TempInstallation::EnableLog() const {
  CRegKey config;
  ASSERT_EQ(config.Create(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Ardent Telecom\\Pagewell\\Config"),
            ERROR_SUCCESS);
  ASSERT_EQ(config.SetDWORDValue(L"DEBUG", 1), ERROR_SUCCESS);
  // Without LOGDIR the log goes to the installation folder ("PATH"), the program folder on a
  // remote console; a local server's LOGDIR names the server folder.
}

std::vector<std::string> TempInstallation::LogLines() const {
  std::vector<std::string> lines;
  for (const std::string& folder : {server_folder_, program_folder_}) {
    const std::string path = folder + "/pwconfig.log";
    if (!std::filesystem::exists(path)) continue;
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    for (const std::string& line : Lines(text.str())) {
      // "07/31/03 14:05:09: message"
      lines.push_back(line.size() > 19 ? line.substr(19) : line);
    }
  }
  return lines;
}

void SnapinConsoleTest::TearDown() {
  session_.reset();
  installation_.reset();
}

void SnapinConsoleTest::MakeInstallation(const InstallationOptions& options) {
  installation_ = std::make_unique<TempInstallation>(options);
  ASSERT_TRUE(installation_->ok());
}

pw::mmc::ConsoleSession& SnapinConsoleTest::session() {
  if (!session_) {
    pw::mmc::ConsoleSession::Options options;
    options.timeout_ms = 30000;
    session_ = pw::mmc::ConsoleSession::Start(options);
  }
  return *session_;
}

pw::mmc::OperationResult SnapinConsoleTest::AddSnapIn() {
  return session().AddSnapIn(CLSID_PagewellSnapin);
}

pw::mmc::ConsoleState SnapinConsoleTest::State() {
  pw::mmc::ConsoleState state;
  EXPECT_TRUE(session().ReadState(&state).ok());
  return state;
}

HSCOPEITEM SnapinConsoleTest::ShowScopeItem(const std::vector<std::wstring>& path) {
  const HSCOPEITEM item = FindScopeItem(path);
  EXPECT_TRUE(session().SelectScopeItem(kView, item).ok());
  return item;
}

std::vector<std::pair<std::wstring, std::wstring>> SnapinConsoleTest::OwnMenu(HSCOPEITEM item) {
  std::vector<pw::mmc::MenuItem> items;
  EXPECT_TRUE(session().OpenContextMenu(kView, item, &items).ok());
  std::vector<std::pair<std::wstring, std::wstring>> ours;
  for (const pw::mmc::MenuItem& entry : items) {
    if (!entry.console_item) ours.emplace_back(entry.name, entry.status_text);
  }
  return ours;
}

void SnapinConsoleTest::RunMenu(HSCOPEITEM item, const std::wstring& name) {
  std::vector<pw::mmc::MenuItem> items;
  ASSERT_TRUE(session().OpenContextMenu(kView, item, &items).ok());
  for (std::size_t index = 0; index < items.size(); ++index) {
    if (items[index].name == name) {
      session().RunMenuItem(kView, static_cast<int>(index));
      return;
    }
  }
  ADD_FAILURE() << "no menu item " << ToUtf8(name);
}

std::vector<std::pair<int, std::wstring>> SnapinConsoleTest::AttachedButtons() {
  std::vector<std::pair<int, std::wstring>> buttons;
  const pw::mmc::ConsoleState state = State();
  for (const pw::mmc::ToolbarState& toolbar : state.views.front().toolbars) {
    if (!toolbar.attached) continue;
    for (const auto& button : toolbar.buttons) buttons.emplace_back(button.command, button.tooltip);
  }
  return buttons;
}

std::vector<std::wstring> SnapinConsoleTest::ColumnTitles() {
  std::vector<std::wstring> titles;
  const pw::mmc::ConsoleState state = State();
  for (const pw::mmc::ColumnState& column : state.views.front().columns) {
    titles.push_back(column.title);
  }
  return titles;
}

bool SnapinConsoleTest::VerbEnabled(MMC_CONSOLE_VERB verb) {
  const pw::mmc::ConsoleState state = State();
  for (const pw::mmc::VerbState& shown : state.views.front().verbs) {
    if (shown.verb == verb) return (shown.state & ENABLED) != 0;
  }
  return false;
}

HSCOPEITEM SnapinConsoleTest::FindScopeItem(const std::vector<std::wstring>& path) {
  pw::mmc::ConsoleState state = State();
  if (state.tree.empty()) {
    ADD_FAILURE() << "the console has no scope items";
    return 0;
  }
  HSCOPEITEM item = state.tree.front().id;
  for (const std::wstring& name : path) {
    EXPECT_TRUE(session().Expand(kView, item).ok());
    state = State();
    HSCOPEITEM found = 0;
    for (const pw::mmc::ScopeItemState& scope : state.tree) {
      if (scope.parent == item && scope.name == name) found = scope.id;
    }
    if (found == 0) {
      ADD_FAILURE() << "no scope item " << ToUtf8(name);
      return 0;
    }
    item = found;
  }
  return item;
}

std::vector<std::wstring> SnapinConsoleTest::MessageTexts() const {
  std::vector<std::wstring> texts;
  for (const MessageBoxRecord& record : ui_.message_boxes()) texts.push_back(record.text);
  return texts;
}

}  // namespace pw::test
