// WebServer.
#include "console/web_server.h"

#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "console/web_assets.h"

namespace pw::console {

namespace {

// Enough threads for several pages, each holding one for its event stream.
constexpr std::size_t kThreads = 24;
constexpr int kBindAttempts = 8;

// Whether this computer has an IPv6 loopback address to listen on (containers often have none).
bool HasIpv6Loopback() {
  const int probe = socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (probe < 0) return false;
  sockaddr_in6 address{};
  address.sin6_family = AF_INET6;
  address.sin6_addr = in6addr_loopback;
  const bool bound = bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
  close(probe);
  return bound;
}

void CloseListener(httplib::Server& server) {
  std::thread serving([&server] { server.listen_after_bind(); });
  for (int wait = 0; wait < 2000 && !server.is_running(); ++wait) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  server.stop();
  serving.join();
}

}  // namespace

std::unique_ptr<WebServer> WebServer::Create(const Settings& settings, HttpSecurity& security,
                                             ApiRouter& router, std::string* error) {
  std::unique_ptr<WebServer> server(new WebServer());
  if (!server->Bind(settings, security, router, error)) return nullptr;
  security.set_port(server->port_);
  return server;
}

std::unique_ptr<httplib::Server> WebServer::MakeListener(const Settings& settings,
                                                         HttpSecurity& security,
                                                         ApiRouter& router) {
  std::unique_ptr<httplib::Server> server;
  if (!settings.tls_cert.empty()) {
    auto tls =
        std::make_unique<httplib::SSLServer>(settings.tls_cert.c_str(), settings.tls_key.c_str());
    if (!tls->is_valid()) return nullptr;
    server = std::move(tls);
  } else {
    server = std::make_unique<httplib::Server>();
  }
  Configure(*server, security, router);
  return server;
}

bool WebServer::Bind(const Settings& settings, HttpSecurity& security, ApiRouter& router,
                     std::string* error) {
  // A free port of 127.0.0.1 may be taken on ::1; then both try another one.
  for (int attempt = 0; attempt < kBindAttempts; ++attempt) {
    servers_.clear();
    addresses_.clear();
    std::unique_ptr<httplib::Server> first = MakeListener(settings, security, router);
    if (!first) {
      *error = "the certificate or key cannot be used";
      return false;
    }
    const int port =
        settings.port == 0
            ? first->bind_to_any_port(settings.address)
            : (first->bind_to_port(settings.address, settings.port) ? settings.port : -1);
    if (port <= 0) break;
    port_ = port;
    servers_.push_back(std::move(first));
    addresses_.push_back(settings.address);
    if (!settings.ipv6_loopback || !HasIpv6Loopback()) return true;
    std::unique_ptr<httplib::Server> second = MakeListener(settings, security, router);
    if (second && second->bind_to_port("::1", port)) {
      servers_.push_back(std::move(second));
      addresses_.push_back("::1");
      return true;
    }
    // httplib closes a listening socket only when it is stopped while serving.
    CloseListener(*servers_.front());
    if (settings.port != 0) {
      *error = "cannot listen on ::1 port " + std::to_string(settings.port);
      servers_.clear();
      return false;
    }
  }
  servers_.clear();
  *error = "cannot listen on " + settings.address +
           (settings.port != 0 ? " port " + std::to_string(settings.port) : std::string());
  return false;
}

void WebServer::Configure(httplib::Server& server, HttpSecurity& security, ApiRouter& router) {
  // httplib takes ownership of the queue it is handed by a bare pointer.
  server.new_task_queue = [] { return new httplib::ThreadPool(kThreads); };
  server.set_payload_max_length(kMaxBody);
  server.set_read_timeout(10, 0);
  server.set_write_timeout(10, 0);
  server.set_keep_alive_timeout(5);

  server.set_pre_routing_handler(
      [&security](const httplib::Request& request, httplib::Response& response) {
        const bool api = request.path.starts_with("/api/");
        HttpSecurity::AddHeaders(response, api || request.has_param("token"));
        using Handled = httplib::Server::HandlerResponse;
        if (request.get_header_value<uint64_t>("Content-Length") > kMaxBody) {
          SendError(response, {413, "too-large", "The request is larger than 64 KiB."});
          return Handled::Handled;
        }
        const bool state_changing = request.method != "GET" && request.method != "HEAD";
        const bool token_exchange = request.path == "/api/v1/session" && request.method == "POST";
        if (!api) {
          if (auto refused = security.Check(request, true, state_changing, false)) {
            SendError(response, *refused);
            return Handled::Handled;
          }
          if (state_changing) {
            SendError(response, {405, "method-not-allowed", "The page's files can only be read."});
            return Handled::Handled;
          }
          if (request.has_param("token")) {
            if (!security.IsToken(request.get_param_value("token"))) {
              SendError(response, {401, "unauthorized", "The token is not this console's."});
              return Handled::Handled;
            }
            // The token leaves the address bar; the session cookie stands for it from now on.
            response.set_header("Set-Cookie", security.SetCookieHeader(security.NewSession()));
            response.set_redirect("/", 303);
            return Handled::Handled;
          }
          const WebAsset* asset = FindWebAsset(request.path);
          if (asset == nullptr) {
            SendError(response, {404, "not-found", "There is no page " + request.path + "."});
            return Handled::Handled;
          }
          response.set_header("Cache-Control", "no-cache");
          response.set_content(std::string(asset->bytes), std::string(ContentTypeFor(asset->path)));
          return Handled::Handled;
        }
        const bool event_stream = request.path == "/api/v1/events";
        if (auto refused = security.Check(request, token_exchange, state_changing, event_stream)) {
          SendError(response, *refused);
          return Handled::Handled;
        }
        return Handled::Unhandled;
      });

  router.Register(server);

  server.set_error_handler([](const httplib::Request& request, httplib::Response& response) {
    if (!response.body.empty()) return;
    HttpSecurity::AddHeaders(response, true);
    switch (response.status) {
      case 404:
        SendError(response, {404, "not-found",
                             "There is no route " + request.method + " " + request.path + "."});
        break;
      case 413:
        SendError(response, {413, "too-large", "The request is larger than 64 KiB."});
        break;
      default:
        SendError(response, {response.status, "bad-request", "The request cannot be read."});
        break;
    }
  });
  server.set_exception_handler(
      [](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
        SendError(response, {500, "internal", "The console could not answer this request."});
      });
}

void WebServer::Start() {
  for (const auto& server : servers_) {
    threads_.emplace_back([listener = server.get()] { listener->listen_after_bind(); });
  }
}

void WebServer::Stop() {
  for (const auto& server : servers_) server->stop();
  for (std::thread& thread : threads_) thread.join();
  threads_.clear();
}

WebServer::~WebServer() { Stop(); }

}  // namespace pw::console
