// Views: making and closing them, what they show, their rows, and everything a person does in
// one (selecting, sorting, finding, menus, verbs, the toolbar).
#include <httplib.h>

#include <algorithm>
#include <memory>

#include "console/api_router.h"
#include "console/row_finder.h"
#include "console/state_json.h"
#include "mmc/host/console.h"
#include "mmc/host/host_strings.h"
#include "platform/com/strings.h"

namespace pw::console {

namespace {

using nlohmann::json;
using pw::mmc::ConsoleState;
using pw::mmc::OperationResult;
using pw::mmc::ViewState;

constexpr int kMaxRowsPerRead = 1001;

int ViewOf(const ApiCall& call) { return static_cast<int>(call.PathNumber(1)); }

// The view named in the path, read from `state`; nullptr after answering unknown-view.
const ViewState* ReadView(ApiCall& call, ConsoleState* state) {
  if (!call.ReadState(state)) return nullptr;
  const ViewState* view = FindView(*state, ViewOf(call));
  if (view == nullptr) {
    call.Fail({404, "unknown-view", "There is no view " + std::to_string(ViewOf(call)) + "."});
  }
  return view;
}

// "scope" or "result" from `target`; false after answering.
bool CheckTarget(ApiCall& call, const std::string& target) {
  if (target == "scope" || target == "result") return true;
  call.Fail({400, "bad-request", "target must be scope or result."});
  return false;
}

// Opens the context menu of the view's scope item (or of `item`). A person who right-clicks
// the tree item shown moves the selection there from the rows, so that its own verbs (rename,
// refresh, properties) are offered; the console does the same.
OperationResult OpenScopeMenu(ApiCall& call, long long item, std::vector<pw::mmc::MenuItem>* items,
                              bool* answered) {
  *answered = true;
  ConsoleState state;
  const ViewState* view = ReadView(call, &state);
  if (view == nullptr) return {};
  const HSCOPEITEM shown = view->selected_scope_item;
  const HSCOPEITEM target = item != 0 ? static_cast<HSCOPEITEM>(item) : shown;
  if (target == shown && !view->selected_rows.empty()) {
    const OperationResult cleared = call.session().SelectRows(view->id, {});
    if (!cleared.ok()) {
      call.Answer(cleared);
      return cleared;
    }
  }
  *answered = false;
  return call.session().OpenContextMenu(view->id, target, items);
}

void NewView(ApiCall& call) {
  long long item = 0;
  if (!call.Int("item", &item, false)) return;
  if (item == 0) {
    ConsoleState state;
    if (!call.ReadState(&state)) return;
    item = static_cast<long long>(RootItem(state));
  }
  int view = 0;
  const OperationResult result = call.session().NewView(static_cast<HSCOPEITEM>(item), &view);
  call.Answer(result, {{"view", view}});
}

void CloseView(ApiCall& call) { call.Answer(call.session().CloseView(ViewOf(call))); }

void GetView(ApiCall& call) {
  ConsoleState state;
  if (const ViewState* view = ReadView(call, &state)) call.Send(DescribeView(*view));
}

void GetRows(ApiCall& call) {
  auto number = [&call](const char* name) -> std::optional<int> {
    const std::string text = call.request().get_param_value(name);
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
      return std::nullopt;
    }
    return std::stoi(text);
  };
  const auto first = number("first");
  const auto last = number("last");
  if (!first || !last || *last < *first || *last - *first >= kMaxRowsPerRead) {
    call.Fail({400, "bad-request",
               "first and last must be row numbers, first <= last, at most 1001 rows."});
    return;
  }
  std::vector<pw::mmc::RowData> rows;
  HSCOPEITEM item = 0;
  const OperationResult result = call.session().ReadRows(ViewOf(call), *first, *last, &rows, &item);
  if (!result.ok()) {
    call.Answer(result);
    return;
  }
  json out = json::array();
  for (const auto& row : rows) {
    json texts = json::array();
    for (const auto& text : row.texts) texts.push_back(pw::ToUtf8(text));
    out.push_back({{"index", row.index},
                   {"texts", std::move(texts)},
                   {"image", row.image},
                   {"selected", (row.state & LVIS_SELECTED) != 0},
                   {"focused", (row.state & LVIS_FOCUSED) != 0},
                   {"scope", row.scope}});
  }
  call.Send({{"item", item}, {"rows", std::move(out)}});
}

void GetMenu(ApiCall& call) {
  const std::string target = call.request().get_param_value("target");
  if (!CheckTarget(call, target)) return;
  std::vector<pw::mmc::MenuItem> items;
  OperationResult result;
  if (target == "scope") {
    long long item = 0;
    if (call.request().has_param("item")) {
      const std::string given = call.request().get_param_value("item");
      if (given.empty() || given.size() > 15 ||
          given.find_first_not_of("0123456789") != std::string::npos) {
        call.Fail({400, "bad-request", "item must be a number."});
        return;
      }
      item = std::stoll(given);
    }
    bool answered = false;
    result = OpenScopeMenu(call, item, &items, &answered);
    if (answered) return;
  } else {
    result = call.session().OpenContextMenu(ViewOf(call), 0, &items);
  }
  if (!result.ok()) {
    call.Answer(result);
    return;
  }
  call.context().watcher.Look();
  call.Send({{"items", DescribeMenu(items)}});
}

void SelectScopeItem(ApiCall& call) {
  long long item = 0;
  if (!call.Int("item", &item, true)) return;
  call.Answer(call.session().SelectScopeItem(ViewOf(call), static_cast<HSCOPEITEM>(item)));
}

void Expand(ApiCall& call) {
  long long item = 0;
  bool expand = true;
  if (!call.Int("item", &item, true) || !call.Bool("expand", &expand, false)) return;
  call.Answer(call.session().Expand(ViewOf(call), static_cast<HSCOPEITEM>(item), expand));
}

void SelectRows(ApiCall& call) {
  const json* body = call.Body();
  if (body == nullptr) return;
  auto rows = body->find("rows");
  if (rows == body->end() || !rows->is_array() ||
      !std::all_of(rows->begin(), rows->end(), [](const json& row) {
        return row.is_number_integer() && row.get<long long>() >= INT32_MIN &&
               row.get<long long>() <= INT32_MAX;
      })) {
    call.Fail({400, "bad-request", "The field \"rows\" must be a list of row numbers."});
    return;
  }
  call.Answer(call.session().SelectRows(ViewOf(call), rows->get<std::vector<int>>()));
}

void Sort(ApiCall& call) {
  long long column = 0;
  bool descending = false;
  if (!call.Int("column", &column, true) || !call.Bool("descending", &descending, false)) return;
  if (column < 0 || column > 1000) {
    call.Fail({400, "bad-request", "column must be a column of the list."});
    return;
  }
  call.Answer(call.session().Sort(ViewOf(call), static_cast<int>(column), descending));
}

void Find(ApiCall& call) {
  std::string text;
  long long start = -1;
  FindRequest request;
  if (!call.String("text", &text, true) || !call.Int("start", &start, false) ||
      !call.Bool("partial", &request.partial, false) || !call.Bool("wrap", &request.wrap, false)) {
    return;
  }
  const json* body = call.Body();
  if (body->contains("start")) {
    if (start < 0 || start > INT32_MAX) {
      call.Fail({400, "bad-request", "start must be a row of the list."});
      return;
    }
    request.start = static_cast<int>(start);
  }
  request.text = pw::FromUtf8(text);
  struct Outcome {
    std::optional<ApiFailure> failure;
    int index = -1;
  };
  auto outcome = std::make_shared<Outcome>();
  const int view_id = ViewOf(call);
  const OperationResult result =
      call.session().Run([outcome, request, view_id](pw::mmc::Console& console) {
        pw::mmc::View* view = console.FindView(view_id);
        if (view == nullptr) {
          outcome->failure =
              ApiFailure{404, "unknown-view", "There is no view " + std::to_string(view_id) + "."};
          return S_OK;
        }
        console.set_active_view(view);
        outcome->failure = FindRow(*view, request, &outcome->index);
        return S_OK;
      });
  if (result.finished && outcome->failure) {
    call.Fail(*outcome->failure);
    return;
  }
  call.Answer(result, {{"index", outcome->index}});
}

void RunMenuItem(ApiCall& call) {
  std::string target;
  long long command = 0;
  long long item = 0;
  if (!call.String("target", &target, true) || !call.Int("command", &command, true) ||
      !call.Int("item", &item, false) || !CheckTarget(call, target)) {
    return;
  }
  std::vector<pw::mmc::MenuItem> items;
  OperationResult opened;
  if (target == "scope") {
    bool answered = false;
    opened = OpenScopeMenu(call, item, &items, &answered);
    if (answered) return;
  } else {
    opened = call.session().OpenContextMenu(ViewOf(call), 0, &items);
  }
  if (!opened.ok()) {
    call.Answer(opened);
    return;
  }
  const int index = command < 0 || command > INT32_MAX ? -1 : static_cast<int>(command);
  call.Answer(call.session().RunMenuItem(ViewOf(call), index));
}

// The verb's object: the view's scope item once no row is selected, else the selected rows.
bool PrepareTarget(ApiCall& call, const std::string& target) {
  if (target != "scope") return true;
  const OperationResult cleared = call.session().SelectRows(ViewOf(call), {});
  if (cleared.ok()) return true;
  call.Answer(cleared);
  return false;
}

void RunVerb(ApiCall& call) {
  std::string target;
  std::string verb_name;
  std::string text;
  if (!call.String("target", &target, true) || !CheckTarget(call, target) ||
      !call.String("verb", &verb_name, true) || !call.String("text", &text, false)) {
    return;
  }
  const MMC_CONSOLE_VERB verb = VerbFromName(verb_name);
  if (verb == MMC_VERB_NONE) {
    call.Fail({400, "bad-request", "Unknown verb " + verb_name + "."});
    return;
  }
  if (!PrepareTarget(call, target)) return;
  call.Answer(call.session().RunVerb(ViewOf(call), verb, pw::FromUtf8(text)));
}

void RunDefaultVerb(ApiCall& call) {
  std::string target = "result";
  if (!call.String("target", &target, false) || !CheckTarget(call, target) ||
      !PrepareTarget(call, target)) {
    return;
  }
  call.Answer(call.session().DefaultAction(ViewOf(call)));
}

void PressToolbarButton(ApiCall& call) {
  long long command = 0;
  long long toolbar = -1;
  if (!call.Int("command", &command, true) || !call.Int("toolbar", &toolbar, false)) return;
  if (toolbar < 0) {
    ConsoleState state;
    const ViewState* view = ReadView(call, &state);
    if (view == nullptr) return;
    for (const auto& bar : view->toolbars) {
      for (const auto& button : bar.buttons) {
        if (toolbar < 0 && bar.attached && button.command == command) toolbar = bar.index;
      }
    }
    if (toolbar < 0) {
      call.Fail(
          {409, "refused", pw::ToUtf8(pw::mmc::HostText(pw::mmc::HostString::kUnknownButton))});
      return;
    }
  }
  call.Answer(call.session().PressToolbarButton(ViewOf(call), static_cast<int>(toolbar),
                                                static_cast<int>(command)));
}

}  // namespace

void AddViewRoutes(ApiRoutes& routes) {
  const std::string view = R"(/api/v1/views/(\d+))";
  routes.push_back({"POST", "/api/v1/views", &NewView});
  routes.push_back({"DELETE", view, &CloseView});
  routes.push_back({"GET", view, &GetView});
  routes.push_back({"GET", view + "/rows", &GetRows});
  routes.push_back({"GET", view + "/menu", &GetMenu});
  routes.push_back({"POST", view + "/select", &SelectScopeItem});
  routes.push_back({"POST", view + "/expand", &Expand});
  routes.push_back({"POST", view + "/selection", &SelectRows});
  routes.push_back({"POST", view + "/sort", &Sort});
  routes.push_back({"POST", view + "/find", &Find});
  routes.push_back({"POST", view + "/menu", &RunMenuItem});
  routes.push_back({"POST", view + "/verb", &RunVerb});
  routes.push_back({"POST", view + "/default", &RunDefaultVerb});
  routes.push_back({"POST", view + "/toolbar", &PressToolbarButton});
}

}  // namespace pw::console
