// What the page and scripts do in the console's windows: act on a control, press a button,
// choose a sheet's page, press a key, choose from a popup menu.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "console/api_error.h"
#include "console/web_ui_host.h"

namespace pw::console {

// The outcome of one action: a failure (nothing happened), or success with an optional value
// (the rows an action "rows" read).
struct ActionOutcome {
  std::optional<ApiFailure> failure;
  nlohmann::json value;
};

// Each runs on the console thread. `window` is the API's window number.
ActionOutcome ActOnControl(WebUiHost& host, std::uint64_t window, int control,
                           const std::string& action, const nlohmann::json& value);
// `button`: a name ("ok", "apply"…) or a number (a control id; for a popup menu the command).
ActionOutcome PressButton(WebUiHost& host, std::uint64_t window, const nlohmann::json& button);
ActionOutcome ChoosePage(WebUiHost& host, std::uint64_t window, int index);
ActionOutcome PressKey(WebUiHost& host, std::uint64_t window, const std::string& key);

}  // namespace pw::console
