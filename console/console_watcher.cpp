// ConsoleWatcher.
#include "console/console_watcher.h"

#include <map>
#include <string>

namespace pw::console {

namespace {

using pw::mmc::ConsoleState;
using pw::mmc::ScopeItemState;
using pw::mmc::ViewState;

bool SameItem(const ScopeItemState& a, const ScopeItemState& b) {
  return a.name == b.name && a.image == b.image && a.open_image == b.open_image &&
         a.has_expand_marker == b.has_expand_marker && a.expanded_once == b.expanded_once &&
         a.children == b.children;
}

bool SameView(const ViewState& a, const ViewState& b) {
  return a.revision == b.revision && a.selected_scope_item == b.selected_scope_item &&
         a.expanded == b.expanded && a.kind == b.kind && a.row_count == b.row_count &&
         a.selected_rows == b.selected_rows && a.description_bar == b.description_bar &&
         a.status_text == b.status_text && a.default_verb == b.default_verb &&
         a.web_address == b.web_address && a.message_view.title == b.message_view.title &&
         a.message_view.body == b.message_view.body && a.columns.size() == b.columns.size();
}

}  // namespace

ConsoleWatcher::ConsoleWatcher(ConsoleSlot& console, EventHub& events)
    : console_(console), events_(events) {}

void ConsoleWatcher::Restart() {
  {
    std::lock_guard lock(mutex_);
    have_last_ = false;
    events_.Publish("hello", "{\"revision\":" + std::to_string(++revision_) + "}");
  }
  Look();
}

void ConsoleWatcher::Look() {
  ConsoleState now;
  const std::shared_ptr<pw::mmc::ConsoleSession> session = console_.Get();
  if (!session || !session->ReadState(&now).finished) return;
  std::lock_guard lock(mutex_);
  if (!have_last_) {
    last_ = std::move(now);
    have_last_ = true;
    return;
  }
  // Items whose own entry changed, and the parents of items that came or went.
  std::map<HSCOPEITEM, const ScopeItemState*> before;
  for (const ScopeItemState& item : last_.tree) before[item.id] = &item;
  std::string changed_items;
  auto add = [&changed_items](HSCOPEITEM id) {
    if (!changed_items.empty()) changed_items += ",";
    changed_items += std::to_string(id);
  };
  for (const ScopeItemState& item : now.tree) {
    auto found = before.find(item.id);
    if (found == before.end()) continue;  // new items show in their parent's children
    if (!SameItem(*found->second, item)) add(item.id);
    before.erase(found);
  }
  for (const auto& [id, gone] : before) {
    if (gone->parent != 0) add(gone->parent);
  }
  const bool console_changed = now.views.size() != last_.views.size() ||
                               now.document_path != last_.document_path ||
                               now.has_snapin != last_.has_snapin;
  if (!changed_items.empty()) {
    events_.Publish("tree", "{\"revision\":" + std::to_string(++revision_) + ",\"items\":[" +
                                changed_items + "]}");
  }
  for (const ViewState& view : now.views) {
    const ViewState* old = nullptr;
    for (const ViewState& candidate : last_.views) {
      if (candidate.id == view.id) old = &candidate;
    }
    if (old == nullptr || !SameView(*old, view)) {
      events_.Publish("view", "{\"view\":" + std::to_string(view.id) +
                                  ",\"revision\":" + std::to_string(++revision_) + "}");
    }
  }
  if (console_changed) {
    events_.Publish("console", "{\"revision\":" + std::to_string(++revision_) + "}");
  }
  last_ = std::move(now);
}

}  // namespace pw::console
