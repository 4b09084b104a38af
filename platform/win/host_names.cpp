// Computer names from the resolver's hosts file.
#include "platform/win/host_names.h"

#include <cstdlib>
#include <sstream>

#include "platform/com/strings.h"
#include "platform/win/files.h"

namespace pw {
namespace {

bool IsLocalOnlyAddress(std::string_view address) {
  return address.starts_with("127.") || address == "::1" || address.starts_with("fe00:") ||
         address.starts_with("ff0") || address == "0.0.0.0";
}

bool IsLocalOnlyName(std::wstring_view name) {
  return EqualsIgnoreCase(name, L"localhost") ||
         (name.size() > 4 && EqualsIgnoreCase(name.substr(0, 4), L"ip6-"));
}

}  // namespace

std::vector<std::wstring> ParseHostNames(std::string_view hosts_file_text) {
  std::vector<std::wstring> names;
  std::istringstream lines{std::string(hosts_file_text)};
  std::string line;
  while (std::getline(lines, line)) {
    if (const std::size_t comment = line.find('#'); comment != std::string::npos) {
      line.resize(comment);
    }
    std::istringstream words(line);
    std::string address;
    if (!(words >> address) || IsLocalOnlyAddress(address)) continue;
    std::string host;
    while (words >> host) {
      std::wstring name = FromUtf8(host.substr(0, host.find('.')));
      if (name.empty() || IsLocalOnlyName(name)) continue;
      name = ToUpper(name);
      bool known = false;
      for (const std::wstring& seen : names) known = known || seen == name;
      if (!known) names.push_back(std::move(name));
    }
  }
  return names;
}

std::vector<std::wstring> ResolverHostNames() {
  const char* configured = std::getenv("PAGEWELL_HOSTS_FILE");
  const std::string path = configured != nullptr ? configured : "/etc/hosts";
  std::string text;
  if (path.empty() || !ReadFileBytes(path, &text)) return {};
  return ParseHostNames(text);
}

}  // namespace pw
