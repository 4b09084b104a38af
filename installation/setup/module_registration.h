// Registration of COM server modules through their own DllRegisterServer exports.
#pragma once

#include <string>

#include "platform/com/hresult.h"

namespace pw::setup {

// Loads `module_path` and calls its DllRegisterServer (or DllUnregisterServer). The result of
// the export, or the failure to load it; `error` says what went wrong in words.
HRESULT RegisterModule(const std::string& module_path, std::string* error);
HRESULT UnregisterModule(const std::string& module_path, std::string* error);

// The folder that holds the running program, where the modules are installed beside it.
std::string ProgramFolder();

}  // namespace pw::setup
