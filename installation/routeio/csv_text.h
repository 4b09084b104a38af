// Comma-separated text as route files hold it: decoding a file's bytes, splitting the text
// into records with the quoting rules of RFC 4180, and writing one record back.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pw::routeio {

// Why a file was refused, and the line (1-based) where that was found; line 0 for the file as
// a whole.
struct FileProblem {
  std::size_t line = 0;
  std::wstring reason;
};

// The text of a file: UTF-8 with or without a byte order mark, or UTF-16 in either byte order
// with its mark. Bytes without a mark that are not UTF-8 are refused rather than guessed at,
// because a misread name would be stored as a route.
[[nodiscard]] bool DecodeFileText(std::string_view bytes, std::wstring* text, FileProblem* problem);

// One record and the line on which it starts.
struct CsvRecord {
  std::size_t line = 0;
  std::vector<std::wstring> fields;
};

// Splits `text` into records. Fields are separated by commas, or by semicolons when the first
// line holds semicolons and no comma (as spreadsheets of some languages save "CSV"). Records
// end at CR LF, LF or CR. A field that begins with a double quote runs to the matching quote
// and may hold separators, line ends and doubled quotes. Empty lines are skipped. A quote
// inside an unquoted field, text after a closing quote, an unterminated quote and the NUL
// character are refused.
[[nodiscard]] bool ParseCsv(std::wstring_view text, std::vector<CsvRecord>* records,
                            FileProblem* problem);

// One record with a comma between fields and CR LF at the end. A field is quoted when it
// holds a comma, semicolon, quote or line end, or begins or ends with a blank or tab.
std::wstring FormatCsvRecord(const std::vector<std::wstring>& fields);

}  // namespace pw::routeio
