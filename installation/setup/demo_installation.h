// The demo installation: a server installation in the user's data folder, with its own
// registry file and sample content, that the console opens when it is given nothing else.
#pragma once

#include <string>

#include "installation/setup/setup_status.h"

namespace pw::setup {

struct DemoInstallation {
  std::string folder;         // everything of the installation lives below it
  std::string registry_file;  // its registry
  std::string server_path;    // the server's installation and configuration folder
};

// Where the demo installation lives: "demo" in the user's data folder.
DemoInstallation DemoInstallationPaths();

// Switches the process to the installation's registry file, then creates what is missing of
// the demo server (as pwsetup --demo does) with the modules found beside the program. False
// with `error` set when something could not be created; `report`, when given, receives what
// was created and kept.
bool EnsureDemoInstallation(const DemoInstallation& paths, std::string* error,
                            SetupReport* report = nullptr);

}  // namespace pw::setup
