// Creation of the demo installation.
#include "installation/setup/demo_installation.h"

#include <filesystem>

#include "installation/setup/module_registration.h"
#include "platform/com/strings.h"
#include "platform/win/paths.h"
#include "platform/win/registry.h"

namespace pw::setup {
namespace {

constexpr wchar_t kServerKey[] = L"SOFTWARE\\Ardent Telecom\\Pagewell";
constexpr wchar_t kConfigKey[] = L"SOFTWARE\\Ardent Telecom\\Pagewell\\Config";

// The version this build installs.
constexpr DWORD kMajorVersion = 9;
constexpr DWORD kMinorVersion = 0;
constexpr DWORD kBuild = 1;

// Sets a value unless the installation already has one, so that an administrator's changes to
// the demo survive the next start.
LONG SetDefaultDword(CRegKey& key, std::wstring_view name, DWORD value) {
  RegValue existing;
  if (RegQueryValueEx(key.m_hKey(), name, &existing) == ERROR_SUCCESS) return ERROR_SUCCESS;
  return key.SetDWORDValue(name, value);
}

LONG SetDefaultString(CRegKey& key, std::wstring_view name, std::wstring_view value) {
  RegValue existing;
  if (RegQueryValueEx(key.m_hKey(), name, &existing) == ERROR_SUCCESS) return ERROR_SUCCESS;
  return key.SetStringValue(name, value);
}

bool Fail(std::string* error, std::string text) {
  if (error != nullptr) *error = std::move(text);
  return false;
}

}  // namespace

DemoInstallation DemoInstallationPaths() {
  DemoInstallation paths;
  paths.folder = UserDataFolder() + "/demo";
  paths.registry_file = paths.folder + "/registry.reg";
  paths.server_path = paths.folder + "/server";
  return paths;
}

bool EnsureDemoInstallation(const DemoInstallation& paths, std::string* error) {
  std::error_code failure;
  std::filesystem::create_directories(paths.server_path, failure);
  if (failure) return Fail(error, paths.server_path + ": " + failure.message());
  SetRegistryFilePath(paths.registry_file);

  CRegKey server;
  LONG result = server.Create(HKEY_LOCAL_MACHINE, kServerKey);
  if (result == ERROR_SUCCESS)
    result = SetDefaultString(server, L"PATH", FromUtf8(paths.server_path));
  if (result == ERROR_SUCCESS) result = SetDefaultDword(server, L"MajorVer", kMajorVersion);
  if (result == ERROR_SUCCESS) result = SetDefaultDword(server, L"MinorVer", kMinorVersion);
  if (result == ERROR_SUCCESS) result = SetDefaultDword(server, L"Build", kBuild);
  CRegKey config;
  if (result == ERROR_SUCCESS) result = config.Create(HKEY_LOCAL_MACHINE, kConfigKey);
  if (result == ERROR_SUCCESS) result = SetDefaultDword(config, L"REMOTE", 0);
  if (result == ERROR_SUCCESS) result = SetDefaultDword(config, L"DEBUG", 0);
  if (result != ERROR_SUCCESS) {
    const std::string detail = RegistryLastError();
    return Fail(error, paths.registry_file + ": cannot write the installation's settings" +
                           (detail.empty() ? std::string() : " (" + detail + ")"));
  }

  std::string registration_error;
  if (FAILED(RegisterModule(ProgramFolder() + "/pwconfig.so", &registration_error))) {
    return Fail(error, registration_error);
  }
  return true;
}

}  // namespace pw::setup
