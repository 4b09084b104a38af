// Writing and reading the messaging profile files.
#include "installation/profile/messaging_profile.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/com/hresult.h"
#include "platform/com/strings.h"

namespace pw::profile {
namespace {

constexpr std::size_t kMaxNameLength = 64;
constexpr char kSection[] = "[Profile]";

bool HasLineBreak(std::wstring_view text) { return text.find_first_of(L"\r\n") != text.npos; }

std::string ProfileFile(std::wstring_view name) {
  return ProfileFolder() + "/" + ToUtf8(name) + ".ini";
}

HRESULT FromErrno(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
      return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
    case ENOSPC:
      return HRESULT_FROM_WIN32(ERROR_DISK_FULL);
    default:
      return HRESULT_FROM_WIN32(ERROR_CANTWRITE);
  }
}

}  // namespace

std::string ProfileFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (config != nullptr && config[0] == '/') {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home != nullptr && home[0] == '/' ? home : "/tmp") + "/.config";
  }
  return base + "/pagewell/profiles";
}

bool IsValidProfileName(std::wstring_view name) {
  if (name.empty() || name.size() > kMaxNameLength || name.front() == L'.') return false;
  for (wchar_t c : name) {
    if (c < 0x20 || c == 0x7F || c == L'/' || c == L'\\') return false;
  }
  return true;
}

HRESULT WriteProfile(std::wstring_view name, const MessagingProfile& profile) {
  if (!IsValidProfileName(name) || profile.server.empty() || HasLineBreak(profile.server) ||
      HasLineBreak(profile.mailbox_prompt)) {
    return E_INVALIDARG;
  }
  std::error_code failure;
  std::filesystem::create_directories(ProfileFolder(), failure);
  if (failure) return FromErrno(failure.value());
  const std::string file = ProfileFile(name);
  // A reader never sees half a profile: the new file replaces the old one by a rename.
  const std::string temporary = file + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return FromErrno(errno);
    out << kSection << "\nServer=" << ToUtf8(profile.server)
        << "\nMailboxPrompt=" << ToUtf8(profile.mailbox_prompt) << "\nFlags=" << profile.flags
        << "\n";
    out.flush();
    if (!out) {
      std::filesystem::remove(temporary, failure);
      return HRESULT_FROM_WIN32(ERROR_CANTWRITE);
    }
  }
  std::filesystem::rename(temporary, file, failure);
  if (failure) {
    const HRESULT hr = FromErrno(failure.value());
    std::filesystem::remove(temporary, failure);
    return hr;
  }
  return S_OK;
}

HRESULT ReadProfile(std::wstring_view name, MessagingProfile* profile) {
  if (profile == nullptr) return E_POINTER;
  *profile = {};
  if (!IsValidProfileName(name)) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
  std::ifstream in(ProfileFile(name), std::ios::binary);
  if (!in) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
  bool in_section = false;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      in_section = line == kSection;
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!in_section || equals == std::string::npos) continue;
    const std::wstring key = FromUtf8(line.substr(0, equals));
    const std::wstring value = FromUtf8(line.substr(equals + 1));
    if (EqualsIgnoreCase(key, L"Server")) {
      profile->server = std::wstring(Trim(value));
    } else if (EqualsIgnoreCase(key, L"MailboxPrompt")) {
      profile->mailbox_prompt = value;
    } else if (EqualsIgnoreCase(key, L"Flags")) {
      profile->flags = static_cast<DWORD>(std::strtoul(ToUtf8(value).c_str(), nullptr, 10));
    }
  }
  return profile->server.empty() ? E_FAIL : S_OK;
}

}  // namespace pw::profile
