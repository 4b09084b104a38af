// The dial string check and the texts that go with it.
#include "module/documents/call_block_value.h"

#include <algorithm>

#include "module/resources/call_blocking.h"

namespace {
// Leading and trailing white space is dropped before the checks.
constexpr wchar_t kWhiteSpace[] = L" \t\r\n\v\f";
}  // namespace

bool IsValidDialString(const std::wstring& text) {
  return std::all_of(text.begin(), text.end(),
                     [](wchar_t c) { return (c >= L'0' && c <= L'9') || c == L'*' || c == L'#'; });
}

const RuleValueRules kNewCallBlockRules{.trimmed = kWhiteSpace,
                                        .empty_message = IDS_CALL_BLOCK_EMPTY_NEW,
                                        .invalid_message = IDS_CALL_BLOCK_INVALID,
                                        .is_valid = &IsValidDialString,
                                        .duplicate_message = IDS_CALL_BLOCK_DUPLICATE};

const RuleValueRules kCallBlockPageRules{.trimmed = kWhiteSpace,
                                         .empty_message = IDS_CALL_BLOCK_EMPTY,
                                         .invalid_message = IDS_CALL_BLOCK_INVALID,
                                         .is_valid = &IsValidDialString,
                                         .duplicate_message = IDS_CALL_BLOCK_DUPLICATE};
