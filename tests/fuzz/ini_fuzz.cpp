// Fuzz target for the INI parser: a parsed file is written back byte for byte, and every entry
// written again through Set reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/com/strings.h"
#include "platform/win/ini_file.h"

namespace {

[[noreturn]] void Fail(const char* what, std::wstring_view detail) {
  std::fprintf(stderr, "%s: %s\n", what, pw::ToUtf8(detail).c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring text =
      pw::DecodeText(std::string_view(reinterpret_cast<const char*>(data), size));
  const pw::IniDocument document = pw::IniDocument::Parse(text);
  if (document.Serialize() != text) Fail("the file was not written back as read", text);

  pw::IniDocument rebuilt;
  for (const std::wstring& section : document.Sections()) {
    for (const std::wstring& key : document.Keys(section)) {
      const auto value = document.Get(section, key);
      if (!value) Fail("a listed key has no value", key);
      if (!rebuilt.Set(section, key, *value)) Fail("a parsed entry cannot be written", key);
    }
  }
  const pw::IniDocument reread = pw::IniDocument::Parse(rebuilt.Serialize());
  for (const std::wstring& section : document.Sections()) {
    const auto keys = document.Keys(section);
    if (keys.empty()) continue;
    if (reread.Keys(section) != keys) Fail("keys changed", section);
    for (const std::wstring& key : keys) {
      if (reread.Get(section, key) != document.Get(section, key)) Fail("a value changed", key);
    }
  }
  return 0;
}
