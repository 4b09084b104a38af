// A real LDAP server for tests: slapd on a free loopback port, with its configuration, schema
// and data in a folder of its own, started and stopped by the test.
#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/temp_installation.h"

namespace pw::test {

// Owns one slapd process and its folder. The data is loaded offline with slapadd before the
// first start, so a started server holds exactly the given entries. Stop and Start may be
// repeated; the port stays the same, so that clients find the server again after a restart.
// Works as root and in parallel with other tests (own port, own folder).
class SlapdServer {
 public:
  static constexpr const char* kSlapd = "/usr/sbin/slapd";
  static constexpr const char* kSlapadd = "/usr/sbin/slapadd";
  static constexpr const char* kLdapmodify = "/usr/bin/ldapmodify";

  // `schema`: slapd.conf schema statements of the test's own; `suffix`: the database's base;
  // `ldif`: its entries.
  SlapdServer(const std::string& schema, const std::string& suffix, const std::string& ldif)
      : suffix_(suffix) {
    folder_.WriteFile("test.schema", schema);
    folder_.WriteFile("data.ldif", ldif);
    folder_.WriteFile("db/.keep", "");
    folder_.WriteFile("slapd.conf", Configuration());
    loaded_ = Run({kSlapadd, "-q", "-f", folder_.Sub("slapd.conf"), "-l", folder_.Sub("data.ldif")},
                  "slapadd.log");
  }
  ~SlapdServer() { Stop(); }
  SlapdServer(const SlapdServer&) = delete;
  SlapdServer& operator=(const SlapdServer&) = delete;

  // Whether the data was loaded and the server answers on its port (waits at most 10 s).
  bool Start() {
    if (!loaded_) return false;
    if (pid_ > 0) return true;
    if (port_ == 0) port_ = FreePort();
    if (port_ == 0) return false;
    pid_ = Spawn({kSlapd, "-d", "0", "-h", uri() + "/", "-f", folder_.Sub("slapd.conf")},
                 folder_.Sub("slapd.log"));
    if (pid_ <= 0) return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = 0;
        return false;
      }
      if (Answers()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    Stop();
    return false;
  }

  // Ends the server (SIGTERM, then SIGKILL after 5 s) and waits for it.
  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid_ = 0;
  }

  std::string host() const { return "127.0.0.1:" + std::to_string(port_); }
  std::string uri() const { return "ldap://" + host(); }
  const std::string& suffix() const { return suffix_; }
  const TempDir& folder() const { return folder_; }
  // Applies LDIF change records as the directory's administrator, as another tool would change
  // the directory behind the console's back; whether ldapmodify succeeded.
  bool Modify(const std::string& changes) {
    const std::string file = folder_.WriteFile("changes.ldif", changes);
    return Run({kLdapmodify, "-x", "-H", uri(), "-D", std::string(kAdminDn) + "," + suffix_, "-w",
                kAdminPassword, "-f", file},
               "ldapmodify.log");
  }

  // What slapadd and slapd wrote, for the message of a failed test.
  std::string Log() const {
    std::string log;
    for (const char* name : {"slapadd.log", "slapd.log", "ldapmodify.log"}) {
      if (folder_.Exists(name)) log += folder_.ReadFile(name);
    }
    return log;
  }

  static constexpr const char* kAdminDn = "cn=admin";
  static constexpr const char* kAdminPassword = "admin-secret";

 private:
  std::string Configuration() const {
    return "include /etc/ldap/schema/core.schema\n"
           "include /etc/ldap/schema/cosine.schema\n"
           "include /etc/ldap/schema/inetorgperson.schema\n"
           "include " +
           folder_.Sub("test.schema") +
           "\n"
           "pidfile " +
           folder_.Sub("slapd.pid") +
           "\n"
           "modulepath /usr/lib/ldap\n"
           "moduleload back_mdb\n"
           "access to dn.base=\"\" by * read\n"
           "access to attrs=userPassword by anonymous auth by * none\n"
           // Anonymous clients see nothing, as in most directories: they must bind.
           "access to * by users read by * none\n"
           "database mdb\n"
           "maxsize 10485760\n"
           "suffix \"" +
           suffix_ +
           "\"\n"
           "rootdn \"" +
           std::string(kAdminDn) + "," + suffix_ +
           "\"\n"
           "rootpw " +
           kAdminPassword +
           "\n"
           "directory " +
           folder_.Sub("db") + "\n";
  }

  static pid_t Spawn(std::initializer_list<std::string> arguments, const std::string& log) {
    // Everything the child needs is made before the fork: it may only make system calls.
    const std::vector<std::string> texts(arguments);
    std::vector<char*> argv;
    for (const std::string& text : texts) argv.push_back(const_cast<char*>(text.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child != 0) return child;
    // The server must not outlive a test that dies.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (out >= 0) {
      dup2(out, 1);
      dup2(out, 2);
    }
    execv(argv[0], argv.data());
    _exit(127);
  }

  // Runs a tool to its end (at most 30 s), its output in the folder's file `log`.
  bool Run(std::initializer_list<std::string> arguments, const std::string& log) const {
    const pid_t child = Spawn(arguments, folder_.Sub(log));
    if (child <= 0) return false;
    int status = 0;
    // The tools end at once on a few entries; a hung one is killed rather than hanging the test.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (waitpid(child, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        return false;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }

  static int FreePort() {
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    if (probe < 0) return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
      port = ntohs(address.sin_port);
    }
    close(probe);
    return port;
  }

  bool Answers() const {
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    if (probe < 0) return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port_));
    const bool answered =
        connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(probe);
    return answered;
  }

  TempDir folder_;
  std::string suffix_;
  bool loaded_ = false;
  int port_ = 0;
  pid_t pid_ = 0;
};

}  // namespace pw::test
