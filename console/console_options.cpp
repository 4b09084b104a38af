// Parsing pwconsole's command line.
#include "console/console_options.h"

#include <charconv>

namespace pw::console {

bool IsLoopbackAddress(const std::string& address) {
  return address == "127.0.0.1" || address == "::1" || address == "localhost" ||
         address.starts_with("127.");
}

std::optional<ConsoleOptions> ParseConsoleOptions(const std::vector<std::string>& arguments,
                                                  std::string* error) {
  ConsoleOptions options;
  bool address_given = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    auto value = [&](std::string* target) {
      if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
        *error = argument + " needs a value";
        return false;
      }
      *target = arguments[++i];
      return true;
    };
    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--open") {
      options.open_browser = true;
    } else if (argument == "--registry") {
      if (!value(&options.registry_file)) return std::nullopt;
    } else if (argument == "--tls-cert") {
      if (!value(&options.tls_cert)) return std::nullopt;
    } else if (argument == "--tls-key") {
      if (!value(&options.tls_key)) return std::nullopt;
    } else if (argument == "--snapin") {
      if (!value(&options.snapin)) return std::nullopt;
    } else if (argument == "--address") {
      if (!value(&options.address)) return std::nullopt;
      address_given = true;
    } else if (argument == "--language") {
      if (!value(&options.language)) return std::nullopt;
      if (options.language != "en" && options.language != "de") {
        *error = "--language must be en or de";
        return std::nullopt;
      }
    } else if (argument == "--port") {
      std::string text;
      if (!value(&text)) return std::nullopt;
      int port = -1;
      const auto [end, code] = std::from_chars(text.data(), text.data() + text.size(), port);
      if (code != std::errc() || end != text.data() + text.size() || port < 0 || port > 65535) {
        *error = "--port must be a number from 0 to 65535";
        return std::nullopt;
      }
      options.port = port;
    } else if (argument.starts_with("-")) {
      *error = "unknown option " + argument;
      return std::nullopt;
    } else if (options.document.empty()) {
      options.document = argument;
    } else {
      *error = "only one console document can be opened";
      return std::nullopt;
    }
  }
  options.loopback = !address_given || IsLoopbackAddress(options.address);
  if (!options.loopback && (options.tls_cert.empty() || options.tls_key.empty())) {
    *error = "--address " + options.address + " needs --tls-cert and --tls-key";
    return std::nullopt;
  }
  if (options.tls_cert.empty() != options.tls_key.empty()) {
    *error = "--tls-cert and --tls-key go together";
    return std::nullopt;
  }
  return options;
}

}  // namespace pw::console
