// Creating and completing server and remote console installations.
#include "installation/setup/installations.h"

#include <filesystem>
#include <memory>
#include <optional>

#include "installation/setup/coverpage_samples.h"
#include "installation/setup/demo_content.h"
#include "installation/setup/module_registration.h"
#include "installation/setup/registry_values.h"
#include "installation/setup/server_stores.h"
#include "platform/com/strings.h"
#include "platform/win/ini_file.h"
#include "platform/win/last_error.h"
#include "platform/win/registry.h"

namespace pw::setup {
namespace {

constexpr wchar_t kServerType[] = L"Server";
constexpr wchar_t kRemoteConsoleType[] = L"Remote Console";
constexpr wchar_t kSplitInfoFile[] = L"SPLITINFO.INI";

SetupStatus FileSystemFailure(const std::string& path, const std::string& step,
                              const std::error_code& failure) {
  return SetupStatus::Failure(path, step, HRESULT_FROM_WIN32(Win32ErrorFromErrno(failure.value())),
                              failure.message());
}

// The folder as an absolute path without a trailing separator; refused when it names a file.
SetupStatus ResolveInstallationFolder(const std::string& requested, std::string* folder) {
  std::error_code failure;
  std::filesystem::path path = std::filesystem::absolute(requested, failure).lexically_normal();
  if (failure) return FileSystemFailure(requested, "finding the installation folder", failure);
  if (!path.has_filename()) path = path.parent_path();
  *folder = path.string();
  const auto status = std::filesystem::status(path, failure);
  if (std::filesystem::exists(status) && !std::filesystem::is_directory(status)) {
    return SetupStatus::Failure(*folder, "using the installation folder",
                                HRESULT_FROM_WIN32(ERROR_DIRECTORY),
                                "it exists and is not a folder");
  }
  return SetupStatus::Ok();
}

SetupStatus MakeInstallationFolder(const std::string& folder) {
  std::error_code failure;
  std::filesystem::create_directories(folder, failure);
  if (failure) return FileSystemFailure(folder, "creating the installation folder", failure);
  return SetupStatus::Ok();
}

// Refuses to turn the registry's installation into another one: a different remote kind, or
// a server whose configuration is elsewhere.
SetupStatus CheckSameInstallation(DWORD remote, const std::wstring* db_path) {
  const std::string config = "HKEY_LOCAL_MACHINE\\" + ToUtf8(kConfigKey);
  if (const std::optional<DWORD> existing = ReadDword(kConfigKey, L"REMOTE");
      existing && *existing != remote) {
    return SetupStatus::Failure(RegistryFilePath(), "checking " + config + "\\REMOTE",
                                HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS),
                                "the registry describes an installation with REMOTE " +
                                    std::to_string(*existing) + ", not " + std::to_string(remote) +
                                    "; choose another registry file");
  }
  CRegKey key;
  std::wstring existing_path;
  if (db_path != nullptr && key.Open(HKEY_LOCAL_MACHINE, kConfigKey) == ERROR_SUCCESS &&
      key.QueryStringValue(L"DBPATH", &existing_path) == ERROR_SUCCESS &&
      existing_path != *db_path) {
    return SetupStatus::Failure(
        RegistryFilePath(), "checking " + config + "\\DBPATH",
        HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS),
        "the registry's server is in " + ToUtf8(existing_path) + "; choose another registry file");
  }
  return SetupStatus::Ok();
}

SetupStatus MakeRegistryFolder() {
  const std::filesystem::path file(RegistryFilePath());
  if (!file.has_parent_path()) return SetupStatus::Ok();
  std::error_code failure;
  std::filesystem::create_directories(file.parent_path(), failure);
  if (failure) {
    return FileSystemFailure(file.string(), "creating the registry file's folder", failure);
  }
  return SetupStatus::Ok();
}

// The values every installation has in its Config key.
SetupStatus WriteConfigValues(DWORD remote, DWORD user_mode, const std::wstring& mapi_profile,
                              SetupReport* report) {
  RegistryValues config(kConfigKey, report);
  SetupStatus status = config.Dword(L"REMOTE", remote);
  if (status.ok()) status = config.Dword(L"USERMODE", user_mode);
  if (status.ok() && user_mode == 2) status = config.String(L"MAPIPROFILE", mapi_profile);
  if (status.ok()) status = config.Dword(L"DEBUG", 0);
  return status;
}

// Kind 1 hands the server's name over in SPLITINFO.INI beside the snap-in module, which
// consumes the entry on its first start; an entry that is there already is left alone.
SetupStatus WriteSplitInfo(const std::string& program_folder, const std::wstring& machine,
                           SetupReport* report) {
  const std::wstring file = FromUtf8(program_folder) + L"/" + kSplitInfoFile;
  const std::string where = ToUtf8(file) + " [Config] Machine";
  const std::wstring existing = GetPrivateProfileString(L"Config", L"Machine", L"", file);
  if (!existing.empty()) {
    report->Kept(where + " = " + ToUtf8(existing));
    return SetupStatus::Ok();
  }
  if (!WritePrivateProfileString(L"Config", L"Machine", machine, file)) {
    return SetupStatus::Failure(ToUtf8(file), "writing [Config] Machine",
                                HRESULT_FROM_WIN32(GetLastError()));
  }
  report->Created(where + " = " + ToUtf8(machine));
  return SetupStatus::Ok();
}

// The server's configuration and user import programs, which the console starts from the
// server folder.
constexpr const char* kServerPrograms[] = {"pwgwconf.exe", "pwgwinet.exe", "pwimport.exe"};

// Copies the configuration programs from beside pwsetup into the server folder; a program
// that is there already is kept.
SetupStatus InstallServerPrograms(const std::string& program_folder, const std::string& folder,
                                  SetupReport* report) {
  for (const char* program : kServerPrograms) {
    const std::filesystem::path source = std::filesystem::path(program_folder) / program;
    const std::filesystem::path target = std::filesystem::path(folder) / program;
    std::error_code failure;
    if (std::filesystem::exists(target, failure)) {
      report->Kept(target.string());
      continue;
    }
    std::filesystem::copy_file(source, target, failure);
    if (failure) return FileSystemFailure(source.string(), "installing the program", failure);
    report->Created(target.string());
  }
  return SetupStatus::Ok();
}

// The installation support library that the snap-in loads from its own folder for route file
// import and export; reported so that an installation without it is noticed.
constexpr char kRouteIoLibrary[] = "libpwroutes.so";

void ReportSupportLibrary(const std::string& program_folder, SetupReport* report) {
  const std::filesystem::path library = std::filesystem::path(program_folder) / kRouteIoLibrary;
  std::error_code failure;
  if (std::filesystem::exists(library, failure)) report->Kept(library.string());
}

}  // namespace

SetupStatus InstallServer(const ServerOptions& options, const std::string& program_folder,
                          SetupReport* report) {
  std::string folder;
  SetupStatus status = ResolveInstallationFolder(options.folder, &folder);
  if (!status.ok()) return status;
  // The snap-in appends the user database's file name to DBPATH directly.
  const std::wstring db_path = FromUtf8(folder) + L"\\";
  status = CheckSameInstallation(0, &db_path);
  if (status.ok()) status = MakeInstallationFolder(folder);
  if (status.ok()) status = MakeRegistryFolder();
  if (status.ok()) status = RegisterInstallationModules(program_folder, report);
  if (status.ok()) ReportSupportLibrary(program_folder, report);
  std::unique_ptr<ServerStores> stores;
  if (status.ok()) status = ServerStores::Open(folder, report, &stores);
  if (status.ok()) status = EnsureSampleCoverpages(folder, report);
  if (status.ok()) status = InstallServerPrograms(program_folder, folder, report);
  if (status.ok()) status = stores->InstallDefaults(options.user_mode, program_folder, report);
  if (status.ok() && options.demo) status = EnsureDemoContent(*stores, report);
  if (status.ok() && options.demo) status = EnsureDemoOcrEngine(folder, report);
  stores.reset();
  if (!status.ok()) return status;

  status = RegistryValues(kVendorKey, report).String(L"PAGEWELL TYPE", kServerType);
  RegistryValues server(kServerKey, report);
  if (status.ok()) status = server.String(L"PATH", FromUtf8(folder));
  if (status.ok()) status = server.Version();
  if (status.ok()) {
    status = WriteConfigValues(0, options.user_mode, options.mapi_profile, report);
  }
  RegistryValues config(kConfigKey, report);
  if (status.ok()) status = config.String(L"DBPATH", db_path);
  if (status.ok()) status = config.String(L"LOGDIR", db_path);
  return status;
}

SetupStatus InstallRemoteConsole(const RemoteConsoleOptions& options,
                                 const std::string& program_folder, SetupReport* report) {
  SetupStatus status = CheckSameInstallation(options.kind, nullptr);
  if (status.ok()) status = MakeRegistryFolder();
  if (status.ok()) status = RegisterInstallationModules(program_folder, report);
  if (status.ok()) ReportSupportLibrary(program_folder, report);
  if (status.ok() && options.kind == 1) {
    status = WriteSplitInfo(program_folder, options.machine, report);
  }
  if (status.ok() && options.kind == 2) {
    status = RegistryValues(kConfigKey, report).String(L"MACHINE", options.machine);
  }
  if (!status.ok()) return status;

  status = RegistryValues(kVendorKey, report).String(L"PAGEWELL TYPE", kRemoteConsoleType);
  if (status.ok()) {
    status = RegistryValues(kServerKey, report).String(L"PATH", FromUtf8(program_folder));
  }
  if (status.ok()) {
    status = WriteConfigValues(options.kind, options.user_mode, options.mapi_profile, report);
  }
  if (status.ok()) status = RegistryValues(kRemoteMonitorKey, report).Version();
  return status;
}

}  // namespace pw::setup
