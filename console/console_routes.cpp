// The console as a whole: the session exchange, the console's summary, the frame's strings and
// the event stream.
#include <httplib.h>

#include <chrono>

#include "console/api_router.h"
#include "console/web_assets.h"
#include "mmc/host/host_strings.h"
#include "platform/com/strings.h"

namespace pw::console {

namespace {

using nlohmann::json;
using pw::mmc::ConsoleState;

constexpr auto kKeepAlive = std::chrono::seconds(15);

void ExchangeToken(ApiCall& call) {
  std::string token;
  if (!call.String("token", &token, true)) return;
  HttpSecurity& security = call.context().security;
  if (!security.IsToken(token)) {
    call.Fail({401, "unauthorized", "The token is not this console's."});
    return;
  }
  const std::string session = security.NewSession();
  call.response().set_header("Set-Cookie", security.SetCookieHeader(session));
  call.Send({{"csrf", *security.CsrfOf(session)}});
}

void GetSession(ApiCall& call) {
  HttpSecurity& security = call.context().security;
  std::string session;
  std::string csrf;
  if (security.Authenticate(call.request(), &session) == HttpSecurity::Auth::kCookie) {
    csrf = security.CsrfOf(session).value_or("");
  }
  call.Send({{"csrf", csrf}, {"language", call.context().language}});
}

void GetConsole(ApiCall& call) {
  ConsoleState state;
  if (!call.ReadState(&state)) return;
  HSCOPEITEM root = 0;
  std::wstring title =
      state.document_path.empty()
          ? pw::mmc::HostText(pw::mmc::HostString::kUntitledDocument)
          : pw::FromUtf8(state.document_path.substr(state.document_path.find_last_of('/') + 1));
  for (const auto& item : state.tree) {
    if (item.parent != 0) continue;
    root = item.id;
    title += L" - [" + item.name + L"]";
    break;
  }
  json views = json::array();
  for (const auto& view : state.views) {
    views.push_back({{"id", view.id}, {"item", view.selected_scope_item}});
  }
  call.Send({{"title", pw::ToUtf8(title)},
             {"snapin", pw::ToUtf8(state.snapin_name)},
             {"document", state.document_path.empty() ? json(nullptr) : json(state.document_path)},
             {"language", call.context().language},
             {"busy", call.context().host.busy()},
             {"views", std::move(views)},
             {"activeView", state.active_view},
             {"root", root},
             {"revision", call.context().watcher.revision()}});
}

void GetStrings(ApiCall& call) {
  const httplib::Request& request = call.request();
  const std::string language =
      request.has_param("lang") ? request.get_param_value("lang") : call.context().language;
  if (language != "en" && language != "de") {
    call.Fail({400, "bad-request", "lang must be en or de."});
    return;
  }
  const WebAsset* strings = FindWebAsset("/strings." + language + ".json");
  if (strings == nullptr) {
    call.Fail({404, "not-found", "The page's strings are not built in."});
    return;
  }
  call.response().set_content(std::string(strings->bytes), "application/json; charset=utf-8");
}

void StreamEvents(ApiCall& call) {
  EventHub* events = &call.context().events;
  auto cursor = std::make_shared<std::uint64_t>(events->latest());
  auto greeted = std::make_shared<bool>(false);
  httplib::Response& response = call.response();
  response.set_header("Cache-Control", "no-store");
  response.set_header("X-Accel-Buffering", "no");
  response.set_chunked_content_provider(
      "text/event-stream", [events, cursor, greeted](std::size_t, httplib::DataSink& sink) {
        if (!*greeted) {
          *greeted = true;
          const std::string hello = FormatServerEvent(
              {*cursor, "hello", "{\"revision\":" + std::to_string(*cursor) + "}"});
          return sink.write(hello.data(), hello.size());
        }
        if (events->closed() || !sink.is_writable()) {
          sink.done();
          return false;
        }
        const std::vector<ServerEvent> found = events->WaitAfter(cursor.get(), kKeepAlive);
        if (events->closed()) {
          sink.done();
          return false;
        }
        std::string bytes;
        for (const ServerEvent& event : found) bytes += FormatServerEvent(event);
        if (bytes.empty()) bytes = ": keep-alive\n\n";
        return sink.write(bytes.data(), bytes.size());
      });
}

}  // namespace

void AddConsoleRoutes(ApiRoutes& routes) {
  routes.push_back({"POST", "/api/v1/session", &ExchangeToken});
  routes.push_back({"GET", "/api/v1/session", &GetSession});
  routes.push_back({"GET", "/api/v1/console", &GetConsole});
  routes.push_back({"GET", "/api/v1/strings", &GetStrings});
  routes.push_back({"GET", "/api/v1/events", &StreamEvents});
}

}  // namespace pw::console
