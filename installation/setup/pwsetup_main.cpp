// pwsetup: creates or completes an installation for the console to work on.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "installation/setup/installations.h"
#include "installation/setup/module_registration.h"
#include "platform/com/strings.h"
#include "platform/win/registry.h"

namespace {

constexpr char kUsage[] =
    "Usage: pwsetup COMMAND [OPTIONS]\n"
    "Creates an installation, or completes one: nothing that exists is replaced, and every\n"
    "command registers the snap-in and component modules found beside pwsetup.\n"
    "\n"
    "Commands:\n"
    "  --server DIR              a local server in DIR (REMOTE 0): configuration, user\n"
    "                            database pwdb_usr.fst, coverpge folder with sample coverpages,\n"
    "                            default users, routers and administrators, registry values\n"
    "  --remote-console KIND --machine NAME\n"
    "                            a remote console of KIND 1 (a fixed server, named in\n"
    "                            SPLITINFO.INI beside the modules) or 2 (any server, named in\n"
    "                            the registry value MACHINE)\n"
    "  --demo DIR                a local server in DIR in directory mode 3 with sample users,\n"
    "                            lines 1-4, MSNs, CSID and DTMF/DID routes and coverpages\n"
    "  --help                    this text\n"
    "\n"
    "Options:\n"
    "  --registry FILE           the registry file to write (default: PAGEWELL_REGISTRY, else\n"
    "                            registry.reg in the user's data folder)\n"
    "  --usermode N              the directory mode: 1 Active Directory, 2 Exchange 5.5,\n"
    "                            3 the server's own user database (default 3; not with --demo)\n"
    "  --mapi-profile NAME       the MAPI profile of directory mode 2 (default Pagewell)\n"
    "\n"
    "Exit status: 0 done, 1 a step failed (the message names file, step and code), 2 usage.\n";

enum class Command { kNone, kServer, kRemoteConsole, kDemo };

struct Arguments {
  Command command = Command::kNone;
  std::string folder;
  std::optional<DWORD> kind;
  std::optional<std::wstring> machine;
  std::optional<DWORD> user_mode;
  std::optional<std::wstring> mapi_profile;
  std::optional<std::string> registry_file;
};

int UsageError(const std::string& text) {
  std::fprintf(stderr, "pwsetup: %s\n\n%s", text.c_str(), kUsage);
  return 2;
}

std::optional<DWORD> ParseChoice(std::string_view text, DWORD first, DWORD last) {
  if (text.size() != 1 || text[0] < '0' + static_cast<int>(first) ||
      text[0] > '0' + static_cast<int>(last)) {
    return std::nullopt;
  }
  return static_cast<DWORD>(text[0] - '0');
}

// A computer name as the share path needs it: trimmed, not empty, no separators or blanks.
std::optional<std::wstring> ParseMachine(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(' ');
  if (begin == std::string_view::npos) return std::nullopt;
  text = text.substr(begin, text.find_last_not_of(' ') - begin + 1);
  if (text.find_first_of("\\/ \t") != std::string_view::npos) return std::nullopt;
  return pw::FromUtf8(text);
}

// Fills `arguments`; answers an exit code for usage errors and --help, else nullopt.
std::optional<int> Parse(int argc, char** argv, Arguments* arguments) {
  auto set_command = [&](Command command) -> bool {
    if (arguments->command != Command::kNone) return false;
    arguments->command = command;
    return true;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (option == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (i + 1 >= argc) return UsageError("unknown option or missing value: " + std::string(option));
    const std::string_view value = argv[++i];
    if (option == "--server" || option == "--demo") {
      if (!set_command(option == "--server" ? Command::kServer : Command::kDemo)) {
        return UsageError("give only one command");
      }
      if (value.empty()) return UsageError(std::string(option) + " needs a folder");
      arguments->folder = value;
    } else if (option == "--remote-console") {
      if (!set_command(Command::kRemoteConsole)) return UsageError("give only one command");
      arguments->kind = ParseChoice(value, 1, 2);
      if (!arguments->kind) return UsageError("--remote-console takes the kind 1 or 2");
    } else if (option == "--machine") {
      arguments->machine = ParseMachine(value);
      if (!arguments->machine) return UsageError("--machine takes a computer name");
    } else if (option == "--usermode") {
      arguments->user_mode = ParseChoice(value, 1, 3);
      if (!arguments->user_mode) return UsageError("--usermode takes 1, 2 or 3");
    } else if (option == "--mapi-profile") {
      arguments->mapi_profile = pw::FromUtf8(value);
    } else if (option == "--registry") {
      if (value.empty()) return UsageError("--registry needs a file");
      arguments->registry_file = value;
    } else {
      return UsageError("unknown option " + std::string(option));
    }
  }
  switch (arguments->command) {
    case Command::kNone:
      return UsageError("give a command");
    case Command::kRemoteConsole:
      if (!arguments->machine) return UsageError("--remote-console needs --machine NAME");
      break;
    case Command::kDemo:
      if (arguments->user_mode && *arguments->user_mode != 3) {
        return UsageError("the demo uses directory mode 3");
      }
      [[fallthrough]];
    case Command::kServer:
      if (arguments->machine) return UsageError("--machine belongs to --remote-console");
      break;
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments arguments;
  if (const std::optional<int> exit_code = Parse(argc, argv, &arguments)) return *exit_code;
  if (arguments.registry_file) pw::SetRegistryFilePath(*arguments.registry_file);
  const std::string program_folder = pw::setup::ProgramFolder();

  pw::setup::SetupReport report;
  pw::setup::SetupStatus status = pw::setup::SetupStatus::Ok();
  if (arguments.command == Command::kRemoteConsole) {
    pw::setup::RemoteConsoleOptions options;
    options.kind = *arguments.kind;
    options.machine = *arguments.machine;
    options.user_mode = arguments.user_mode.value_or(3);
    if (arguments.mapi_profile) options.mapi_profile = *arguments.mapi_profile;
    status = pw::setup::InstallRemoteConsole(options, program_folder, &report);
  } else {
    pw::setup::ServerOptions options;
    options.folder = arguments.folder;
    options.user_mode = arguments.user_mode.value_or(3);
    if (arguments.mapi_profile) options.mapi_profile = *arguments.mapi_profile;
    options.demo = arguments.command == Command::kDemo;
    status = pw::setup::InstallServer(options, program_folder, &report);
  }
  for (const std::string& line : report.lines()) std::printf("%s\n", line.c_str());
  std::printf("Registry file: %s\n", pw::RegistryFilePath().c_str());
  if (!status.ok()) {
    std::fflush(stdout);
    std::fprintf(stderr, "pwsetup: %s\n", status.Message().c_str());
    return 1;
  }
  return 0;
}
