// Registration of COM server modules through their own DllRegisterServer exports.
#pragma once

#include <string>

#include "installation/setup/setup_status.h"

namespace pw::setup {

// The COM modules of an installation, installed beside the programs: the snap-in, the
// configuration store, the user database and the address book.
inline constexpr const char* kInstallationModules[] = {"pwconfig.so", "pwstore.so", "pwuserdb.so",
                                                       "pwaddrbook.so"};

// Loads `module_path` and calls its DllRegisterServer (or DllUnregisterServer). A module that
// cannot be loaded, lacks the export or answers a failure is a failure naming the module.
SetupStatus RegisterModule(const std::string& module_path);
SetupStatus UnregisterModule(const std::string& module_path);

// Registers every module of kInstallationModules found in `folder`; stops at the first
// failure. Registration is repeated on every run so that the registry names this folder.
SetupStatus RegisterInstallationModules(const std::string& folder, SetupReport* report);

// The folder that holds the running program, where the modules are installed beside it.
std::string ProgramFolder();

}  // namespace pw::setup
