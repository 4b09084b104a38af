// File type filters of the file dialogs: "Name|pattern;pattern|Name|pattern||".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pw::ui {

struct FileFilter {
  std::wstring name;
  std::vector<std::wstring> patterns;  // trimmed, never empty
};

// The pairs of a filter text in order. Each vertical bar separates; an empty name ends the
// list (the "||" at the end); a pair without any pattern is left out.
std::vector<FileFilter> ParseFileFilter(std::wstring_view text);

// Whether `name` matches one of the patterns, as a find on a Windows share matches
// (pw::MatchesFindPattern: no regard to case, "*.htm" also finds "a.html").
bool MatchesFileFilter(const FileFilter& filter, std::wstring_view name);

}  // namespace pw::ui
