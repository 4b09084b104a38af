// Fuzz target for the DTMF/DID entry grammar: a parse never fails silently, an error position
// lies inside the text, and the expansion of an accepted list agrees with its count.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "module/routing/dtmf_ranges.h"
#include "platform/com/strings.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring text = pw::FromUtf8(std::string(reinterpret_cast<const char*>(data), size));
  const pw::DtmfParseResult parsed = pw::ParseDtmfList(text);
  if (!parsed.valid) {
    if (parsed.error_position > text.size()) Fail("the error lies beyond the text");
    if (!parsed.entries.empty()) Fail("an invalid list kept entries");
    return 0;
  }
  if (parsed.entries.empty()) Fail("a valid list has no entry");
  const std::uint64_t count = pw::CountDtmfNumbers(parsed.entries);
  // Expand only what a test run can afford; a larger list is visited as far as the limit.
  constexpr std::uint64_t kLimit = 4096;
  std::uint64_t visited = 0;
  const bool whole =
      pw::ForEachDtmfText(parsed.entries, pw::DtmfFormat{true, 4}, [&](const std::wstring& route) {
        if (route.size() < 4) Fail("a forced route is shorter than the width");
        if (!pw::ParseDtmfNumber(route)) Fail("a route is not one DTMF/DID token");
        return ++visited < kLimit;
      });
  if (whole && visited != count) Fail("the expansion disagrees with the count");
  if (!whole && count < kLimit) Fail("the expansion stopped early");
  return 0;
}
