// The entry grammar of DTMF/DID numbers and ranges: parsing, counting and expansion into the
// route texts, without any window.
//
// A list is "range { , range }", a range is "token [ - token ]", a token is one or more DTMF
// characters (0-9, *, #, A-D, a-d). Blanks, tabs and line ends around every token, dash and
// comma are skipped. Only the first kDtmfMaxTokenLength characters of a token count; the rest
// of it is read and dropped. A token of digits only is a number (its decimal value); any other
// token is symbolic. Both bounds of a range must be numbers.
//
// Digit strings whose value does not fit in 64 bits are kept as text, like a symbolic token:
// they may stand alone but cannot bound a range.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

inline constexpr std::size_t kDtmfMaxTokenLength = 255;
// The forced width that the entry dialog offers, and its default.
inline constexpr unsigned kDtmfMinForcedWidth = 2;
inline constexpr unsigned kDtmfMaxForcedWidth = 32;
inline constexpr unsigned kDtmfDefaultForcedWidth = 4;
// More numbers than this need the administrator's confirmation before they are added.
inline constexpr std::uint64_t kDtmfConfirmationLimit = 100;

// One entry of a list as typed: a symbolic token, a single number or a range of numbers.
struct DtmfEntry {
  bool is_number = false;
  bool is_range = false;
  // The bounds as typed (a range typed high-low keeps that order); equal for a single number.
  std::uint64_t first = 0;
  std::uint64_t last = 0;
  // The token of a symbolic entry, as typed (letters not yet upper-cased).
  std::wstring text;

  bool operator==(const DtmfEntry&) const = default;
};

// The outcome of parsing a list. When `valid` is false, `error_position` is the index in the
// text where parsing stopped: the first character of a bad token or of an unexpected
// character, or the length of the text when it ended where a token was due.
struct DtmfParseResult {
  bool valid = false;
  std::size_t error_position = 0;
  std::vector<DtmfEntry> entries;
};

[[nodiscard]] DtmfParseResult ParseDtmfList(std::wstring_view text);

// How many routes the entries make: 1 per single entry, |last - first| + 1 per range.
// Saturates at the largest 64-bit value instead of wrapping.
[[nodiscard]] std::uint64_t CountDtmfNumbers(const std::vector<DtmfEntry>& entries);
// Whether adding the entries must be confirmed first (more than kDtmfConfirmationLimit).
[[nodiscard]] bool DtmfNeedsConfirmation(const std::vector<DtmfEntry>& entries);

// How numbers and symbolic entries are written: without forcing a number is its plain decimal
// value; with forcing, a text shorter than `width` digits is padded with zeros in front (a
// longer one keeps all its characters). `width` is held to kDtmfMinForcedWidth ..
// kDtmfMaxForcedWidth. Symbolic entries are upper-cased after padding.
struct DtmfFormat {
  bool force_width = true;
  unsigned width = kDtmfDefaultForcedWidth;
};

// Calls `visit` with every route text of the entries, in the order typed; a range gives its
// numbers from the smaller to the larger bound. Stops early when `visit` answers false;
// answers false then, true when every text was visited.
bool ForEachDtmfText(const std::vector<DtmfEntry>& entries, const DtmfFormat& format,
                     const std::function<bool(const std::wstring&)>& visit);
// Every route text of the entries; meant for lists whose count has been checked.
[[nodiscard]] std::vector<std::wstring> ExpandDtmfEntries(const std::vector<DtmfEntry>& entries,
                                                          const DtmfFormat& format);

// The text of exactly one token (blanks around it allowed, no dash, no comma), upper-cased,
// as a renamed route or the options page stores it; nothing when the text is not one token.
[[nodiscard]] std::optional<std::wstring> ParseDtmfNumber(std::wstring_view text);

// Whether `c` may appear in a DTMF/DID entry.
[[nodiscard]] bool IsDtmfCharacter(wchar_t c);

}  // namespace pw
