// Error reporting of the resource compiler: "FILE:LINE: message" on stderr, counted.
#pragma once

#include <string>

namespace pwrc {

class Diagnostics {
 public:
  void Error(const std::string& file, int line, const std::string& message);
  // An error that belongs to no line, such as a file that cannot be opened.
  void Error(const std::string& file, const std::string& message);
  bool failed() const { return errors_ > 0; }

 private:
  int errors_ = 0;
};

// The whole file, or false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string* bytes);

}  // namespace pwrc
