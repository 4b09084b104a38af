// Selecting scope items and rows notifies the snap-in in the management console's order, and
// the result panes (lists, virtual lists, message view, web page) are what it asked for.
#include <gtest/gtest.h>

#include "tests/mmc/console_fixture.h"

namespace pw::mmc::test {
namespace {

using Entries = std::vector<std::wstring>;

class SelectionTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    Start();
  }
};

// Another scope item: the old one deselected and hidden, then the new one's data object,
// first expansion, view type, images, show, verbs reset and select — and on reselection the
// view type is asked again but MMCN_EXPAND is not sent twice.
TEST_F(SelectionTest, SelectsScopeItemsInConsoleOrder) {
  ASSERT_TRUE(session_->SelectScopeItem(1, kFolder).ok());
  EXPECT_EQ(Log(), (Entries{
                       L"C1.Notify SELECT do=0 scope=1 select=0",
                       L"C1.ControlbarNotify SELECT do=0 scope=1 select=0",
                       L"C1.Notify SHOW do=0 arg=0 param=1",
                       L"CD.QueryDataObject cookie=1 type=SCOPE",
                       L"CD.Notify EXPAND do=1 arg=1 param=2",
                       L"C1.GetResultViewType cookie=1",
                       L"C1.Notify ADD_IMAGES do=1 images=1 param=2",
                       L"C1.Notify SHOW do=1 arg=1 param=2",
                       L"C1.Notify SELECT do=1 scope=1 select=1 verbs=reset",
                       L"C1.ControlbarNotify SELECT do=1 scope=1 select=1",
                   }));
  ASSERT_TRUE(session_->SelectScopeItem(1, kFolder).ok());
  EXPECT_EQ(Log(), (Entries{
                       L"C1.Notify SELECT do=1 scope=1 select=0",
                       L"C1.ControlbarNotify SELECT do=1 scope=1 select=0",
                       L"C1.Notify SHOW do=1 arg=0 param=2",
                       L"CD.QueryDataObject cookie=1 type=SCOPE",
                       L"C1.GetResultViewType cookie=1",
                       L"C1.Notify ADD_IMAGES do=1 images=1 param=2",
                       L"C1.Notify SHOW do=1 arg=1 param=2",
                       L"C1.Notify SELECT do=1 scope=1 select=1 verbs=reset",
                       L"C1.ControlbarNotify SELECT do=1 scope=1 select=1",
                   }));
  const ConsoleState state = State();
  const ViewState& view = state.views[0];
  EXPECT_EQ(view.selected_scope_item, kFolder);
  EXPECT_EQ(view.description_bar, L"3 items");
  EXPECT_EQ(view.default_verb, MMC_VERB_PROPERTIES);
  EXPECT_EQ(view.verbs[MMC_VERB_REFRESH - MMC_VERB_FIRST].state, static_cast<DWORD>(ENABLED));
  EXPECT_EQ(view.verbs[MMC_VERB_DELETE - MMC_VERB_FIRST].state, static_cast<DWORD>(HIDDEN));
  // The toolbar the snap-in attached for "Folder", with its buttons as added.
  ASSERT_EQ(view.toolbars.size(), 1u);
  EXPECT_TRUE(view.toolbars[0].attached);
  ASSERT_EQ(view.toolbars[0].buttons.size(), 2u);
  EXPECT_EQ(view.toolbars[0].buttons[0].text, L"Go");
  EXPECT_EQ(view.toolbars[0].buttons[1].command, 12);
  // The tree shows the path to the selection; an unknown item is refused.
  EXPECT_EQ(view.expanded, (std::vector<HSCOPEITEM>{kRoot}));
  const OperationResult refused = session_->SelectScopeItem(1, 99);
  EXPECT_EQ(refused.hr, E_INVALIDARG);
  EXPECT_EQ(refused.error, L"There is no such item in the tree.");
  EXPECT_TRUE(Log().empty());
}

// Rows of a regular list: the scope children first, then the items drawn by GetDisplayInfo;
// selecting one deselects the scope item and asks the component for the row's data object.
TEST_F(SelectionTest, SelectsRowsOfARegularList) {
  ASSERT_TRUE(session_->SelectScopeItem(1, kFolder).ok());
  Log();
  std::vector<RowData> rows;
  ASSERT_TRUE(session_->ReadRows(1, 0, 10, &rows).ok());
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_TRUE(rows[0].scope);
  EXPECT_EQ(rows[0].scope_id, kSub);
  EXPECT_EQ(rows[0].texts, (Entries{L"Sub", L"About Sub"}));
  EXPECT_EQ(rows[1].texts, (Entries{L"Alpha", L"About Alpha"}));
  EXPECT_EQ(rows[1].item_id, 1);
  EXPECT_EQ(rows[3].texts, (Entries{L"Gamma", L"About Gamma"}));
  EXPECT_EQ(rows[3].image, 3);
  Log();

  ASSERT_TRUE(session_->SelectRows(1, {2}).ok());
  EXPECT_EQ(Log(), (Entries{
                       L"C1.Notify SELECT do=1 scope=1 select=0",
                       L"C1.ControlbarNotify SELECT do=1 scope=1 select=0",
                       L"C1.QueryDataObject cookie=102 type=RESULT",
                       L"C1.Notify SELECT do=102 scope=0 select=1 verbs=reset",
                       L"C1.ControlbarNotify SELECT do=102 scope=0 select=1",
                   }));
  ASSERT_TRUE(session_->SelectRows(1, {3}).ok());
  EXPECT_EQ(Log(), (Entries{
                       L"C1.Notify SELECT do=102 scope=0 select=0",
                       L"C1.ControlbarNotify SELECT do=102 scope=0 select=0",
                       L"C1.QueryDataObject cookie=103 type=RESULT",
                       L"C1.Notify SELECT do=103 scope=0 select=1 verbs=reset",
                       L"C1.ControlbarNotify SELECT do=103 scope=0 select=1",
                   }));
  // A single-selection list takes the first of several rows; no rows selects the scope item.
  ASSERT_TRUE(session_->SelectRows(1, {1, 2}).ok());
  ViewState view = State().views[0];
  EXPECT_EQ(view.selected_rows, (std::vector<int>{1}));
  Log();
  ASSERT_TRUE(session_->SelectRows(1, {}).ok());
  EXPECT_EQ(Log(), (Entries{
                       L"C1.Notify SELECT do=101 scope=0 select=0",
                       L"C1.ControlbarNotify SELECT do=101 scope=0 select=0",
                       L"C1.Notify SELECT do=1 scope=1 select=1 verbs=reset",
                       L"C1.ControlbarNotify SELECT do=1 scope=1 select=1",
                   }));
  EXPECT_EQ(session_->SelectRows(1, {4}).error, L"There is no such row in the list.");
}

// An owner-data list draws only the rows asked for, after CacheHint for exactly that range,
// with nIndex and no lParam.
TEST_F(SelectionTest, DrawsOnlyTheVisibleRowsOfAVirtualList) {
  ASSERT_TRUE(session_->SelectScopeItem(1, kVirtual).ok());
  Log();
  ViewState view = State().views[0];
  EXPECT_EQ(view.kind, ResultPaneKind::kVirtualList);
  EXPECT_EQ(view.row_count, 1000);
  EXPECT_EQ(view.view_options, MMC_VIEW_OPTIONS_OWNERDATALIST | MMC_VIEW_OPTIONS_MULTISELECT);
  std::vector<RowData> rows;
  ASSERT_TRUE(session_->ReadRows(1, 10, 12, &rows).ok());
  EXPECT_EQ(Log(), (Entries{
                       L"C1.CacheHint 10 12",
                       L"C1.GetDisplayInfo row=10 col=0",
                       L"C1.GetDisplayInfo row=10 col=1",
                       L"C1.GetDisplayInfo row=11 col=0",
                       L"C1.GetDisplayInfo row=11 col=1",
                       L"C1.GetDisplayInfo row=12 col=0",
                       L"C1.GetDisplayInfo row=12 col=1",
                   }));
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].index, 10);
  EXPECT_EQ(rows[2].texts, (Entries{L"Row 12", L"Value 120"}));
  // A range past the end is clamped; a start past it is refused.
  ASSERT_TRUE(session_->ReadRows(1, 998, 2000, &rows).ok());
  EXPECT_EQ(rows.size(), 2u);
  EXPECT_EQ(Log().front(), L"C1.CacheHint 998 999");
  EXPECT_EQ(session_->ReadRows(1, 1000, 1001, &rows).hr, E_INVALIDARG);
  EXPECT_TRUE(Log().empty());
}

// Several rows of a multi-selection list: the component is asked for its multi-selection data
// object (it walks the selection with GetNextItem), and the console's composite data object
// carrying it goes with MMCN_SELECT, the controlbar, verbs and MMCN_DELETE.
TEST_F(SelectionTest, WrapsMultipleSelectionsInTheCompositeDataObject) {
  ASSERT_TRUE(session_->SelectScopeItem(1, kVirtual).ok());
  ASSERT_TRUE(session_->SelectRows(1, {3}).ok());
  Log();
  ASSERT_TRUE(session_->SelectRows(1, {3, 5, 8}).ok());
  EXPECT_EQ(Log(), (Entries{
                       L"C1.Notify SELECT do=3 scope=0 select=0",
                       L"C1.ControlbarNotify SELECT do=3 scope=0 select=0",
                       L"C1.QueryDataObject cookie=-2 type=RESULT",
                       L"C1.Notify SELECT do=console[multi[3,5,8]] scope=0 select=1 verbs=reset",
                       L"C1.ControlbarNotify SELECT do=console[multi[3,5,8]] scope=0 select=1",
                   }));
  EXPECT_EQ(State().views[0].verbs[MMC_VERB_DELETE - MMC_VERB_FIRST].state,
            static_cast<DWORD>(ENABLED));
  ASSERT_TRUE(session_->RunVerb(1, MMC_VERB_DELETE).ok());
  // The snap-in removed three rows and cleared the selection while handling MMCN_DELETE; it
  // hears of that once its call has returned, and the scope item is selected again.
  EXPECT_EQ(Log(), (Entries{
                       L"C1.Notify DELETE do=console[multi[3,5,8]] arg=0 param=0",
                       L"C1.Notify SELECT do=console[multi[3,5,8]] scope=0 select=0",
                       L"C1.ControlbarNotify SELECT do=console[multi[3,5,8]] scope=0 select=0",
                       L"C1.Notify SELECT do=2 scope=1 select=1 verbs=reset",
                       L"C1.ControlbarNotify SELECT do=2 scope=1 select=1",
                   }));
  const ViewState view = State().views[0];
  EXPECT_EQ(view.row_count, 997);
  EXPECT_TRUE(view.selected_rows.empty());
}

// The images a snap-in adds on MMCN_ADD_IMAGES are copied into the view's result image list:
// a strip cut into its square images with the mask colour transparent, and an icon.
TEST_F(SelectionTest, KeepsTheResultImages) {
  ImagePixels square;
  ImagePixels diagonal;
  ImagePixels frame;
  bool large = false;
  ASSERT_TRUE(session_
                  ->Run([&](Console& console) {
                    const ConsoleImageList* images = console.FindView(1)->result_images();
                    if (images->SmallImage(10) == nullptr || images->SmallImage(11) == nullptr ||
                        images->SmallImage(20) == nullptr) {
                      return E_FAIL;
                    }
                    square = *images->SmallImage(10);
                    diagonal = *images->SmallImage(11);
                    frame = *images->SmallImage(20);
                    large = images->LargeImage(11) != nullptr && images->SmallImage(12) == nullptr;
                    return S_OK;
                  })
                  .ok());
  EXPECT_TRUE(large);
  ASSERT_EQ(square.width, 16);
  ASSERT_EQ(square.pixels.size(), 256u);
  EXPECT_EQ(square.pixels[0], 0u);
  EXPECT_EQ(square.pixels[5 * 16 + 5], 0xFFFF0000u);
  EXPECT_EQ(diagonal.pixels[3 * 16 + 3], 0xFF0000FFu);
  EXPECT_EQ(diagonal.pixels[1 * 16 + 0], 0u);
  EXPECT_EQ(frame.pixels[0], 0xFF000000u);
  EXPECT_EQ(frame.pixels[5 * 16 + 5] >> 24, 0u);
}

// The message view and a web page as result panes.
TEST_F(SelectionTest, ShowsMessageViewsAndWebPages) {
  ASSERT_TRUE(session_->SelectScopeItem(1, kMessage).ok());
  ViewState view = State().views[0];
  EXPECT_EQ(view.kind, ResultPaneKind::kMessageView);
  EXPECT_EQ(view.control, CLSID_MessageView);
  EXPECT_EQ(view.message_view.title, L"No data");
  EXPECT_EQ(view.message_view.body, L"Nothing to show here.");
  EXPECT_EQ(view.message_view.icon, Icon_Information);
  std::vector<RowData> rows;
  EXPECT_EQ(session_->ReadRows(1, 0, 0, &rows).hr, E_UNEXPECTED);

  ASSERT_TRUE(session_->SelectScopeItem(1, kWeb).ok());
  view = State().views[0];
  EXPECT_EQ(view.kind, ResultPaneKind::kWebPage);
  EXPECT_EQ(view.web_address, kWebAddress);
  EXPECT_EQ(view.message_view.title, L"");
}

// Sorting a regular list goes through MMCN_COLUMN_CLICK and IResultDataCompare (the console
// reverses for descending); a virtual list is sorted by the snap-in; the header style
// MMC_NOSORTHEADER refuses sorting.
TEST_F(SelectionTest, SortsLists) {
  ASSERT_TRUE(session_->SelectScopeItem(1, kFolder).ok());
  ASSERT_TRUE(session_->SelectRows(1, {1}).ok());
  Log();
  ASSERT_TRUE(session_->Sort(1, 0, true).ok());
  EXPECT_EQ(Log(), (Entries{L"C1.Notify COLUMN_CLICK do=1 arg=0 param=1"}));
  std::vector<RowData> rows;
  ASSERT_TRUE(session_->ReadRows(1, 0, 3, &rows).ok());
  EXPECT_EQ(rows[0].texts[0], L"Sub");
  EXPECT_EQ(rows[1].texts[0], L"Gamma");
  EXPECT_EQ(rows[2].texts[0], L"Beta");
  EXPECT_EQ(rows[3].texts[0], L"Alpha");
  // The selection moved with its item and no notification was needed.
  EXPECT_EQ(State().views[0].selected_rows, (std::vector<int>{3}));
  EXPECT_TRUE(Log().empty());

  ASSERT_TRUE(session_->SelectScopeItem(1, kVirtual).ok());
  Log();
  ASSERT_TRUE(session_->Sort(1, 1, true).ok());
  EXPECT_EQ(Log(), (Entries{L"C1.Notify COLUMN_CLICK do=2 arg=1 param=1",
                            L"C1.SortItems column=1 options=1"}));
  ASSERT_TRUE(session_->ReadRows(1, 0, 0, &rows).ok());
  EXPECT_EQ(rows[0].texts[0], L"Row 999");

  ASSERT_TRUE(session_->SelectScopeItem(1, kRoot).ok());
  Log();
  const OperationResult refused = session_->Sort(1, 0, false);
  EXPECT_EQ(refused.hr, E_UNEXPECTED);
  EXPECT_EQ(refused.error, L"This list cannot be sorted.");
  EXPECT_TRUE(Log().empty());
}

// Type-ahead in a virtual list asks FindItem (partial, wrapping, from the focused row) and
// selects what it finds; a regular list is searched by the console.
TEST_F(SelectionTest, FindsRowsByTypeAhead) {
  ASSERT_TRUE(session_->SelectScopeItem(1, kVirtual).ok());
  ASSERT_TRUE(session_->SelectRows(1, {20}).ok());
  Log();
  int found = -1;
  ASSERT_TRUE(session_->TypeAhead(1, L"Row 7", &found).ok());
  EXPECT_EQ(found, 70);
  const Entries log = Log();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), L"C1.FindItem text=Row 7 start=20 options=3");
  EXPECT_EQ(State().views[0].selected_rows, (std::vector<int>{70}));
  const OperationResult missing = session_->TypeAhead(1, L"Column", &found);
  EXPECT_EQ(missing.hr, S_FALSE);
  EXPECT_EQ(found, -1);

  ASSERT_TRUE(session_->SelectScopeItem(1, kFolder).ok());
  ASSERT_TRUE(session_->TypeAhead(1, L"gam", &found).ok());
  EXPECT_EQ(found, 3);
  ASSERT_TRUE(session_->TypeAhead(1, L"s", &found).ok());
  EXPECT_EQ(found, 0);
}

// The snap-in's own selection changes (ModifyItemState) reach it as notifications once its
// call has returned; SelectScopeItem from inside MMCN_EXPAND is ignored.
TEST_F(SelectionTest, NotifiesSelectionsTheSnapInMakes) {
  ASSERT_TRUE(session_->SelectScopeItem(1, kVirtual).ok());
  Log();
  ASSERT_TRUE(session_
                  ->Run([](Console& console) {
                    // What IResultData::ModifyItemState of the view's console object does.
                    return console.FindView(1)->ModifyItemState(7, 0, LVIS_SELECTED, 0);
                  })
                  .ok());
  EXPECT_EQ(Log(), (Entries{
                       L"C1.Notify SELECT do=2 scope=1 select=0",
                       L"C1.ControlbarNotify SELECT do=2 scope=1 select=0",
                       L"C1.QueryDataObject cookie=7 type=RESULT",
                       L"C1.Notify SELECT do=7 scope=0 select=1 verbs=reset",
                       L"C1.ControlbarNotify SELECT do=7 scope=0 select=1",
                   }));
  // The snap-in's SelectScopeItem(root) during the first expansion changed nothing.
  EXPECT_EQ(State().views[0].selected_scope_item, kVirtual);
}

}  // namespace
}  // namespace pw::mmc::test
