// pwconsole: opens the console on an installation. Until the console's host and web front end
// are in place it shows the installation and the snap-ins registered with it.
#include <cstdio>
#include <cstring>
#include <string>

#include "installation/setup/demo_installation.h"
#include "mmc/host/snapin_registry.h"
#include "platform/com/strings.h"
#include "platform/win/registry.h"

namespace {

constexpr char kUsage[] =
    "Usage: pwconsole [--registry FILE]\n"
    "  With no options the console opens the demo installation, creating it on first use.\n"
    "  --registry FILE   use the installation whose registry is FILE\n";

void Print(const char* label, const std::wstring& value) {
  std::printf("  %-12s %s\n", label, pw::ToUtf8(value).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::string registry_file;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--registry") == 0 && i + 1 < argc) {
      registry_file = argv[++i];
      continue;
    }
    std::fprintf(stderr, "pwconsole: unknown option %s\n%s", argv[i], kUsage);
    return 2;
  }

  if (registry_file.empty()) {
    const pw::setup::DemoInstallation demo = pw::setup::DemoInstallationPaths();
    std::string error;
    if (!pw::setup::EnsureDemoInstallation(demo, &error)) {
      std::fprintf(stderr, "pwconsole: the demo installation cannot be created: %s\n",
                   error.c_str());
      return 1;
    }
    std::printf("Demo installation in %s\n", demo.folder.c_str());
  } else {
    pw::SetRegistryFilePath(registry_file);
  }
  std::printf("Registry file: %s\n", pw::RegistryFilePath().c_str());

  const auto snapins = pw::mmc::ListSnapIns();
  if (!pw::RegistryLastError().empty()) {
    std::fprintf(stderr, "pwconsole: %s\n", pw::RegistryLastError().c_str());
    return 1;
  }
  std::printf("Registered snap-ins: %zu\n", snapins.size());
  for (const auto& snapin : snapins) {
    std::printf("%s %s%s\n", pw::ToUtf8(pw::GuidToString(snapin.clsid)).c_str(),
                pw::ToUtf8(snapin.name).c_str(), snapin.stand_alone ? "" : " (extension only)");
    pw::mmc::AboutInfo about;
    const HRESULT hr = pw::mmc::ReadAboutInfo(snapin.about, &about);
    if (FAILED(hr)) {
      std::printf("  About:       cannot be read (0x%08X)\n", static_cast<unsigned>(hr));
      continue;
    }
    Print("Description:", about.description);
    Print("Provider:", about.provider);
    Print("Version:", about.version);
  }
  return 0;
}
