// Import and export of CSID and DTMF/DID routes through the installation support library,
// which is installed beside the snap-in module.
#pragma once

#include <string>

#include "platform/com/types.h"

class CComponentData;

// Runs the routine of `ordinal` (import 28, export 30) with the component data's rule store,
// user locator and directory mode, the rule type and the file path. FALSE when the routine
// failed or the library or routine is missing (logged).
BOOL RunRouteFileRoutine(long ordinal, CComponentData* component_data,
                         const std::wstring& rule_type, const std::wstring& path);
