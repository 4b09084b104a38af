// Asking the administrator which computer's server to administer.
#pragma once

#include <optional>
#include <string>

struct IConsole;

// Shows the computer selection, starting with `current`, and answers the validated name, or
// nothing when the administrator cancels. The selection dialog is not part of the module yet:
// until it is, every request ends as cancelled.
std::optional<std::wstring> AskForComputerToManage(IConsole* console, const std::wstring& current);
