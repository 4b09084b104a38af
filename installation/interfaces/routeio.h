// The installation support library (libpwroutes.so): import and export of CSID and DTMF/DID
// routes from and to a route file. Callers import the routines by ordinal; a shared library
// has no ordinals, so the table below names the export behind each one.
//
// The file layout (CSV) is described in docs/route-files.md. No routine throws.
#pragma once

#include <cstddef>

#include "installation/interfaces/ardent_db.h"
#include "installation/interfaces/ardent_userdb.h"

inline constexpr char ROUTEIO_LIBRARY_NAME[] = "libpwroutes.so";

// The ordinals of the two routines and the exports that stand for them.
inline constexpr long ROUTEIO_ORDINAL_IMPORT = 28;
inline constexpr long ROUTEIO_ORDINAL_EXPORT = 30;

struct RouteIoOrdinal {
  long ordinal;
  const char* name;
};
inline constexpr RouteIoOrdinal ROUTEIO_ORDINALS[] = {
    {ROUTEIO_ORDINAL_IMPORT, "RouteFile_Import"},
    {ROUTEIO_ORDINAL_EXPORT, "RouteFile_Export"},
};

// The export that stands for `ordinal`, or null for an ordinal the library does not have.
inline constexpr const char* RouteIoExportName(long ordinal) {
  for (const RouteIoOrdinal& entry : ROUTEIO_ORDINALS) {
    if (entry.ordinal == ordinal) return entry.name;
  }
  return nullptr;
}

extern "C" {

// Both routines take: the rule interface and the user locator (each by the address of the
// caller's pointer), the directory mode (1 Active Directory, 2 Exchange 5.5, 3 the server's own
// user database), the rule type ("csid" or "did") and the file's path (Windows style, local or
// UNC). They answer non-zero on success and 0 on failure; the reason is logged.
using RouteFileProc = BOOL (*)(IArdentRULEDB** rules, IArdentUserLocator** users,
                               LONG directory_mode, LPCWSTR rule_type, LPCWSTR path);

// Ordinal 28. Reads every route of the file, then stores them in one bulk update: a value the
// type already has (compared without regard to case) updates that route; others are added.
// A file that cannot be read or is malformed changes nothing; neither does a store failure on
// the way (what was stored is undone). Users of the file that the user database does not know
// are logged and left out.
BOOL RouteFile_Import(IArdentRULEDB** rules, IArdentUserLocator** users, LONG directory_mode,
                      LPCWSTR rule_type, LPCWSTR path);

// Ordinal 30. Writes every route of the type, in store order, to the file. The file is written
// whole or not at all (a temporary file renamed over it).
BOOL RouteFile_Export(IArdentRULEDB** rules, IArdentUserLocator** users, LONG directory_mode,
                      LPCWSTR rule_type, LPCWSTR path);

// Lines of the library go to `path` (a Windows-style path), in the console's log format; null
// or empty turns them off. S_OK.
HRESULT RouteFile_SetLogFile(LPCWSTR path);

}  // extern "C"
