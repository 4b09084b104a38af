// The demo installation in the user's data folder.
#include "installation/setup/demo_installation.h"

#include "installation/setup/installations.h"
#include "installation/setup/module_registration.h"
#include "platform/win/paths.h"
#include "platform/win/registry.h"

namespace pw::setup {

DemoInstallation DemoInstallationPaths() {
  DemoInstallation paths;
  paths.folder = UserDataFolder() + "/demo";
  paths.registry_file = paths.folder + "/registry.reg";
  paths.server_path = paths.folder + "/server";
  return paths;
}

bool EnsureDemoInstallation(const DemoInstallation& paths, std::string* error,
                            SetupReport* report) {
  SetRegistryFilePath(paths.registry_file);
  ServerOptions options;
  options.folder = paths.server_path;
  options.demo = true;
  SetupReport unused;
  const SetupStatus status =
      InstallServer(options, ProgramFolder(), report != nullptr ? report : &unused);
  if (!status.ok() && error != nullptr) *error = status.Message();
  return status.ok();
}

}  // namespace pw::setup
