// The process-wide table of registered clipboard formats.
#include "platform/com/clipboard.h"

#include <map>
#include <mutex>
#include <vector>

#include "platform/com/strings.h"

namespace {

constexpr UINT kFirstRegisteredFormat = 0xC000;
constexpr UINT kLastRegisteredFormat = 0xFFFF;

struct FormatTable {
  std::mutex mutex;
  std::map<std::wstring, UINT, pw::LessIgnoreCase> ids;
  std::vector<std::wstring> names;
};

FormatTable& Table() {
  static FormatTable table;
  return table;
}

}  // namespace

UINT RegisterClipboardFormat(LPCWSTR name) {
  if (name == nullptr || *name == L'\0') return 0;
  FormatTable& table = Table();
  std::lock_guard lock(table.mutex);
  if (auto found = table.ids.find(std::wstring_view(name)); found != table.ids.end()) {
    return found->second;
  }
  const UINT id = kFirstRegisteredFormat + static_cast<UINT>(table.names.size());
  if (id > kLastRegisteredFormat) return 0;
  table.names.emplace_back(name);
  table.ids.emplace(name, id);
  return id;
}

std::wstring GetClipboardFormatName(UINT format) {
  FormatTable& table = Table();
  std::lock_guard lock(table.mutex);
  if (format < kFirstRegisteredFormat || format - kFirstRegisteredFormat >= table.names.size()) {
    return {};
  }
  return table.names[format - kFirstRegisteredFormat];
}
