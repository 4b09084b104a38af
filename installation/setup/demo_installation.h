// The demo installation: a server installation in the user's data folder, with its own
// registry file, that the console opens when it is given nothing else.
#pragma once

#include <string>

namespace pw::setup {

struct DemoInstallation {
  std::string folder;         // everything of the installation lives below it
  std::string registry_file;  // its registry
  std::string server_path;    // the server's configuration folder
};

// Where the demo installation lives: "demo" in the user's data folder.
DemoInstallation DemoInstallationPaths();

// Creates what is missing of the demo installation (folders, registry values) and registers
// the snap-in module found beside the program. Switches the process to the installation's
// registry file. False with `error` set when something could not be created.
bool EnsureDemoInstallation(const DemoInstallation& paths, std::string* error);

}  // namespace pw::setup
