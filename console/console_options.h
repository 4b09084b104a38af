// ConsoleOptions: the command line of pwconsole.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pw::console {

struct ConsoleOptions {
  std::string document;       // a saved console document to open; empty: a new console
  std::string registry_file;  // empty: the demo installation
  int port = 0;               // 0: a free port
  std::string address = "127.0.0.1";
  bool loopback = true;
  std::string tls_cert;
  std::string tls_key;
  std::string language = "en";
  bool open_browser = false;
  bool help = false;
  std::string snapin;  // a snap-in's class id instead of the Pagewell snap-in (for tests)
};

inline constexpr char kConsoleUsage[] =
    "Usage: pwconsole [FILE] [options]\n"
    "Serves the Pagewell Configuration console to a browser on this computer.\n"
    "  FILE               open a saved console document instead of a new console\n"
    "  --registry FILE    use the installation whose registry is FILE\n"
    "                     (default: the demo installation, created on first use)\n"
    "  --port N           listen on port N (default: a free port)\n"
    "  --address ADDR     listen on ADDR instead of 127.0.0.1; needs --tls-cert and --tls-key\n"
    "  --tls-cert FILE    the server certificate (PEM) for --address\n"
    "  --tls-key FILE     its private key (PEM)\n"
    "  --language en|de   the language of the console (default: en)\n"
    "  --open             also open the address in the browser\n"
    "  --help             show this text\n";

// The options, or nullopt with `error` set for a command line that cannot be used.
std::optional<ConsoleOptions> ParseConsoleOptions(const std::vector<std::string>& arguments,
                                                  std::string* error);

// Whether `address` names this computer's loopback interface.
bool IsLoopbackAddress(const std::string& address);

}  // namespace pw::console
