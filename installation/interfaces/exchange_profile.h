// The messaging profile library (libpwprofile.so): the profile through which the address book
// reaches an Exchange 5.5 directory. Callers find the function by its C name.
//
// A profile is a small file "<profile>.ini" in the folder "pagewell/profiles" of the user's
// configuration folder ($XDG_CONFIG_HOME, else $HOME/.config):
//
//   [Profile]
//   Server=<directory server>
//   MailboxPrompt=<prompt>
//   Flags=<flags>
//
// in UTF-8. Making a profile that exists replaces it, so the profile always names the server
// the console uses now.
#pragma once

#include "platform/com/types.h"

extern "C" {

// Records profile `profile` naming `server`. `mailbox_prompt` is the question a mail client
// would ask for the mailbox name (kept, not asked here); `flags` is kept as given. S_OK, or:
// E_INVALIDARG for an empty, over-long (over 64 characters) or path-like profile name
// (separators, a leading dot, control characters), an empty server or a text with a line
// break; a Win32 code (facility 7) when the folder or file cannot be written.
LONG CreateExchange55Profile(LPCWSTR profile, LPCWSTR server, LPCWSTR mailbox_prompt, DWORD flags);

}  // extern "C"
