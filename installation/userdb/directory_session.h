// The connection to an LDAP directory server through the LDAP client library: where the
// server, the search base and the credentials come from, binding, searching, and coming back
// after the server went away.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "installation/userdb/connection_string.h"
#include "installation/userdb/directory_schema.h"
#include "platform/com/hresult.h"

typedef struct ldap LDAP;

namespace pw::userdb {

// The environment variables that name the account a directory connection binds as. Without a
// bind DN the connection is anonymous.
inline constexpr char kBindDnVariable[] = "PAGEWELL_LDAP_BINDDN";
inline constexpr char kPasswordFileVariable[] = "PAGEWELL_LDAP_PASSWORD_FILE";

// What one directory connection uses.
struct DirectorySettings {
  DirectoryKind kind = DirectoryKind::kActiveDirectory;
  // Empty: the URI of the LDAP client configuration (ldap.conf, LDAPCONF, LDAPRC, LDAPURI).
  std::string uri;
  // Empty: BASE of the client configuration, else the server's own naming context.
  std::string search_base;
  ConnectionTarget::Scope scope = ConnectionTarget::Scope::kSubtree;
  std::string bind_dn;
  std::string password;
};

// The settings for a directory connection string: the server of an Exchange 5.5 string becomes
// "ldap://<server>" (a text with "://" is taken as a URI), the bind DN and the first line of
// the password file come from the environment. UDB_E_DIRECTORYLOGON when the password file
// is named but cannot be read.
[[nodiscard]] HRESULT ReadDirectorySettings(const ConnectionTarget& target,
                                            DirectorySettings* settings);

// One entry of a search answer; attribute values are the server's bytes.
struct DirectoryEntry {
  struct Attribute {
    std::string name;
    std::vector<std::string> values;
  };
  std::string dn;
  std::vector<Attribute> attributes;

  // The values of the attribute `name` (names compare without regard to case); null when the
  // entry has none.
  const std::vector<std::string>* Find(std::string_view name) const;
};

// Made by Connect, shared with the user objects it hands out; Close ends it for all of them.
// A search that finds the server gone drops the connection and makes it again once, so that a
// restarted server is used without a new Connect. Every method takes the session's lock.
class DirectorySession {
 public:
  ~DirectorySession();
  DirectorySession(const DirectorySession&) = delete;
  DirectorySession& operator=(const DirectorySession&) = delete;

  // Connects, binds and finds the search base. UDB_E_NODIRECTORYACCESS when the server cannot
  // be reached, UDB_E_DIRECTORYLOGON when the bind is refused, UDB_E_DIRECTORYERROR when the
  // search base is missing or none can be found.
  [[nodiscard]] static HRESULT Open(DirectorySettings settings,
                                    std::shared_ptr<DirectorySession>* session);

  DirectoryKind kind() const { return settings_.kind; }

  // Searches below the search base with the connection's scope. S_OK also for no entries;
  // a size limit keeps the entries the server sent. UDB_E_NOTCONNECTED after Close.
  [[nodiscard]] HRESULT Search(const std::string& filter, const std::vector<std::string>& names,
                               std::vector<DirectoryEntry>* entries);
  // Reads the one entry `dn`; `found` false when there is none or `dn` is no distinguished
  // name. `filter` restricts what counts as found.
  [[nodiscard]] HRESULT Read(const std::string& dn, const std::string& filter,
                             const std::vector<std::string>& names, DirectoryEntry* entry,
                             bool* found);
  void Close();

 private:
  explicit DirectorySession(DirectorySettings settings) : settings_(std::move(settings)) {}

  HRESULT ConnectLocked();
  void DisconnectLocked();
  HRESULT FindBaseLocked();
  // One search; retried once on a new connection when the server went away.
  HRESULT SearchLocked(const std::string& base, int scope, const std::string& filter,
                       const std::vector<std::string>& names, std::vector<DirectoryEntry>* entries,
                       int* ldap_result);
  HRESULT SearchOnceLocked(const std::string& base, int scope, const std::string& filter,
                           const std::vector<std::string>& names,
                           std::vector<DirectoryEntry>* entries, int* ldap_result);

  std::mutex mutex_;
  DirectorySettings settings_;
  std::string base_;
  LDAP* ldap_ = nullptr;
  bool closed_ = false;
};

}  // namespace pw::userdb
