// pwsetup: creates an installation for the console to work on.
#include <cstdio>
#include <cstring>
#include <string>

#include "installation/setup/demo_installation.h"

namespace {

constexpr char kUsage[] =
    "Usage: pwsetup --demo\n"
    "  --demo   create (or complete) the demo installation in the user's data folder\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kUsage, argc == 2 ? stdout : stderr);
    return argc == 2 ? 0 : 2;
  }
  if (std::strcmp(argv[1], "--demo") != 0) {
    std::fprintf(stderr, "pwsetup: unknown option %s\n%s", argv[1], kUsage);
    return 2;
  }
  const pw::setup::DemoInstallation paths = pw::setup::DemoInstallationPaths();
  std::string error;
  if (!pw::setup::EnsureDemoInstallation(paths, &error)) {
    std::fprintf(stderr, "pwsetup: %s\n", error.c_str());
    return 1;
  }
  std::printf("Demo installation: %s\nRegistry file: %s\nServer path: %s\n", paths.folder.c_str(),
              paths.registry_file.c_str(), paths.server_path.c_str());
  return 0;
}
