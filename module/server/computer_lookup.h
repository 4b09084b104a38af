// The network check of a computer: whether it answers, and what kind of machine it is.
//
// On Linux a computer "answers" when one of the ways this console reaches servers knows it:
//  1. a folder named after it (without regard to case) under the UNC root (pw::UncRoot()),
//     where an administrator mounts its shares — it is a file server of the network; when that
//     folder cannot be read, the computer refuses us (access denied);
//  2. this computer's own name (GetComputerName), which always answers;
//  3. a name of the resolver's hosts file (pw::ResolverHostNames(), PAGEWELL_HOSTS_FILE): the
//     network knows it, although nothing tells what it runs.
// Anything else is not found on the network. The connection that follows the check is what
// tells whether the computer runs the server.
#pragma once

#include <string>
#include <string_view>

#include "module/snapin/please_wait.h"
#include "platform/com/types.h"

// Server type bits of the server information.
inline constexpr DWORD SV_TYPE_WORKSTATION = 0x00000001;
inline constexpr DWORD SV_TYPE_SERVER = 0x00000002;
inline constexpr DWORD SV_TYPE_DOMAIN_CTRL = 0x00000008;
inline constexpr DWORD SV_TYPE_DOMAIN_BAKCTRL = 0x00000010;
inline constexpr DWORD SV_TYPE_NT = 0x00001000;
inline constexpr DWORD SV_TYPE_SERVER_NT = 0x00008000;

// What a computer tells about itself (the level-101 server information).
struct ServerInfo {
  DWORD version_major = 0;
  DWORD version_minor = 0;
  DWORD type = 0;  // SV_TYPE_… bits
  std::wstring comment;
};

// Asks the computer `server` (with or without leading backslashes) for its server
// information. 0 on success; ERROR_ACCESS_DENIED when it refuses; ERROR_INVALID_NAME for a
// name no computer can have; ERROR_BAD_NETPATH when the network does not know it.
DWORD QueryServerInfo(std::wstring_view server, ServerInfo* info);

// The platform, role and comment that the server information gives; `error` stays 0.
ComputerLookupResult InterpretServerInfo(const ServerInfo& info);

// The whole check, as the "Please wait" dialog's worker runs it: the name gets its two
// backslashes, the computer is asked, and its answer interpreted. Touches nothing shared.
ComputerLookupResult LookUpComputer(const std::wstring& computer_name);
