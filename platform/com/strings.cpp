// Text conversions and case rules.
#include "platform/com/strings.h"

#include <locale.h>
#include <wctype.h>

#include <algorithm>

namespace pw {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

char32_t Sanitized(char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kReplacement;
  return c;
}

std::wstring FromUtf16Units(std::string_view bytes, bool little_endian) {
  std::wstring out;
  out.reserve(bytes.size() / 2);
  const std::size_t count = bytes.size() / 2;
  auto unit = [&](std::size_t i) {
    const auto b0 = static_cast<unsigned char>(bytes[2 * i]);
    const auto b1 = static_cast<unsigned char>(bytes[2 * i + 1]);
    return little_endian ? static_cast<char32_t>(b0 | (b1 << 8))
                         : static_cast<char32_t>((b0 << 8) | b1);
  };
  for (std::size_t i = 0; i < count; ++i) {
    char32_t c = unit(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < count) {
      const char32_t low = unit(i + 1);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      } else {
        c = kReplacement;
      }
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
    }
    out += static_cast<wchar_t>(c);
  }
  return out;
}

locale_t Utf8Locale() {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  return locale;
}

}  // namespace

std::string ToUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t c : text) AppendUtf8(out, Sanitized(static_cast<char32_t>(c)));
  return out;
}

std::wstring FromUtf8(std::string_view text) {
  std::wstring out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t c = 0;
    if (lead < 0x80) {
      c = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1;
      c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
      c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3;
      c = lead & 0x07;
    } else {
      out += static_cast<wchar_t>(kReplacement);
      ++i;
      continue;
    }
    if (i + static_cast<std::size_t>(extra) >= text.size()) {
      out += static_cast<wchar_t>(kReplacement);
      ++i;
      continue;
    }
    bool valid = true;
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) {
        valid = false;
        break;
      }
      c = (c << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[4] = {0, 0x80, 0x800, 0x10000};
    if (!valid || c < kSmallest[extra]) {
      out += static_cast<wchar_t>(kReplacement);
      ++i;
      continue;
    }
    out += static_cast<wchar_t>(Sanitized(c));
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

std::string ToUtf16Le(std::wstring_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  auto put = [&out](char32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>((unit >> 8) & 0xFF);
  };
  for (wchar_t wc : text) {
    const char32_t c = Sanitized(static_cast<char32_t>(wc));
    if (c >= 0x10000) {
      put(0xD800 + ((c - 0x10000) >> 10));
      put(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      put(c);
    }
  }
  return out;
}

std::wstring FromUtf16Le(std::string_view bytes) { return FromUtf16Units(bytes, true); }
std::wstring FromUtf16Be(std::string_view bytes) { return FromUtf16Units(bytes, false); }

std::wstring DecodeText(std::string_view bytes, TextEncoding* found) {
  TextEncoding encoding = TextEncoding::kUtf8;
  if (bytes.starts_with("\xFF\xFE")) {
    encoding = TextEncoding::kUtf16Le;
    bytes.remove_prefix(2);
  } else if (bytes.starts_with("\xFE\xFF")) {
    encoding = TextEncoding::kUtf16Be;
    bytes.remove_prefix(2);
  } else if (bytes.starts_with("\xEF\xBB\xBF")) {
    encoding = TextEncoding::kUtf8Bom;
    bytes.remove_prefix(3);
  }
  if (found != nullptr) *found = encoding;
  switch (encoding) {
    case TextEncoding::kUtf16Le:
      return FromUtf16Le(bytes);
    case TextEncoding::kUtf16Be:
      return FromUtf16Be(bytes);
    default:
      return FromUtf8(bytes);
  }
}

std::string EncodeText(std::wstring_view text, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kUtf16Le:
      return "\xFF\xFE" + ToUtf16Le(text);
    case TextEncoding::kUtf16Be: {
      std::string le = ToUtf16Le(text);
      for (std::size_t i = 0; i + 1 < le.size(); i += 2) std::swap(le[i], le[i + 1]);
      return "\xFE\xFF" + le;
    }
    case TextEncoding::kUtf8Bom:
      return "\xEF\xBB\xBF" + ToUtf8(text);
    case TextEncoding::kUtf8:
      break;
  }
  return ToUtf8(text);
}

wchar_t ToUpper(wchar_t c) {
  if (c < 0x80) return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c;
  const locale_t locale = Utf8Locale();
  return locale != static_cast<locale_t>(0) ? static_cast<wchar_t>(towupper_l(c, locale)) : c;
}

wchar_t ToLower(wchar_t c) {
  if (c < 0x80) return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
  const locale_t locale = Utf8Locale();
  return locale != static_cast<locale_t>(0) ? static_cast<wchar_t>(towlower_l(c, locale)) : c;
}

std::wstring ToUpper(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) c = ToUpper(c);
  return out;
}

std::wstring ToLower(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) c = ToLower(c);
  return out;
}

int CompareIgnoreCase(std::wstring_view a, std::wstring_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const wchar_t ca = ToUpper(a[i]);
    const wchar_t cb = ToUpper(b[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && CompareIgnoreCase(a, b) == 0;
}

std::wstring_view Trim(std::wstring_view text) {
  constexpr std::wstring_view kBlanks = L" \t\r\n";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::wstring_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

}  // namespace pw
