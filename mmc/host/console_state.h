// Plain copies of what a console shows — the tree, each view's result pane, verbs, toolbars,
// open sheets — as host operations hand them to front ends and tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mmc/host/console_ui.h"
#include "mmc/host/controlbar.h"
#include "mmc/mmc.h"

namespace pw::mmc {

enum class ResultPaneKind {
  kNone,         // nothing selected yet
  kList,         // the standard list, with the scope item's children first
  kVirtualList,  // an owner-data list: a row count, rows drawn on request
  kMessageView,
  kWebPage,
  kControl,  // another control, named by class id
};

struct ScopeItemState {
  HSCOPEITEM id = 0;
  HSCOPEITEM parent = 0;
  std::wstring name;
  int image = 0;
  int open_image = 0;
  bool has_expand_marker = false;
  bool expanded_once = false;
  std::vector<HSCOPEITEM> children;
};

struct ColumnState {
  std::wstring title;
  int format = LVCFMT_LEFT;
  int width = AUTO_WIDTH;
};

// One drawn row of a result list.
struct RowData {
  int index = 0;
  bool scope = false;               // a scope item listed in the result pane
  HSCOPEITEM scope_id = 0;          // of a scope row
  HRESULTITEM item_id = 0;          // of a result item of a regular list
  std::vector<std::wstring> texts;  // one per column
  int image = 0;
  UINT state = 0;  // LVIS_SELECTED, LVIS_FOCUSED
};

struct VerbState {
  MMC_CONSOLE_VERB verb = MMC_VERB_NONE;
  DWORD state = 0;  // MMC_BUTTON_STATE bits
};

struct ToolbarState {
  int index = 0;  // the position among the view's toolbars, in creation order
  bool attached = false;
  std::vector<ToolbarButton> buttons;
};

// An item of a context menu. Items of the snap-in come in the order it added them; the
// console's own items (verbs, new window) follow them.
struct MenuItem {
  std::wstring name;
  std::wstring status_text;
  LONG command_id = 0;
  LONG insertion_point = 0;
  LONG flags = 0;          // MF_GRAYED, MF_CHECKED, MF_POPUP, MF_SEPARATOR…
  LONG special_flags = 0;  // CCM_SPECIAL_…
  bool console_item = false;
  MMC_CONSOLE_VERB verb = MMC_VERB_NONE;  // a console item that runs a verb
  bool new_window = false;                // the console item "New Window from Here"
};

struct MessageViewState {
  std::wstring title;
  std::wstring body;
  IconIdentifier icon = Icon_None;
};

struct ViewState {
  int id = 0;
  HSCOPEITEM selected_scope_item = 0;
  std::vector<HSCOPEITEM> expanded;  // shown expanded in this view's tree
  ResultPaneKind kind = ResultPaneKind::kNone;
  LONG view_options = 0;
  std::wstring web_address;   // kWebPage
  CLSID control = GUID_NULL;  // kControl, kMessageView
  std::vector<ColumnState> columns;
  int row_count = 0;
  std::vector<int> selected_rows;
  int focused_row = -1;
  DWORD result_style = 0;  // MMC_RESULT_VIEW_STYLE bits
  LONG view_mode = MMCLV_VIEWSTYLE_REPORT;
  std::wstring description_bar;
  std::wstring status_text;
  MessageViewState message_view;
  std::vector<VerbState> verbs;
  MMC_CONSOLE_VERB default_verb = MMC_VERB_NONE;
  std::vector<ToolbarState> toolbars;
  std::uint64_t revision = 0;  // changes whenever the rows, texts or states may have changed
};

struct SheetState {
  SheetId id = 0;
  std::wstring title;
  bool scope = false;
  MMC_COOKIE cookie = 0;
};

struct ConsoleState {
  bool has_snapin = false;
  CLSID snapin = GUID_NULL;
  std::wstring snapin_name;
  std::string document_path;
  std::vector<ScopeItemState> tree;  // depth first, parents before children
  std::vector<ViewState> views;
  int active_view = 0;
  std::vector<SheetState> sheets;
};

}  // namespace pw::mmc
