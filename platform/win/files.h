// Files and folders with the behaviour of the Windows file functions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/com/hresult.h"
#include "platform/com/types.h"

inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
inline constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

// Error numbers that only the file functions answer.
inline constexpr LONG ERROR_NOT_SAME_DEVICE = 17;
inline constexpr LONG ERROR_NO_MORE_FILES = 18;
inline constexpr LONG ERROR_BAD_NET_NAME = 67;

struct WIN32_FIND_DATA {
  DWORD dwFileAttributes = 0;
  ULONGLONG nFileSize = 0;
  // Seconds since 1970 (UTC) of the last write.
  LONGLONG ftLastWriteTime = 0;
  std::wstring cFileName;
};

inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(~std::uintptr_t{0});

// `pattern` is a path whose last part may hold * and ?. Names match as on a Windows share:
// without regard to case, and a pattern extension of exactly three characters also matches
// longer extensions that begin with it ("*.htm" finds "a.html"). "." and ".." are not listed.
// A name is hidden when it starts with '.', read-only when its owner may not write it.
HANDLE FindFirstFile(std::wstring_view pattern, WIN32_FIND_DATA* data);
BOOL FindNextFile(HANDLE find, WIN32_FIND_DATA* data);
BOOL FindClose(HANDLE find);

// Copies content, permissions and time of last write. The target is replaced in one step, so
// that a failed copy leaves it as it was; a read-only target is not replaced.
BOOL CopyFile(std::wstring_view existing, std::wstring_view new_file, BOOL fail_if_exists);
// Refuses folders and read-only files (ERROR_ACCESS_DENIED), as Windows does.
BOOL DeleteFile(std::wstring_view path);
// Fails with ERROR_ALREADY_EXISTS when the new name is taken.
BOOL MoveFile(std::wstring_view existing, std::wstring_view new_file);
BOOL CreateDirectory(std::wstring_view path);
BOOL RemoveDirectory(std::wstring_view path);
DWORD GetFileAttributes(std::wstring_view path);

namespace pw {

// All matches of a find pattern, sorted by name; empty when the folder does not exist.
std::vector<WIN32_FIND_DATA> FindFiles(std::wstring_view pattern);
bool MatchesFindPattern(std::wstring_view pattern, std::wstring_view name);

// Whole-file helpers on host paths, used by the registry and INI layers. A write goes to a
// temporary file in the same folder, is flushed to disk and renamed over the target, so that
// readers see either the old or the new file, never a part of one.
bool ReadFileBytes(const std::string& host_path, std::string* bytes, LONG* error = nullptr);
bool WriteFileAtomically(const std::string& host_path, std::string_view bytes,
                         LONG* error = nullptr);

}  // namespace pw
