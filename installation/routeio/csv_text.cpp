// Decoding, splitting and writing the comma-separated text of route files.
#include "installation/routeio/csv_text.h"

#include "platform/com/strings.h"

namespace pw::routeio {
namespace {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 0;
    char32_t minimum = 0;
    char32_t code = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, minimum = 0x80, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, minimum = 0x800, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, minimum = 0x10000, code = lead & 0x07;
    } else {
      return false;
    }
    if (bytes.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

bool Fail(FileProblem* problem, std::size_t line, std::wstring reason) {
  if (problem != nullptr) *problem = FileProblem{line, std::move(reason)};
  return false;
}

// The separator that the first line uses.
wchar_t DetectSeparator(std::wstring_view text) {
  bool quoted = false;
  bool semicolon = false;
  for (const wchar_t c : text) {
    if (c == L'"') {
      quoted = !quoted;
    } else if (!quoted && (c == L'\r' || c == L'\n')) {
      break;
    } else if (!quoted && c == L',') {
      return L',';
    } else if (!quoted && c == L';') {
      semicolon = true;
    }
  }
  return semicolon ? L';' : L',';
}

}  // namespace

bool DecodeFileText(std::string_view bytes, std::wstring* text, FileProblem* problem) {
  const bool utf16 = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
  if (utf16 && bytes.size() % 2 != 0) {
    return Fail(problem, 0, L"the UTF-16 text ends in half a character");
  }
  if (!utf16) {
    std::string_view body = bytes;
    if (body.starts_with("\xEF\xBB\xBF")) body.remove_prefix(3);
    if (!IsUtf8(body)) return Fail(problem, 0, L"the file is neither UTF-8 nor UTF-16 text");
  }
  *text = DecodeText(bytes);
  return true;
}

bool ParseCsv(std::wstring_view text, std::vector<CsvRecord>* records, FileProblem* problem) {
  records->clear();
  const wchar_t separator = DetectSeparator(text);
  std::size_t line = 1;
  std::size_t i = 0;
  const std::size_t size = text.size();
  // Consumes a line end at `i` (CR LF, LF or CR) and counts it.
  const auto take_line_end = [&] {
    if (text[i] == L'\r' && i + 1 < size && text[i + 1] == L'\n') ++i;
    ++i;
    ++line;
  };
  while (i < size) {
    if (text[i] == L'\r' || text[i] == L'\n') {
      take_line_end();
      continue;
    }
    CsvRecord record;
    record.line = line;
    for (;;) {
      std::wstring field;
      if (i < size && text[i] == L'"') {
        const std::size_t opened_on = line;
        ++i;
        for (;;) {
          if (i >= size) return Fail(problem, opened_on, L"a quoted field is not closed");
          const wchar_t c = text[i];
          if (c == L'\0') return Fail(problem, line, L"the text holds a NUL character");
          if (c == L'"') {
            if (i + 1 < size && text[i + 1] == L'"') {
              field.push_back(L'"');
              i += 2;
              continue;
            }
            ++i;
            break;
          }
          if (c == L'\n' || (c == L'\r' && (i + 1 >= size || text[i + 1] != L'\n'))) ++line;
          field.push_back(c);
          ++i;
        }
        if (i < size && text[i] != separator && text[i] != L'\r' && text[i] != L'\n') {
          return Fail(problem, line, L"text follows a closing quote");
        }
      } else {
        while (i < size && text[i] != separator && text[i] != L'\r' && text[i] != L'\n') {
          if (text[i] == L'"')
            return Fail(problem, line, L"a quote stands inside an unquoted field");
          if (text[i] == L'\0') return Fail(problem, line, L"the text holds a NUL character");
          field.push_back(text[i]);
          ++i;
        }
      }
      record.fields.push_back(std::move(field));
      if (i < size && text[i] == separator) {
        ++i;
        continue;
      }
      break;
    }
    records->push_back(std::move(record));
    if (i < size) take_line_end();
  }
  return true;
}

std::wstring FormatCsvRecord(const std::vector<std::wstring>& fields) {
  std::wstring line;
  for (std::size_t n = 0; n < fields.size(); ++n) {
    if (n > 0) line.push_back(L',');
    const std::wstring& field = fields[n];
    const bool edge_blank = !field.empty() && (field.front() == L' ' || field.front() == L'\t' ||
                                               field.back() == L' ' || field.back() == L'\t');
    if (!edge_blank && field.find_first_of(L",;\"\r\n") == std::wstring::npos) {
      line += field;
      continue;
    }
    line.push_back(L'"');
    for (const wchar_t c : field) {
      if (c == L'"') line.push_back(L'"');
      line.push_back(c);
    }
    line.push_back(L'"');
  }
  line += L"\r\n";
  return line;
}

}  // namespace pw::routeio
