// Windows: the open dialogs, sheets, wizards, message boxes and popup menus, and acting in
// them (controls, buttons, pages, keys).
#include <httplib.h>

#include <functional>
#include <memory>

#include "console/api_router.h"
#include "console/window_actions.h"

namespace pw::console {

namespace {

using nlohmann::json;

// Runs `act` on the console thread against the window named in the path and answers its
// failure, or the action's answer with the windows.
void ActInWindow(ApiCall& call,
                 std::function<ActionOutcome(WebUiHost& host, std::uint64_t window)> act) {
  auto outcome = std::make_shared<ActionOutcome>();
  WebUiHost* host = &call.context().host;
  const auto window = static_cast<std::uint64_t>(call.PathNumber(1));
  const pw::mmc::OperationResult result =
      call.session().Run([outcome, host, window, act = std::move(act)](pw::mmc::Console&) {
        *outcome = act(*host, window);
        return S_OK;
      });
  if (result.finished && outcome->failure) {
    call.Fail(*outcome->failure);
    return;
  }
  call.Answer(result, outcome->value.is_object() ? outcome->value : json::object());
}

void GetWindows(ApiCall& call) { call.Send(call.Windows()); }

void ActOnControl(ApiCall& call) {
  std::string action;
  if (!call.String("action", &action, true)) return;
  const json* body = call.Body();
  const json value = body->contains("value") ? body->at("value") : json(nullptr);
  const int control = static_cast<int>(call.PathNumber(2));
  ActInWindow(call, [control, action, value](WebUiHost& host, std::uint64_t window) {
    return pw::console::ActOnControl(host, window, control, action, value);
  });
}

void PressButton(ApiCall& call) {
  const json* body = call.Body();
  if (body == nullptr) return;
  auto button = body->find("button");
  if (button == body->end() || !(button->is_string() || button->is_number_integer())) {
    call.Fail({400, "bad-request", "The field \"button\" must be a name or a number."});
    return;
  }
  ActInWindow(call, [pressed = *button](WebUiHost& host, std::uint64_t window) {
    return pw::console::PressButton(host, window, pressed);
  });
}

void ChoosePage(ApiCall& call) {
  long long index = 0;
  if (!call.Int("index", &index, true)) return;
  if (index < 0 || index > INT32_MAX) {
    call.Fail({400, "bad-request", "index must be a page of the sheet."});
    return;
  }
  ActInWindow(call, [index](WebUiHost& host, std::uint64_t window) {
    return pw::console::ChoosePage(host, window, static_cast<int>(index));
  });
}

void PressKey(ApiCall& call) {
  std::string key;
  if (!call.String("key", &key, true)) return;
  ActInWindow(call, [key](WebUiHost& host, std::uint64_t window) {
    return pw::console::PressKey(host, window, key);
  });
}

}  // namespace

void AddWindowRoutes(ApiRoutes& routes) {
  const std::string window = R"(/api/v1/windows/(\d+))";
  routes.push_back({"GET", "/api/v1/windows", &GetWindows});
  routes.push_back({"POST", window + R"(/controls/(\d+))", &ActOnControl});
  routes.push_back({"POST", window + "/button", &PressButton});
  routes.push_back({"POST", window + "/page", &ChoosePage});
  routes.push_back({"POST", window + "/key", &PressKey});
}

}  // namespace pw::console
