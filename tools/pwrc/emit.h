// Writing of the C++ source that holds a module's compiled resources.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/pwrc/dialog_script.h"

namespace pwrc {

struct CompiledString {
  std::uint32_t id = 0;
  std::string name;  // symbolic name for the comment, may be empty
  std::u32string text;
};

struct CompiledLanguage {
  std::uint32_t language = 0;
  std::vector<CompiledString> strings;  // sorted by id
  std::vector<DialogEntry> dialogs;     // sorted by id
};

struct CompiledImage {
  std::uint32_t id = 0;
  std::string name;
  std::string source;  // file name for the comment
  std::vector<unsigned char> bytes;
};

struct CompiledModule {
  std::string symbol;
  std::vector<std::string> inputs;  // file names for the heading comment
  std::vector<CompiledLanguage> languages;
  std::vector<CompiledImage> bitmaps;  // sorted by id
  std::vector<CompiledImage> icons;    // sorted by id
};

// The text of a wide string literal (with its L prefix) that holds `text` exactly, readable
// where the text is ASCII.
std::string WideLiteral(const std::u32string& text);

// The whole generated source; the same input gives the same bytes.
std::string EmitModule(const CompiledModule& module);

}  // namespace pwrc
