// INI files read and rewritten with the semantics of the Windows profile functions.
#include "platform/win/ini_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>

#include "platform/com/strings.h"
#include "platform/win/files.h"
#include "platform/win/last_error.h"
#include "platform/win/paths.h"

namespace pw {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

std::wstring_view Unquoted(std::wstring_view value) {
  if (value.size() >= 2 && value.front() == L'"' && value.back() == L'"') {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The text after "=" that reads back as `value`: quoted when trimming or unquoting would
// change it.
std::wstring ValueText(std::wstring_view value) {
  const bool needs_quotes =
      !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) ||
                         (value.size() >= 2 && value.front() == L'"' && value.back() == L'"'));
  if (!needs_quotes) return std::wstring(value);
  return L"\"" + std::wstring(value) + L"\"";
}

bool HasLineBreak(std::wstring_view text) { return text.find(L'\n') != std::wstring_view::npos; }

}  // namespace

IniDocument IniDocument::Parse(std::wstring_view text) {
  IniDocument document;
  bool newline_known = false;
  bool in_section = false;
  std::size_t start = 0;
  while (start < text.size()) {
    Line line;
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring_view::npos) {
      line.raw = text.substr(start);
      start = text.size();
    } else {
      std::size_t content_end = end;
      if (content_end > start && text[content_end - 1] == L'\r') --content_end;
      line.raw = text.substr(start, content_end - start);
      line.end = text.substr(content_end, end + 1 - content_end);
      start = end + 1;
      if (!newline_known) {
        document.newline_ = line.end;
        newline_known = true;
      }
    }

    const std::wstring_view trimmed = Trim(line.raw);
    if (trimmed.empty() || trimmed.front() == L';') {
      // A blank line or a comment.
    } else if (trimmed.front() == L'[') {
      const std::size_t close = trimmed.rfind(L']');
      // Windows takes a header without its "]" as it stands.
      const std::wstring_view name =
          close == std::wstring_view::npos ? trimmed.substr(1) : trimmed.substr(1, close - 1);
      line.kind = Line::Kind::kSection;
      line.name = Trim(name);
      in_section = true;
    } else if (const std::size_t equals = trimmed.find(L'=');
               in_section && equals != std::wstring_view::npos) {
      line.kind = Line::Kind::kEntry;
      line.name = Trim(trimmed.substr(0, equals));
      line.value = Unquoted(Trim(trimmed.substr(equals + 1)));
    }
    document.lines_.push_back(std::move(line));
  }
  return document;
}

std::wstring IniDocument::Serialize() const {
  std::wstring text;
  for (const Line& line : lines_) {
    text += line.raw;
    text += line.end;
  }
  return text;
}

std::optional<IniDocument::Range> IniDocument::FindSection(std::wstring_view section) const {
  section = Trim(section);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind != Line::Kind::kSection || !EqualsIgnoreCase(lines_[i].name, section)) {
      continue;
    }
    std::size_t last = i + 1;
    while (last < lines_.size() && lines_[last].kind != Line::Kind::kSection) ++last;
    return Range{i, last};
  }
  return std::nullopt;
}

void IniDocument::Insert(std::size_t position, Line line) {
  // Whatever follows the last line of a file without a final line end needs one now.
  if (position > 0 && lines_[position - 1].end.empty()) lines_[position - 1].end = newline_;
  line.end = newline_;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(position), std::move(line));
}

std::optional<std::wstring> IniDocument::Get(std::wstring_view section,
                                             std::wstring_view key) const {
  const auto range = FindSection(section);
  if (!range) return std::nullopt;
  key = Trim(key);
  for (std::size_t i = range->first + 1; i < range->last; ++i) {
    const Line& line = lines_[i];
    if (line.kind == Line::Kind::kEntry && EqualsIgnoreCase(line.name, key)) return line.value;
  }
  return std::nullopt;
}

bool IniDocument::Set(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  section = Trim(section);
  key = Trim(key);
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) ||
      key.find(L'=') != std::wstring_view::npos ||
      (!key.empty() && (key.front() == L'[' || key.front() == L';'))) {
    return false;
  }
  Line entry;
  entry.kind = Line::Kind::kEntry;
  entry.name = key;
  entry.value = value;

  const auto range = FindSection(section);
  if (!range) {
    Line header;
    header.kind = Line::Kind::kSection;
    header.name = section;
    header.raw = L"[" + std::wstring(section) + L"]";
    Insert(lines_.size(), std::move(header));
    entry.raw = entry.name + L"=" + ValueText(value);
    Insert(lines_.size(), std::move(entry));
    return true;
  }
  std::size_t after_last_entry = range->first + 1;
  for (std::size_t i = range->first + 1; i < range->last; ++i) {
    Line& line = lines_[i];
    if (line.kind != Line::Kind::kEntry) continue;
    after_last_entry = i + 1;
    if (!EqualsIgnoreCase(line.name, key)) continue;
    // The key keeps its spelling and the layout around "=".
    std::size_t value_start = line.raw.find(L'=') + 1;
    while (value_start < line.raw.size() &&
           (line.raw[value_start] == L' ' || line.raw[value_start] == L'\t')) {
      ++value_start;
    }
    line.raw = line.raw.substr(0, value_start) + ValueText(value);
    line.value = value;
    return true;
  }
  entry.raw = entry.name + L"=" + ValueText(value);
  Insert(after_last_entry, std::move(entry));
  return true;
}

void IniDocument::DeleteKey(std::wstring_view section, std::wstring_view key) {
  const auto range = FindSection(section);
  if (!range) return;
  key = Trim(key);
  std::size_t last = range->last;
  for (std::size_t i = range->first + 1; i < last;) {
    if (lines_[i].kind == Line::Kind::kEntry && EqualsIgnoreCase(lines_[i].name, key)) {
      // A last line without a line end passes that on to the line before it.
      if (lines_[i].end.empty() && i > 0) lines_[i - 1].end.clear();
      lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
      --last;
    } else {
      ++i;
    }
  }
}

void IniDocument::DeleteSection(std::wstring_view section) {
  while (const auto range = FindSection(section)) {
    std::size_t end = range->first + 1;
    for (std::size_t i = range->first + 1; i < range->last; ++i) {
      if (lines_[i].kind == Line::Kind::kEntry) end = i + 1;
    }
    if (lines_[end - 1].end.empty() && range->first > 0) lines_[range->first - 1].end.clear();
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->first),
                 lines_.begin() + static_cast<std::ptrdiff_t>(end));
  }
}

std::vector<std::wstring> IniDocument::Sections() const {
  std::vector<std::wstring> names;
  for (const Line& line : lines_) {
    if (line.kind != Line::Kind::kSection) continue;
    bool seen = false;
    for (const std::wstring& name : names) seen = seen || EqualsIgnoreCase(name, line.name);
    if (!seen) names.push_back(line.name);
  }
  return names;
}

std::vector<std::wstring> IniDocument::Keys(std::wstring_view section) const {
  std::vector<std::wstring> keys;
  const auto range = FindSection(section);
  if (!range) return keys;
  for (std::size_t i = range->first + 1; i < range->last; ++i) {
    const Line& line = lines_[i];
    if (line.kind != Line::Kind::kEntry) continue;
    bool seen = false;
    for (const std::wstring& key : keys) seen = seen || EqualsIgnoreCase(key, line.name);
    if (!seen) keys.push_back(line.name);
  }
  return keys;
}

namespace {

// The file's text, or nullopt when it cannot be read (a missing file among others).
std::optional<IniDocument> ReadDocument(std::wstring_view file) {
  std::string bytes;
  if (!ReadFileBytes(ToHostPath(file), &bytes)) return std::nullopt;
  return IniDocument::Parse(DecodeText(bytes));
}

// Serialises writers of the INI files in one folder, across threads and processes. Where the
// file system cannot lock, the write goes ahead unlocked: it is still atomic.
class FolderLock {
 public:
  explicit FolderLock(const std::string& folder)
      : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ < 0) return;
    while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
  }
  ~FolderLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_;
};

std::string HostFolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

BOOL Fail(LONG error) {
  SetLastError(static_cast<DWORD>(error));
  return FALSE;
}

}  // namespace

}  // namespace pw

std::wstring GetPrivateProfileString(std::wstring_view section, std::wstring_view key,
                                     std::wstring_view default_value, std::wstring_view file,
                                     std::size_t max_chars) {
  std::optional<std::wstring> value;
  if (const auto document = pw::ReadDocument(file)) value = document->Get(section, key);
  if (!value) {
    // Windows drops the default's trailing blanks.
    std::size_t length = default_value.size();
    while (length > 0 && default_value[length - 1] == L' ') --length;
    value = std::wstring(default_value.substr(0, length));
  }
  if (max_chars > 0 && value->size() > max_chars - 1) value->resize(max_chars - 1);
  return *value;
}

UINT GetPrivateProfileInt(std::wstring_view section, std::wstring_view key, INT default_value,
                          std::wstring_view file) {
  std::optional<std::wstring> value;
  if (const auto document = pw::ReadDocument(file)) value = document->Get(section, key);
  if (!value || value->empty()) return static_cast<UINT>(default_value);
  std::size_t i = 0;
  bool negative = false;
  if ((*value)[0] == L'-' || (*value)[0] == L'+') {
    negative = (*value)[0] == L'-';
    ++i;
  }
  // Digits beyond the range wrap around, as the 32-bit conversion does.
  UINT number = 0;
  for (; i < value->size() && (*value)[i] >= L'0' && (*value)[i] <= L'9'; ++i) {
    number = number * 10 + static_cast<UINT>((*value)[i] - L'0');
  }
  return negative ? 0u - number : number;
}

std::vector<std::wstring> GetPrivateProfileSectionNames(std::wstring_view file) {
  const auto document = pw::ReadDocument(file);
  return document ? document->Sections() : std::vector<std::wstring>{};
}

std::vector<std::wstring> GetPrivateProfileKeyNames(std::wstring_view section,
                                                    std::wstring_view file) {
  const auto document = pw::ReadDocument(file);
  return document ? document->Keys(section) : std::vector<std::wstring>{};
}

BOOL WritePrivateProfileString(std::wstring_view section, std::optional<std::wstring_view> key,
                               std::optional<std::wstring_view> value, std::wstring_view file) {
  const std::string host_path = pw::ToHostPath(file);
  const std::string folder = pw::HostFolderOf(host_path);
  struct stat folder_info;
  if (host_path.empty() || host_path.back() == '/' || ::stat(folder.c_str(), &folder_info) != 0 ||
      !S_ISDIR(folder_info.st_mode)) {
    return pw::Fail(ERROR_PATH_NOT_FOUND);
  }

  static std::mutex writers;
  std::lock_guard thread_lock(writers);
  pw::FolderLock folder_lock(folder);

  std::string bytes;
  LONG read_error = ERROR_SUCCESS;
  const bool exists = pw::ReadFileBytes(host_path, &bytes, &read_error);
  if (!exists && read_error != ERROR_FILE_NOT_FOUND) return pw::Fail(read_error);
  pw::TextEncoding encoding = pw::TextEncoding::kUtf8;
  pw::IniDocument document = pw::IniDocument::Parse(pw::DecodeText(bytes, &encoding));

  if (!key) {
    document.DeleteSection(section);
  } else if (!value) {
    document.DeleteKey(section, *key);
  } else if (!document.Set(section, *key, *value)) {
    return pw::Fail(ERROR_INVALID_PARAMETER);
  }

  const std::string written = pw::EncodeText(document.Serialize(), encoding);
  if (exists ? written == bytes : written.empty()) return TRUE;
  LONG write_error = ERROR_SUCCESS;
  if (!pw::WriteFileAtomically(host_path, written, &write_error)) return pw::Fail(write_error);
  return TRUE;
}
