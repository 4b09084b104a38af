// What the API shows of the console's state — scope items, views, menus — as JSON, and the
// look-ups into a state that the routes share.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "mmc/host/console_state.h"

namespace pw::console {

const pw::mmc::ScopeItemState* FindItem(const pw::mmc::ConsoleState& state, HSCOPEITEM id);
const pw::mmc::ViewState* FindView(const pw::mmc::ConsoleState& state, int id);
// The snap-in's static item (the top of the tree); 0 without a snap-in.
HSCOPEITEM RootItem(const pw::mmc::ConsoleState& state);

// {item, name, image, openImage, hasChildren}
nlohmann::json ItemSummary(const pw::mmc::ScopeItemState& item);
// GET /api/v1/views/{v}
nlohmann::json DescribeView(const pw::mmc::ViewState& view);
nlohmann::json DescribeMenu(const std::vector<pw::mmc::MenuItem>& items);
// MMC_VERB_NONE for a name the API does not know.
MMC_CONSOLE_VERB VerbFromName(const std::string& name);

}  // namespace pw::console
