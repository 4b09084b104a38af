// Fuzz target for route files: decoding, CSV splitting and the route layout. Whatever is
// accepted must survive being written and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "installation/routeio/csv_text.h"
#include "installation/routeio/route_file.h"
#include "platform/com/strings.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pw::routeio;
  std::wstring text;
  FileProblem problem;
  if (!DecodeFileText(std::string_view(reinterpret_cast<const char*>(data), size), &text,
                      &problem)) {
    return 0;
  }
  std::vector<CsvRecord> records;
  if (!ParseCsv(text, &records, &problem)) return 0;

  // Writing the records and reading them back gives the same fields.
  std::wstring written;
  for (const CsvRecord& record : records) written += FormatCsvRecord(record.fields);
  std::vector<CsvRecord> again;
  if (!ParseCsv(written, &again, &problem)) Fail("written records were refused");
  std::size_t kept = 0;
  for (const CsvRecord& record : records) {
    // A record of one empty field is written as an empty line, which reading skips.
    if (record.fields.size() == 1 && record.fields[0].empty()) continue;
    if (kept >= again.size() || again[kept].fields != record.fields) {
      Fail("a record changed on its way through the writer");
    }
    ++kept;
  }
  if (kept != again.size()) Fail("the writer added records");

  for (const wchar_t* type : {L"csid", L"did"}) {
    std::vector<RouteRecord> routes;
    if (!ReadRouteRecords(records, type, &routes, &problem)) continue;
    for (const RouteRecord& route : routes) {
      if (route.value.empty() || route.value.size() > kMaxRouteTextLength) {
        Fail("an accepted route has a value of a bad length");
      }
      if (route.display && route.display->empty()) Fail("an accepted route has no display");
    }
  }
  return 0;
}
