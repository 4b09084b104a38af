// The scope tree: an item with its children (expanded on first request), and the look-up of
// an item by the names on its path.
#include <httplib.h>

#include <algorithm>

#include "console/api_router.h"
#include "console/state_json.h"
#include "mmc/host/console.h"
#include "platform/com/strings.h"

namespace pw::console {

namespace {

using nlohmann::json;
using pw::mmc::ConsoleState;
using pw::mmc::OperationResult;
using pw::mmc::ScopeItemState;

// Expands `item` on the console thread unless it was expanded before; then re-reads the state.
// False after answering.
bool EnsureExpanded(ApiCall& call, HSCOPEITEM item, ConsoleState* state) {
  const OperationResult expanded = call.session().Run(
      [item](pw::mmc::Console& console) { return console.EnsureExpanded(item); });
  if (!expanded.finished) {
    call.Answer(expanded);
    return false;
  }
  call.context().watcher.Look();
  return call.ReadState(state);
}

void GetScopeItem(ApiCall& call) {
  const auto id = static_cast<HSCOPEITEM>(call.PathNumber(1));
  ConsoleState state;
  if (!call.ReadState(&state)) return;
  const ScopeItemState* item = FindItem(state, id);
  if (item != nullptr && !item->expanded_once) {
    if (!EnsureExpanded(call, id, &state)) return;
    item = FindItem(state, id);
  }
  if (item == nullptr) {
    call.Fail(
        {404, "unknown-item", "There is no scope item " + call.request().matches[1].str() + "."});
    return;
  }
  json body = ItemSummary(*item);
  body["parent"] = item->parent;
  json children = json::array();
  for (HSCOPEITEM child : item->children) {
    if (const ScopeItemState* found = FindItem(state, child)) {
      children.push_back(ItemSummary(*found));
    }
  }
  body["children"] = std::move(children);
  call.Send(body);
}

void LookupScope(ApiCall& call) {
  const json* body = call.Body();
  if (body == nullptr) return;
  auto path = body->find("path");
  if (path == body->end() || !path->is_array() || path->empty() ||
      !std::all_of(path->begin(), path->end(), [](const json& part) { return part.is_string(); })) {
    call.Fail({400, "bad-request", "The field \"path\" must be a list of names."});
    return;
  }
  ConsoleState state;
  if (!call.ReadState(&state)) return;
  const ScopeItemState* current = FindItem(state, RootItem(state));
  for (std::size_t i = 0; i < path->size() && current != nullptr; ++i) {
    const std::wstring name = pw::FromUtf8((*path)[i].get<std::string>());
    if (i == 0) {
      if (current->name != name) current = nullptr;
    } else {
      const HSCOPEITEM parent = current->id;
      if (!current->expanded_once) {
        if (!EnsureExpanded(call, parent, &state)) return;
        current = FindItem(state, parent);
        if (current == nullptr) break;
      }
      const ScopeItemState* next = nullptr;
      for (HSCOPEITEM child : current->children) {
        const ScopeItemState* found = FindItem(state, child);
        if (found != nullptr && found->name == name && next == nullptr) next = found;
      }
      current = next;
    }
    if (current == nullptr) {
      call.Fail({404, "unknown-item",
                 "No scope item is named " + (*path)[i].get<std::string>() + " there."});
      return;
    }
  }
  if (current == nullptr) {
    call.Fail({404, "unknown-item", "The scope item went away."});
    return;
  }
  call.Answer(OperationResult{}, {{"item", current->id}});
}

}  // namespace

void AddScopeRoutes(ApiRoutes& routes) {
  routes.push_back({"GET", R"(/api/v1/scope/(\d+))", &GetScopeItem});
  routes.push_back({"POST", "/api/v1/scope/lookup", &LookupScope});
}

}  // namespace pw::console
