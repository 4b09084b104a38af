// The calling thread's last Win32 error, as the BOOL-returning functions leave it.
#pragma once

#include "platform/com/hresult.h"

DWORD GetLastError();
void SetLastError(DWORD error);

namespace pw {
// The Win32 error number that stands for an errno value (ENOENT → 2, EACCES → 5, …).
LONG Win32ErrorFromErrno(int error_number);
}  // namespace pw
