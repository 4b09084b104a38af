// File type filters: parsing the Windows filter text and matching names against it.
#include "platform/ui/file_filter.h"

#include "platform/com/strings.h"
#include "platform/win/files.h"

namespace pw::ui {
namespace {

std::vector<std::wstring_view> Split(std::wstring_view text, wchar_t separator) {
  std::vector<std::wstring_view> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::wstring_view::npos ? end : end - start));
    if (end == std::wstring_view::npos) break;
    start = end + 1;
  }
  return parts;
}

}  // namespace

std::vector<FileFilter> ParseFileFilter(std::wstring_view text) {
  std::vector<FileFilter> filters;
  const std::vector<std::wstring_view> parts = Split(text, L'|');
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].empty()) break;
    FileFilter filter;
    filter.name = std::wstring(parts[i]);
    for (std::wstring_view pattern : Split(parts[i + 1], L';')) {
      pattern = pw::Trim(pattern);
      if (!pattern.empty()) filter.patterns.emplace_back(pattern);
    }
    if (!filter.patterns.empty()) filters.push_back(std::move(filter));
  }
  return filters;
}

bool MatchesFileFilter(const FileFilter& filter, std::wstring_view name) {
  for (const std::wstring& pattern : filter.patterns) {
    if (pw::MatchesFindPattern(pattern, name)) return true;
  }
  return false;
}

}  // namespace pw::ui
