// Paths as the snap-in forms them (Windows style) and as the file system takes them.
//
// A local path is a POSIX path; backslashes become slashes. A UNC path "\\HOST\SHARE\rest" is
// resolved under the UNC root folder as ROOT/HOST/SHARE/rest, where an administrator mounts the
// server's share. The root comes from PAGEWELL_UNC_ROOT, by default "unc" in the user's data
// folder. Host and share names are matched against the root's folders without regard to case.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/types.h"

namespace pw {

std::string ToHostPath(std::wstring_view windows_path);
bool IsUncPath(std::wstring_view path);
std::string UncRoot();
// $XDG_DATA_HOME/pagewell, else $HOME/.local/share/pagewell.
std::string UserDataFolder();
// The file of the shared library or program that contains `address`.
std::wstring ModuleFileNameFromAddress(const void* address);
// The folder part of a path (without the trailing separator), for either separator.
std::wstring FolderOf(std::wstring_view path);

}  // namespace pw

// The path of a loaded module (its dlopen handle), or of the program for null. 0 on failure.
DWORD GetModuleFileName(HMODULE module, std::wstring* path);
// The computer's name as Windows shows it: the host name without its domain, in capitals.
// PAGEWELL_COMPUTERNAME overrides it (tests, and machines whose host name is not the name
// the network knows them by).
BOOL GetComputerName(std::wstring* name);
