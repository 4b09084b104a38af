// The computer names the local resolver knows from its hosts file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pw {

// The names of the hosts file (PAGEWELL_HOSTS_FILE, by default /etc/hosts) as Windows shows
// computer names: the part before the first dot, in capitals, each once, in file order.
// Loopback and multicast entries and the "localhost" and "ip6-" names are not computers of
// the network and are left out.
std::vector<std::wstring> ResolverHostNames();
// The same for the text of a hosts file.
std::vector<std::wstring> ParseHostNames(std::string_view hosts_file_text);

}  // namespace pw
