// Reading a user import file: its encoding, its lines and fields, the completion of each
// record and the checks of its addresses. No windows; the import (user_import.h) asks.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pw {

enum class ImportEncoding { kAnsi, kUtf16Le, kUtf16Be, kUtf8 };

// Recognises the encoding by the first bytes (FF FE, FE FF, EF BB BF, else ANSI, which is
// Windows-1252 here) and decodes the whole file without its byte order mark. Answers false for
// a file this reader cannot decode, which the import calls "not a supported type":
// - UTF-16 with an odd number of bytes or a surrogate that is not part of a pair;
// - UTF-8 (with its mark) holding a malformed, overlong or surrogate sequence;
// - any file whose text holds a NUL character: an ANSI file with one is UTF-16 without a mark,
//   or no text at all.
// The five bytes that Windows-1252 leaves undefined (81 8D 8F 90 9D) read as the control
// characters of the same number, as Windows reads them.
bool DecodeUserImportFile(std::string_view bytes, std::wstring* text,
                          ImportEncoding* encoding = nullptr);

// The fields of one user, as read and completed.
struct ImportedUser {
  std::wstring first_name;
  std::wstring last_name;
  std::wstring company;
  std::wstring department;
  std::wstring fax;
  std::wstring voice;
  std::wstring address;  // the Pagewell address, "mail"
  std::wstring login;
  std::wstring internet_mail;
  // Not a field of the file: formed by completion.
  std::wstring full_name;
};

// What can be wrong with a record.
enum class ImportProblem {
  kStringNotClosedAtEndOfFile,
  kStringNotClosedAtEndOfLine,
  kCommaExpected,
  kNewLineExpected,
  kInvalidAddress,
  kInvalidInternetMail,
};

// One record: its line (from 1, empty lines counted), the user and the problems in the order
// found. An unclosed string or a missing comma ends the reading of the record, so the user is
// then neither completed nor checked; text after the last field is reported and then left
// aside, and the record is completed and checked as usual.
struct ImportRecord {
  int line = 0;
  ImportedUser user;
  std::vector<ImportProblem> problems;
};

// The longest field; further characters up to the field's end are dropped.
inline constexpr std::size_t kMaxImportFieldLength = 1023;

// Completes a record before its checks: an empty login becomes the address; empty names are
// taken from a known full name ("Last, First" or "First Last"); the full name becomes the
// names joined by a blank, the one that is not empty, or the login.
void CompleteImportedUser(ImportedUser* user);

// Reads the records of a decoded file one after the other. Lines end with LF, CR or CR LF.
// Lines that are empty or hold only blanks and tabs are skipped; they count for the line
// numbers. A record has eight fields and an optional ninth, separated by commas.
class UserImportReader {
 public:
  explicit UserImportReader(std::wstring text) : text_(std::move(text)) {}

  // The next record, completed and checked; false at the end of the text.
  bool Next(ImportRecord* record);
  // Back to the first line.
  void Rewind() {
    position_ = 0;
    line_ = 1;
  }

 private:
  void ReadLine(std::wstring_view line, bool last_line, ImportRecord* record) const;

  std::wstring text_;
  std::size_t position_ = 0;
  int line_ = 1;
};

}  // namespace pw
