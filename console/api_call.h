// ApiCall: one request of the automation API on its way through a route — the request's
// fields read and checked, the console reached, and the answer written.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "console/api_error.h"
#include "console/console_slot.h"
#include "console/console_watcher.h"
#include "console/event_hub.h"
#include "console/http_security.h"
#include "console/web_ui_host.h"
#include "mmc/host/console_session.h"

namespace httplib {
struct Request;
struct Response;
}  // namespace httplib

namespace pw::console {

// What every route may reach; borrowed, and outlives the server's threads.
struct ApiContext {
  ConsoleSlot& console;
  WebUiHost& host;
  EventHub& events;
  HttpSecurity& security;
  ConsoleWatcher& watcher;
  std::string language;  // "en" or "de"
  // Options of the console session that a document is opened in.
  pw::mmc::ConsoleSession::Options session_options;
};

// Made for one request on an HTTP thread. The reading helpers answer the error themselves and
// return false (or nullopt/nullptr), so that a route only has to return.
class ApiCall {
 public:
  using json = nlohmann::json;

  ApiCall(ApiContext& context, const httplib::Request& request, httplib::Response& response);

  ApiContext& context() { return context_; }
  const httplib::Request& request() const { return request_; }
  httplib::Response& response() { return response_; }
  // The session serving this request, the same for the whole request.
  pw::mmc::ConsoleSession& session() { return *session_; }
  // Serves the rest of the request from `session` (one that has just replaced the console).
  void UseSession(std::shared_ptr<pw::mmc::ConsoleSession> session) {
    session_ = std::move(session);
  }

  // The path's n-th number (the routes admit digits only); 0 when it does not fit.
  long long PathNumber(int index) const;
  // The body as a JSON object (an empty body is {}); nullptr after answering bad-json.
  const json* Body();
  bool Int(const char* name, long long* out, bool required);
  bool String(const char* name, std::string* out, bool required);
  bool Bool(const char* name, bool* out, bool required);

  void Fail(const ApiFailure& failure);
  void Send(const json& body);
  // Reads the console's state; false after answering 503 when the console does not answer.
  bool ReadState(pw::mmc::ConsoleState* state);
  // The open windows as GET /api/v1/windows answers them.
  json Windows();
  // Answers a POST: a refusal as its error, else `extra` with "finished" and the windows.
  void Answer(const pw::mmc::OperationResult& result, json extra = json::object());
  // The API's error for an operation the console refused.
  static ApiFailure Refusal(const pw::mmc::OperationResult& result);

 private:
  // The body's field `name` when it is there and `is_kind` accepts it; null otherwise, after
  // refusing the request unless an optional field is simply missing (`*missing` then).
  const json* Field(const char* name, bool required, bool (json::*is_kind)() const noexcept,
                    const char* must_be, bool* missing);

  ApiContext& context_;
  const httplib::Request& request_;
  httplib::Response& response_;
  std::shared_ptr<pw::mmc::ConsoleSession> session_;
  std::optional<json> body_;
};

}  // namespace pw::console
