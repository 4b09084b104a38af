// State JSON.
#include "console/state_json.h"

#include "platform/com/strings.h"

namespace pw::console {

namespace {

using nlohmann::json;
using pw::mmc::ConsoleState;
using pw::mmc::ResultPaneKind;
using pw::mmc::ScopeItemState;
using pw::mmc::ViewState;

std::string Utf8(const std::wstring& text) { return pw::ToUtf8(text); }

const char* PaneKind(ResultPaneKind kind) {
  switch (kind) {
    case ResultPaneKind::kList:
      return "list";
    case ResultPaneKind::kVirtualList:
      return "virtual";
    case ResultPaneKind::kMessageView:
      return "message";
    case ResultPaneKind::kWebPage:
      return "web";
    case ResultPaneKind::kControl:
      return "control";
    case ResultPaneKind::kNone:
      break;
  }
  return "none";
}

const char* MessageIcon(IconIdentifier icon) {
  switch (icon) {
    case Icon_Error:
      return "error";
    case Icon_Question:
      return "question";
    case Icon_Warning:
      return "warning";
    case Icon_Information:
      return "information";
    default:
      return "none";
  }
}

struct VerbName {
  MMC_CONSOLE_VERB verb;
  const char* name;
};
constexpr VerbName kVerbs[] = {{MMC_VERB_OPEN, "open"},
                               {MMC_VERB_DELETE, "delete"},
                               {MMC_VERB_RENAME, "rename"},
                               {MMC_VERB_REFRESH, "refresh"},
                               {MMC_VERB_PROPERTIES, "properties"}};

const char* VerbNameOf(MMC_CONSOLE_VERB verb) {
  for (const VerbName& known : kVerbs) {
    if (known.verb == verb) return known.name;
  }
  return nullptr;
}

}  // namespace

const ScopeItemState* FindItem(const ConsoleState& state, HSCOPEITEM id) {
  for (const ScopeItemState& item : state.tree) {
    if (item.id == id) return &item;
  }
  return nullptr;
}

const ViewState* FindView(const ConsoleState& state, int id) {
  for (const ViewState& view : state.views) {
    if (view.id == id) return &view;
  }
  return nullptr;
}

HSCOPEITEM RootItem(const ConsoleState& state) {
  for (const ScopeItemState& item : state.tree) {
    if (item.parent == 0) return item.id;
  }
  return 0;
}

json ItemSummary(const ScopeItemState& item) {
  return {{"item", item.id},
          {"name", Utf8(item.name)},
          {"image", item.image},
          {"openImage", item.open_image},
          {"hasChildren", item.expanded_once ? !item.children.empty() : item.has_expand_marker}};
}

json DescribeView(const ViewState& view) {
  json pane = {{"kind", PaneKind(view.kind)},
               {"descBar", Utf8(view.description_bar)},
               {"status", Utf8(view.status_text)}};
  if (view.kind == ResultPaneKind::kList || view.kind == ResultPaneKind::kVirtualList) {
    json columns = json::array();
    for (const auto& column : view.columns) {
      const char* format = column.format == LVCFMT_RIGHT    ? "right"
                           : column.format == LVCFMT_CENTER ? "center"
                                                            : "left";
      columns.push_back(
          {{"title", Utf8(column.title)}, {"width", column.width}, {"format", format}});
    }
    pane["columns"] = std::move(columns);
    pane["count"] = view.row_count;
    pane["singleSelection"] = (view.result_style & MMC_SINGLESEL) != 0;
    pane["sortable"] = (view.result_style & MMC_NOSORTHEADER) == 0;
  }
  if (view.kind == ResultPaneKind::kMessageView) {
    pane["message"] = {{"icon", MessageIcon(view.message_view.icon)},
                       {"title", Utf8(view.message_view.title)},
                       {"body", Utf8(view.message_view.body)}};
  }
  if (view.kind == ResultPaneKind::kWebPage) pane["url"] = Utf8(view.web_address);

  json verbs = json::object();
  for (const VerbName& known : kVerbs) {
    DWORD state = 0;
    for (const auto& verb : view.verbs) {
      if (verb.verb == known.verb) state = verb.state;
    }
    verbs[known.name] = {{"enabled", (state & ENABLED) != 0}, {"hidden", (state & HIDDEN) != 0}};
  }
  json toolbar = json::array();
  for (const auto& bar : view.toolbars) {
    if (!bar.attached) continue;
    for (const auto& button : bar.buttons) {
      toolbar.push_back({{"toolbar", bar.index},
                         {"command", button.command},
                         {"text", Utf8(button.text)},
                         {"tooltip", Utf8(button.tooltip)},
                         {"image", button.bitmap},
                         {"enabled", (button.state & TBSTATE_ENABLED) != 0},
                         {"hidden", (button.state & TBSTATE_HIDDEN) != 0},
                         {"checked", (button.state & TBSTATE_CHECKED) != 0},
                         {"separator", (button.type & TBSTYLE_SEP) != 0}});
    }
  }
  const char* default_verb = VerbNameOf(view.default_verb);
  return {{"view", view.id},
          {"item", view.selected_scope_item},
          {"expanded", view.expanded},
          {"revision", view.revision},
          {"pane", std::move(pane)},
          {"verbs", std::move(verbs)},
          {"defaultVerb", default_verb != nullptr ? json(default_verb) : json(nullptr)},
          {"toolbar", std::move(toolbar)},
          {"selection", view.selected_rows},
          {"focused", view.focused_row}};
}

json DescribeMenu(const std::vector<pw::mmc::MenuItem>& items) {
  json out = json::array();
  for (std::size_t i = 0; i < items.size(); ++i) {
    const auto& item = items[i];
    json flags = json::array();
    if ((item.flags & static_cast<LONG>(MF_SEPARATOR)) != 0) flags.push_back("separator");
    if ((item.flags & static_cast<LONG>(MF_GRAYED | MF_DISABLED)) != 0) flags.push_back("grayed");
    if ((item.flags & static_cast<LONG>(MF_CHECKED)) != 0) flags.push_back("checked");
    out.push_back(
        {{"command", i},
         {"text", Utf8(item.name)},
         {"status", Utf8(item.status_text)},
         {"flags", std::move(flags)},
         {"console", item.console_item},
         {"verb", VerbNameOf(item.verb) != nullptr ? json(VerbNameOf(item.verb)) : json(nullptr)},
         {"newWindow", item.new_window}});
  }
  return out;
}

MMC_CONSOLE_VERB VerbFromName(const std::string& name) {
  for (const VerbName& known : kVerbs) {
    if (name == known.name) return known.verb;
  }
  return MMC_VERB_NONE;
}

}  // namespace pw::console
