// The resource header and resource scripts that the compiler reads.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tools/pwrc/diagnostics.h"
#include "tools/pwrc/dialog_script.h"

namespace pwrc {

// Ids declared by the header, by name.
struct IdTable {
  std::map<std::string, std::uint32_t> by_name;
  // The first name declared for each value, to name ids in messages and output.
  std::map<std::uint32_t, std::string> first_name;
};

// Reads `inline constexpr UINT NAME = number;` and `#define NAME number` lines into `ids`;
// every other line is none of the compiler's business. A module may have several headers, one
// per part of it; a name may be declared only once among them.
void ReadHeader(const std::string& path, IdTable* ids, Diagnostics& diagnostics);

struct StringEntry {
  std::uint32_t id = 0;
  std::u32string text;
  int line = 0;
};

enum class ImageKind { kBitmap, kIcon };

struct ImageEntry {
  std::uint32_t id = 0;
  ImageKind kind = ImageKind::kBitmap;
  std::string path;  // as written, relative to the script's folder
  int line = 0;
};

struct Script {
  std::string path;
  std::vector<StringEntry> strings;  // in script order
  std::vector<ImageEntry> images;
  std::vector<DialogEntry> dialogs;  // in script order
  // Where missing strings would go: the END of the last string table (1 without a table).
  int last_table_end = 1;
};

enum class ScriptKind { kLanguage, kNeutral };

// Parses a resource script. A syntax error ends the parse of the file; the entries read
// until then are returned. Every error has been reported to `diagnostics`.
Script ReadScript(const std::string& path, ScriptKind kind, const IdTable& ids,
                  Diagnostics& diagnostics);

}  // namespace pwrc
