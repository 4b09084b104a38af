// Writing sample files without touching what exists.
#include "installation/setup/sample_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/win/last_error.h"

namespace pw::setup {
namespace {

// Writes a new file; refuses to touch one that exists (O_EXCL). Answers the errno, or 0.
int WriteNewFile(const std::string& path, const char* content) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return errno;
  const std::size_t size = std::strlen(content);
  std::size_t written = 0;
  int error = 0;
  while (written < size) {
    const ssize_t count = ::write(fd, content + written, size - written);
    if (count < 0) {
      if (errno == EINTR) continue;
      error = errno;
      break;
    }
    written += static_cast<std::size_t>(count);
  }
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) ::unlink(path.c_str());
  return error;
}

}  // namespace

SetupStatus EnsureSampleFiles(const std::string& folder, const std::string& what,
                              std::span<const SampleFile> files, SetupReport* report) {
  std::error_code failure;
  const bool folder_existed = std::filesystem::is_directory(folder, failure);
  std::filesystem::create_directories(folder, failure);
  if (failure) {
    return SetupStatus::Failure(folder, "creating the " + what + " folder",
                                HRESULT_FROM_WIN32(Win32ErrorFromErrno(failure.value())),
                                failure.message());
  }
  report->Record(folder_existed, what + " folder " + folder);
  for (const SampleFile& file : files) {
    const std::string path = folder + "/" + file.name;
    const int error = WriteNewFile(path, file.content);
    if (error == EEXIST) {
      report->Kept(what + " file " + path);
    } else if (error != 0) {
      return SetupStatus::Failure(path, "writing the " + what + " file",
                                  HRESULT_FROM_WIN32(Win32ErrorFromErrno(error)),
                                  std::strerror(error));
    } else {
      report->Created(what + " file " + path);
    }
  }
  return SetupStatus::Ok();
}

}  // namespace pw::setup
