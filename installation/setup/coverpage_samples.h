// The sample coverpages that a new server gets in its coverpage folder.
#pragma once

#include <span>
#include <string>

#include "installation/setup/setup_status.h"

namespace pw::setup {

// The coverpage folder's name in the server folder.
inline constexpr char kCoverpageFolder[] = "coverpge";

struct SampleCoverpage {
  const char* file;     // the file's name in the coverpage folder
  const char* display;  // the name a coverpage rule made for it shows
  const char* content;
};

std::span<const SampleCoverpage> SampleCoverpages();

// Creates the coverpage folder in `server_folder` and writes each sample file that is
// missing; existing files, also of the same names, are kept untouched.
SetupStatus EnsureSampleCoverpages(const std::string& server_folder, SetupReport* report);

}  // namespace pw::setup
