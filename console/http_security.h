// HttpSecurity: the access rules of the console's web server — the launch token, sessions
// and their CSRF values, and the Host and Origin checks.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "console/api_error.h"

namespace httplib {
struct Request;
struct Response;
}  // namespace httplib

namespace pw::console {

// One per server, shared by its handler threads (every member is safe to call from any
// thread). The token is valid for the life of the process; sessions made from it last as long.
class HttpSecurity {
 public:
  enum class Auth { kNone, kBearer, kCookie };
  static constexpr char kCookieName[] = "pwsession";
  static constexpr char kCsrfHeader[] = "X-PW-CSRF";

  // `extra_host`: a host name besides the loopback names that requests may use (the address
  // given with --address); empty for none.
  HttpSecurity(std::string token, bool tls, std::string extra_host);

  // Hex digits of `bytes` bytes from the system's random source.
  static std::string RandomHex(std::size_t bytes);

  const std::string& token() const { return token_; }
  bool tls() const { return tls_; }
  void set_port(int port) { port_ = port; }

  // Whether `token` is the launch token (compared in constant time).
  bool IsToken(const std::string& token) const;
  // A new session; its cookie value.
  std::string NewSession();
  std::string SetCookieHeader(const std::string& session) const;
  // The CSRF value of a session; nullopt for an unknown session.
  std::optional<std::string> CsrfOf(const std::string& session) const;

  // How the request proves itself; `session` receives the cookie's session.
  Auth Authenticate(const httplib::Request& request, std::string* session) const;

  bool HostAllowed(const std::string& host) const;
  bool OriginAllowed(const std::string& origin) const;

  // The checks of one request before any handler: Host always; then, unless `open` (the page's
  // own files and the token exchange), the credentials; for `state_changing` requests and the
  // event stream the Origin and, with the cookie, the CSRF header. nullopt when it may go on.
  std::optional<ApiFailure> Check(const httplib::Request& request, bool open, bool state_changing,
                                  bool event_stream) const;

  // The headers of every answer; `api` adds those of JSON answers.
  static void AddHeaders(httplib::Response& response, bool api);

 private:
  std::string token_;
  bool tls_;
  std::vector<std::string> hosts_;
  int port_ = 0;
  mutable std::mutex mutex_;
  std::map<std::string, std::string> sessions_;  // cookie value -> CSRF value
};

// The value of cookie `name` in a Cookie header; empty when absent.
std::string CookieValue(const std::string& header, const std::string& name);

}  // namespace pw::console
