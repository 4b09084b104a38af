// Describing windows of the window model for the web console.
#include "console/window_json.h"

#include <array>
#include <utility>

#include "platform/com/strings.h"
#include "platform/ui/animate_ctrl.h"
#include "platform/ui/button.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/combo_box_ex.h"
#include "platform/ui/dialog.h"
#include "platform/ui/edit.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/message_box.h"
#include "platform/ui/property_page.h"
#include "platform/ui/property_sheet.h"
#include "platform/ui/scroll_bar.h"
#include "platform/ui/spin_button_ctrl.h"
#include "platform/ui/static_ctrl.h"
#include "platform/ui/tab_ctrl.h"
#include "platform/ui/wait_box.h"
#include "platform/ui/wnd.h"

namespace pw::console {

namespace {

using nlohmann::json;

// Rows of a regular list view sent with the window; longer lists are read with "rows".
constexpr int kListRowsSent = 200;

constexpr std::array<std::pair<int, const char*>, 16> kButtonNames = {{
    {IDOK, "ok"},
    {IDCANCEL, "cancel"},
    {IDABORT, "abort"},
    {IDRETRY, "retry"},
    {IDIGNORE, "ignore"},
    {IDYES, "yes"},
    {IDNO, "no"},
    {IDCLOSE, "close"},
    {IDHELP, "help"},
    {IDTRYAGAIN, "tryagain"},
    {IDCONTINUE, "continue"},
    {ID_APPLY_NOW, "apply"},
    {ID_WIZBACK, "back"},
    {ID_WIZNEXT, "next"},
    {ID_WIZFINISH, "finish"},
    {0, ""},
}};

std::string Utf8(const std::wstring& text) { return pw::ToUtf8(text); }

json Rect(CWnd& window) {
  RECT rect;
  window.GetWindowRect(&rect);
  return {{"x", rect.left},
          {"y", rect.top},
          {"width", rect.right - rect.left},
          {"height", rect.bottom - rect.top}};
}

std::string IconName(UINT icon_id) {
  switch (icon_id) {
    case IDI_ERROR:
      return "error";
    case IDI_QUESTION:
      return "question";
    case IDI_WARNING:
      return "warning";
    case IDI_INFORMATION:
      return "information";
    default:
      return std::to_string(icon_id);
  }
}

std::string MessageBoxIcon(UINT kind) {
  switch (kind) {
    case MB_ICONERROR:
      return "error";
    case MB_ICONQUESTION:
      return "question";
    case MB_ICONWARNING:
      return "warning";
    case MB_ICONINFORMATION:
      return "information";
    default:
      return "none";
  }
}

// The controls of `parent` in their tab order (the order of the template).
json Controls(CWnd& parent) {
  json controls = json::array();
  for (CWnd* child : parent.GetChildren()) {
    // A sheet's pages are child dialogs; they are described as the sheet's page instead.
    if (dynamic_cast<CDialog*>(child) != nullptr) continue;
    controls.push_back(DescribeControl(*child));
  }
  return controls;
}

void DescribeFont(CWnd& window, json* out) {
  if (auto* dialog = dynamic_cast<CDialog*>(&window)) {
    (*out)["font"] = {{"name", Utf8(dialog->GetFontName())}, {"size", dialog->GetFontSize()}};
    (*out)["defaultButton"] = LOWORD(dialog->GetDefID());
  }
}

json SheetButtons(const CPropertySheet& sheet) {
  json buttons = json::array();
  for (const CPropertySheet::ButtonState& button : sheet.GetButtonStates()) {
    buttons.push_back({{"id", button.id},
                       {"name", ButtonName(button.id)},
                       {"text", Utf8(button.text)},
                       {"enabled", button.enabled},
                       {"visible", button.visible},
                       {"default", button.is_default}});
  }
  return buttons;
}

}  // namespace

std::string ButtonName(int id) {
  for (const auto& [known, name] : kButtonNames) {
    if (known == id && known != 0) return name;
  }
  return {};
}

int ButtonId(const std::string& name) {
  for (const auto& [id, known] : kButtonNames) {
    if (id != 0 && name == known) return id;
  }
  return 0;
}

const char* ControlKind(CWnd& control) {
  if (auto* button = dynamic_cast<CButton*>(&control)) {
    if (button->IsGroupBox()) return "groupbox";
    if (button->IsCheckBox()) return "checkbox";
    if (button->IsRadioButton()) return "radio";
    if (button->IsDefault()) return "defbutton";
    return "button";
  }
  if (auto* text = dynamic_cast<CStatic*>(&control)) {
    if (text->IsIcon()) return "icon";
    if (text->IsSeparator()) return "separator";
    if ((text->GetStyle() & SS_TYPEMASK) == SS_BITMAP) return "bitmap";
    return "static";
  }
  if (dynamic_cast<CEdit*>(&control) != nullptr) return "edit";
  if (dynamic_cast<CComboBoxEx*>(&control) != nullptr) return "comboex";
  if (dynamic_cast<CComboBox*>(&control) != nullptr) return "combo";
  if (dynamic_cast<CListCtrl*>(&control) != nullptr) return "listview";
  if (dynamic_cast<CSpinButtonCtrl*>(&control) != nullptr) return "updown";
  if (dynamic_cast<CAnimateCtrl*>(&control) != nullptr) return "animation";
  if (dynamic_cast<CTabCtrl*>(&control) != nullptr) return "tab";
  if (auto* bar = dynamic_cast<CScrollBar*>(&control)) {
    return bar->IsSizeGrip() ? "sizegrip" : "scrollbar";
  }
  return "other";
}

json DescribeControl(CWnd& control) {
  const CWnd* focus = CWnd::GetFocus();
  json out = {{"id", control.GetDlgCtrlID()},
              {"kind", ControlKind(control)},
              {"class", Utf8(control.GetClassName())},
              {"text", Utf8(control.GetWindowText())},
              {"rect", Rect(control)},
              {"style", control.GetStyle()},
              {"exStyle", control.GetExStyle()},
              {"enabled", control.IsWindowEnabled() != FALSE},
              {"visible", (control.GetStyle() & WS_VISIBLE) != 0},
              {"focused", focus == &control}};
  if (auto* button = dynamic_cast<CButton*>(&control)) {
    if (button->IsCheckBox() || button->IsRadioButton()) out["checked"] = button->GetCheck();
  } else if (auto* edit = dynamic_cast<CEdit*>(&control)) {
    int start = 0;
    int end = 0;
    edit->GetSel(start, end);
    out["readonly"] = edit->IsReadOnly();
    out["multiline"] = edit->IsMultiLine();
    out["selection"] = {{"start", start}, {"end", end}};
  } else if (auto* combo = dynamic_cast<CComboBox*>(&control)) {
    json items = json::array();
    for (int i = 0; i < combo->GetCount(); ++i) items.push_back(Utf8(combo->GetLBText(i)));
    out["items"] = std::move(items);
    out["selected"] = combo->GetCurSel();
    out["dropDownList"] = combo->IsDropDownList();
    if (auto* extended = dynamic_cast<CComboBoxEx*>(&control)) {
      json images = json::array();
      for (int i = 0; i < combo->GetCount(); ++i) images.push_back(extended->GetItemImage(i));
      out["images"] = std::move(images);
    }
  } else if (auto* list = dynamic_cast<CListCtrl*>(&control)) {
    json columns = json::array();
    for (int c = 0; c < list->GetColumnCount(); ++c) {
      columns.push_back({{"title", Utf8(list->GetColumnText(c))},
                         {"width", list->GetColumnWidth(c)},
                         {"sort", list->GetColumnSortArrow(c)}});
    }
    out["columns"] = std::move(columns);
    out["count"] = list->GetItemCount();
    out["ownerData"] = list->IsOwnerData();
    json selected = json::array();
    for (int row = list->GetNextItem(-1, LVNI_SELECTED); row >= 0;
         row = list->GetNextItem(row, LVNI_SELECTED)) {
      selected.push_back(row);
    }
    out["selectedRows"] = std::move(selected);
    if (!list->IsOwnerData()) {
      json rows = json::array();
      const int count = std::min(list->GetItemCount(), kListRowsSent);
      for (int row = 0; row < count; ++row) {
        json texts = json::array();
        for (int c = 0; c < std::max(1, list->GetColumnCount()); ++c) {
          texts.push_back(Utf8(list->GetItemText(row, c)));
        }
        LVITEM item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        list->GetItem(&item);
        rows.push_back(
            {{"texts", std::move(texts)},
             {"image", item.iImage},
             {"selected", (list->GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0}});
      }
      out["rows"] = std::move(rows);
    }
  } else if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(&control)) {
    int lower = 0;
    int upper = 0;
    spin->GetRange32(lower, upper);
    out["range"] = {{"min", lower}, {"max", upper}};
    out["position"] = spin->GetPos32(nullptr);
    CWnd* buddy = spin->GetBuddy();
    out["buddy"] = buddy != nullptr ? buddy->GetDlgCtrlID() : 0;
  } else if (auto* tabs = dynamic_cast<CTabCtrl*>(&control)) {
    json titles = json::array();
    for (int i = 0; i < tabs->GetItemCount(); ++i) titles.push_back(Utf8(tabs->GetItemText(i)));
    out["tabs"] = std::move(titles);
    out["selected"] = tabs->GetCurSel();
  } else if (auto* text = dynamic_cast<CStatic*>(&control)) {
    if (text->IsIcon()) out["image"] = IconName(text->GetIconId());
  }
  return out;
}

json DescribeWindow(CWnd& window) {
  RECT rect;
  window.GetWindowRect(&rect);
  CWnd* owner = window.GetOwner();
  json out = {{"id", WindowNumber(window.GetSafeHwnd())},
              {"title", Utf8(window.GetWindowText())},
              {"modal", window.IsInModalLoop()},
              {"enabled", window.IsWindowEnabled() != FALSE},
              {"owner", owner != nullptr ? WindowNumber(owner->GetSafeHwnd()) : 0},
              {"size", {{"width", rect.right - rect.left}, {"height", rect.bottom - rect.top}}}};
  DescribeFont(window, &out);
  if (auto* box = dynamic_cast<CMessageBoxWnd*>(&window)) {
    out["kind"] = "messagebox";
    out["text"] = Utf8(box->text());
    out["icon"] = MessageBoxIcon(box->icon_kind());
    out["defaultButton"] = box->default_answer();
    json buttons = json::array();
    for (int answer : box->answers()) {
      buttons.push_back({{"id", answer},
                         {"name", ButtonName(answer)},
                         {"text", Utf8(CMessageBoxWnd::ButtonText(answer))},
                         {"enabled", true},
                         {"visible", true},
                         {"default", answer == box->default_answer()}});
    }
    out["buttons"] = std::move(buttons);
    out["controls"] = Controls(window);
  } else if (auto* sheet = dynamic_cast<CPropertySheet*>(&window)) {
    out["kind"] = sheet->IsWizardMode() ? "wizard" : "sheet";
    json pages = json::array();
    for (int i = 0; i < sheet->GetPageCount(); ++i) {
      pages.push_back({{"title", Utf8(sheet->GetPageTitle(i))},
                       {"active", i == sheet->GetActiveIndex()},
                       {"modified", sheet->IsPageModified(i)}});
    }
    out["pages"] = std::move(pages);
    out["buttons"] = SheetButtons(*sheet);
    CPropertyPage* page = sheet->GetActivePage();
    if (page != nullptr && page->GetSafeHwnd() != nullptr) {
      out["page"] = {{"rect", Rect(*page)}, {"title", Utf8(page->GetWindowText())}};
      out["controls"] = Controls(*page);
    } else {
      out["controls"] = json::array();
    }
    out["frameControls"] = Controls(window);
  } else if (auto* wait = dynamic_cast<CWaitBox*>(&window)) {
    out["kind"] = "wait";
    out["text"] = Utf8(wait->GetText());
    out["controls"] = Controls(window);
  } else {
    out["kind"] = "dialog";
    out["controls"] = Controls(window);
  }
  return out;
}

nlohmann::json DescribeWindows(WebUiHost& host) {
  json windows = json::array();
  for (HWND handle : host.windows()) {
    CWnd* window = CWnd::FromHandle(handle);
    if (window != nullptr && window->GetSafeHwnd() != nullptr) {
      windows.push_back(DescribeWindow(*window));
    }
  }
  if (WebUiHost::PopupMenu* popup = host.popup()) {
    json items = json::array();
    for (const CMenu::Item& item : popup->items) {
      json flags = json::array();
      if (item.separator()) flags.push_back("separator");
      if (!item.enabled()) flags.push_back("grayed");
      if ((item.flags & MF_CHECKED) != 0) flags.push_back("checked");
      items.push_back({{"command", item.id}, {"text", Utf8(item.text)}, {"flags", flags}});
    }
    windows.push_back({{"id", popup->id},
                       {"kind", "menu"},
                       {"title", ""},
                       {"modal", true},
                       {"owner", WindowNumber(popup->owner)},
                       {"items", std::move(items)},
                       {"controls", json::array()}});
  }
  return {{"revision", host.revision()}, {"windows", std::move(windows)}};
}

}  // namespace pw::console
