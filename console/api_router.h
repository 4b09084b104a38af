// ApiRouter: the automation API under /api/v1 — each route turns a request into host
// operations of the console session and answers JSON.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "console/api_error.h"
#include "console/console_watcher.h"
#include "console/event_hub.h"
#include "console/http_security.h"
#include "console/web_ui_host.h"
#include "mmc/host/console_session.h"

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

namespace pw::console {

// Borrows everything it is given, which must outlive the server's threads. Handlers run on
// the HTTP threads and reach the console only through the session.
class ApiRouter {
 public:
  struct Context {
    pw::mmc::ConsoleSession& session;
    WebUiHost& host;
    EventHub& events;
    HttpSecurity& security;
    ConsoleWatcher& watcher;
    std::string language;  // "en" or "de"
  };

  explicit ApiRouter(Context context);
  void Register(httplib::Server& server);

 private:
  using json = nlohmann::json;

  // Answers a POST: the console's result, then the open windows (and `extra` beside them).
  void AnswerAction(const pw::mmc::OperationResult& result, httplib::Response& response,
                    json extra = json::object());
  json Windows();
  bool ReadState(pw::mmc::ConsoleState* state, httplib::Response& response);
  void Fail(httplib::Response& response, const ApiFailure& failure);

  void GetConsole(const httplib::Request& request, httplib::Response& response);
  void GetScopeItem(const httplib::Request& request, httplib::Response& response);
  void LookupScope(const httplib::Request& request, httplib::Response& response);
  void GetImage(const httplib::Request& request, httplib::Response& response);
  void NewView(const httplib::Request& request, httplib::Response& response);
  void CloseView(const httplib::Request& request, httplib::Response& response);
  void GetView(const httplib::Request& request, httplib::Response& response);
  void GetRows(const httplib::Request& request, httplib::Response& response);
  void ViewAction(const std::string& action, const httplib::Request& request,
                  httplib::Response& response);
  void GetMenu(const httplib::Request& request, httplib::Response& response);
  void WindowAction(const std::string& action, const httplib::Request& request,
                    httplib::Response& response);
  void SaveDocument(const httplib::Request& request, httplib::Response& response);
  void OpenDocument(const httplib::Request& request, httplib::Response& response);
  void Events(const httplib::Request& request, httplib::Response& response);

  Context context_;
};

}  // namespace pw::console
