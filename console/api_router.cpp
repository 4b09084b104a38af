// ApiRouter.
#include "console/api_router.h"

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>

#include "console/png_encoder.h"
#include "console/web_assets.h"
#include "console/window_actions.h"
#include "console/window_json.h"
#include "mmc/host/console.h"
#include "mmc/host/console_image_list.h"
#include "mmc/host/host_strings.h"
#include "mmc/host/view.h"
#include "platform/com/strings.h"

namespace pw::console {

namespace {

using nlohmann::json;
using pw::mmc::ConsoleState;
using pw::mmc::OperationResult;
using pw::mmc::ResultPaneKind;
using pw::mmc::ScopeItemState;
using pw::mmc::ViewState;

constexpr int kMaxRowsPerRead = 1001;
constexpr auto kKeepAlive = std::chrono::seconds(15);

std::string Utf8(const std::wstring& text) { return pw::ToUtf8(text); }

void SendJson(httplib::Response& response, const json& body) {
  response.set_content(body.dump(), "application/json; charset=utf-8");
}

// A request body that must be a JSON object; nullopt after answering the error.
std::optional<json> ParseBody(const httplib::Request& request, httplib::Response& response) {
  json body = json::parse(request.body.empty() ? std::string("{}") : request.body, nullptr, false);
  if (body.is_discarded() || !body.is_object()) {
    SendError(response, {400, "bad-json", "The request body must be a JSON object."});
    return std::nullopt;
  }
  return body;
}

// Reads an integer field; `required` false leaves `out` when absent. False after answering.
bool IntField(const json& body, const char* name, long long* out, bool required,
              httplib::Response& response) {
  auto found = body.find(name);
  if (found == body.end()) {
    if (!required) return true;
    SendError(response,
              {400, "bad-request", std::string("The field \"") + name + "\" is missing."});
    return false;
  }
  if (!found->is_number_integer()) {
    SendError(response,
              {400, "bad-request", std::string("The field \"") + name + "\" must be a number."});
    return false;
  }
  *out = found->get<long long>();
  return true;
}

bool StringField(const json& body, const char* name, std::string* out, bool required,
                 httplib::Response& response) {
  auto found = body.find(name);
  if (found == body.end()) {
    if (!required) return true;
    SendError(response,
              {400, "bad-request", std::string("The field \"") + name + "\" is missing."});
    return false;
  }
  if (!found->is_string()) {
    SendError(response,
              {400, "bad-request", std::string("The field \"") + name + "\" must be a text."});
    return false;
  }
  *out = found->get<std::string>();
  return true;
}

// A number from the path; the routes' patterns admit digits only.
std::optional<long long> PathNumber(const std::string& text) {
  if (text.empty() || text.size() > 15) return std::nullopt;
  return std::stoll(text);
}

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

}  // namespace

ApiRouter::ApiRouter(Context context) : context_(std::move(context)) {}

void ApiRouter::Fail(httplib::Response& response, const ApiFailure& failure) {
  SendError(response, failure);
}

json ApiRouter::Windows() {
  auto described = std::make_shared<json>(json::object());
  WebUiHost* host = &context_.host;
  const OperationResult read = context_.session.Run([described, host](pw::mmc::Console&) {
    *described = DescribeWindows(*host);
    return S_OK;
  });
  if (!read.finished) return {{"revision", host->revision()}, {"windows", json::array()}};
  return *described;
}

bool ApiRouter::ReadState(ConsoleState* state, httplib::Response& response) {
  const OperationResult read = context_.session.ReadState(state);
  if (!read.finished) {
    Fail(response, {503, "busy", Utf8(read.error)});
    return false;
  }
  return true;
}

void ApiRouter::AnswerAction(const OperationResult& result, httplib::Response& response,
                             json extra) {
  if (!result.finished && result.hr != pw::mmc::kPendingResult) {
    Fail(response, {503, "busy", Utf8(result.error)});
    return;
  }
  context_.watcher.Look();
  if (result.finished && FAILED(result.hr)) {
    std::string message = Utf8(result.error);
    if (message.empty()) {
      char code[16];
      std::snprintf(code, sizeof(code), "0x%08X", static_cast<unsigned>(result.hr));
      message = std::string("The console refused the action (") + code + ").";
    }
    Fail(response, {409, "refused", message});
    return;
  }
  json body = std::move(extra);
  body["finished"] = result.finished;
  body["windows"] = Windows()["windows"];
  SendJson(response, body);
}

void ApiRouter::GetConsole(const httplib::Request&, httplib::Response& response) {
  ConsoleState state;
  if (!ReadState(&state, response)) return;
  const HSCOPEITEM root = RootItem(state);
  const ScopeItemState* root_item = FindItem(state, root);
  std::wstring document =
      state.document_path.empty()
          ? pw::mmc::HostText(pw::mmc::HostString::kUntitledDocument)
          : pw::FromUtf8(state.document_path.substr(state.document_path.find_last_of('/') + 1));
  std::wstring title = document;
  if (root_item != nullptr) title += L" - [" + root_item->name + L"]";
  json views = json::array();
  for (const ViewState& view : state.views) {
    views.push_back({{"id", view.id}, {"item", view.selected_scope_item}});
  }
  SendJson(response,
           {{"title", Utf8(title)},
            {"snapin", Utf8(state.snapin_name)},
            {"document", state.document_path.empty() ? json(nullptr) : json(state.document_path)},
            {"language", context_.language},
            {"busy", context_.host.busy()},
            {"views", std::move(views)},
            {"activeView", state.active_view},
            {"root", root},
            {"revision", context_.watcher.revision()}});
}

void ApiRouter::GetScopeItem(const httplib::Request& request, httplib::Response& response) {
  const auto id = PathNumber(request.matches[1]);
  ConsoleState state;
  if (!ReadState(&state, response)) return;
  const ScopeItemState* item = id ? FindItem(state, static_cast<HSCOPEITEM>(*id)) : nullptr;
  if (item == nullptr) {
    Fail(response,
         {404, "unknown-item", "There is no scope item " + request.matches[1].str() + "."});
    return;
  }
  if (!item->expanded_once) {
    const HSCOPEITEM handle = item->id;
    const OperationResult expanded = context_.session.Run(
        [handle](pw::mmc::Console& console) { return console.EnsureExpanded(handle); });
    if (!expanded.finished) {
      Fail(response, {503, "busy", Utf8(expanded.error)});
      return;
    }
    context_.watcher.Look();
    if (!ReadState(&state, response)) return;
    item = FindItem(state, handle);
    if (item == nullptr) {
      Fail(response, {404, "unknown-item", "The scope item went away."});
      return;
    }
  }
  json body = ItemSummary(*item);
  body["parent"] = item->parent;
  json children = json::array();
  for (HSCOPEITEM child : item->children) {
    if (const ScopeItemState* found = FindItem(state, child))
      children.push_back(ItemSummary(*found));
  }
  body["children"] = std::move(children);
  SendJson(response, body);
}

void ApiRouter::LookupScope(const httplib::Request& request, httplib::Response& response) {
  const auto body = ParseBody(request, response);
  if (!body) return;
  auto path = body->find("path");
  if (path == body->end() || !path->is_array() || path->empty() ||
      !std::all_of(path->begin(), path->end(), [](const json& part) { return part.is_string(); })) {
    Fail(response, {400, "bad-request", "The field \"path\" must be a list of names."});
    return;
  }
  ConsoleState state;
  if (!ReadState(&state, response)) return;
  const ScopeItemState* current = FindItem(state, RootItem(state));
  for (std::size_t i = 0; i < path->size(); ++i) {
    const std::wstring name = pw::FromUtf8((*path)[i].get<std::string>());
    if (i == 0) {
      if (current == nullptr || current->name != name) current = nullptr;
    } else {
      const HSCOPEITEM parent = current->id;
      if (!current->expanded_once) {
        const OperationResult expanded = context_.session.Run(
            [parent](pw::mmc::Console& console) { return console.EnsureExpanded(parent); });
        if (!expanded.finished) {
          AnswerAction(expanded, response);
          return;
        }
        if (!ReadState(&state, response)) return;
        current = FindItem(state, parent);
      }
      const ScopeItemState* next = nullptr;
      for (HSCOPEITEM child : current->children) {
        const ScopeItemState* found = FindItem(state, child);
        if (found != nullptr && found->name == name) next = found;
      }
      current = next;
    }
    if (current == nullptr) {
      Fail(response, {404, "unknown-item",
                      "No scope item is named " + (*path)[i].get<std::string>() + " there."});
      return;
    }
  }
  AnswerAction(OperationResult{}, response, {{"item", current->id}});
}

void ApiRouter::GetImage(const httplib::Request& request, httplib::Response& response) {
  const auto index = PathNumber(request.matches[1]);
  long long view = 0;
  if (request.has_param("view")) {
    const auto parsed = PathNumber(request.get_param_value("view"));
    if (!parsed ||
        request.get_param_value("view").find_first_not_of("0123456789") != std::string::npos) {
      Fail(response, {400, "bad-request", "view must be a number."});
      return;
    }
    view = *parsed;
  }
  auto png = std::make_shared<std::string>();
  const int image = static_cast<int>(index.value_or(-1));
  const OperationResult read = context_.session.Run([png, image, view](pw::mmc::Console& console) {
    pw::mmc::ConsoleImageList* list = console.scope_images();
    if (view != 0) {
      pw::mmc::View* found = console.FindView(static_cast<int>(view));
      list = found != nullptr ? found->result_images() : nullptr;
    }
    if (list == nullptr) return S_FALSE;
    if (const ImagePixels* pixels = list->SmallImage(image)) *png = EncodePng(*pixels);
    return S_OK;
  });
  if (!read.finished) {
    Fail(response, {503, "busy", Utf8(read.error)});
    return;
  }
  if (png->empty()) {
    Fail(response, {404, "unknown-image", "There is no image " + request.matches[1].str() + "."});
    return;
  }
  response.set_header("Cache-Control", "no-cache");
  response.set_content(*png, "image/png");
}

void ApiRouter::NewView(const httplib::Request& request, httplib::Response& response) {
  const auto body = ParseBody(request, response);
  if (!body) return;
  long long item = 0;
  if (!IntField(*body, "item", &item, false, response)) return;
  if (item == 0) {
    ConsoleState state;
    if (!ReadState(&state, response)) return;
    item = static_cast<long long>(RootItem(state));
  }
  int view = 0;
  const OperationResult result = context_.session.NewView(static_cast<HSCOPEITEM>(item), &view);
  AnswerAction(result, response, {{"view", view}});
}

void ApiRouter::CloseView(const httplib::Request& request, httplib::Response& response) {
  const auto view = PathNumber(request.matches[1]);
  AnswerAction(context_.session.CloseView(static_cast<int>(view.value_or(0))), response);
}

void ApiRouter::GetView(const httplib::Request& request, httplib::Response& response) {
  const auto id = PathNumber(request.matches[1]);
  ConsoleState state;
  if (!ReadState(&state, response)) return;
  const ViewState* view = id ? FindView(state, static_cast<int>(*id)) : nullptr;
  if (view == nullptr) {
    Fail(response, {404, "unknown-view", "There is no view " + request.matches[1].str() + "."});
    return;
  }
  SendJson(response, DescribeView(*view));
}

void ApiRouter::GetRows(const httplib::Request& request, httplib::Response& response) {
  const auto id = PathNumber(request.matches[1]);
  const std::string first_text = request.get_param_value("first");
  const std::string last_text = request.get_param_value("last");
  auto number = [](const std::string& text) -> std::optional<int> {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
      return std::nullopt;
    }
    return std::stoi(text);
  };
  const auto first = number(first_text);
  const auto last = number(last_text);
  if (!first || !last || *last < *first || *last - *first >= kMaxRowsPerRead) {
    Fail(response, {400, "bad-request",
                    "first and last must be row numbers, first <= last, at most 1001 rows."});
    return;
  }
  std::vector<pw::mmc::RowData> rows;
  const OperationResult result =
      context_.session.ReadRows(static_cast<int>(id.value_or(0)), *first, *last, &rows);
  if (!result.finished) {
    Fail(response, {503, "busy", Utf8(result.error)});
    return;
  }
  if (FAILED(result.hr)) {
    const bool unknown_view = result.error == pw::mmc::HostText(pw::mmc::HostString::kUnknownView);
    Fail(response,
         {unknown_view ? 404 : 409, unknown_view ? "unknown-view" : "refused", Utf8(result.error)});
    return;
  }
  json out = json::array();
  for (const auto& row : rows) {
    json texts = json::array();
    for (const auto& text : row.texts) texts.push_back(Utf8(text));
    out.push_back({{"index", row.index},
                   {"texts", std::move(texts)},
                   {"image", row.image},
                   {"selected", (row.state & LVIS_SELECTED) != 0},
                   {"focused", (row.state & LVIS_FOCUSED) != 0},
                   {"scope", row.scope}});
  }
  SendJson(response, {{"rows", std::move(out)}});
}

void ApiRouter::GetMenu(const httplib::Request& request, httplib::Response& response) {
  const int view = static_cast<int>(PathNumber(request.matches[1]).value_or(0));
  const std::string target = request.get_param_value("target");
  if (target != "scope" && target != "result") {
    Fail(response, {400, "bad-request", "target must be scope or result."});
    return;
  }
  HSCOPEITEM item = 0;
  if (target == "scope") {
    ConsoleState state;
    if (!ReadState(&state, response)) return;
    const ViewState* found = FindView(state, view);
    if (found == nullptr) {
      Fail(response, {404, "unknown-view", "There is no view " + std::to_string(view) + "."});
      return;
    }
    item = found->selected_scope_item;
    if (request.has_param("item")) {
      const auto given = PathNumber(request.get_param_value("item"));
      item = static_cast<HSCOPEITEM>(given.value_or(0));
    }
  }
  std::vector<pw::mmc::MenuItem> items;
  const OperationResult result = context_.session.OpenContextMenu(view, item, &items);
  if (!result.finished || FAILED(result.hr)) {
    AnswerAction(result, response);
    return;
  }
  SendJson(response, {{"items", DescribeMenu(items)}});
}

void ApiRouter::ViewAction(const std::string& action, const httplib::Request& request,
                           httplib::Response& response) {
  const int view = static_cast<int>(PathNumber(request.matches[1]).value_or(0));
  const auto body = ParseBody(request, response);
  if (!body) return;
  pw::mmc::ConsoleSession& session = context_.session;
  if (action == "select" || action == "expand") {
    long long item = 0;
    if (!IntField(*body, "item", &item, true, response)) return;
    if (action == "select") {
      AnswerAction(session.SelectScopeItem(view, static_cast<HSCOPEITEM>(item)), response);
      return;
    }
    bool expand = true;
    if (auto flag = body->find("expand"); flag != body->end()) {
      if (!flag->is_boolean()) {
        Fail(response, {400, "bad-request", "The field \"expand\" must be true or false."});
        return;
      }
      expand = flag->get<bool>();
    }
    AnswerAction(session.Expand(view, static_cast<HSCOPEITEM>(item), expand), response);
    return;
  }
  if (action == "selection") {
    auto rows = body->find("rows");
    if (rows == body->end() || !rows->is_array() ||
        !std::all_of(rows->begin(), rows->end(),
                     [](const json& r) { return r.is_number_integer(); })) {
      Fail(response, {400, "bad-request", "The field \"rows\" must be a list of row numbers."});
      return;
    }
    AnswerAction(session.SelectRows(view, rows->get<std::vector<int>>()), response);
    return;
  }
  if (action == "sort") {
    long long column = 0;
    if (!IntField(*body, "column", &column, true, response)) return;
    bool descending = false;
    if (auto flag = body->find("descending"); flag != body->end()) {
      if (!flag->is_boolean()) {
        Fail(response, {400, "bad-request", "The field \"descending\" must be true or false."});
        return;
      }
      descending = flag->get<bool>();
    }
    AnswerAction(session.Sort(view, static_cast<int>(column), descending), response);
    return;
  }
  if (action == "find") {
    std::string text;
    if (!StringField(*body, "text", &text, true, response)) return;
    int found = -1;
    const OperationResult result = session.TypeAhead(view, pw::FromUtf8(text), &found);
    AnswerAction(result, response, {{"index", found}});
    return;
  }
  if (action == "menu") {
    std::string target;
    long long command = 0;
    long long item = 0;
    if (!StringField(*body, "target", &target, true, response) ||
        !IntField(*body, "command", &command, true, response) ||
        !IntField(*body, "item", &item, false, response)) {
      return;
    }
    if (target != "scope" && target != "result") {
      Fail(response, {400, "bad-request", "target must be scope or result."});
      return;
    }
    if (target == "scope" && item == 0) {
      ConsoleState state;
      if (!ReadState(&state, response)) return;
      const ViewState* found = FindView(state, view);
      if (found == nullptr) {
        Fail(response, {404, "unknown-view", "There is no view " + std::to_string(view) + "."});
        return;
      }
      item = static_cast<long long>(found->selected_scope_item);
    }
    std::vector<pw::mmc::MenuItem> items;
    const OperationResult opened =
        session.OpenContextMenu(view, static_cast<HSCOPEITEM>(item), &items);
    if (!opened.ok()) {
      AnswerAction(opened, response);
      return;
    }
    AnswerAction(session.RunMenuItem(view, static_cast<int>(command)), response);
    return;
  }
  if (action == "verb" || action == "default") {
    std::string target = "result";
    if (!StringField(*body, "target", &target, action == "verb", response)) return;
    if (target != "scope" && target != "result") {
      Fail(response, {400, "bad-request", "target must be scope or result."});
      return;
    }
    if (target == "scope") {
      // The scope item is the verb's object once no row is selected.
      const OperationResult cleared = session.SelectRows(view, {});
      if (!cleared.ok()) {
        AnswerAction(cleared, response);
        return;
      }
    }
    if (action == "default") {
      AnswerAction(session.DefaultAction(view), response);
      return;
    }
    std::string verb_name;
    std::string text;
    if (!StringField(*body, "verb", &verb_name, true, response) ||
        !StringField(*body, "text", &text, false, response)) {
      return;
    }
    MMC_CONSOLE_VERB verb = MMC_VERB_NONE;
    for (const VerbName& known : kVerbs) {
      if (verb_name == known.name) verb = known.verb;
    }
    if (verb == MMC_VERB_NONE) {
      Fail(response, {400, "bad-request", "Unknown verb " + verb_name + "."});
      return;
    }
    AnswerAction(session.RunVerb(view, verb, pw::FromUtf8(text)), response);
    return;
  }
  if (action == "toolbar") {
    long long command = 0;
    long long toolbar = -1;
    if (!IntField(*body, "command", &command, true, response) ||
        !IntField(*body, "toolbar", &toolbar, false, response)) {
      return;
    }
    if (toolbar < 0) {
      ConsoleState state;
      if (!ReadState(&state, response)) return;
      const ViewState* found = FindView(state, view);
      if (found == nullptr) {
        Fail(response, {404, "unknown-view", "There is no view " + std::to_string(view) + "."});
        return;
      }
      for (const auto& bar : found->toolbars) {
        for (const auto& button : bar.buttons) {
          if (toolbar < 0 && bar.attached && button.command == command) toolbar = bar.index;
        }
      }
      if (toolbar < 0) {
        Fail(response,
             {409, "refused", Utf8(pw::mmc::HostText(pw::mmc::HostString::kUnknownButton))});
        return;
      }
    }
    AnswerAction(
        session.PressToolbarButton(view, static_cast<int>(toolbar), static_cast<int>(command)),
        response);
    return;
  }
}

void ApiRouter::WindowAction(const std::string& action, const httplib::Request& request,
                             httplib::Response& response) {
  const auto window = PathNumber(request.matches[1]);
  const auto body = ParseBody(request, response);
  if (!body) return;
  auto outcome = std::make_shared<ActionOutcome>();
  WebUiHost* host = &context_.host;
  const std::uint64_t number = window.value_or(0);
  std::function<HRESULT(pw::mmc::Console&)> run;
  if (action == "controls") {
    const auto control = PathNumber(request.matches[2]);
    std::string name;
    if (!StringField(*body, "action", &name, true, response)) return;
    json value = body->contains("value") ? (*body)["value"] : json(nullptr);
    const int id = static_cast<int>(control.value_or(0));
    run = [outcome, host, number, id, name, value](pw::mmc::Console&) {
      *outcome = ActOnControl(*host, number, id, name, value);
      return S_OK;
    };
  } else if (action == "button") {
    auto button = body->find("button");
    if (button == body->end() || !(button->is_string() || button->is_number_integer())) {
      Fail(response, {400, "bad-request", "The field \"button\" must be a name or a number."});
      return;
    }
    json pressed = *button;
    run = [outcome, host, number, pressed](pw::mmc::Console&) {
      *outcome = PressButton(*host, number, pressed);
      return S_OK;
    };
  } else if (action == "page") {
    long long index = 0;
    if (!IntField(*body, "index", &index, true, response)) return;
    run = [outcome, host, number, index](pw::mmc::Console&) {
      *outcome = ChoosePage(*host, number, static_cast<int>(index));
      return S_OK;
    };
  } else {
    std::string key;
    if (!StringField(*body, "key", &key, true, response)) return;
    run = [outcome, host, number, key](pw::mmc::Console&) {
      *outcome = PressKey(*host, number, key);
      return S_OK;
    };
  }
  const OperationResult result = context_.session.Run(run);
  if (result.finished && outcome->failure) {
    Fail(response, *outcome->failure);
    return;
  }
  json extra = outcome->value.is_object() ? outcome->value : json::object();
  AnswerAction(result, response, std::move(extra));
}

void ApiRouter::SaveDocument(const httplib::Request& request, httplib::Response& response) {
  const auto body = ParseBody(request, response);
  if (!body) return;
  std::string path;
  if (!StringField(*body, "path", &path, false, response)) return;
  if (path.empty()) {
    ConsoleState state;
    if (!ReadState(&state, response)) return;
    path = state.document_path;
    if (path.empty()) {
      Fail(response, {400, "bad-request", "The console has no document yet; give a path."});
      return;
    }
  }
  AnswerAction(context_.session.SaveDocument(path), response, {{"document", path}});
}

void ApiRouter::OpenDocument(const httplib::Request& request, httplib::Response& response) {
  const auto body = ParseBody(request, response);
  if (!body) return;
  std::string path;
  if (!StringField(*body, "path", &path, true, response)) return;
  const OperationResult closed = context_.session.Close(pw::mmc::ClosePolicy::kDiscard);
  if (!closed.ok()) {
    AnswerAction(closed, response);
    return;
  }
  const OperationResult opened = context_.session.OpenDocument(path);
  json views = json::array();
  ConsoleState state;
  if (opened.finished && context_.session.ReadState(&state).finished) {
    for (const ViewState& view : state.views) views.push_back(view.id);
  }
  AnswerAction(opened, response, {{"views", std::move(views)}});
}

void ApiRouter::Events(const httplib::Request&, httplib::Response& response) {
  EventHub* events = &context_.events;
  auto cursor = std::make_shared<std::uint64_t>(events->latest());
  auto greeted = std::make_shared<bool>(false);
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

void ApiRouter::Register(httplib::Server& server) {
  using httplib::Request;
  using httplib::Response;
  auto bind = [this](void (ApiRouter::*handler)(const Request&, Response&)) {
    return [this, handler](const Request& request, Response& response) {
      (this->*handler)(request, response);
    };
  };
  auto view_action = [this](std::string action) {
    return [this, action](const Request& request, Response& response) {
      ViewAction(action, request, response);
    };
  };
  auto window_action = [this](std::string action) {
    return [this, action](const Request& request, Response& response) {
      WindowAction(action, request, response);
    };
  };
  server.Post("/api/v1/session", [this](const Request& request, Response& response) {
    const auto body = ParseBody(request, response);
    if (!body) return;
    std::string token;
    if (!StringField(*body, "token", &token, true, response)) return;
    if (!context_.security.IsToken(token)) {
      Fail(response, {401, "unauthorized", "The token is not this console's."});
      return;
    }
    const std::string session = context_.security.NewSession();
    response.set_header("Set-Cookie", context_.security.SetCookieHeader(session));
    SendJson(response, {{"csrf", *context_.security.CsrfOf(session)}});
  });
  server.Get("/api/v1/session", [this](const Request& request, Response& response) {
    std::string session;
    std::string csrf;
    if (context_.security.Authenticate(request, &session) == HttpSecurity::Auth::kCookie) {
      csrf = context_.security.CsrfOf(session).value_or("");
    }
    SendJson(response, {{"csrf", csrf}, {"language", context_.language}});
  });
  server.Get("/api/v1/console", bind(&ApiRouter::GetConsole));
  server.Get("/api/v1/strings", [this](const Request& request, Response& response) {
    std::string language =
        request.has_param("lang") ? request.get_param_value("lang") : context_.language;
    if (language != "en" && language != "de") {
      Fail(response, {400, "bad-request", "lang must be en or de."});
      return;
    }
    const WebAsset* strings = FindWebAsset("/strings." + language + ".json");
    if (strings == nullptr) {
      Fail(response, {404, "not-found", "The page's strings are not built in."});
      return;
    }
    response.set_content(std::string(strings->bytes), "application/json; charset=utf-8");
  });
  server.Get(R"(/api/v1/scope/(\d+))", bind(&ApiRouter::GetScopeItem));
  server.Post("/api/v1/scope/lookup", bind(&ApiRouter::LookupScope));
  server.Get(R"(/api/v1/images/(\d+)\.png)", bind(&ApiRouter::GetImage));
  server.Post("/api/v1/views", bind(&ApiRouter::NewView));
  server.Delete(R"(/api/v1/views/(\d+))", bind(&ApiRouter::CloseView));
  server.Get(R"(/api/v1/views/(\d+))", bind(&ApiRouter::GetView));
  server.Get(R"(/api/v1/views/(\d+)/rows)", bind(&ApiRouter::GetRows));
  server.Get(R"(/api/v1/views/(\d+)/menu)", bind(&ApiRouter::GetMenu));
  for (const char* action :
       {"select", "expand", "selection", "sort", "find", "menu", "verb", "default", "toolbar"}) {
    server.Post(std::string(R"(/api/v1/views/(\d+)/)") + action, view_action(action));
  }
  server.Get("/api/v1/windows",
             [this](const Request&, Response& response) { SendJson(response, Windows()); });
  server.Post(R"(/api/v1/windows/(\d+)/controls/(\d+))", window_action("controls"));
  server.Post(R"(/api/v1/windows/(\d+)/button)", window_action("button"));
  server.Post(R"(/api/v1/windows/(\d+)/page)", window_action("page"));
  server.Post(R"(/api/v1/windows/(\d+)/key)", window_action("key"));
  server.Post("/api/v1/document/save", bind(&ApiRouter::SaveDocument));
  server.Post("/api/v1/document/open", bind(&ApiRouter::OpenDocument));
  server.Get("/api/v1/events", bind(&ApiRouter::Events));
}

}  // namespace pw::console
