// Messaging profiles as files of the user's configuration folder: writing one, and reading
// back the server it names.
#pragma once

#include <string>

#include "platform/com/types.h"

namespace pw::profile {

struct MessagingProfile {
  std::wstring server;
  std::wstring mailbox_prompt;
  DWORD flags = 0;
};

// "<config>/pagewell/profiles", <config> being $XDG_CONFIG_HOME when it is an absolute path,
// else $HOME/.config.
std::string ProfileFolder();
// Whether `name` may name a profile file (see exchange_profile.h).
bool IsValidProfileName(std::wstring_view name);
// Writes the profile file, replacing the old one in one step. E_INVALIDARG for a bad name or
// values; a Win32 code when the folder or file cannot be written.
[[nodiscard]] HRESULT WriteProfile(std::wstring_view name, const MessagingProfile& profile);
// Reads profile `name`. HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) when there is none (or the
// name is not valid); E_FAIL when the file names no server.
[[nodiscard]] HRESULT ReadProfile(std::wstring_view name, MessagingProfile* profile);

}  // namespace pw::profile
