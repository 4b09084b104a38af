// Fuzz target for user import files: decoding, lines, fields, completion and checks. Whatever
// is read must keep the reader's promises about lines, field lengths and problems.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "module/users/user_import_file.h"
#include "module/users/user_pages_fields.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

void CheckField(const std::wstring& field) {
  if (field.size() > pw::kMaxImportFieldLength) Fail("a field is longer than allowed");
  if (field.find_first_of(L"\t\r\n") != std::wstring::npos) Fail("a field holds a tab or line end");
  if (!field.empty() && (field.front() == L' ' || field.back() == L' ')) {
    Fail("a field is not trimmed");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  if (!pw::DecodeUserImportFile(std::string_view(reinterpret_cast<const char*>(data), size),
                                &text)) {
    if (!text.empty()) Fail("a refused file left text behind");
    return 0;
  }
  if (text.find(L'\0') != std::wstring::npos) Fail("decoded text holds a NUL");

  pw::UserImportReader reader(text);
  pw::ImportRecord record;
  int last_line = 0;
  int records = 0;
  while (reader.Next(&record)) {
    ++records;
    if (record.line <= last_line) Fail("line numbers do not grow");
    last_line = record.line;
    const pw::ImportedUser& user = record.user;
    for (const std::wstring* field :
         {&user.first_name, &user.last_name, &user.company, &user.department, &user.fax,
          &user.voice, &user.address, &user.internet_mail}) {
      CheckField(*field);
    }
    const bool abandoned = !record.problems.empty() &&
                           record.problems.front() != pw::ImportProblem::kNewLineExpected &&
                           record.problems.front() != pw::ImportProblem::kInvalidAddress &&
                           record.problems.front() != pw::ImportProblem::kInvalidInternetMail;
    if (abandoned) {
      if (record.problems.size() != 1) Fail("an abandoned record was checked further");
      continue;
    }
    if (user.login.empty() && !user.address.empty()) Fail("an empty login was not completed");
    if (user.full_name.empty() && !user.login.empty()) Fail("no full name was formed");
    bool address_reported = false;
    for (const pw::ImportProblem problem : record.problems) {
      address_reported = address_reported || problem == pw::ImportProblem::kInvalidAddress;
    }
    if (address_reported == pw::IsValidEmail(user.address)) Fail("address check disagrees");
  }

  // Reading again after a rewind gives the same records.
  reader.Rewind();
  int again = 0;
  while (reader.Next(&record)) ++again;
  if (again != records) Fail("a rewind changed the records");
  return 0;
}
