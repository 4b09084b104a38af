// Import and export of CSID and DTMF/DID routes through the installation support library,
// which is installed beside the snap-in module.
#pragma once

#include <string>

#include "platform/com/types.h"

class CComponent;
class CComponentData;
class CRoutingDelegationBase;
struct IConsole;

// Runs the routine of `ordinal` (import 28, export 30) with the component data's rule store,
// user locator and directory mode, the rule type and the file path. FALSE when the routine
// failed or the library or routine is missing (logged).
BOOL RunRouteFileRoutine(long ordinal, CComponentData* component_data,
                         const std::wstring& rule_type, const std::wstring& path);

// A list's "Import" command: asks for a text or CSV file, imports the list's rule type from
// it, reports a failure with `failed_message` and refreshes the list in every case, so that
// whatever the library stored appears. S_FALSE when the administrator cancelled.
HRESULT ImportRouteFile(CRoutingDelegationBase& list, CComponent* component, IConsole* console,
                        UINT failed_message);
// A list's "Export" command: asks for a CSV file and exports the list's rule type into it;
// a failure is reported with `failed_message` (S_FALSE, as for a cancel).
HRESULT ExportRouteFile(CRoutingDelegationBase& list, UINT failed_message);
