// Error reporting and file reading shared by the parts of the resource compiler.
#include "tools/pwrc/diagnostics.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace pwrc {

void Diagnostics::Error(const std::string& file, int line, const std::string& message) {
  std::fprintf(stderr, "%s:%d: %s\n", file.c_str(), line, message.c_str());
  ++errors_;
}

void Diagnostics::Error(const std::string& file, const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", file.c_str(), message.c_str());
  ++errors_;
}

bool ReadWholeFile(const std::string& path, std::string* bytes) {
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(path, ignored)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) return false;
  *bytes = content.str();
  return true;
}

}  // namespace pwrc
