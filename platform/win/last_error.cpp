// The thread's last error, and the errno mapping used wherever a POSIX call stands in for a
// Win32 one.
#include "platform/win/last_error.h"

#include <cerrno>

namespace {
thread_local DWORD last_error = 0;
}

DWORD GetLastError() { return last_error; }
void SetLastError(DWORD error) { last_error = error; }

namespace pw {

LONG Win32ErrorFromErrno(int error_number) {
  switch (error_number) {
    case 0:
      return ERROR_SUCCESS;
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
      return ERROR_ACCESS_DENIED;
    case EEXIST:
      return ERROR_FILE_EXISTS;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return ERROR_DISK_FULL;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case ENOTEMPTY:
      return ERROR_DIR_NOT_EMPTY;
    case EMFILE:
    case ENFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    case ENOEXEC:
      return ERROR_BAD_EXE_FORMAT;
    case EBUSY:
    case ETXTBSY:
      return ERROR_SHARING_VIOLATION;
    case EINVAL:
      return ERROR_INVALID_PARAMETER;
    case EISDIR:
      return ERROR_ACCESS_DENIED;
    case EPIPE:
      return ERROR_BROKEN_PIPE;
    case EHOSTUNREACH:
    case ENETUNREACH:
      return ERROR_BAD_NETPATH;
    default:
      return ERROR_INVALID_FUNCTION;
  }
}

}  // namespace pw
