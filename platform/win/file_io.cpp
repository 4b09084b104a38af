// Whole-file reads and atomic whole-file writes.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/win/files.h"
#include "platform/win/last_error.h"

namespace pw {
namespace {

bool Fail(LONG* error, int error_number) {
  if (error != nullptr) *error = Win32ErrorFromErrno(error_number);
  return false;
}

std::string FolderOfHostPath(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

bool ReadFileBytes(const std::string& host_path, std::string* bytes, LONG* error) {
  const int fd = ::open(host_path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Fail(error, errno);
  bytes->clear();
  char chunk[65536];
  for (;;) {
    const ssize_t got = ::read(fd, chunk, sizeof(chunk));
    if (got < 0) {
      if (errno == EINTR) continue;
      const int saved = errno;
      ::close(fd);
      return Fail(error, saved);
    }
    if (got == 0) break;
    bytes->append(chunk, static_cast<std::size_t>(got));
  }
  ::close(fd);
  if (error != nullptr) *error = ERROR_SUCCESS;
  return true;
}

bool WriteFileAtomically(const std::string& host_path, std::string_view bytes, LONG* error) {
  // The temporary file keeps the target's permissions when it exists.
  mode_t mode = 0644;
  struct stat existing;
  if (::stat(host_path.c_str(), &existing) == 0) mode = existing.st_mode & 07777;

  std::string temporary = host_path + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return Fail(error, errno);
  ::fchmod(fd, mode);
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t put = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (put < 0) {
      if (errno == EINTR) continue;
      const int saved = errno;
      ::close(fd);
      ::unlink(temporary.c_str());
      return Fail(error, saved);
    }
    written += static_cast<std::size_t>(put);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    const int saved = errno;
    ::unlink(temporary.c_str());
    return Fail(error, saved);
  }
  if (::rename(temporary.c_str(), host_path.c_str()) != 0) {
    const int saved = errno;
    ::unlink(temporary.c_str());
    return Fail(error, saved);
  }
  // The rename itself must reach the disk before the write counts as done.
  const int folder =
      ::open(FolderOfHostPath(host_path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  if (error != nullptr) *error = ERROR_SUCCESS;
  return true;
}

}  // namespace pw
