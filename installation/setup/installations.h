// The kinds of installation that pwsetup creates: a local server (also as the demo with sample
// content) and a remote console of kind 1 or 2.
#pragma once

#include <string>

#include "installation/setup/setup_status.h"
#include "platform/com/types.h"

namespace pw::setup {

struct ServerOptions {
  std::string folder;   // the installation and configuration folder; made when missing
  DWORD user_mode = 3;  // the directory mode, "USERMODE"
  std::wstring mapi_profile = L"Pagewell";  // "MAPIPROFILE", written in directory mode 2 only
  bool demo = false;  // also the demo's users, lines, MSNs, routes and coverpage rules
};

struct RemoteConsoleOptions {
  DWORD kind = 2;        // "REMOTE": 1 for a fixed server, 2 for any server
  std::wstring machine;  // the server's computer name
  DWORD user_mode = 3;
  std::wstring mapi_profile = L"Pagewell";
};

// Creates or completes a local server installation: the folder, the module registrations of
// `program_folder`, the configuration, the user database, the coverpage folder with its
// samples, the default users, routers and administrators, then the registry values. Nothing
// existing is replaced. Fails before writing anything when the folder cannot be made or the
// registry already describes another installation.
SetupStatus InstallServer(const ServerOptions& options, const std::string& program_folder,
                          SetupReport* report);

// Creates or completes a remote console installation: the module registrations, the server's
// name (kind 1: "SPLITINFO.INI" beside the modules; kind 2: the registry value "MACHINE"),
// and the registry values, with the version under the remote monitor key.
SetupStatus InstallRemoteConsole(const RemoteConsoleOptions& options,
                                 const std::string& program_folder, SetupReport* report);

}  // namespace pw::setup
