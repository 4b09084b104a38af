// WebServer: the console's HTTP(S) server — the checks every request passes first, the page's
// embedded files, and the API routes.
#pragma once

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "console/api_router.h"
#include "console/http_security.h"

namespace httplib {
class Server;
}

namespace pw::console {

// Made by Create, listening after Start, ended by Stop (or the destructor). Borrows the
// security rules and the router, which must outlive it.
class WebServer {
 public:
  static constexpr std::size_t kMaxBody = 64 * 1024;

  struct Settings {
    std::string address = "127.0.0.1";
    int port = 0;  // 0: a free port
    // Listens on ::1 as well, on the same port, where this computer has IPv6 loopback.
    bool ipv6_loopback = false;
    std::string tls_cert;
    std::string tls_key;
  };

  // Binds the port; nullptr with `error` set when that fails.
  static std::unique_ptr<WebServer> Create(const Settings& settings, HttpSecurity& security,
                                           ApiRouter& router, std::string* error);
  ~WebServer();
  WebServer(const WebServer&) = delete;
  WebServer& operator=(const WebServer&) = delete;

  int port() const { return port_; }
  // The addresses listened on, "127.0.0.1" first.
  const std::vector<std::string>& addresses() const { return addresses_; }
  // Serves requests on a thread per address until Stop.
  void Start();
  void Stop();

 private:
  WebServer() = default;
  // One listener (an httplib server) with every check and route; nullptr when TLS fails.
  static void Configure(httplib::Server& server, HttpSecurity& security, ApiRouter& router);
  static std::unique_ptr<httplib::Server> MakeListener(const Settings& settings,
                                                       HttpSecurity& security, ApiRouter& router);
  // Binds the listeners; false with `error` set.
  bool Bind(const Settings& settings, HttpSecurity& security, ApiRouter& router,
            std::string* error);

  std::vector<std::unique_ptr<httplib::Server>> servers_;
  std::vector<std::string> addresses_;
  std::vector<std::thread> threads_;
  int port_ = 0;
};

}  // namespace pw::console
