// INI files with the semantics of the Windows profile functions: sections and keys compare
// without regard to case, values are trimmed and lose one pair of surrounding quotes, a
// missing file or entry gives the default, writing a null value deletes the key and a null key
// deletes the section. Writes keep every other line (comments included) and the file's
// encoding (UTF-8, or UTF-16 with its byte order mark), and replace the file atomically.
//
// File names are Windows-style paths, resolved with pw::ToHostPath.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/types.h"

// `max_chars` truncates the result as a buffer of that many characters (with its terminator)
// would; 0 means no limit.
std::wstring GetPrivateProfileString(std::wstring_view section, std::wstring_view key,
                                     std::wstring_view default_value, std::wstring_view file,
                                     std::size_t max_chars = 0);
// The leading decimal digits of the value (with an optional sign), as Windows reads them;
// the default when the key is missing.
UINT GetPrivateProfileInt(std::wstring_view section, std::wstring_view key, INT default_value,
                          std::wstring_view file);
std::vector<std::wstring> GetPrivateProfileSectionNames(std::wstring_view file);
std::vector<std::wstring> GetPrivateProfileKeyNames(std::wstring_view section,
                                                    std::wstring_view file);
// Creates the file when needed. FALSE with the last error set when it cannot be written.
BOOL WritePrivateProfileString(std::wstring_view section, std::optional<std::wstring_view> key,
                               std::optional<std::wstring_view> value, std::wstring_view file);

namespace pw {

// The parsed form, for the fuzz target and for callers that read many entries at once.
class IniDocument {
 public:
  static IniDocument Parse(std::wstring_view text);
  std::wstring Serialize() const;

  std::optional<std::wstring> Get(std::wstring_view section, std::wstring_view key) const;
  // False, changing nothing, when a text cannot be written as a line of its own: a line break
  // anywhere, a key with "=" or starting with "[" or ";". Names are compared trimmed.
  bool Set(std::wstring_view section, std::wstring_view key, std::wstring_view value);
  void DeleteKey(std::wstring_view section, std::wstring_view key);
  // Removes every section of that name with its entries; comments and blank lines after a
  // section's last entry stay, as they usually introduce what follows.
  void DeleteSection(std::wstring_view section);
  // Without repetitions, in the spelling of their first occurrence.
  std::vector<std::wstring> Sections() const;
  std::vector<std::wstring> Keys(std::wstring_view section) const;

 private:
  // Lines are kept as read so that a rewrite changes only what was set.
  struct Line {
    enum class Kind { kOther, kSection, kEntry } kind = Kind::kOther;
    std::wstring raw;    // without its line end
    std::wstring end;    // "\r\n" or "\n"; empty on a last line that has none
    std::wstring name;   // section name or key, trimmed
    std::wstring value;  // entries only, trimmed and unquoted
  };
  struct Range {
    std::size_t first;  // the section's header
    std::size_t last;   // one past its last line
  };
  // The first section of that name; only its entries count, as Windows reads them.
  std::optional<Range> FindSection(std::wstring_view section) const;
  void Insert(std::size_t position, Line line);

  std::vector<Line> lines_;
  // The file's own line end, used for lines added to it.
  std::wstring newline_ = L"\r\n";
};

}  // namespace pw
