// The installation's registry keys, and writing their values without replacing any that an
// installation already has.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "installation/setup/setup_status.h"
#include "platform/com/types.h"

namespace pw::setup {

inline constexpr wchar_t kVendorKey[] = L"SOFTWARE\\Ardent Telecom";
inline constexpr wchar_t kServerKey[] = L"SOFTWARE\\Ardent Telecom\\Pagewell";
inline constexpr wchar_t kConfigKey[] = L"SOFTWARE\\Ardent Telecom\\Pagewell\\Config";
inline constexpr wchar_t kRemoteMonitorKey[] = L"SOFTWARE\\Ardent Telecom\\Ziroze Vevavur";

// The version this build installs.
inline constexpr DWORD kMajorVersion = 9;
inline constexpr DWORD kMinorVersion = 0;
inline constexpr DWORD kBuild = 1;

// Writes HKEY_LOCAL_MACHINE values of one key. A value that exists already (of any type) is
// kept: an administrator's changes and what the snap-in wrote survive every re-run. Each value
// is reported as created or kept, with the value it has afterwards.
class RegistryValues {
 public:
  RegistryValues(std::wstring key, SetupReport* report) : key_(std::move(key)), report_(report) {}

  SetupStatus String(std::wstring_view name, std::wstring_view value);
  SetupStatus Dword(std::wstring_view name, DWORD value);
  // The version values "MajorVer", "MinorVer" and "Build".
  SetupStatus Version();

 private:
  std::wstring key_;
  SetupReport* report_;
};

// The DWORD value `name` of HKEY_LOCAL_MACHINE\`key`; nullopt when the key or value is missing
// or the value is no DWORD.
std::optional<DWORD> ReadDword(std::wstring_view key, std::wstring_view name);

// A failure of the registry file in use, for `step`.
SetupStatus RegistryFailure(const std::string& step, LONG result);

}  // namespace pw::setup
