// The network check of a computer, answered from the UNC root, this computer's name and the
// resolver's hosts file.
#include "module/server/computer_lookup.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/com/hresult.h"
#include "platform/com/strings.h"
#include "platform/win/host_names.h"
#include "platform/win/paths.h"

namespace {

// Computer names hold none of these (nor blanks); a name with one names no computer.
constexpr std::wstring_view kForbiddenCharacters = L"\\/:*?\"<>|,;=+[] \t";
// The longest DNS label.
constexpr std::size_t kMaxComputerNameChars = 63;

bool IsPossibleComputerName(std::wstring_view name) {
  if (name.empty() || name.size() > kMaxComputerNameChars) return false;
  if (name == L"." || name == L"..") return false;
  for (const wchar_t c : name) {
    if (c < 0x20 || kForbiddenCharacters.find(c) != std::wstring_view::npos) return false;
  }
  return true;
}

// The host's folder under the UNC root, matched without regard to case; empty when none.
std::filesystem::path MountedHostFolder(std::wstring_view name) {
  std::error_code failure;
  std::filesystem::directory_iterator entries(pw::UncRoot(), failure);
  if (failure) return {};
  for (const auto& entry : entries) {
    if (pw::EqualsIgnoreCase(pw::FromUtf8(entry.path().filename().string()), name)) {
      return entry.path();
    }
  }
  return {};
}

// Whether the mounted shares can be listed: the share folder answers as the computer would.
DWORD ReadMountedHost(const std::filesystem::path& folder) {
  std::error_code failure;
  if (!std::filesystem::is_directory(folder, failure)) return ERROR_BAD_NETPATH;
  std::filesystem::directory_iterator entries(folder, failure);
  if (!failure) return 0;
  if (failure == std::errc::permission_denied || failure == std::errc::operation_not_permitted) {
    return ERROR_ACCESS_DENIED;
  }
  return ERROR_BAD_NETPATH;
}

}  // namespace

DWORD QueryServerInfo(std::wstring_view server, ServerInfo* info) {
  while (!server.empty() && server.front() == L'\\') server.remove_prefix(1);
  if (!IsPossibleComputerName(server)) return ERROR_INVALID_NAME;
  *info = ServerInfo();
  if (const std::filesystem::path folder = MountedHostFolder(server); !folder.empty()) {
    const DWORD error = ReadMountedHost(folder);
    if (error != 0) return error;
    // A machine whose shares we mount serves files as a Windows NT server does.
    info->version_major = 5;
    info->type = SV_TYPE_WORKSTATION | SV_TYPE_SERVER | SV_TYPE_NT | SV_TYPE_SERVER_NT;
    return 0;
  }
  std::wstring own_name;
  if (GetComputerName(&own_name) && pw::EqualsIgnoreCase(own_name, server)) {
    info->version_major = 5;
    info->type = SV_TYPE_WORKSTATION | SV_TYPE_SERVER | SV_TYPE_NT;
    return 0;
  }
  for (const std::wstring& known : pw::ResolverHostNames()) {
    if (pw::EqualsIgnoreCase(known, server)) {
      // Known by name only: nothing says that it runs Windows NT.
      info->type = SV_TYPE_WORKSTATION;
      return 0;
    }
  }
  return ERROR_BAD_NETPATH;
}

ComputerLookupResult InterpretServerInfo(const ServerInfo& info) {
  ComputerLookupResult result;
  result.comment = info.comment;
  if ((info.type & SV_TYPE_NT) == 0) return result;
  switch (info.version_major) {
    case 4:
      result.platform = 1;
      break;
    case 5:
      result.platform = 2;
      break;
    default:
      result.platform = -1;
      break;
  }
  if ((info.type & (SV_TYPE_DOMAIN_CTRL | SV_TYPE_DOMAIN_BAKCTRL)) != 0) {
    result.role = 3;
  } else if ((info.type & SV_TYPE_SERVER_NT) != 0) {
    result.role = 2;
  } else {
    result.role = 1;
  }
  return result;
}

ComputerLookupResult LookUpComputer(const std::wstring& computer_name) {
  std::wstring server = computer_name;
  if (!server.starts_with(L"\\\\")) server.insert(0, L"\\\\");
  ServerInfo info;
  if (const DWORD error = QueryServerInfo(server, &info); error != 0) {
    ComputerLookupResult failed;
    failed.error = error;
    return failed;
  }
  return InterpretServerInfo(info);
}
