// printf and FormatMessage formatting of string-table texts with the Windows conventions.
#include "platform/win/format.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <limits>
#include <optional>

#include "platform/com/strings.h"

namespace pw {
namespace {

enum class Size { kDefault, kChar, kShort, kLong, k32, k64, kWide };

struct Directive {
  bool left = false;
  bool plus = false;
  bool space = false;
  bool zero = false;
  bool alternate = false;
  bool star_width = false;
  bool star_precision = false;
  int width = 0;
  int precision = -1;  // -1: none given
  Size size = Size::kDefault;
  wchar_t conversion = 0;
  std::size_t end = 0;  // index just past the conversion character
};

// A table text that does not match its arguments is a bug in the caller, never outside input:
// say which conversion was wrong, then stop a debug build.
void Misuse(const char* problem, std::wstring_view format) {
#ifndef NDEBUG
  std::fprintf(stderr, "pw::Format: %s in \"%s\"\n", problem, ToUtf8(format).c_str());
#endif
  (void)problem;
  (void)format;
  assert(false && "format text and arguments do not match (see the message above)");
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Reads digits into `value`, saturating so that a silly width cannot overflow.
std::size_t ReadNumber(std::wstring_view text, std::size_t at, int* value) {
  *value = 0;
  while (at < text.size() && IsDigit(text[at])) {
    if (*value < 100000) *value = *value * 10 + (text[at] - L'0');
    ++at;
  }
  return at;
}

// Parses the conversion that starts just after a '%' at `at`; false when the text ends first.
bool ParseDirective(std::wstring_view text, std::size_t at, Directive* directive) {
  for (; at < text.size(); ++at) {
    const wchar_t c = text[at];
    if (c == L'-') {
      directive->left = true;
    } else if (c == L'+') {
      directive->plus = true;
    } else if (c == L' ') {
      directive->space = true;
    } else if (c == L'0') {
      directive->zero = true;
    } else if (c == L'#') {
      directive->alternate = true;
    } else {
      break;
    }
  }
  if (at < text.size() && text[at] == L'*') {
    directive->star_width = true;
    ++at;
  } else {
    at = ReadNumber(text, at, &directive->width);
  }
  if (at < text.size() && text[at] == L'.') {
    ++at;
    if (at < text.size() && text[at] == L'*') {
      directive->star_precision = true;
      ++at;
    } else {
      at = ReadNumber(text, at, &directive->precision);
    }
  }
  if (at >= text.size()) return false;
  const std::wstring_view rest = text.substr(at);
  if (rest.starts_with(L"I64")) {
    directive->size = Size::k64;
    at += 3;
  } else if (rest.starts_with(L"I32")) {
    directive->size = Size::k32;
    at += 3;
  } else if (rest.starts_with(L"hh")) {
    directive->size = Size::kChar;
    at += 2;
  } else if (rest.starts_with(L"ll")) {
    directive->size = Size::k64;
    at += 2;
  } else if (rest[0] == L'h') {
    directive->size = Size::kShort;
    ++at;
  } else if (rest[0] == L'l') {
    directive->size = Size::kLong;
    ++at;
  } else if (rest[0] == L'w') {
    directive->size = Size::kWide;
    ++at;
  } else if (rest[0] == L'I' || rest[0] == L'z' || rest[0] == L't' || rest[0] == L'j') {
    // Pointer-sized and size_t-sized integers: 64 bits on a 64-bit system.
    directive->size = Size::k64;
    ++at;
  }
  if (at >= text.size()) return false;
  directive->conversion = text[at];
  directive->end = at + 1;
  return true;
}

void Pad(std::wstring* out, std::size_t count, wchar_t fill) { out->append(count, fill); }

// Writes `body` into `out` padded to the width; zeros go between `prefix` and `body`.
void Justify(const Directive& directive, std::wstring_view prefix, std::wstring_view body,
             bool zero_fill, std::wstring* out) {
  const std::size_t length = prefix.size() + body.size();
  const std::size_t width = directive.width > 0 ? static_cast<std::size_t>(directive.width) : 0;
  const std::size_t fill = width > length ? width - length : 0;
  if (directive.left) {
    out->append(prefix);
    out->append(body);
    Pad(out, fill, L' ');
  } else if (zero_fill) {
    out->append(prefix);
    Pad(out, fill, L'0');
    out->append(body);
  } else {
    Pad(out, fill, L' ');
    out->append(prefix);
    out->append(body);
  }
}

// The integer as the bits of the size the conversion reads; nullopt when the value cannot
// have been passed as that size (a wider value, or a string).
std::optional<std::uint64_t> IntegerBits(const FormatArg& arg, Size size) {
  std::int64_t low = 0;
  std::uint64_t high = 0;
  std::uint64_t mask = 0;
  switch (size) {
    case Size::kChar:
      low = std::numeric_limits<std::int8_t>::min();
      high = std::numeric_limits<std::uint8_t>::max();
      mask = 0xFF;
      break;
    case Size::kShort:
      low = std::numeric_limits<std::int16_t>::min();
      high = std::numeric_limits<std::uint16_t>::max();
      mask = 0xFFFF;
      break;
    case Size::k64:
      low = std::numeric_limits<std::int64_t>::min();
      high = std::numeric_limits<std::uint64_t>::max();
      mask = ~std::uint64_t{0};
      break;
    default:  // int and long are 32 bits wide on Windows
      low = std::numeric_limits<std::int32_t>::min();
      high = std::numeric_limits<std::uint32_t>::max();
      mask = 0xFFFFFFFF;
      break;
  }
  if (const auto* value = std::get_if<std::int64_t>(&arg.value())) {
    if (*value < low || (*value > 0 && static_cast<std::uint64_t>(*value) > high)) {
      return std::nullopt;
    }
    return static_cast<std::uint64_t>(*value) & mask;
  }
  if (const auto* value = std::get_if<std::uint64_t>(&arg.value())) {
    if (*value > high) return std::nullopt;
    return *value & mask;
  }
  return std::nullopt;
}

int BitCount(Size size) {
  switch (size) {
    case Size::kChar:
      return 8;
    case Size::kShort:
      return 16;
    case Size::k64:
      return 64;
    default:
      return 32;
  }
}

bool FormatInteger(const Directive& directive, const FormatArg& arg, std::wstring* out) {
  if (directive.size == Size::kWide) return false;
  const std::optional<std::uint64_t> bits = IntegerBits(arg, directive.size);
  if (!bits) return false;
  const bool is_signed = directive.conversion == L'd' || directive.conversion == L'i';
  const int bit_count = BitCount(directive.size);
  const std::uint64_t sign_bit = std::uint64_t{1} << (bit_count - 1);
  const std::uint64_t width_mask = sign_bit | (sign_bit - 1);
  const bool negative = is_signed && (*bits & sign_bit) != 0;
  // Two's complement within the conversion's width gives the magnitude of a negative value.
  const std::uint64_t magnitude = negative ? (~*bits + 1) & width_mask : *bits;
  unsigned base = 10;
  const wchar_t* digit_chars = L"0123456789abcdef";
  if (directive.conversion == L'x') {
    base = 16;
  } else if (directive.conversion == L'X') {
    base = 16;
    digit_chars = L"0123456789ABCDEF";
  } else if (directive.conversion == L'o') {
    base = 8;
  }
  std::wstring digits;
  for (std::uint64_t rest = magnitude; rest != 0; rest /= base) {
    digits.insert(digits.begin(), digit_chars[rest % base]);
  }
  if (directive.precision < 0 && digits.empty()) digits = L"0";
  if (directive.precision > 0 && digits.size() < static_cast<std::size_t>(directive.precision)) {
    digits.insert(0, static_cast<std::size_t>(directive.precision) - digits.size(), L'0');
  }
  if (directive.conversion == L'o' && directive.alternate &&
      (digits.empty() || digits[0] != L'0')) {
    digits.insert(digits.begin(), L'0');
  }
  std::wstring prefix;
  if (is_signed) {
    if (negative) {
      prefix = L"-";
    } else if (directive.plus) {
      prefix = L"+";
    } else if (directive.space) {
      prefix = L" ";
    }
  } else if (base == 16 && directive.alternate && magnitude != 0) {
    prefix = directive.conversion == L'X' ? L"0X" : L"0x";
  }
  Justify(directive, prefix, digits, directive.zero && directive.precision < 0, out);
  return true;
}

// %s and %c take wide text, %S and %C narrow; h makes either narrow, l and w wide.
bool TakesNarrow(const Directive& directive) {
  if (directive.size == Size::kShort) return true;
  if (directive.size == Size::kLong || directive.size == Size::kWide) return false;
  return directive.conversion == L'S' || directive.conversion == L'C';
}

bool FormatCharacter(const Directive& directive, const FormatArg& arg, std::wstring* out) {
  const bool narrow = TakesNarrow(directive);
  wchar_t character = 0;
  if (narrow) {
    const std::optional<std::uint64_t> byte = IntegerBits(arg, Size::kChar);
    if (!byte) return false;
    // A single byte above 0x7F is not a whole UTF-8 character.
    character = *byte < 0x80 ? static_cast<wchar_t>(*byte) : L'\xFFFD';
  } else {
    const std::optional<std::uint64_t> code = IntegerBits(arg, Size::kDefault);
    if (!code || *code > 0x10FFFF) return false;
    character = static_cast<wchar_t>(*code);
  }
  Justify(directive, {}, std::wstring_view(&character, 1), directive.zero, out);
  return true;
}

bool FormatText(const Directive& directive, const FormatArg& arg, std::wstring* out) {
  const bool narrow = TakesNarrow(directive);
  std::wstring converted;
  std::wstring_view text;
  if (narrow) {
    const auto* value = std::get_if<std::string_view>(&arg.value());
    if (value == nullptr) return false;
    converted = FromUtf8(*value);
    text = converted;
  } else {
    const auto* value = std::get_if<std::wstring_view>(&arg.value());
    if (value == nullptr) return false;
    text = *value;
  }
  if (directive.precision >= 0)
    text = text.substr(0, static_cast<std::size_t>(directive.precision));
  // The Windows runtime honours the 0 flag for strings too.
  Justify(directive, {}, text, directive.zero, out);
  return true;
}

// Formats one conversion whose '*' values have been filled in; false when the argument does
// not suit it.
bool FormatConversion(const Directive& directive, const FormatArg& arg, std::wstring* out) {
  switch (directive.conversion) {
    case L'd':
    case L'i':
    case L'u':
    case L'x':
    case L'X':
    case L'o':
      return FormatInteger(directive, arg, out);
    case L'c':
    case L'C':
      return FormatCharacter(directive, arg, out);
    case L's':
    case L'S':
      return FormatText(directive, arg, out);
    default:
      return false;
  }
}

// A '*' width or precision: an int argument. A negative width means left-justified, a
// negative precision none at all, as in printf.
bool ApplyStar(const FormatArg* arg, bool is_width, Directive* directive) {
  if (arg == nullptr) return false;
  const std::optional<std::uint64_t> bits = IntegerBits(*arg, Size::kDefault);
  if (!bits) return false;
  int value = static_cast<std::int32_t>(static_cast<std::uint32_t>(*bits));
  value = std::max(value, -100000);
  value = std::min(value, 100000);
  if (is_width) {
    if (value < 0) {
      directive->left = true;
      value = -value;
    }
    directive->width = value;
  } else {
    directive->precision = value < 0 ? -1 : value;
  }
  return true;
}

}  // namespace

std::wstring FormatStringArgs(std::wstring_view format, const std::vector<FormatArg>& args) {
  std::wstring out;
  out.reserve(format.size());
  std::size_t next_arg = 0;
  auto take = [&]() -> const FormatArg* {
    return next_arg < args.size() ? &args[next_arg++] : nullptr;
  };
  std::size_t i = 0;
  while (i < format.size()) {
    if (format[i] != L'%') {
      out += format[i++];
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == L'%') {
      out += L'%';
      i += 2;
      continue;
    }
    Directive directive;
    if (!ParseDirective(format, i + 1, &directive)) {
      Misuse("incomplete conversion at the end", format);
      out.append(format.substr(i));
      break;
    }
    const std::wstring_view as_written = format.substr(i, directive.end - i);
    i = directive.end;
    if (directive.star_width && !ApplyStar(take(), true, &directive)) {
      Misuse("'*' width without an int argument", format);
      out.append(as_written);
      continue;
    }
    if (directive.star_precision && !ApplyStar(take(), false, &directive)) {
      Misuse("'*' precision without an int argument", format);
      out.append(as_written);
      continue;
    }
    const FormatArg* arg = take();
    if (arg == nullptr) {
      Misuse("missing argument", format);
      out.append(as_written);
      continue;
    }
    if (!FormatConversion(directive, *arg, &out)) {
      Misuse("argument does not suit its conversion", format);
      out.append(as_written);
    }
  }
  return out;
}

std::wstring FormatMessageArgs(std::wstring_view format, const std::vector<FormatArg>& args) {
  std::wstring out;
  out.reserve(format.size());
  std::size_t i = 0;
  while (i < format.size()) {
    if (format[i] != L'%') {
      out += format[i++];
      continue;
    }
    if (i + 1 >= format.size()) {
      out += L'%';
      break;
    }
    const wchar_t next = format[i + 1];
    if (next == L'0') break;
    if (!IsDigit(next)) {
      switch (next) {
        case L'n':
          out += L"\r\n";
          break;
        case L'r':
          out += L'\r';
          break;
        case L't':
          out += L'\t';
          break;
        case L'b':
          out += L' ';
          break;
        default:  // %% %. %! and %space among them
          out += next;
          break;
      }
      i += 2;
      continue;
    }
    const std::size_t start = i;
    std::size_t number = static_cast<std::size_t>(next - L'0');
    i += 2;
    if (i < format.size() && IsDigit(format[i])) {
      number = number * 10 + static_cast<std::size_t>(format[i] - L'0');
      ++i;
    }
    std::wstring conversion = L"%s";
    if (i < format.size() && format[i] == L'!') {
      const std::size_t close = format.find(L'!', i + 1);
      if (close == std::wstring_view::npos) {
        Misuse("insert format without its closing '!'", format);
        out.append(format.substr(start));
        break;
      }
      conversion = L"%";
      conversion.append(format.substr(i + 1, close - i - 1));
      i = close + 1;
    }
    const std::wstring_view as_written = format.substr(start, i - start);
    Directive directive;
    if (!ParseDirective(conversion, 1, &directive) || directive.end != conversion.size() ||
        directive.star_width || directive.star_precision) {
      Misuse("insert format is not one conversion (and '*' is not supported)", format);
      out.append(as_written);
      continue;
    }
    if (number > args.size()) {
      Misuse("missing argument", format);
      out.append(as_written);
      continue;
    }
    if (!FormatConversion(directive, args[number - 1], &out)) {
      Misuse("argument does not suit its conversion", format);
      out.append(as_written);
    }
  }
  return out;
}

}  // namespace pw
