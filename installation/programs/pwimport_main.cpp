// pwimport.exe: the server's user import program. Started by the console with /hwnd:N (the
// console's main window), it records its command line in the server folder's program log and
// writes the users to import as "pwimport.uif" beside itself, for the console to read.
//
// What it writes: the bytes of the file named by the environment variable
// PWIMPORT_SOURCE when that is set (so that an administrator or a test chooses the users),
// otherwise a few sample users in UTF-16 with a byte order mark, as the server writes them.
// Exit status: 0 when the file was written; 1 when it could not be; 2 without /hwnd:N.
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "installation/programs/program_log.h"

namespace {

constexpr char kResultFile[] = "pwimport.uif";
constexpr char kSourceVariable[] = "PWIMPORT_SOURCE";

// First name, last name, company, department, fax, voice, address, login, Internet e-mail.
constexpr char16_t kSampleUsers[] =
    u"Anna,Berger,Ardent Demo,Sales,+49 30 5550 101,+49 30 5550 201,anna.berger@Pagewell,"
    u"aberger,anna.berger@example.com\r\n"
    u"Bernd,Koch,Ardent Demo,Support,+49 30 5550 102,+49 30 5550 202,bernd.koch@Pagewell,"
    u"bkoch\r\n"
    u"\"Clara\",\"Weiss, Dr.\",\"Ardent Demo\",\"Accounts\",,,clara.weiss@Pagewell,,"
    u"clara.weiss@example.com\r\n";

bool HasWindowArgument(int argc, char** argv) {
  for (int i = 0; i < argc; ++i) {
    const char* word = argv[i];
    if (std::strncmp(word, "/hwnd:", 6) != 0 || word[6] == '\0') continue;
    char* end = nullptr;
    std::strtoul(word + 6, &end, 10);
    if (*end == '\0') return true;
  }
  return false;
}

std::string SampleBytes() {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : std::u16string_view(kSampleUsers)) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

bool ReadSource(const char* path, std::string* bytes) {
  std::ifstream source(path, std::ios::binary);
  if (!source) return false;
  bytes->assign(std::istreambuf_iterator<char>(source), std::istreambuf_iterator<char>());
  return !source.bad();
}

// The console must never read a half-written file: write aside, then rename.
bool WriteResult(const std::filesystem::path& target, const std::string& bytes) {
  const std::filesystem::path temporary = target.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) return false;
  }
  std::error_code failure;
  std::filesystem::rename(temporary, target, failure);
  return !failure;
}

}  // namespace

int main(int argc, char** argv) {
  pw::programs::RecordCommandLine("pwimport.exe", argc, argv);
  if (!HasWindowArgument(argc, argv)) return 2;
  std::error_code failure;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", failure);
  if (failure) return 1;
  std::string bytes;
  const char* source = std::getenv(kSourceVariable);
  if (source != nullptr && *source != '\0') {
    if (!ReadSource(source, &bytes)) return 1;
  } else {
    bytes = SampleBytes();
  }
  return WriteResult(self.parent_path() / kResultFile, bytes) ? 0 : 1;
}
