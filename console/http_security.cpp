// HttpSecurity.
#include "console/http_security.h"

#include <sys/random.h>

#include <httplib.h>

#include <array>
#include <nlohmann/json.hpp>

namespace pw::console {

void SendError(httplib::Response& response, const ApiFailure& failure) {
  nlohmann::json body = {{"error", {{"code", failure.code}, {"message", failure.message}}}};
  response.status = failure.status;
  response.set_content(body.dump(), "application/json; charset=utf-8");
}

HttpSecurity::HttpSecurity(std::string token, bool tls, std::string extra_host)
    : token_(std::move(token)), tls_(tls), hosts_{"127.0.0.1", "localhost", "[::1]"} {
  if (!extra_host.empty()) {
    hosts_.push_back(extra_host.find(':') != std::string::npos ? "[" + extra_host + "]"
                                                               : extra_host);
  }
}

std::string HttpSecurity::RandomHex(std::size_t bytes) {
  std::string raw(bytes, '\0');
  std::size_t filled = 0;
  while (filled < bytes) {
    const ssize_t got = getrandom(raw.data() + filled, bytes - filled, 0);
    if (got > 0) filled += static_cast<std::size_t>(got);
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes * 2);
  for (unsigned char byte : raw) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  return hex;
}

namespace {

// Compares without an early exit, so that the time taken says nothing about the token.
bool SameSecret(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  unsigned char difference = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    difference |= static_cast<unsigned char>(a[i] ^ b[i]);
  }
  return difference == 0;
}

}  // namespace

bool HttpSecurity::IsToken(const std::string& token) const { return SameSecret(token, token_); }

std::string HttpSecurity::NewSession() {
  std::string session = RandomHex(32);
  std::lock_guard lock(mutex_);
  sessions_[session] = RandomHex(32);
  return session;
}

std::string HttpSecurity::SetCookieHeader(const std::string& session) const {
  std::string header =
      std::string(kCookieName) + "=" + session + "; Path=/; HttpOnly; SameSite=Strict";
  if (tls_) header += "; Secure";
  return header;
}

std::optional<std::string> HttpSecurity::CsrfOf(const std::string& session) const {
  std::lock_guard lock(mutex_);
  for (const auto& [known, csrf] : sessions_) {
    if (SameSecret(known, session)) return csrf;
  }
  return std::nullopt;
}

std::string CookieValue(const std::string& header, const std::string& name) {
  std::size_t at = 0;
  while (at < header.size()) {
    std::size_t end = header.find(';', at);
    if (end == std::string::npos) end = header.size();
    std::string part = header.substr(at, end - at);
    const std::size_t first = part.find_first_not_of(' ');
    if (first != std::string::npos) part.erase(0, first);
    if (part.size() > name.size() && part.compare(0, name.size(), name) == 0 &&
        part[name.size()] == '=') {
      return part.substr(name.size() + 1);
    }
    at = end + 1;
  }
  return {};
}

HttpSecurity::Auth HttpSecurity::Authenticate(const httplib::Request& request,
                                              std::string* session) const {
  const std::string authorization = request.get_header_value("Authorization");
  if (authorization.starts_with("Bearer ")) {
    return IsToken(authorization.substr(7)) ? Auth::kBearer : Auth::kNone;
  }
  const std::string cookie = CookieValue(request.get_header_value("Cookie"), kCookieName);
  if (!cookie.empty() && CsrfOf(cookie)) {
    if (session != nullptr) *session = cookie;
    return Auth::kCookie;
  }
  return Auth::kNone;
}

bool HttpSecurity::HostAllowed(const std::string& host) const {
  for (const std::string& name : hosts_) {
    if (host == name) return true;
    if (host.size() > name.size() && host.compare(0, name.size(), name) == 0 &&
        host[name.size()] == ':' && host.substr(name.size() + 1) == std::to_string(port_)) {
      return true;
    }
  }
  return false;
}

bool HttpSecurity::OriginAllowed(const std::string& origin) const {
  const std::string scheme = tls_ ? "https://" : "http://";
  if (!origin.starts_with(scheme)) return false;
  const std::string host = origin.substr(scheme.size());
  // An origin always names the port unless it is the scheme's default.
  for (const std::string& name : hosts_) {
    if (host == name + ":" + std::to_string(port_)) return true;
    if (host == name && port_ == (tls_ ? 443 : 80)) return true;
  }
  return false;
}

std::optional<ApiFailure> HttpSecurity::Check(const httplib::Request& request, bool open,
                                              bool state_changing, bool event_stream) const {
  if (!HostAllowed(request.get_header_value("Host"))) {
    return ApiFailure{421, "misdirected", "This console answers only to its own address."};
  }
  const bool has_origin = request.has_header("Origin");
  if ((state_changing || event_stream) && has_origin &&
      !OriginAllowed(request.get_header_value("Origin"))) {
    return ApiFailure{403, "forbidden-origin", "Requests from other sites are refused."};
  }
  if (open) return std::nullopt;
  std::string session;
  const Auth auth = Authenticate(request, &session);
  if (auth == Auth::kNone) {
    return ApiFailure{401, "unauthorized",
                      "Open the console with the address pwconsole printed (it holds the token)."};
  }
  if (auth != Auth::kCookie) return std::nullopt;
  if (state_changing) {
    if (!has_origin) {
      return ApiFailure{403, "forbidden-origin", "The request does not say where it comes from."};
    }
    const std::optional<std::string> csrf = CsrfOf(session);
    if (!csrf || !SameSecret(request.get_header_value(kCsrfHeader), *csrf)) {
      return ApiFailure{403, "csrf", "The request lacks the session's CSRF header."};
    }
  }
  if (event_stream && !has_origin && request.get_header_value("Sec-Fetch-Site") != "same-origin") {
    return ApiFailure{403, "forbidden-origin", "The request does not say where it comes from."};
  }
  return std::nullopt;
}

void HttpSecurity::AddHeaders(httplib::Response& response, bool api) {
  response.set_header("Content-Security-Policy",
                      "default-src 'self'; script-src 'self'; style-src 'self'; "
                      "img-src 'self' data:; connect-src 'self'; frame-src 'self'; "
                      "object-src 'none'; base-uri 'none'; form-action 'self'; "
                      "frame-ancestors 'none'");
  response.set_header("X-Content-Type-Options", "nosniff");
  response.set_header("Referrer-Policy", "no-referrer");
  response.set_header("Cross-Origin-Resource-Policy", "same-origin");
  response.set_header("X-Frame-Options", "DENY");
  if (api) response.set_header("Cache-Control", "no-store");
}

}  // namespace pw::console
