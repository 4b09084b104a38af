// The DTMF/DID entry grammar: parsing, counting and expansion.
#include "module/routing/dtmf_ranges.h"

#include <algorithm>
#include <limits>

#include "platform/com/strings.h"

namespace pw {
namespace {

constexpr std::uint64_t kMaxCount = std::numeric_limits<std::uint64_t>::max();

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

// The decimal value of a token of digits only; nothing for symbolic tokens and for digit
// strings too long for 64 bits.
std::optional<std::uint64_t> NumberValue(std::wstring_view token) {
  std::uint64_t value = 0;
  for (const wchar_t c : token) {
    if (c < L'0' || c > L'9') return std::nullopt;
    const auto digit = static_cast<std::uint64_t>(c - L'0');
    if (value > (kMaxCount - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

// Walks a text once, left to right; every read advances `position`.
class Scanner {
 public:
  explicit Scanner(std::wstring_view text) : text_(text) {}

  std::size_t position() const { return position_; }
  bool AtEnd() const { return position_ >= text_.size(); }
  wchar_t Peek() const { return AtEnd() ? L'\0' : text_[position_]; }
  void Advance() { ++position_; }

  void SkipBlanks() {
    while (!AtEnd() && IsBlank(text_[position_])) ++position_;
  }

  // Reads one token at the current position: false when none starts there.
  bool ReadToken(std::wstring* token) {
    token->clear();
    if (AtEnd() || !IsDtmfCharacter(text_[position_])) return false;
    while (!AtEnd() && IsDtmfCharacter(text_[position_])) {
      if (token->size() < kDtmfMaxTokenLength) token->push_back(text_[position_]);
      ++position_;
    }
    return true;
  }

 private:
  std::wstring_view text_;
  std::size_t position_ = 0;
};

DtmfParseResult Invalid(std::size_t position) {
  DtmfParseResult result;
  result.error_position = position;
  return result;
}

std::wstring Padded(std::wstring text, const DtmfFormat& format) {
  if (!format.force_width) return text;
  const unsigned width = std::clamp(format.width, kDtmfMinForcedWidth, kDtmfMaxForcedWidth);
  if (text.size() < width) text.insert(0, width - text.size(), L'0');
  return text;
}

}  // namespace

bool IsDtmfCharacter(wchar_t c) {
  return (c >= L'0' && c <= L'9') || c == L'*' || c == L'#' || (c >= L'A' && c <= L'D') ||
         (c >= L'a' && c <= L'd');
}

DtmfParseResult ParseDtmfList(std::wstring_view text) {
  DtmfParseResult result;
  Scanner scanner(text);
  std::wstring token;
  for (;;) {
    scanner.SkipBlanks();
    const std::size_t first_start = scanner.position();
    if (!scanner.ReadToken(&token)) return Invalid(first_start);
    const std::optional<std::uint64_t> first = NumberValue(token);
    DtmfEntry entry;
    scanner.SkipBlanks();
    if (scanner.Peek() == L'-') {
      if (!first) return Invalid(first_start);
      scanner.Advance();
      scanner.SkipBlanks();
      const std::size_t last_start = scanner.position();
      if (!scanner.ReadToken(&token)) return Invalid(last_start);
      const std::optional<std::uint64_t> last = NumberValue(token);
      if (!last) return Invalid(last_start);
      entry.is_number = true;
      entry.is_range = true;
      entry.first = *first;
      entry.last = *last;
      scanner.SkipBlanks();
    } else if (first) {
      entry.is_number = true;
      entry.first = entry.last = *first;
    } else {
      entry.text = token;
    }
    result.entries.push_back(std::move(entry));
    if (scanner.AtEnd()) break;
    if (scanner.Peek() != L',') return Invalid(scanner.position());
    scanner.Advance();
  }
  result.valid = true;
  return result;
}

std::uint64_t CountDtmfNumbers(const std::vector<DtmfEntry>& entries) {
  std::uint64_t total = 0;
  for (const DtmfEntry& entry : entries) {
    std::uint64_t count = 1;
    if (entry.is_range) {
      const std::uint64_t span =
          entry.first > entry.last ? entry.first - entry.last : entry.last - entry.first;
      count = span == kMaxCount ? kMaxCount : span + 1;
    }
    total = count > kMaxCount - total ? kMaxCount : total + count;
  }
  return total;
}

bool DtmfNeedsConfirmation(const std::vector<DtmfEntry>& entries) {
  return CountDtmfNumbers(entries) > kDtmfConfirmationLimit;
}

bool ForEachDtmfText(const std::vector<DtmfEntry>& entries, const DtmfFormat& format,
                     const std::function<bool(const std::wstring&)>& visit) {
  for (const DtmfEntry& entry : entries) {
    if (!entry.is_number) {
      if (!visit(ToUpper(Padded(entry.text, format)))) return false;
      continue;
    }
    const std::uint64_t low = std::min(entry.first, entry.last);
    const std::uint64_t high = std::max(entry.first, entry.last);
    // Counting up to `high` inclusive must not wrap when `high` is the largest value.
    for (std::uint64_t number = low;; ++number) {
      if (!visit(Padded(std::to_wstring(number), format))) return false;
      if (number == high) break;
    }
  }
  return true;
}

std::vector<std::wstring> ExpandDtmfEntries(const std::vector<DtmfEntry>& entries,
                                            const DtmfFormat& format) {
  std::vector<std::wstring> texts;
  ForEachDtmfText(entries, format, [&](const std::wstring& text) {
    texts.push_back(text);
    return true;
  });
  return texts;
}

std::optional<std::wstring> ParseDtmfNumber(std::wstring_view text) {
  Scanner scanner(text);
  scanner.SkipBlanks();
  std::wstring token;
  if (!scanner.ReadToken(&token)) return std::nullopt;
  scanner.SkipBlanks();
  if (!scanner.AtEnd()) return std::nullopt;
  return ToUpper(token);
}

}  // namespace pw
