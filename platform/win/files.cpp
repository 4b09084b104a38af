// Searches, copies, moves and deletions with the answers and error numbers of the Windows
// file functions, on POSIX files reached through pw::ToHostPath.
#include "platform/win/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <mutex>

#include "platform/com/strings.h"
#include "platform/win/handle_table.h"
#include "platform/win/last_error.h"
#include "platform/win/paths.h"

namespace pw {
namespace {

bool IsWindowsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsFolder(const std::string& host_path) {
  struct stat info;
  return ::stat(host_path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string HostFolderOf(const std::string& host_path) {
  std::string path = host_path;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string HostNameOf(const std::string& host_path) {
  std::string path = host_path;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// What Windows answers for a path that is not there: a missing server or share of a UNC path,
// a missing folder on the way, or just the missing last part.
LONG NotFoundError(std::wstring_view windows_path, const std::string& host_path) {
  if (host_path.empty()) return ERROR_PATH_NOT_FOUND;
  if (IsUncPath(windows_path)) {
    const std::wstring_view rest = windows_path.substr(2);
    const std::size_t host_end = rest.find_first_of(L"\\/");
    const std::wstring host(rest.substr(0, host_end));
    if (!IsFolder(ToHostPath(L"\\\\" + host))) return ERROR_BAD_NETPATH;
    if (host_end != std::wstring_view::npos) {
      const std::wstring_view after_host = rest.substr(host_end + 1);
      const std::wstring share(after_host.substr(0, after_host.find_first_of(L"\\/")));
      if (!share.empty() && !IsFolder(ToHostPath(L"\\\\" + host + L"\\" + share))) {
        return ERROR_BAD_NET_NAME;
      }
    }
  }
  return IsFolder(HostFolderOf(host_path)) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

LONG ErrorFor(int error_number, std::wstring_view windows_path, const std::string& host_path) {
  if (error_number == ENOENT) return NotFoundError(windows_path, host_path);
  if (error_number == ENOTDIR) return ERROR_PATH_NOT_FOUND;
  return Win32ErrorFromErrno(error_number);
}

BOOL Fail(LONG error) {
  SetLastError(static_cast<DWORD>(error));
  return FALSE;
}

BOOL Succeed() {
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

bool IsHiddenName(std::string_view name) {
  return !name.empty() && name[0] == '.' && name != "." && name != "..";
}

DWORD AttributesOf(const struct stat& info, std::string_view name) {
  DWORD attributes = 0;
  if (S_ISDIR(info.st_mode)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
  if ((info.st_mode & S_IWUSR) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
  if (IsHiddenName(name)) attributes |= FILE_ATTRIBUTE_HIDDEN;
  return attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
}

// Case-folded glob with * (any run) and ? (one character), backtracking to the last star.
bool Glob(std::wstring_view pattern, std::wstring_view name) {
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t star = std::wstring_view::npos;
  std::size_t star_name = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == L'?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == L'*') {
      star = p++;
      star_name = n;
    } else if (star != std::wstring_view::npos) {
      p = star + 1;
      n = ++star_name;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

class FindObject : public KernelObject {
 public:
  explicit FindObject(std::vector<WIN32_FIND_DATA> found) : found_(std::move(found)) {}

  bool Next(WIN32_FIND_DATA* data) {
    std::lock_guard lock(mutex_);
    if (next_ >= found_.size()) return false;
    *data = found_[next_++];
    return true;
  }

 private:
  std::mutex mutex_;
  std::vector<WIN32_FIND_DATA> found_;
  std::size_t next_ = 0;
};

// The matches of a pattern and the Win32 error of the search itself (0 when the folder could
// be read, however many names matched).
std::vector<WIN32_FIND_DATA> Search(std::wstring_view pattern, LONG* error) {
  *error = ERROR_SUCCESS;
  std::vector<WIN32_FIND_DATA> found;
  std::size_t separator = pattern.size();
  while (separator > 0 && !IsWindowsSeparator(pattern[separator - 1])) --separator;
  const std::wstring_view name_pattern = pattern.substr(separator);
  if (name_pattern.empty()) {
    *error = ERROR_FILE_NOT_FOUND;
    return found;
  }
  std::string host_folder = ".";
  std::wstring_view windows_folder;
  if (separator > 0) {
    windows_folder = pattern.substr(0, separator == 1 ? 1 : separator - 1);
    host_folder = ToHostPath(windows_folder);
  }
  DIR* dir = ::opendir(host_folder.c_str());
  if (dir == nullptr) {
    *error = ErrorFor(errno, windows_folder, host_folder);
    if (*error == ERROR_FILE_NOT_FOUND) *error = ERROR_PATH_NOT_FOUND;
    return found;
  }
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view host_name = entry->d_name;
    if (host_name == "." || host_name == "..") continue;
    std::wstring name = FromUtf8(host_name);
    if (!MatchesFindPattern(name_pattern, name)) continue;
    struct stat info;
    // A link whose target is gone is still listed, as the link itself.
    if (::fstatat(::dirfd(dir), entry->d_name, &info, 0) != 0 &&
        ::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
      continue;
    }
    WIN32_FIND_DATA data;
    data.dwFileAttributes = AttributesOf(info, host_name);
    data.nFileSize = S_ISDIR(info.st_mode) ? 0 : static_cast<ULONGLONG>(info.st_size);
    data.ftLastWriteTime = static_cast<LONGLONG>(info.st_mtime);
    data.cFileName = std::move(name);
    found.push_back(std::move(data));
  }
  ::closedir(dir);
  std::sort(found.begin(), found.end(), [](const WIN32_FIND_DATA& a, const WIN32_FIND_DATA& b) {
    const int order = CompareIgnoreCase(a.cFileName, b.cFileName);
    return order != 0 ? order < 0 : a.cFileName < b.cFileName;
  });
  return found;
}

bool ContainsWildcard(std::wstring_view pattern) {
  return pattern.find_first_of(L"*?") != std::wstring_view::npos;
}

// Writes all of `fd_in` to `fd_out`; the errno of the failure otherwise.
int CopyContent(int fd_in, int fd_out) {
  char chunk[65536];
  for (;;) {
    const ssize_t got = ::read(fd_in, chunk, sizeof(chunk));
    if (got < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (got == 0) return 0;
    ssize_t written = 0;
    while (written < got) {
      const ssize_t put = ::write(fd_out, chunk + written, static_cast<std::size_t>(got - written));
      if (put < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      written += put;
    }
  }
}

bool IsUnsupportedOperation(int error_number) {
  return error_number == EINVAL || error_number == ENOSYS || error_number == ENOTSUP ||
         error_number == EOPNOTSUPP || error_number == EPERM;
}

// Renames without replacing an existing target. File systems that cannot do that in one step
// (some network mounts) get a hard link, and failing that a check before the rename.
int RenameNoReplace(const std::string& from, const std::string& to, bool allow_link) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (!IsUnsupportedOperation(errno)) return errno;
  if (allow_link) {
    if (::link(from.c_str(), to.c_str()) == 0) {
      ::unlink(from.c_str());
      return 0;
    }
    if (!IsUnsupportedOperation(errno) && errno != EMLINK) return errno;
  }
  struct stat existing;
  if (::lstat(to.c_str(), &existing) == 0) return EEXIST;
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

}  // namespace

bool MatchesFindPattern(std::wstring_view pattern, std::wstring_view name) {
  if (pattern.empty() || name.empty()) return false;
  const std::wstring folded_pattern = ToLower(pattern);
  const std::wstring folded_name = ToLower(name);
  if (Glob(folded_pattern, folded_name)) return true;
  if (!ContainsWildcard(folded_pattern)) return false;
  const std::wstring_view p = folded_pattern;
  const std::wstring_view n = folded_name;
  // "x.*" also stands for "x" without any extension, which is what makes "*.*" list all.
  if (p.size() >= 2 && p.substr(p.size() - 2) == L".*" && Glob(p.substr(0, p.size() - 2), n)) {
    return true;
  }
  // "x." asks for names without an extension.
  if (p.size() >= 2 && p.back() == L'.' && n.find(L'.') == std::wstring_view::npos &&
      Glob(p.substr(0, p.size() - 1), n)) {
    return true;
  }
  // A three-character extension also matches the short name of a longer one, where the
  // extension is cut to three characters.
  const std::size_t pattern_dot = p.rfind(L'.');
  const std::size_t name_dot = n.rfind(L'.');
  if (pattern_dot != std::wstring_view::npos && p.size() - pattern_dot - 1 == 3 &&
      name_dot != std::wstring_view::npos && n.size() - name_dot - 1 > 3) {
    return Glob(p, n.substr(0, name_dot + 4));
  }
  return false;
}

std::vector<WIN32_FIND_DATA> FindFiles(std::wstring_view pattern) {
  LONG error = ERROR_SUCCESS;
  return Search(pattern, &error);
}

}  // namespace pw

HANDLE FindFirstFile(std::wstring_view pattern, WIN32_FIND_DATA* data) {
  if (data == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  LONG error = ERROR_SUCCESS;
  std::vector<WIN32_FIND_DATA> found = pw::Search(pattern, &error);
  if (error == ERROR_SUCCESS && found.empty()) error = ERROR_FILE_NOT_FOUND;
  if (error != ERROR_SUCCESS) {
    SetLastError(static_cast<DWORD>(error));
    return INVALID_HANDLE_VALUE;
  }
  auto search = std::make_shared<pw::FindObject>(std::move(found));
  search->Next(data);
  SetLastError(ERROR_SUCCESS);
  return pw::RegisterHandle(std::move(search));
}

BOOL FindNextFile(HANDLE find, WIN32_FIND_DATA* data) {
  const auto search = pw::LookUpHandleAs<pw::FindObject>(find);
  if (search == nullptr) return pw::Fail(ERROR_INVALID_HANDLE);
  if (data == nullptr) return pw::Fail(ERROR_INVALID_PARAMETER);
  if (!search->Next(data)) return pw::Fail(ERROR_NO_MORE_FILES);
  return pw::Succeed();
}

BOOL FindClose(HANDLE find) {
  if (!pw::UnregisterHandleOf<pw::FindObject>(find)) return pw::Fail(ERROR_INVALID_HANDLE);
  return pw::Succeed();
}

BOOL CopyFile(std::wstring_view existing, std::wstring_view new_file, BOOL fail_if_exists) {
  const std::string source = pw::ToHostPath(existing);
  const std::string target = pw::ToHostPath(new_file);
  const int fd_in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_in < 0) return pw::Fail(pw::ErrorFor(errno, existing, source));
  struct stat source_info;
  if (::fstat(fd_in, &source_info) != 0 || S_ISDIR(source_info.st_mode)) {
    ::close(fd_in);
    return pw::Fail(ERROR_ACCESS_DENIED);
  }
  struct stat target_info;
  if (::stat(target.c_str(), &target_info) == 0) {
    LONG refusal = ERROR_SUCCESS;
    if (target_info.st_dev == source_info.st_dev && target_info.st_ino == source_info.st_ino) {
      refusal = ERROR_SHARING_VIOLATION;
    } else if (fail_if_exists) {
      refusal = ERROR_FILE_EXISTS;
    } else if (S_ISDIR(target_info.st_mode) || (target_info.st_mode & S_IWUSR) == 0) {
      // Windows does not overwrite a folder or a read-only file.
      refusal = ERROR_ACCESS_DENIED;
    }
    if (refusal != ERROR_SUCCESS) {
      ::close(fd_in);
      return pw::Fail(refusal);
    }
  }

  // The copy is made under a temporary name beside the target and renamed into place, so
  // that the target is either untouched or complete.
  std::string temporary =
      pw::HostFolderOf(target) + "/." + pw::HostNameOf(target) + ".pwcopy.XXXXXX";
  const int fd_out = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd_out < 0) {
    const int saved = errno;
    ::close(fd_in);
    return pw::Fail(saved == ENOENT || saved == ENOTDIR ? ERROR_PATH_NOT_FOUND
                                                        : pw::Win32ErrorFromErrno(saved));
  }
  int failure = pw::CopyContent(fd_in, fd_out);
  ::close(fd_in);
  if (failure == 0) {
    ::fchmod(fd_out, source_info.st_mode & 07777);
    const timespec times[2] = {source_info.st_atim, source_info.st_mtim};
    ::futimens(fd_out, times);
    if (::fsync(fd_out) != 0) failure = errno;
  }
  if (::close(fd_out) != 0 && failure == 0) failure = errno;
  if (failure == 0) {
    failure = fail_if_exists ? pw::RenameNoReplace(temporary, target, true)
                             : (::rename(temporary.c_str(), target.c_str()) == 0 ? 0 : errno);
  }
  if (failure != 0) {
    ::unlink(temporary.c_str());
    if (failure == EEXIST) return pw::Fail(ERROR_FILE_EXISTS);
    if (failure == EISDIR) return pw::Fail(ERROR_ACCESS_DENIED);
    return pw::Fail(pw::Win32ErrorFromErrno(failure));
  }
  return pw::Succeed();
}

BOOL DeleteFile(std::wstring_view path) {
  const std::string host = pw::ToHostPath(path);
  struct stat info;
  if (::lstat(host.c_str(), &info) != 0) return pw::Fail(pw::ErrorFor(errno, path, host));
  // Windows deletes neither folders nor read-only files with DeleteFile.
  if (S_ISDIR(info.st_mode)) return pw::Fail(ERROR_ACCESS_DENIED);
  if (S_ISREG(info.st_mode) && (info.st_mode & S_IWUSR) == 0) return pw::Fail(ERROR_ACCESS_DENIED);
  if (::unlink(host.c_str()) != 0) return pw::Fail(pw::ErrorFor(errno, path, host));
  return pw::Succeed();
}

BOOL MoveFile(std::wstring_view existing, std::wstring_view new_file) {
  const std::string source = pw::ToHostPath(existing);
  const std::string target = pw::ToHostPath(new_file);
  struct stat info;
  if (::lstat(source.c_str(), &info) != 0) return pw::Fail(pw::ErrorFor(errno, existing, source));
  const int failure = pw::RenameNoReplace(source, target, false);
  if (failure == 0) return pw::Succeed();
  if (failure == EEXIST || failure == ENOTEMPTY) return pw::Fail(ERROR_ALREADY_EXISTS);
  if (failure == ENOENT || failure == ENOTDIR) return pw::Fail(ERROR_PATH_NOT_FOUND);
  if (failure != EXDEV) return pw::Fail(pw::Win32ErrorFromErrno(failure));
  // Another volume: a file is copied and the original removed; a folder cannot move there.
  if (S_ISDIR(info.st_mode)) return pw::Fail(ERROR_NOT_SAME_DEVICE);
  if (!CopyFile(existing, new_file, TRUE)) return FALSE;
  if (::unlink(source.c_str()) != 0) {
    const int saved = errno;
    ::unlink(target.c_str());
    return pw::Fail(pw::Win32ErrorFromErrno(saved));
  }
  return pw::Succeed();
}

BOOL CreateDirectory(std::wstring_view path) {
  const std::string host = pw::ToHostPath(path);
  if (::mkdir(host.c_str(), 0777) != 0) {
    if (errno == EEXIST) return pw::Fail(ERROR_ALREADY_EXISTS);
    if (errno == ENOENT || errno == ENOTDIR) return pw::Fail(ERROR_PATH_NOT_FOUND);
    return pw::Fail(pw::Win32ErrorFromErrno(errno));
  }
  return pw::Succeed();
}

BOOL RemoveDirectory(std::wstring_view path) {
  const std::string host = pw::ToHostPath(path);
  struct stat info;
  if (::lstat(host.c_str(), &info) != 0) return pw::Fail(pw::ErrorFor(errno, path, host));
  if (!S_ISDIR(info.st_mode)) return pw::Fail(ERROR_DIRECTORY);
  if (::rmdir(host.c_str()) != 0) {
    if (errno == ENOTEMPTY || errno == EEXIST) return pw::Fail(ERROR_DIR_NOT_EMPTY);
    return pw::Fail(pw::ErrorFor(errno, path, host));
  }
  return pw::Succeed();
}

DWORD GetFileAttributes(std::wstring_view path) {
  const std::string host = pw::ToHostPath(path);
  struct stat info;
  if (::stat(host.c_str(), &info) != 0 && ::lstat(host.c_str(), &info) != 0) {
    pw::Fail(pw::ErrorFor(errno, path, host));
    return INVALID_FILE_ATTRIBUTES;
  }
  SetLastError(ERROR_SUCCESS);
  return pw::AttributesOf(info, pw::HostNameOf(host));
}
