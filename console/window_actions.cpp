// Acting in the console's windows through the window model's input operations.
#include "console/window_actions.h"

#include <vector>

#include "console/window_json.h"
#include "platform/com/strings.h"
#include "platform/ui/button.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/message_box.h"
#include "platform/ui/property_page.h"
#include "platform/ui/property_sheet.h"
#include "platform/ui/sheet_input.h"
#include "platform/ui/ui_input.h"
#include "platform/ui/wnd.h"

namespace pw::console {

namespace {

using nlohmann::json;

ActionOutcome Fail(int status, std::string code, std::string message) {
  return ActionOutcome{ApiFailure{status, std::move(code), std::move(message)}, nullptr};
}

ActionOutcome Refused() {
  const std::string& why = pw::ui::LastRefusal();
  return Fail(409, "refused", why.empty() ? "The window refused the action." : why);
}

ActionOutcome Done(bool done) { return done ? ActionOutcome{} : Refused(); }

ActionOutcome BadValue(const std::string& action, const char* wanted) {
  return Fail(400, "bad-request", "The action " + action + " needs a value: " + wanted + ".");
}

CWnd* FindWindow(WebUiHost& host, std::uint64_t number) {
  const HWND handle = WindowFromNumber(number);
  if (!host.IsOpen(handle)) return nullptr;
  return CWnd::FromHandle(handle);
}

// A control of the window, or for a sheet of its active page first and then of its frame.
CWnd* FindControl(CWnd& window, int id) {
  if (auto* sheet = dynamic_cast<CPropertySheet*>(&window)) {
    if (CPropertyPage* page = sheet->GetActivePage()) {
      if (page->GetSafeHwnd() != nullptr) {
        if (CWnd* control = page->GetDlgItem(id)) return control;
      }
    }
  }
  return window.GetDlgItem(id);
}

bool ValueIsRow(const json& value) { return value.is_number_integer(); }

ActionOutcome ReadRows(CWnd& control, const json& value) {
  if (!value.is_array() || value.size() != 2 || !value[0].is_number_integer() ||
      !value[1].is_number_integer()) {
    return BadValue("rows", "[first, last]");
  }
  const int first = value[0].get<int>();
  const int last = value[1].get<int>();
  if (first < 0 || last < first || last - first > 1000) {
    return Fail(400, "bad-request", "Rows are read 1 to 1001 at a time, from row 0 on.");
  }
  const auto rows = pw::ui::ShowListRows(control.GetSafeHwnd(), first, last);
  if (!rows) return Fail(409, "refused", "The control is no list.");
  json out = json::array();
  int index = first;
  for (const pw::ui::ListRow& row : *rows) {
    json texts = json::array();
    for (const std::wstring& text : row.texts) texts.push_back(pw::ToUtf8(text));
    out.push_back({{"index", index++},
                   {"texts", std::move(texts)},
                   {"image", row.image},
                   {"selected", (row.state & LVIS_SELECTED) != 0},
                   {"focused", (row.state & LVIS_FOCUSED) != 0}});
  }
  return ActionOutcome{std::nullopt, {{"rows", std::move(out)}}};
}

}  // namespace

ActionOutcome ActOnControl(WebUiHost& host, std::uint64_t window_number, int id,
                           const std::string& action, const json& value) {
  CWnd* window = FindWindow(host, window_number);
  if (window == nullptr) {
    return Fail(404, "unknown-window", "There is no window " + std::to_string(window_number) + ".");
  }
  CWnd* control = FindControl(*window, id);
  if (control == nullptr) {
    return Fail(404, "unknown-control", "The window has no control " + std::to_string(id) + ".");
  }
  const HWND handle = control->GetSafeHwnd();
  if (action == "type" || action == "setText") {
    if (!value.is_string()) return BadValue(action, "a text");
    const std::wstring text = pw::FromUtf8(value.get<std::string>());
    return Done(action == "type" ? pw::ui::TypeKeys(handle, text) : pw::ui::TypeText(handle, text));
  }
  if (action == "click") {
    if (dynamic_cast<CListCtrl*>(control) != nullptr) {
      if (!ValueIsRow(value)) return BadValue(action, "a row");
      return Done(pw::ui::ClickListRow(handle, value.get<int>()));
    }
    return Done(pw::ui::ClickButton(handle));
  }
  if (action == "check" || action == "uncheck") {
    auto* button = dynamic_cast<CButton*>(control);
    if (button == nullptr || !(button->IsCheckBox() || button->IsRadioButton())) {
      return Fail(409, "refused", "The control is no check box or radio button.");
    }
    const bool want = action == "check";
    if ((button->GetCheck() == BST_CHECKED) == want) return ActionOutcome{};
    if (!want && button->IsRadioButton()) {
      return Fail(409, "refused", "A radio button is unchecked by checking another one.");
    }
    return Done(pw::ui::ClickButton(handle));
  }
  if (action == "select") {
    if (dynamic_cast<CListCtrl*>(control) != nullptr) {
      if (!ValueIsRow(value)) return BadValue(action, "a row");
      return Done(pw::ui::ClickListRow(handle, value.get<int>()));
    }
    if (value.is_number_integer()) return Done(pw::ui::SelectComboItem(handle, value.get<int>()));
    if (value.is_string()) {
      return Done(pw::ui::SelectComboString(handle, pw::FromUtf8(value.get<std::string>())));
    }
    return BadValue(action, "an index or an item's text");
  }
  if (action == "selectRows") {
    if (!value.is_array()) return BadValue(action, "[rows]");
    std::vector<int> rows;
    for (const json& row : value) {
      if (!row.is_number_integer()) return BadValue(action, "[rows]");
      rows.push_back(row.get<int>());
    }
    return Done(pw::ui::SelectListRows(handle, rows));
  }
  if (action == "doubleClick") {
    if (!ValueIsRow(value)) return BadValue(action, "a row");
    return Done(pw::ui::DoubleClickListRow(handle, value.get<int>()));
  }
  if (action == "context") {
    if (!ValueIsRow(value)) return BadValue(action, "a row");
    return Done(pw::ui::RightClickListRow(handle, value.get<int>()));
  }
  if (action == "column") {
    if (!value.is_number_integer()) return BadValue(action, "a column");
    return Done(pw::ui::ClickListColumn(handle, value.get<int>()));
  }
  if (action == "spin") {
    bool up = true;
    if (value == "up" || value == 1) {
      up = true;
    } else if (value == "down" || value == -1) {
      up = false;
    } else {
      return BadValue(action, "\"up\" or \"down\"");
    }
    return Done(pw::ui::ClickSpin(handle, up));
  }
  if (action == "focus") return Done(pw::ui::ClickToFocus(handle));
  if (action == "selectText") {
    if (!value.is_array() || value.size() != 2 || !value[0].is_number_integer() ||
        !value[1].is_number_integer()) {
      return BadValue(action, "[start, end]");
    }
    return Done(pw::ui::SelectEditText(handle, value[0].get<int>(), value[1].get<int>()));
  }
  if (action == "rows") return ReadRows(*control, value);
  return Fail(400, "bad-request", "Unknown action " + action + ".");
}

ActionOutcome PressButton(WebUiHost& host, std::uint64_t window_number, const json& button) {
  if (WebUiHost::PopupMenu* popup = host.popup(); popup != nullptr && popup->id == window_number) {
    UINT command = 0;
    if (button.is_number_unsigned() || button.is_number_integer()) {
      command = button.get<UINT>();
    } else if (button != "cancel") {
      return Fail(400, "bad-request", "A menu takes a command number or \"cancel\".");
    }
    if (!host.AnswerPopup(popup->id, command)) {
      return Fail(409, "refused", "The menu has no such command, or it is disabled.");
    }
    return ActionOutcome{};
  }
  CWnd* window = FindWindow(host, window_number);
  if (window == nullptr) {
    return Fail(404, "unknown-window", "There is no window " + std::to_string(window_number) + ".");
  }
  int id = 0;
  if (button.is_number_integer()) {
    id = button.get<int>();
  } else if (button.is_string()) {
    if (button == "close") return Done(pw::ui::CloseWindow(window->GetSafeHwnd()));
    id = ButtonId(button.get<std::string>());
  }
  if (id == 0) return Fail(400, "bad-request", "Unknown button.");
  if (dynamic_cast<CPropertySheet*>(window) != nullptr) {
    if (window->GetDlgItem(id) == nullptr) {
      return Fail(404, "unknown-control", "The sheet has no such button.");
    }
    return Done(pw::ui::PressSheetButton(window->GetSafeHwnd(), id));
  }
  CWnd* control = window->GetDlgItem(id);
  if (control == nullptr) return Fail(404, "unknown-control", "The window has no such button.");
  return Done(pw::ui::ClickButton(control->GetSafeHwnd()));
}

ActionOutcome ChoosePage(WebUiHost& host, std::uint64_t window_number, int index) {
  CWnd* window = FindWindow(host, window_number);
  auto* sheet = dynamic_cast<CPropertySheet*>(window);
  if (sheet == nullptr) {
    return Fail(404, "unknown-window", "There is no sheet " + std::to_string(window_number) + ".");
  }
  if (index < 0 || index >= sheet->GetPageCount()) {
    return Fail(400, "bad-request", "The sheet has no page " + std::to_string(index) + ".");
  }
  return Done(pw::ui::SelectSheetTab(sheet->GetSafeHwnd(), index));
}

ActionOutcome PressKey(WebUiHost& host, std::uint64_t window_number, const std::string& key) {
  CWnd* window = FindWindow(host, window_number);
  if (window == nullptr) {
    return Fail(404, "unknown-window", "There is no window " + std::to_string(window_number) + ".");
  }
  const HWND handle = window->GetSafeHwnd();
  if (key == "enter") return Done(pw::ui::PressEnter(handle));
  if (key == "escape") return Done(pw::ui::PressEscape(handle));
  if (key == "tab") return Done(pw::ui::PressTab(handle));
  if (key == "shift-tab") return Done(pw::ui::PressTab(handle, true));
  return Fail(400, "bad-request", "Unknown key " + key + ".");
}

}  // namespace pw::console
