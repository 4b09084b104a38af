// A pwconsole child process for the tests: started on a registry of the test's own with the
// host's test snap-in, its address read from its output, ended by a signal.
#pragma once

#include <sys/types.h>

#include <httplib.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/temp_installation.h"

namespace pw::console::test {

class ConsoleProcess {
 public:
  // Registers the test snap-in in a fresh registry file; Start runs pwconsole on it.
  ConsoleProcess();
  ~ConsoleProcess();

  // Starts pwconsole with `arguments` after the registry and snap-in options; false (with the
  // output so far in `output()`) when no address appears within ten seconds.
  bool Start(const std::vector<std::string>& arguments = {});
  // SIGTERM, then waits at most ten seconds; the exit status, or -1.
  int Stop();

  const std::string& token() const { return token_; }
  int port() const { return port_; }
  std::string origin() const { return "http://127.0.0.1:" + std::to_string(port_); }
  const std::string& output() const { return output_; }
  const pw::test::TempDir& dir() const { return dir_; }
  std::string errors() const;

  // A client with bounded timeouts; with `bearer` it sends the token.
  std::unique_ptr<httplib::Client> Client(bool bearer = true) const;

 private:
  pw::test::TempDir dir_;
  std::string registry_;
  pid_t child_ = -1;
  int out_ = -1;
  std::string output_;
  std::string token_;
  int port_ = 0;
};

}  // namespace pw::console::test
