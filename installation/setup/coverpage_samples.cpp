// The sample coverpage files.
#include "installation/setup/coverpage_samples.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/win/last_error.h"

namespace pw::setup {
namespace {

constexpr char kStandardRtf[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs28\\b Fax\\b0\\par\\fs20\\par\n"
    "To: <<Recipient>>\\par\nFrom: <<Sender>>\\par\nDate: <<Date>>\\par\n"
    "Pages: <<Pages>>\\par\n}\n";
constexpr char kConfidentialRtf[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs28\\b Confidential Fax\\b0\\par"
    "\\fs20\\par\nTo: <<Recipient>>\\par\nFrom: <<Sender>>\\par\\par\n"
    "This fax is meant for its recipient only.\\par\n}\n";
constexpr char kMemoHtm[] =
    "<html><head><title>Fax memo</title></head><body>\n<h1>Memo</h1>\n"
    "<p>To: &lt;&lt;Recipient&gt;&gt;<br>From: &lt;&lt;Sender&gt;&gt;</p>\n</body></html>\n";

constexpr SampleCoverpage kSamples[] = {
    {"standard.rtf", "Standard", kStandardRtf},
    {"confidential.rtf", "Confidential", kConfidentialRtf},
    {"memo.htm", "Memo", kMemoHtm},
};

// Writes a new file; refuses to touch one that exists (O_EXCL), so a file made meanwhile by
// someone else is never overwritten. Answers the errno, or 0.
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

std::span<const SampleCoverpage> SampleCoverpages() { return kSamples; }

SetupStatus EnsureSampleCoverpages(const std::string& server_folder, SetupReport* report) {
  const std::string folder = server_folder + "/" + kCoverpageFolder;
  std::error_code failure;
  const bool folder_existed = std::filesystem::is_directory(folder, failure);
  std::filesystem::create_directories(folder, failure);
  if (failure) {
    return SetupStatus::Failure(folder, "creating the coverpage folder",
                                HRESULT_FROM_WIN32(Win32ErrorFromErrno(failure.value())),
                                failure.message());
  }
  report->Record(folder_existed, "coverpage folder " + folder);
  for (const SampleCoverpage& sample : kSamples) {
    const std::string path = folder + "/" + sample.file;
    const int error = WriteNewFile(path, sample.content);
    if (error == EEXIST) {
      report->Kept("coverpage file " + path);
    } else if (error != 0) {
      return SetupStatus::Failure(path, "writing the coverpage file",
                                  HRESULT_FROM_WIN32(Win32ErrorFromErrno(error)),
                                  std::strerror(error));
    } else {
      report->Created("coverpage file " + path);
    }
  }
  return SetupStatus::Ok();
}

}  // namespace pw::setup
