// The library's diagnostic log (see installation/common/library_log.h).
#pragma once

#include "installation/common/library_log.h"

namespace pw::userutil {

using install::Log;
using install::SetLogPath;
using install::WriteLogLine;

}  // namespace pw::userutil
