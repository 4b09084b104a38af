// ApiCall.
#include "console/api_call.h"

#include <httplib.h>

#include <cstdio>

#include "console/window_json.h"
#include "mmc/host/host_strings.h"
#include "platform/com/strings.h"
#include "platform/win/thread_locale.h"

namespace pw::console {

namespace {

// The console refuses in its own language; the API's codes must not depend on it.
bool IsHostText(const std::wstring& error, pw::mmc::HostString id) {
  const LCID previous = GetThreadLocale();
  bool same = false;
  for (LCID locale : {LOCALE_ENGLISH_US, LOCALE_GERMAN}) {
    SetThreadLocale(locale);
    if (error == pw::mmc::HostText(id)) same = true;
  }
  SetThreadLocale(previous);
  return same;
}

std::string FieldMessage(const char* name, const char* what) {
  return std::string("The field \"") + name + "\" " + what + ".";
}

}  // namespace

ApiCall::ApiCall(ApiContext& context, const httplib::Request& request, httplib::Response& response)
    : context_(context), request_(request), response_(response), session_(context.console.Get()) {}

long long ApiCall::PathNumber(int index) const {
  if (index >= static_cast<int>(request_.matches.size())) return 0;
  const std::string text = request_.matches[index].str();
  if (text.empty() || text.size() > 15 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return 0;
  }
  return std::stoll(text);
}

const ApiCall::json* ApiCall::Body() {
  if (!body_) {
    json parsed =
        json::parse(request_.body.empty() ? std::string("{}") : request_.body, nullptr, false);
    if (parsed.is_discarded() || !parsed.is_object()) {
      Fail({400, "bad-json", "The request body must be a JSON object."});
      return nullptr;
    }
    body_ = std::move(parsed);
  }
  return &*body_;
}

const ApiCall::json* ApiCall::Field(const char* name, bool required,
                                    bool (json::*is_kind)() const noexcept, const char* must_be,
                                    bool* missing) {
  *missing = false;
  const json* body = Body();
  if (body == nullptr) return nullptr;
  auto found = body->find(name);
  if (found == body->end()) {
    if (required) Fail({400, "bad-request", FieldMessage(name, "is missing")});
    *missing = !required;
    return nullptr;
  }
  if (!((*found).*is_kind)()) {
    Fail({400, "bad-request", FieldMessage(name, must_be)});
    return nullptr;
  }
  return &*found;
}

bool ApiCall::Int(const char* name, long long* out, bool required) {
  bool missing = false;
  const json* field = Field(name, required, &json::is_number_integer, "must be a number", &missing);
  if (field != nullptr) *out = field->get<long long>();
  return field != nullptr || missing;
}

bool ApiCall::String(const char* name, std::string* out, bool required) {
  bool missing = false;
  const json* field = Field(name, required, &json::is_string, "must be a text", &missing);
  if (field != nullptr) *out = field->get<std::string>();
  return field != nullptr || missing;
}

bool ApiCall::Bool(const char* name, bool* out, bool required) {
  bool missing = false;
  const json* field = Field(name, required, &json::is_boolean, "must be true or false", &missing);
  if (field != nullptr) *out = field->get<bool>();
  return field != nullptr || missing;
}

void ApiCall::Fail(const ApiFailure& failure) { SendError(response_, failure); }

void ApiCall::Send(const json& body) {
  response_.set_content(body.dump(), "application/json; charset=utf-8");
}

bool ApiCall::ReadState(pw::mmc::ConsoleState* state) {
  const pw::mmc::OperationResult read = session_->ReadState(state);
  if (!read.finished) {
    Fail({503, "busy", pw::ToUtf8(read.error)});
    return false;
  }
  return true;
}

ApiCall::json ApiCall::Windows() {
  auto described = std::make_shared<json>(json::object());
  WebUiHost* host = &context_.host;
  const pw::mmc::OperationResult read = session_->Run([described, host](pw::mmc::Console&) {
    *described = DescribeWindows(*host);
    return S_OK;
  });
  if (!read.finished) return {{"revision", host->revision()}, {"windows", json::array()}};
  return *described;
}

ApiFailure ApiCall::Refusal(const pw::mmc::OperationResult& result) {
  std::string message = pw::ToUtf8(result.error);
  if (IsHostText(result.error, pw::mmc::HostString::kUnknownScopeItem)) {
    return {404, "unknown-item", message};
  }
  if (IsHostText(result.error, pw::mmc::HostString::kUnknownView)) {
    return {404, "unknown-view", message};
  }
  if (message.empty()) {
    char code[16];
    std::snprintf(code, sizeof(code), "0x%08X", static_cast<unsigned>(result.hr));
    message = std::string("The console refused the action (") + code + ").";
  }
  return {409, "refused", message};
}

void ApiCall::Answer(const pw::mmc::OperationResult& result, json extra) {
  if (!result.finished && result.hr != pw::mmc::kPendingResult) {
    Fail({503, "busy", pw::ToUtf8(result.error)});
    return;
  }
  context_.watcher.Look();
  if (result.finished && FAILED(result.hr)) {
    Fail(Refusal(result));
    return;
  }
  extra["finished"] = result.finished;
  extra["windows"] = Windows()["windows"];
  Send(extra);
}

}  // namespace pw::console
