// What the page and scripts see of the console's top-level windows, as JSON.
#pragma once

#include <nlohmann/json.hpp>

#include "console/web_ui_host.h"

class CWnd;

namespace pw::console {

// Call on the console thread. The open windows, topmost last (a waiting popup menu last of
// all), as GET /api/v1/windows answers them.
nlohmann::json DescribeWindows(WebUiHost& host);
// One top-level window with its controls.
nlohmann::json DescribeWindow(CWnd& window);
// One control of a dialog or page.
nlohmann::json DescribeControl(CWnd& control);
// The API's name of a control's kind ("edit", "checkbox"…).
const char* ControlKind(CWnd& control);
// The API's name of a dialog button ("ok", "apply"…); empty for other ids.
std::string ButtonName(int id);
int ButtonId(const std::string& name);

}  // namespace pw::console
