// The LDAP directory connection.
#include "installation/userdb/directory_session.h"

#include <ldap.h>
#include <signal.h>

#include <cstdlib>
#include <fstream>

#include "installation/interfaces/ardent_userdb.h"
#include "platform/com/strings.h"

namespace pw::userdb {
namespace {

// A server that does not answer must not hang the console for ever; a directory that does
// answer is far quicker than these.
constexpr int kConnectSeconds = 10;
constexpr int kOperationSeconds = 30;

// Writing to a socket the server has closed raises SIGPIPE, which would end the console. The
// library writes with plain write(), so the signal is held back on this thread while it works
// and a SIGPIPE raised meanwhile is taken off again; the write then fails as it should.
class SigpipeHold {
 public:
  SigpipeHold() {
    sigset_t pipe_only;
    sigemptyset(&pipe_only);
    sigaddset(&pipe_only, SIGPIPE);
    sigset_t pending;
    sigpending(&pending);
    was_pending_ = sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &pipe_only, &previous_);
  }
  ~SigpipeHold() {
    sigset_t pending;
    sigpending(&pending);
    if (!was_pending_ && sigismember(&pending, SIGPIPE) == 1) {
      sigset_t pipe_only;
      sigemptyset(&pipe_only);
      sigaddset(&pipe_only, SIGPIPE);
      const timespec now{};
      sigtimedwait(&pipe_only, nullptr, &now);
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  SigpipeHold(const SigpipeHold&) = delete;
  SigpipeHold& operator=(const SigpipeHold&) = delete;

 private:
  sigset_t previous_;
  bool was_pending_ = false;
};

HRESULT FromLdapResult(int result) {
  switch (result) {
    case LDAP_SUCCESS:
    case LDAP_SIZELIMIT_EXCEEDED:
      return S_OK;
    case LDAP_SERVER_DOWN:
    case LDAP_CONNECT_ERROR:
    case LDAP_TIMEOUT:
    case LDAP_UNAVAILABLE:
    case LDAP_BUSY:
      return UDB_E_NODIRECTORYACCESS;
    case LDAP_INVALID_CREDENTIALS:
    case LDAP_INAPPROPRIATE_AUTH:
    case LDAP_STRONG_AUTH_REQUIRED:
    case LDAP_CONFIDENTIALITY_REQUIRED:
    case LDAP_INSUFFICIENT_ACCESS:
      return UDB_E_DIRECTORYLOGON;
    case LDAP_NO_MEMORY:
      return E_OUTOFMEMORY;
    default:
      return UDB_E_DIRECTORYERROR;
  }
}

bool ServerGone(int result) {
  return result == LDAP_SERVER_DOWN || result == LDAP_CONNECT_ERROR || result == LDAP_TIMEOUT;
}

int LdapScope(ConnectionTarget::Scope scope) {
  switch (scope) {
    case ConnectionTarget::Scope::kBase:
      return LDAP_SCOPE_BASE;
    case ConnectionTarget::Scope::kOneLevel:
      return LDAP_SCOPE_ONELEVEL;
    case ConnectionTarget::Scope::kSubtree:
      break;
  }
  return LDAP_SCOPE_SUBTREE;
}

// The names as the null-terminated array the library takes; an empty list asks for none.
std::vector<char*> NameArray(const std::vector<std::string>& names) {
  std::vector<char*> array;
  for (const std::string& name : names) array.push_back(const_cast<char*>(name.c_str()));
  if (array.empty()) array.push_back(const_cast<char*>(LDAP_NO_ATTRS));
  array.push_back(nullptr);
  return array;
}

void ReadEntry(LDAP* ldap, LDAPMessage* message, DirectoryEntry* entry) {
  if (char* dn = ldap_get_dn(ldap, message)) {
    entry->dn = dn;
    ldap_memfree(dn);
  }
  BerElement* position = nullptr;
  for (char* name = ldap_first_attribute(ldap, message, &position); name != nullptr;
       name = ldap_next_attribute(ldap, message, position)) {
    DirectoryEntry::Attribute attribute{name, {}};
    if (berval** values = ldap_get_values_len(ldap, message, name)) {
      for (berval** value = values; *value != nullptr; ++value) {
        attribute.values.emplace_back((*value)->bv_val, (*value)->bv_len);
      }
      ldap_value_free_len(values);
    }
    ldap_memfree(name);
    entry->attributes.push_back(std::move(attribute));
  }
  if (position != nullptr) ber_free(position, 0);
}

}  // namespace

HRESULT ReadDirectorySettings(const ConnectionTarget& target, DirectorySettings* settings) {
  *settings = DirectorySettings();
  if (target.kind == ConnectionTarget::Kind::kExchange55) {
    settings->kind = DirectoryKind::kExchange55;
    const std::string server = ToUtf8(target.server);
    settings->uri = server.find("://") != std::string::npos ? server : "ldap://" + server;
  }
  settings->search_base = ToUtf8(target.search_base);
  settings->scope = target.scope;
  if (const char* bind_dn = std::getenv(kBindDnVariable); bind_dn != nullptr) {
    settings->bind_dn = bind_dn;
  }
  if (const char* file = std::getenv(kPasswordFileVariable); file != nullptr && *file != '\0') {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) return UDB_E_DIRECTORYLOGON;
    std::getline(stream, settings->password);
    if (!settings->password.empty() && settings->password.back() == '\r') {
      settings->password.pop_back();
    }
  }
  return S_OK;
}

const std::vector<std::string>* DirectoryEntry::Find(std::string_view name) const {
  const std::wstring wide = FromUtf8(name);
  for (const Attribute& attribute : attributes) {
    if (EqualsIgnoreCase(FromUtf8(attribute.name), wide)) return &attribute.values;
  }
  return nullptr;
}

DirectorySession::~DirectorySession() { Close(); }

HRESULT DirectorySession::Open(DirectorySettings settings,
                               std::shared_ptr<DirectorySession>* session) {
  std::shared_ptr<DirectorySession> made(new DirectorySession(std::move(settings)));
  std::lock_guard lock(made->mutex_);
  const SigpipeHold hold;
  HRESULT hr = made->ConnectLocked();
  if (SUCCEEDED(hr)) hr = made->FindBaseLocked();
  if (FAILED(hr)) {
    made->DisconnectLocked();
    return hr;
  }
  *session = std::move(made);
  return S_OK;
}

HRESULT DirectorySession::ConnectLocked() {
  LDAP* ldap = nullptr;
  const char* uri = settings_.uri.empty() ? nullptr : settings_.uri.c_str();
  if (ldap_initialize(&ldap, uri) != LDAP_SUCCESS || ldap == nullptr) {
    return UDB_E_NODIRECTORYACCESS;
  }
  ldap_ = ldap;
  const int version = LDAP_VERSION3;
  ldap_set_option(ldap_, LDAP_OPT_PROTOCOL_VERSION, &version);
  // Active Directory refers searches at the domain's root to other partitions; following them
  // would bind anonymously elsewhere.
  ldap_set_option(ldap_, LDAP_OPT_REFERRALS, LDAP_OPT_OFF);
  const timeval connect_limit{kConnectSeconds, 0};
  ldap_set_option(ldap_, LDAP_OPT_NETWORK_TIMEOUT, &connect_limit);
  const timeval operation_limit{kOperationSeconds, 0};
  ldap_set_option(ldap_, LDAP_OPT_TIMEOUT, &operation_limit);

  berval password{};
  password.bv_val = const_cast<char*>(settings_.password.c_str());
  password.bv_len = settings_.password.size();
  const char* bind_dn = settings_.bind_dn.empty() ? nullptr : settings_.bind_dn.c_str();
  const int result =
      ldap_sasl_bind_s(ldap_, bind_dn, LDAP_SASL_SIMPLE, &password, nullptr, nullptr, nullptr);
  // A name without a password is refused by servers as an unauthenticated bind.
  if (result == LDAP_UNWILLING_TO_PERFORM) return UDB_E_DIRECTORYLOGON;
  return FromLdapResult(result);
}

void DirectorySession::DisconnectLocked() {
  if (ldap_ == nullptr) return;
  ldap_unbind_ext_s(ldap_, nullptr, nullptr);
  ldap_ = nullptr;
}

HRESULT DirectorySession::FindBaseLocked() {
  base_ = settings_.search_base;
  if (base_.empty()) {
    char* configured = nullptr;
    if (ldap_get_option(ldap_, LDAP_OPT_DEFBASE, &configured) == LDAP_OPT_SUCCESS &&
        configured != nullptr) {
      base_ = configured;
      ldap_memfree(configured);
    }
  }
  std::vector<DirectoryEntry> found;
  int result = LDAP_SUCCESS;
  if (base_.empty()) {
    // The server's own naming context: Active Directory names its domain, other servers list
    // theirs.
    HRESULT hr = SearchOnceLocked("", LDAP_SCOPE_BASE, "(objectClass=*)",
                                  {"defaultNamingContext", "namingContexts"}, &found, &result);
    if (FAILED(hr)) return hr;
    for (const char* name : {"defaultNamingContext", "namingContexts"}) {
      const std::vector<std::string>* values = found.empty() ? nullptr : found.front().Find(name);
      if (values != nullptr && !values->empty() && !values->front().empty()) {
        base_ = values->front();
        break;
      }
    }
    if (base_.empty()) return UDB_E_DIRECTORYERROR;
  }
  const HRESULT hr =
      SearchOnceLocked(base_, LDAP_SCOPE_BASE, "(objectClass=*)", {}, &found, &result);
  if (FAILED(hr)) return hr;
  return found.empty() ? UDB_E_DIRECTORYERROR : S_OK;
}

HRESULT DirectorySession::SearchOnceLocked(const std::string& base, int scope,
                                           const std::string& filter,
                                           const std::vector<std::string>& names,
                                           std::vector<DirectoryEntry>* entries, int* ldap_result) {
  entries->clear();
  if (ldap_ == nullptr) {
    *ldap_result = LDAP_SERVER_DOWN;
    return UDB_E_NODIRECTORYACCESS;
  }
  std::vector<char*> attributes = NameArray(names);
  timeval limit{kOperationSeconds, 0};
  LDAPMessage* answer = nullptr;
  *ldap_result = ldap_search_ext_s(ldap_, base.c_str(), scope, filter.c_str(), attributes.data(), 0,
                                   nullptr, nullptr, &limit, LDAP_NO_LIMIT, &answer);
  if (answer != nullptr) {
    for (LDAPMessage* message = ldap_first_entry(ldap_, answer); message != nullptr;
         message = ldap_next_entry(ldap_, message)) {
      entries->emplace_back();
      ReadEntry(ldap_, message, &entries->back());
    }
    ldap_msgfree(answer);
  }
  if (*ldap_result == LDAP_NO_SUCH_OBJECT) return S_OK;
  return FromLdapResult(*ldap_result);
}

HRESULT DirectorySession::SearchLocked(const std::string& base, int scope,
                                       const std::string& filter,
                                       const std::vector<std::string>& names,
                                       std::vector<DirectoryEntry>* entries, int* result) {
  *result = LDAP_SUCCESS;
  if (closed_) return UDB_E_NOTCONNECTED;
  HRESULT hr = SearchOnceLocked(base, scope, filter, names, entries, result);
  if (!ServerGone(*result)) return hr;
  DisconnectLocked();
  hr = ConnectLocked();
  if (FAILED(hr)) {
    DisconnectLocked();
    return hr;
  }
  return SearchOnceLocked(base, scope, filter, names, entries, result);
}

HRESULT DirectorySession::Search(const std::string& filter, const std::vector<std::string>& names,
                                 std::vector<DirectoryEntry>* entries) {
  std::lock_guard lock(mutex_);
  const SigpipeHold hold;
  int result = LDAP_SUCCESS;
  return SearchLocked(base_, LdapScope(settings_.scope), filter, names, entries, &result);
}

HRESULT DirectorySession::Read(const std::string& dn, const std::string& filter,
                               const std::vector<std::string>& names, DirectoryEntry* entry,
                               bool* found) {
  *found = false;
  // The empty name is the server's own entry, never an object.
  if (dn.empty()) return S_OK;
  std::lock_guard lock(mutex_);
  const SigpipeHold hold;
  std::vector<DirectoryEntry> entries;
  int result = LDAP_SUCCESS;
  const HRESULT hr = SearchLocked(dn, LDAP_SCOPE_BASE, filter, names, &entries, &result);
  // A text that is no distinguished name matches nothing.
  if (result == LDAP_INVALID_DN_SYNTAX) return S_OK;
  if (FAILED(hr) || entries.empty()) return hr;
  *entry = std::move(entries.front());
  *found = true;
  return S_OK;
}

void DirectorySession::Close() {
  std::lock_guard lock(mutex_);
  const SigpipeHold hold;
  closed_ = true;
  DisconnectLocked();
}

}  // namespace pw::userdb
