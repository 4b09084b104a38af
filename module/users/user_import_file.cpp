// The user import file reader: decoding, lines, fields, completion and checks.
#include "module/users/user_import_file.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "module/users/user_pages_fields.h"

namespace pw {
namespace {

// Windows-1252 from 0x80 to 0x9F; the undefined bytes keep their own number.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr std::size_t kFieldCount = 9;
constexpr std::size_t kRequiredFields = 8;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsLineEnd(wchar_t c) { return c == L'\r' || c == L'\n'; }

bool DecodeAnsi(std::string_view bytes, std::wstring* text) {
  text->reserve(bytes.size());
  for (const char byte : bytes) {
    const auto value = static_cast<unsigned char>(byte);
    if (value == 0) return false;
    if (value >= 0x80 && value < 0xA0) {
      text->push_back(static_cast<wchar_t>(kCp1252High[value - 0x80]));
    } else {
      text->push_back(static_cast<wchar_t>(value));
    }
  }
  return true;
}

bool DecodeUtf16(std::string_view bytes, bool big_endian, std::wstring* text) {
  if (bytes.size() % 2 != 0) return false;
  auto unit = [&](std::size_t index) -> std::uint32_t {
    const auto first = static_cast<unsigned char>(bytes[index]);
    const auto second = static_cast<unsigned char>(bytes[index + 1]);
    return big_endian ? (first << 8) | second : (second << 8) | first;
  };
  text->reserve(bytes.size() / 2);
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    const std::uint32_t high = unit(i);
    if (high == 0) return false;
    if (high >= 0xDC00 && high <= 0xDFFF) return false;
    if (high < 0xD800 || high > 0xDBFF) {
      text->push_back(static_cast<wchar_t>(high));
      continue;
    }
    if (i + 2 >= bytes.size()) return false;
    const std::uint32_t low = unit(i + 2);
    if (low < 0xDC00 || low > 0xDFFF) return false;
    text->push_back(static_cast<wchar_t>(0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00)));
    i += 2;
  }
  return true;
}

bool DecodeUtf8(std::string_view bytes, std::wstring* text) {
  text->reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead == 0) return false;
    if (lead < 0x80) {
      text->push_back(static_cast<wchar_t>(lead));
      ++i;
      continue;
    }
    std::size_t length = 0;
    std::uint32_t value = 0;
    std::uint32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
      length = 2;
      value = lead & 0x1F;
      minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      value = lead & 0x0F;
      minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      value = lead & 0x07;
      minimum = 0x10000;
    } else {
      return false;
    }
    if (i + length > bytes.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
      return false;
    }
    text->push_back(static_cast<wchar_t>(value));
    i += length;
  }
  return true;
}

// A field's text as it is kept: tabs as blanks, at most the longest field, trimmed.
std::wstring FieldText(std::wstring_view raw) {
  std::wstring text(raw.substr(0, kMaxImportFieldLength));
  for (wchar_t& c : text) {
    if (c == L'\t') c = L' ';
  }
  return TrimBlanks(text);
}

std::wstring* FieldOf(ImportedUser* user, std::size_t index) {
  std::wstring* const fields[kFieldCount] = {
      &user->first_name, &user->last_name, &user->company, &user->department,    &user->fax,
      &user->voice,      &user->address,   &user->login,   &user->internet_mail,
  };
  return fields[index];
}

}  // namespace

bool DecodeUserImportFile(std::string_view bytes, std::wstring* text, ImportEncoding* encoding) {
  text->clear();
  ImportEncoding found = ImportEncoding::kAnsi;
  bool decoded = false;
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    found = ImportEncoding::kUtf16Le;
    decoded = DecodeUtf16(bytes.substr(2), false, text);
  } else if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF') {
    found = ImportEncoding::kUtf16Be;
    decoded = DecodeUtf16(bytes.substr(2), true, text);
  } else if (bytes.size() >= 3 && bytes[0] == '\xEF' && bytes[1] == '\xBB' && bytes[2] == '\xBF') {
    found = ImportEncoding::kUtf8;
    decoded = DecodeUtf8(bytes.substr(3), text);
  } else {
    decoded = DecodeAnsi(bytes, text);
  }
  if (encoding != nullptr) *encoding = found;
  if (!decoded) text->clear();
  return decoded;
}

void CompleteImportedUser(ImportedUser* user) {
  if (user->login.empty()) user->login = user->address;
  if (!user->full_name.empty() && (user->first_name.empty() || user->last_name.empty())) {
    std::wstring first;
    std::wstring last;
    SplitFullName(user->full_name, &first, &last);
    if (user->first_name.empty()) user->first_name = first;
    if (user->last_name.empty()) user->last_name = last;
  }
  user->full_name = JoinFullName(user->first_name, user->last_name);
  if (user->full_name.empty()) user->full_name = user->login;
}

bool UserImportReader::Next(ImportRecord* record) {
  while (position_ < text_.size()) {
    std::size_t end = position_;
    while (end < text_.size() && !IsLineEnd(text_[end])) ++end;
    const std::wstring_view line = std::wstring_view(text_).substr(position_, end - position_);
    const bool last_line = end == text_.size();
    position_ = end;
    if (position_ < text_.size()) {
      position_ +=
          text_[position_] == L'\r' && position_ + 1 < text_.size() && text_[position_ + 1] == L'\n'
              ? 2
              : 1;
    }
    const int number = line_++;
    bool empty = true;
    for (const wchar_t c : line) empty = empty && IsBlank(c);
    if (empty) continue;

    *record = ImportRecord{};
    record->line = number;
    ReadLine(line, last_line, record);
    return true;
  }
  return false;
}

void UserImportReader::ReadLine(std::wstring_view line, bool last_line,
                                ImportRecord* record) const {
  ImportedUser& user = record->user;
  std::size_t i = 0;
  auto skip_blanks = [&] {
    while (i < line.size() && IsBlank(line[i])) ++i;
  };
  for (std::size_t field = 0; field < kFieldCount; ++field) {
    skip_blanks();
    std::wstring_view raw;
    if (i < line.size() && line[i] == L'"') {
      const std::size_t close = line.find(L'"', i + 1);
      if (close == std::wstring_view::npos) {
        record->problems.push_back(last_line ? ImportProblem::kStringNotClosedAtEndOfFile
                                             : ImportProblem::kStringNotClosedAtEndOfLine);
        return;
      }
      raw = line.substr(i + 1, close - i - 1);
      i = close + 1;
    } else {
      const std::size_t comma = std::min(line.find(L',', i), line.size());
      raw = line.substr(i, comma - i);
      i = comma;
    }
    *FieldOf(&user, field) = FieldText(raw);
    skip_blanks();
    const bool at_end = i == line.size();
    const bool at_comma = !at_end && line[i] == L',';
    if (field + 1 < kRequiredFields) {
      if (!at_comma) {
        record->problems.push_back(ImportProblem::kCommaExpected);
        return;
      }
      ++i;
      continue;
    }
    if (at_end) break;
    if (field + 1 == kRequiredFields && at_comma) {
      ++i;
      continue;
    }
    // Whatever follows the last field is left aside.
    record->problems.push_back(ImportProblem::kNewLineExpected);
    break;
  }
  CompleteImportedUser(&user);
  if (!IsValidEmail(user.address)) record->problems.push_back(ImportProblem::kInvalidAddress);
  if (!user.internet_mail.empty() && !IsValidEmail(user.internet_mail)) {
    record->problems.push_back(ImportProblem::kInvalidInternetMail);
  }
}

}  // namespace pw
