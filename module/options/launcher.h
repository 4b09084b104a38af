// Starting the server's configuration programs with the snap-in's command lines.
#pragma once

#include <string_view>

class CComponentData;

// Starts `file_name` from the server's installation folder (or, on a remote console, from the
// server's configuration share) with `arguments` as its whole command line; a remote console
// appends -remote:"NAME". Unless `quiet`, a failed start is reported in the console's message
// box. With `wait`, returns once the program has ended. True when the program started.
bool LaunchServerProgram(const CComponentData* component_data, std::wstring_view file_name,
                         std::wstring_view arguments, bool quiet, bool wait);
