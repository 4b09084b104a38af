// WebServer.
#include "console/web_server.h"

#include <httplib.h>

#include "console/web_assets.h"

namespace pw::console {

namespace {

// Enough threads for several pages, each holding one for its event stream.
constexpr std::size_t kThreads = 24;

}  // namespace

std::unique_ptr<WebServer> WebServer::Create(const Settings& settings, HttpSecurity& security,
                                             ApiRouter& router, std::string* error) {
  std::unique_ptr<WebServer> server(new WebServer());
  if (!settings.tls_cert.empty()) {
    auto tls =
        std::make_unique<httplib::SSLServer>(settings.tls_cert.c_str(), settings.tls_key.c_str());
    if (!tls->is_valid()) {
      *error = "the certificate or key cannot be used";
      return nullptr;
    }
    server->server_ = std::move(tls);
  } else {
    server->server_ = std::make_unique<httplib::Server>();
  }
  server->Configure(security, router);
  const int port =
      settings.port == 0
          ? server->server_->bind_to_any_port(settings.address)
          : (server->server_->bind_to_port(settings.address, settings.port) ? settings.port : -1);
  if (port <= 0) {
    *error = "cannot listen on " + settings.address +
             (settings.port != 0 ? " port " + std::to_string(settings.port) : std::string());
    return nullptr;
  }
  server->port_ = port;
  security.set_port(port);
  return server;
}

void WebServer::Configure(HttpSecurity& security, ApiRouter& router) {
  httplib::Server& server = *server_;
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
  thread_ = std::thread([this] { server_->listen_after_bind(); });
}

void WebServer::Stop() {
  if (server_) server_->stop();
  if (thread_.joinable()) thread_.join();
}

WebServer::~WebServer() { Stop(); }

}  // namespace pw::console
