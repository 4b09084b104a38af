// Sample files that pwsetup puts into a server folder (coverpages, the demo's OCR engine).
#pragma once

#include <span>
#include <string>

#include "installation/setup/setup_status.h"

namespace pw::setup {

struct SampleFile {
  const char* name;  // the file's name in its folder
  const char* content;
};

// Creates `folder` (with its parents) when missing, then writes each of `files` that is
// missing; existing files, also of the same names, are kept untouched, and a file made
// meanwhile by someone else is never overwritten. `what` names folder and files in the report.
SetupStatus EnsureSampleFiles(const std::string& folder, const std::string& what,
                              std::span<const SampleFile> files, SetupReport* report);

}  // namespace pw::setup
