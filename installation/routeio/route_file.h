// The layout of a route file: a header record, then one record per route with its value,
// display text, flags, auto-print setting and users (a readable name and the identity for
// each). Reading checks the whole file before anything is stored.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "installation/routeio/csv_text.h"
#include "platform/com/types.h"

namespace pw::routeio {

// The header that export writes; positions 4 and 5 repeat for every further user.
inline constexpr const wchar_t* kRouteFileHeader[] = {
    L"Value", L"Display", L"Flags", L"Auto-print", L"User name", L"User identity"};
inline constexpr std::size_t kFirstUserColumn = 4;
// Longest value and display text that a route may have.
inline constexpr std::size_t kMaxRouteTextLength = 255;

// A user as a file names it: either part may be empty, not both.
struct RouteUser {
  std::wstring name;
  std::wstring identity;

  bool operator==(const RouteUser&) const = default;
};

// One route of a file. A column that the header does not have is unset, so that an import
// leaves that part of an existing route as it is.
struct RouteRecord {
  std::size_t line = 0;
  std::wstring value;
  std::optional<std::wstring> display;
  std::optional<ULONG> flags;
  // Empty removes the route's auto-print setting.
  std::optional<std::wstring> auto_print;
  bool has_users = false;
  std::vector<RouteUser> users;
};

// The route texts of a rule type as they are stored: trimmed; for "did" one DTMF/DID token in
// capitals. Nothing when the text is not a valid value of the type.
[[nodiscard]] std::optional<std::wstring> NormalizeRouteValue(std::wstring_view rule_type,
                                                              std::wstring_view text);

// Reads the records of a file (header first) for `rule_type`. Refuses a missing or unknown
// header, a record with more fields than the header allows, an empty or invalid value, a
// value given twice (without regard to case), a text that is too long and flags that are not
// a 32-bit decimal number. Records whose fields are all empty are skipped.
[[nodiscard]] bool ReadRouteRecords(const std::vector<CsvRecord>& records,
                                    std::wstring_view rule_type, std::vector<RouteRecord>* routes,
                                    FileProblem* problem);

// A route as export writes it: every column set.
struct ExportedRoute {
  std::wstring value;
  std::wstring display;
  std::optional<ULONG> flags;
  std::wstring auto_print;
  std::vector<RouteUser> users;
};

// The whole file's text: the header and one record per route.
std::wstring FormatRouteFile(const std::vector<ExportedRoute>& routes);

}  // namespace pw::routeio
