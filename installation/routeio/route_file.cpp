// Reading and writing the route file layout.
#include "installation/routeio/route_file.h"

#include <limits>
#include <map>

#include "platform/com/strings.h"
#include "platform/win/format.h"

namespace pw::routeio {
namespace {

const wchar_t* ExpectedHeader(std::size_t column) {
  if (column < kFirstUserColumn) return kRouteFileHeader[column];
  return kRouteFileHeader[kFirstUserColumn + (column - kFirstUserColumn) % 2];
}

// A DTMF/DID character, as the server matches dialled extensions.
bool IsDtmfCharacter(wchar_t c) {
  return (c >= L'0' && c <= L'9') || c == L'*' || c == L'#' || (c >= L'A' && c <= L'D') ||
         (c >= L'a' && c <= L'd');
}

bool Fail(FileProblem* problem, std::size_t line, std::wstring reason) {
  if (problem != nullptr) *problem = FileProblem{line, std::move(reason)};
  return false;
}

std::optional<ULONG> ParseFlags(std::wstring_view text) {
  if (text.empty()) return 0;
  std::uint64_t value = 0;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - L'0');
    if (value > std::numeric_limits<ULONG>::max()) return std::nullopt;
  }
  return static_cast<ULONG>(value);
}

bool CheckHeader(const CsvRecord& header, FileProblem* problem) {
  const std::size_t count = header.fields.size();
  // A user name column needs its identity column beside it.
  if (count == kFirstUserColumn + 1 ||
      (count > kFirstUserColumn && (count - kFirstUserColumn) % 2)) {
    return Fail(problem, header.line, L"the header names a user column without its pair");
  }
  for (std::size_t column = 0; column < count; ++column) {
    if (!EqualsIgnoreCase(Trim(header.fields[column]), ExpectedHeader(column))) {
      return Fail(problem, header.line,
                  FormatString(L"header column %u is \"%s\" where \"%s\" belongs",
                               static_cast<unsigned>(column + 1), header.fields[column],
                               ExpectedHeader(column)));
    }
  }
  return true;
}

}  // namespace

std::optional<std::wstring> NormalizeRouteValue(std::wstring_view rule_type,
                                                std::wstring_view text) {
  const std::wstring_view trimmed = Trim(text);
  if (trimmed.empty() || trimmed.size() > kMaxRouteTextLength) return std::nullopt;
  if (rule_type != L"did") return std::wstring(trimmed);
  for (const wchar_t c : trimmed) {
    if (!IsDtmfCharacter(c)) return std::nullopt;
  }
  return ToUpper(trimmed);
}

bool ReadRouteRecords(const std::vector<CsvRecord>& records, std::wstring_view rule_type,
                      std::vector<RouteRecord>* routes, FileProblem* problem) {
  routes->clear();
  if (records.empty()) return Fail(problem, 0, L"the file has no header");
  const CsvRecord& header = records.front();
  if (!CheckHeader(header, problem)) return false;
  const std::size_t columns = header.fields.size();
  const bool has_users = columns > kFirstUserColumn;
  std::map<std::wstring, std::size_t> lines_by_value;
  for (std::size_t n = 1; n < records.size(); ++n) {
    const CsvRecord& record = records[n];
    const auto field = [&](std::size_t column) -> std::wstring_view {
      return column < record.fields.size() ? Trim(record.fields[column]) : std::wstring_view();
    };
    bool blank = true;
    for (std::size_t column = 0; column < record.fields.size(); ++column) {
      blank = blank && field(column).empty();
    }
    if (blank) continue;
    if (!has_users && record.fields.size() > columns) {
      return Fail(problem, record.line, L"the record has more fields than the header");
    }
    RouteRecord route;
    route.line = record.line;
    const std::optional<std::wstring> value = NormalizeRouteValue(rule_type, field(0));
    if (!value) {
      return Fail(
          problem, record.line,
          FormatString(L"\"%s\" is no valid %s value", record.fields[0], std::wstring(rule_type)));
    }
    route.value = *value;
    const auto [earlier, inserted] = lines_by_value.emplace(ToUpper(route.value), record.line);
    if (!inserted) {
      return Fail(problem, record.line,
                  FormatString(L"the value \"%s\" is given again (first on line %u)", route.value,
                               static_cast<unsigned>(earlier->second)));
    }
    if (columns > 1) {
      const std::wstring_view display = field(1);
      if (display.size() > kMaxRouteTextLength) {
        return Fail(problem, record.line, L"the display text is too long");
      }
      route.display = display.empty() ? route.value : std::wstring(display);
    }
    if (columns > 2) {
      route.flags = ParseFlags(field(2));
      if (!route.flags) {
        return Fail(
            problem, record.line,
            FormatString(L"the flags \"%s\" are no 32-bit decimal number", std::wstring(field(2))));
      }
    }
    if (columns > 3) route.auto_print = std::wstring(field(3));
    route.has_users = has_users;
    for (std::size_t column = kFirstUserColumn; has_users && column < record.fields.size();
         column += 2) {
      RouteUser user{std::wstring(field(column)), std::wstring(field(column + 1))};
      if (!user.name.empty() || !user.identity.empty()) route.users.push_back(std::move(user));
    }
    routes->push_back(std::move(route));
  }
  return true;
}

std::wstring FormatRouteFile(const std::vector<ExportedRoute>& routes) {
  std::wstring text = FormatCsvRecord(
      std::vector<std::wstring>(std::begin(kRouteFileHeader), std::end(kRouteFileHeader)));
  for (const ExportedRoute& route : routes) {
    std::vector<std::wstring> fields = {
        route.value, route.display, route.flags ? std::to_wstring(*route.flags) : std::wstring(),
        route.auto_print};
    for (const RouteUser& user : route.users) {
      fields.push_back(user.name);
      fields.push_back(user.identity);
    }
    text += FormatCsvRecord(fields);
  }
  return text;
}

}  // namespace pw::routeio
