// Reading the installation's registry values and forming the server path.
#include "module/server/server_location.h"

#include "module/resources/server.h"
#include "module/snapin/pwconfig_app.h"
#include "module/snapin/registry_keys.h"
#include "platform/com/strings.h"
#include "platform/win/ini_file.h"
#include "platform/win/paths.h"
#include "platform/win/registry.h"

namespace {

constexpr wchar_t kVendorKey[] = L"SOFTWARE\\Ardent Telecom";
constexpr wchar_t kShareName[] = L"PWSERVER$";
constexpr wchar_t kSplitInfoFile[] = L"SPLITINFO.INI";
// Value sizes in bytes, terminator included, as the installation's buffers hold them.
constexpr std::size_t kPathBytes = 260;
constexpr std::size_t kNameBytes = 261;

std::wstring ReadFailure(std::wstring_view key, std::wstring_view value) {
  return pw::FormatString(L"Failed to read HKEY_LOCAL_MACHINE\\%s\\%s from registry.",
                          std::wstring(key), std::wstring(value));
}

std::wstring OpenFailure(std::wstring_view key) {
  return pw::FormatString(L"Failed to open key HKEY_LOCAL_MACHINE\\%s.", std::wstring(key));
}

// A REG_SZ value that fits a buffer of `bytes` bytes.
bool ReadString(const CRegKey& key, std::wstring_view name, std::size_t bytes,
                std::wstring* value) {
  std::wstring text;
  if (key.QueryStringValue(name, &text) != ERROR_SUCCESS) return false;
  if (pw::ToUtf8(text).size() + 1 > bytes) return false;
  *value = std::move(text);
  return true;
}

bool Fail(std::wstring text, std::wstring* message) {
  WriteLog(L"%s", text);
  *message = std::move(text);
  return false;
}

// Remote kind 1: the name comes once from SPLITINFO.INI, afterwards from "MACHINE".
bool LocateFixedServer(CRegKey& config, ServerLocation* location, std::wstring* message) {
  const std::wstring folder = SnapinModuleFolder();
  std::wstring name;
  if (folder.empty()) {
    WriteLog(L"Call to GetModuleFileName failed when Remote = 1");
  } else {
    const std::wstring file = folder + L"\\" + kSplitInfoFile;
    name = GetPrivateProfileString(L"Config", L"Machine", L"", file, kPathBytes);
    if (!name.empty()) {
      config.SetStringValue(L"MACHINE", name);
      WritePrivateProfileString(L"Config", L"Machine", std::nullopt, file);
    } else {
      WriteLog(L"Failed to read SPLITINFO.INI\\Config\\Machine from INI file.");
    }
  }
  if (name.empty() && !ReadString(config, L"MACHINE", kNameBytes, &name)) {
    return Fail(LoadModuleString(IDS_REMOTE_SETTINGS_MISSING), message);
  }
  location->computer_name = NormalizeComputerName(name);
  location->server_path = ServerSharePath(*location->computer_name);
  return true;
}

// Remote kind 2: "MACHINE" is a one-time hand-over; without it the console file or a choice
// names the computer later.
void LocateAnyServer(CRegKey& config, const std::optional<std::wstring>& page_computer,
                     ServerLocation* location) {
  std::wstring name;
  if (ReadString(config, L"MACHINE", kNameBytes, &name)) {
    location->computer_name = NormalizeComputerName(name);
    location->server_path = ServerSharePath(*location->computer_name);
    config.DeleteValue(L"MACHINE");
  } else if (page_computer) {
    location->server_path = ServerSharePath(*page_computer);
  } else {
    location->computer_name = std::wstring();
  }
}

}  // namespace

std::wstring ServerSharePath(std::wstring_view computer) {
  return L"\\\\" + std::wstring(computer) + L"\\" + kShareName;
}

std::wstring NormalizeComputerName(std::wstring_view name) {
  const std::wstring_view trimmed = pw::Trim(name);
  return pw::ToUpper(trimmed);
}

std::wstring SnapinModuleFolder() {
  static const int anchor = 0;
  return pw::FolderOf(pw::ModuleFileNameFromAddress(&anchor));
}

bool LocateServer(const std::optional<std::wstring>& page_computer, ServerLocation* location,
                  std::wstring* message) {
  *location = ServerLocation{};
  CRegKey vendor;
  if (vendor.Open(HKEY_LOCAL_MACHINE, kVendorKey, KEY_READ) == ERROR_SUCCESS &&
      vendor.QueryStringValue(L"PAGEWELL TYPE", &location->pagewell_type) != ERROR_SUCCESS) {
    return Fail(ReadFailure(kVendorKey, L"PAGEWELL TYPE"), message);
  }

  CRegKey server;
  if (server.Open(HKEY_LOCAL_MACHINE, kPagewellKey, KEY_READ) != ERROR_SUCCESS) {
    return Fail(OpenFailure(kPagewellKey), message);
  }
  if (!ReadString(server, L"PATH", kPathBytes, &location->install_path)) {
    return Fail(ReadFailure(kPagewellKey, L"PATH"), message);
  }
  server.Close();

  CRegKey config;
  if (config.Open(HKEY_LOCAL_MACHINE, kPagewellConfigKey, KEY_READ | KEY_WRITE) != ERROR_SUCCESS) {
    return Fail(OpenFailure(kPagewellConfigKey), message);
  }
  if (config.QueryDWORDValue(L"USERMODE", &location->directory_mode) != ERROR_SUCCESS) {
    return Fail(ReadFailure(kPagewellConfigKey, L"USERMODE"), message);
  }
  if (location->directory_mode < 1 || location->directory_mode > 3) {
    WriteLog(L"Invalid user mode read from registry:%lu.", location->directory_mode);
    return Fail(LoadModuleString(IDS_INVALID_USER_MODE), message);
  }
  if (location->directory_mode == 2 &&
      !ReadString(config, L"MAPIPROFILE", kNameBytes, &location->mapi_profile)) {
    return Fail(ReadFailure(kPagewellConfigKey, L"MAPIPROFILE"), message);
  }
  if (config.QueryDWORDValue(L"REMOTE", &location->remote_kind) != ERROR_SUCCESS) {
    return Fail(ReadFailure(kPagewellConfigKey, L"REMOTE"), message);
  }
  switch (location->remote_kind) {
    case 0:
      if (!ReadString(config, L"DBPATH", kPathBytes, &location->server_path)) {
        return Fail(ReadFailure(kPagewellConfigKey, L"DBPATH"), message);
      }
      location->computer_name = std::wstring();
      return true;
    case 1:
      return LocateFixedServer(config, location, message);
    case 2:
      LocateAnyServer(config, page_computer, location);
      return true;
    default:
      return true;
  }
}
