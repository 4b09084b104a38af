// Where the administered server is: the installation's registry values, the hand-over of the
// server's name from a remote console installation, and the server path formed from them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/com/types.h"

// The settings read at every initialisation, and what they decide.
struct ServerLocation {
  std::wstring pagewell_type;  // "PAGEWELL TYPE"; empty when the vendor key is missing
  std::wstring install_path;   // "PATH": the folder of the server's programs
  DWORD directory_mode = 0;    // "USERMODE": 1, 2 or 3
  std::wstring mapi_profile;   // "MAPIPROFILE", directory mode 2 only
  DWORD remote_kind = 0;       // "REMOTE": 0 local, 1 fixed server, 2 any server
  std::wstring server_path;    // the configuration folder; empty while no server is known
  // Set when this run decided the root's computer (empty: the local computer or none yet).
  std::optional<std::wstring> computer_name;
};

// Reads the registry (and for remote kind 1 "SPLITINFO.INI" beside the module) in the
// installation's order. `page_computer` is the name chosen on the select-computer page when
// the page was made in this run (the snap-in is being added). On failure answers false with
// the text to show the administrator, already written to the log.
bool LocateServer(const std::optional<std::wstring>& page_computer, ServerLocation* location,
                  std::wstring* message);

// The server's configuration share on `computer`: \\NAME\PWSERVER$.
std::wstring ServerSharePath(std::wstring_view computer);
// A computer name as the snap-in keeps it: without surrounding blanks, in upper case.
std::wstring NormalizeComputerName(std::wstring_view name);
// The folder of the snap-in module's file (empty when unknown).
std::wstring SnapinModuleFolder();
