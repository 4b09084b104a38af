// Context menus, verbs, toolbar buttons, property sheets and view changes reach the snap-in
// object that owns them, with the data object of the item they act on.
#include <gtest/gtest.h>

#include <thread>

#include "mmc/host/scope_console.h"
#include "tests/mmc/console_fixture.h"

namespace pw::mmc::test {
namespace {

using Entries = std::vector<std::wstring>;

class CommandsTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    Start();
    ASSERT_TRUE(session_->SelectScopeItem(1, kFolder).ok());
    Log();
  }

  static std::vector<std::wstring> Names(const std::vector<MenuItem>& items) {
    std::vector<std::wstring> names;
    for (const MenuItem& item : items) names.push_back(item.name);
    return names;
  }
};

// The scope item's menu comes from the component data (all insertion points allowed, a
// reserved command id refused) followed by the console's items; running the snap-in's item
// reaches the component data, whose UpdateAllViews reaches the components of both views.
TEST_F(CommandsTest, RunsScopeMenuItemsAndUpdatesEveryView) {
  int second = 0;
  ASSERT_TRUE(session_->NewView(kFolder, &second).ok());
  Log();
  std::vector<MenuItem> items;
  ASSERT_TRUE(session_->OpenContextMenu(1, 0, &items).ok());
  EXPECT_EQ(Log(), (Entries{L"CD.AddMenuItems do=1 allowed=15",
                            L"CD.AddMenuItems reserved id answer=-2147024809"}));
  EXPECT_EQ(Names(items), (Entries{L"New thing", L"Refresh all views", L"New &Window from Here",
                                   L"Rena&me", L"&Refresh", L"P&roperties"}));
  EXPECT_EQ(items[0].status_text, L"Makes a thing");
  EXPECT_EQ(items[0].insertion_point, CCM_INSERTIONPOINTID_PRIMARY_NEW);
  EXPECT_EQ(items[1].command_id, 2);
  EXPECT_FALSE(items[1].console_item);
  EXPECT_TRUE(items[2].new_window);
  EXPECT_EQ(items[5].verb, MMC_VERB_PROPERTIES);

  ASSERT_TRUE(session_->RunMenuItem(1, 1).ok());
  EXPECT_EQ(Log(), (Entries{
                       L"CD.Command 2 do=1",
                       L"C1.Notify VIEW_CHANGE do=1 arg=7 param=42",
                       L"C2.Notify VIEW_CHANGE do=1 arg=7 param=42",
                   }));
  // A menu runs one item; then it is gone.
  const OperationResult again = session_->RunMenuItem(1, 1);
  EXPECT_EQ(again.hr, E_INVALIDARG);
  EXPECT_EQ(again.error, L"There is no such menu item.");
}

// A result item's menu comes from the view's component; a grayed item does not run, and the
// menu of a tree item that is not selected has no verbs.
TEST_F(CommandsTest, RunsResultMenuItemsOnTheComponent) {
  ASSERT_TRUE(session_->SelectRows(1, {2}).ok());
  Log();
  std::vector<MenuItem> items;
  ASSERT_TRUE(session_->OpenContextMenu(1, 0, &items).ok());
  EXPECT_EQ(Names(items),
            (Entries{L"Item task", L"Unavailable", L"&Delete", L"Rena&me", L"P&roperties"}));
  EXPECT_EQ(session_->RunMenuItem(1, 1).error, L"This menu item is not available.");
  ASSERT_TRUE(session_->RunMenuItem(1, 0).ok());
  EXPECT_EQ(Log(), (Entries{L"C1.AddMenuItems do=102 allowed=15", L"C1.Command 3 do=102"}));

  ASSERT_TRUE(session_->OpenContextMenu(1, kRoot, &items).ok());
  EXPECT_EQ(Names(items), (Entries{L"New &Window from Here"}));
  EXPECT_EQ(Log(), (Entries{L"CD.QueryDataObject cookie=0 type=SCOPE",
                            L"CD.AddMenuItems do=0 allowed=15"}));
  ASSERT_TRUE(session_->RunMenuItem(1, 0).ok());
  const Entries log = Log();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[0], L"CD.CreateComponent");
  EXPECT_EQ(log[1], L"C2.Initialize result_data=1 header=1 column_data=1");
  EXPECT_EQ(State().views[1].selected_scope_item, kRoot);
}

// Properties open one sheet per item: a second request, from either view, brings it to the
// front after CompareObjects; another item gets its own sheet.
TEST_F(CommandsTest, OpensOneSheetPerItem) {
  ASSERT_TRUE(session_->SelectRows(1, {2}).ok());
  Log();
  ASSERT_TRUE(session_->RunVerb(1, MMC_VERB_PROPERTIES).ok());
  EXPECT_EQ(Log(),
            (Entries{L"C1.QueryPagesFor do=102", L"C1.CreatePropertyPages do=102 handle=1"}));
  ASSERT_EQ(ui_.sheets.size(), 1u);
  EXPECT_EQ(ui_.sheets[0].title, L"Beta");
  EXPECT_EQ(ui_.sheets[0].options, 0u);

  ASSERT_TRUE(session_->RunVerb(1, MMC_VERB_PROPERTIES).ok());
  EXPECT_EQ(Log(), (Entries{L"C1.QueryPagesFor do=102", L"C1.CompareObjects 102 102"}));
  EXPECT_EQ(ui_.sheets.size(), 1u);
  EXPECT_EQ(ui_.sheets[0].brought_to_front, 1);

  int second = 0;
  ASSERT_TRUE(session_->NewView(kFolder, &second).ok());
  ASSERT_TRUE(session_->SelectRows(second, {2}).ok());
  Log();
  ASSERT_TRUE(session_->RunVerb(second, MMC_VERB_PROPERTIES).ok());
  EXPECT_EQ(Log(), (Entries{L"C2.QueryPagesFor do=102", L"C2.CompareObjects 102 102"}));
  EXPECT_EQ(ui_.sheets[0].brought_to_front, 2);

  ASSERT_TRUE(session_->SelectRows(1, {3}).ok());
  ASSERT_TRUE(session_->RunVerb(1, MMC_VERB_PROPERTIES).ok());
  ASSERT_EQ(ui_.sheets.size(), 2u);
  EXPECT_EQ(ui_.sheets[1].title, L"Gamma");
  ConsoleState state = State();
  ASSERT_EQ(state.sheets.size(), 2u);
  EXPECT_EQ(state.sheets[1].cookie, 103);
  EXPECT_FALSE(state.sheets[1].scope);

  // A closed sheet is forgotten: the next request opens a new one.
  const SheetId first = ui_.sheets[0].id;
  ASSERT_TRUE(session_->Run([&](Console&) { return ui_.CloseSheet(first); }).ok());
  EXPECT_EQ(State().sheets.size(), 1u);
}

// A page's apply posts MMCPropertyChangeNotify; MMCN_PROPERTY_CHANGE reaches the object that
// made the pages only after the apply has returned — the component for a result item, the
// component data (arg TRUE) for a scope item. A freed handle is dead.
TEST_F(CommandsTest, DeliversPropertyChangesAfterTheApply) {
  ASSERT_TRUE(session_->RunVerb(1, MMC_VERB_PROPERTIES).ok());
  ASSERT_TRUE(session_->SelectRows(1, {1}).ok());
  ASSERT_TRUE(session_->RunVerb(1, MMC_VERB_PROPERTIES).ok());
  ASSERT_EQ(ui_.sheets.size(), 2u);
  Log();
  const SheetId scope_sheet = ui_.sheets[0].id;
  const SheetId result_sheet = ui_.sheets[1].id;
  ASSERT_TRUE(session_->Run([&](Console&) { return ui_.Apply(result_sheet); }).ok());
  EXPECT_EQ(Log(), (Entries{
                       L"Page.Apply Alpha",
                       L"Page.Applied Alpha notify=0",
                       L"C1.Notify PROPERTY_CHANGE do=null arg=0 param=101",
                   }));
  ASSERT_TRUE(session_->Run([&](Console&) { return ui_.Apply(scope_sheet); }).ok());
  EXPECT_EQ(Log(), (Entries{
                       L"Page.Apply Folder",
                       L"Page.Applied Folder notify=0",
                       L"CD.Notify PROPERTY_CHANGE do=null arg=1 param=1",
                   }));

  // Pages may apply and end on another thread; the notification still arrives on the console
  // thread, and the freed handle answers E_INVALIDARG afterwards.
  TestPage* page = nullptr;
  ASSERT_TRUE(session_
                  ->Run([&](Console&) {
                    page = TestPageFromHandle(ui_.Find(result_sheet)->pages[0]);
                    return S_OK;
                  })
                  .ok());
  std::thread([page] {
    page->apply();
    page->destroy();
    page->apply();
  }).join();
  ASSERT_TRUE(session_->Run([](Console&) { return S_OK; }).ok());
  // The console thread may hear of the change while the other thread still runs; exactly one
  // notification arrives, for the apply made while the handle lived.
  const Entries log = Log();
  EXPECT_EQ(Only(log, L"Page."), (Entries{
                                     L"Page.Apply Alpha",
                                     L"Page.Applied Alpha notify=0",
                                     L"Page.Destroy Alpha free=0",
                                     L"Page.Apply Alpha",
                                     L"Page.Applied Alpha notify=-2147024809",
                                 }));
  EXPECT_EQ(Only(log, L"C1."), (Entries{L"C1.Notify PROPERTY_CHANGE do=null arg=0 param=101"}));
}

// A snap-in whose CreatePropertyPages fails gets no sheet; the console frees the handle before
// the pages it had added are destroyed.
TEST_F(CommandsTest, FreesTheHandleWhenPagesFail) {
  state_->fail_create_pages = true;
  ASSERT_TRUE(session_->SelectRows(1, {2}).ok());
  Log();
  const OperationResult result = session_->RunVerb(1, MMC_VERB_PROPERTIES);
  EXPECT_EQ(result.hr, E_FAIL);
  EXPECT_EQ(result.error, L"The snap-in reported an error (0x80004005).");
  EXPECT_EQ(Log(), (Entries{
                       L"C1.QueryPagesFor do=102",
                       L"C1.CreatePropertyPages do=102 handle=1",
                       L"Page.Destroy Beta free=-2147024809",
                   }));
  EXPECT_TRUE(ui_.sheets.empty());
  EXPECT_EQ(ui_.destroyed_pages, 1);
  EXPECT_TRUE(State().sheets.empty());
}

// A snap-in opens sheets itself through the node manager it creates with CoCreateInstance,
// and finds them again with FindPropertySheet.
TEST_F(CommandsTest, LetsSnapInsOpenSheetsThroughTheNodeManager) {
  HRESULT found_before = E_FAIL;
  HRESULT found_after = E_FAIL;
  ASSERT_TRUE(session_
                  ->Run([&](Console& console) {
                    IComponent* component = console.FindView(1)->component();
                    ComPtr<IDataObject> item;
                    component->QueryDataObject(103, CCT_RESULT, item.GetAddressOf());
                    ComPtr<IPropertySheetProvider> provider;
                    HRESULT hr = CreateInstance(CLSID_NodeManager, &provider);
                    if (FAILED(hr)) return hr;
                    found_before = provider->FindPropertySheet(103, component, item.Get());
                    hr = provider->CreatePropertySheet(L"Gamma", TRUE, 103, item.Get(), 0);
                    if (SUCCEEDED(hr))
                      hr = provider->AddPrimaryPages(component, TRUE, nullptr, FALSE);
                    if (SUCCEEDED(hr)) hr = provider->Show(0, 0);
                    ComPtr<IPropertySheetProvider> another;
                    CreateInstance(CLSID_NodeManager, &another);
                    found_after = another->FindPropertySheet(103, component, item.Get());
                    return hr;
                  })
                  .ok());
  EXPECT_EQ(found_before, S_FALSE);
  EXPECT_EQ(found_after, S_OK);
  ASSERT_EQ(ui_.sheets.size(), 1u);
  EXPECT_EQ(ui_.sheets[0].title, L"Gamma");
  EXPECT_EQ(ui_.sheets[0].brought_to_front, 1);
  EXPECT_EQ(Log(), (Entries{
                       L"C1.QueryDataObject cookie=103 type=RESULT",
                       L"C1.CreatePropertyPages do=103 handle=1",
                       L"C1.CompareObjects 103 103",
                   }));
}

// Toolbar buttons reach the snap-in object that created the toolbar, with the selection's
// data object; disabled, unknown and detached buttons are refused.
TEST_F(CommandsTest, PressesToolbarButtons) {
  ASSERT_TRUE(session_->PressToolbarButton(1, 0, 11).ok());
  EXPECT_EQ(Log(), (Entries{L"C1.ControlbarNotify BTN_CLICK do=1 button=11"}));
  ASSERT_TRUE(session_->SelectRows(1, {1}).ok());
  Log();
  ASSERT_TRUE(session_->PressToolbarButton(1, 0, 11).ok());
  EXPECT_EQ(Log(), (Entries{L"C1.ControlbarNotify BTN_CLICK do=101 button=11"}));
  EXPECT_EQ(session_->PressToolbarButton(1, 0, 12).error, L"This toolbar button is not available.");
  EXPECT_EQ(session_->PressToolbarButton(1, 0, 99).error, L"There is no such toolbar button.");
  ASSERT_TRUE(session_->SelectScopeItem(1, kVirtual).ok());
  EXPECT_FALSE(State().views[0].toolbars[0].attached);
  EXPECT_EQ(session_->PressToolbarButton(1, 0, 11).error, L"There is no such toolbar button.");
  EXPECT_TRUE(Only(Log(), L"C1.ControlbarNotify BTN_CLICK").empty());
}

// Verbs: only enabled ones run; rename goes to the component data for scope items and to the
// component for result items; delete and refresh go to the component.
TEST_F(CommandsTest, RunsVerbsOnTheirObjects) {
  const OperationResult refused = session_->RunVerb(1, MMC_VERB_DELETE);
  EXPECT_EQ(refused.hr, E_ACCESSDENIED);
  EXPECT_EQ(refused.error, L"This command is not available for the selection.");
  ASSERT_TRUE(session_->RunVerb(1, MMC_VERB_REFRESH).ok());
  ASSERT_TRUE(session_->RunVerb(1, MMC_VERB_RENAME, L"Renamed folder").ok());
  EXPECT_EQ(Log(), (Entries{L"C1.Notify REFRESH do=1 arg=0 param=0",
                            L"CD.Notify RENAME do=1 arg=0 name=Renamed folder"}));

  ASSERT_TRUE(session_->SelectRows(1, {2}).ok());
  Log();
  const OperationResult declined = session_->RunVerb(1, MMC_VERB_RENAME, L"");
  EXPECT_EQ(declined.hr, S_FALSE);
  ASSERT_TRUE(session_->RunVerb(1, MMC_VERB_DELETE).ok());
  // The snap-in deleted the selected item: it is not deselected, the scope item is selected.
  EXPECT_EQ(Log(), (Entries{
                       L"C1.Notify RENAME do=102 name=",
                       L"C1.Notify DELETE do=102 arg=0 param=0",
                       L"C1.Notify SELECT do=1 scope=1 select=1 verbs=reset",
                       L"C1.ControlbarNotify SELECT do=1 scope=1 select=1",
                   }));
  std::vector<RowData> rows;
  ASSERT_TRUE(session_->ReadRows(1, 0, 9, &rows).ok());
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[2].texts[0], L"Gamma");
}

// Double click: MMCN_DBLCLICK first; when the snap-in leaves it to the console, the default
// verb runs (Properties for an item, opening for a scope row).
TEST_F(CommandsTest, RunsTheDefaultVerbOnDoubleClick) {
  ASSERT_TRUE(session_->SelectRows(1, {1}).ok());
  Log();
  ASSERT_TRUE(session_->DefaultAction(1).ok());
  EXPECT_EQ(Log(), (Entries{
                       L"C1.Notify DBLCLICK do=101 arg=0 param=0",
                       L"C1.QueryPagesFor do=101",
                       L"C1.CreatePropertyPages do=101 handle=1",
                   }));
  ASSERT_EQ(ui_.sheets.size(), 1u);

  ASSERT_TRUE(session_->SelectRows(1, {0}).ok());
  Log();
  ASSERT_TRUE(session_->DefaultAction(1).ok());
  const Entries log = Log();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[0], L"C1.Notify DBLCLICK do=4 arg=0 param=0");
  const ViewState view = State().views[0];
  EXPECT_EQ(view.selected_scope_item, kSub);
  EXPECT_EQ(view.expanded, (std::vector<HSCOPEITEM>{kRoot, kFolder, kSub}));
}

// Expanding in the tree sends MMCN_EXPAND once per item; collapsing and expanding again send
// nothing. A second window and closing it.
TEST_F(CommandsTest, ExpandsOnceAndClosesViews) {
  ASSERT_TRUE(session_->Expand(1, kVirtual, true).ok());
  EXPECT_EQ(Log(), (Entries{L"CD.QueryDataObject cookie=2 type=SCOPE",
                            L"CD.Notify EXPAND do=2 arg=1 param=3"}));
  ASSERT_TRUE(session_->Expand(1, kVirtual, false).ok());
  ASSERT_TRUE(session_->Expand(1, kVirtual, true).ok());
  EXPECT_TRUE(Log().empty());
  EXPECT_EQ(State().views[0].expanded, (std::vector<HSCOPEITEM>{kRoot, kVirtual}));

  int second = 0;
  ASSERT_TRUE(session_->NewView(0, &second).ok());
  Log();
  ASSERT_TRUE(session_->CloseView(second).ok());
  EXPECT_EQ(Log(), (Entries{
                       L"C2.Notify SELECT do=0 scope=1 select=0",
                       L"C2.ControlbarNotify SELECT do=0 scope=1 select=0",
                       L"C2.Notify SHOW do=0 arg=0 param=1",
                       L"C2.SetControlbar null",
                       L"C2.Destroy",
                       L"C2.Released",
                   }));
  EXPECT_EQ(session_->CloseView(1).error,
            L"The last window of the console cannot be closed on its own.");
  EXPECT_EQ(session_->SelectScopeItem(7, kRoot).error, L"There is no such window.");
}

// The name space as the snap-in walks it: children in order with their cookies, parents, the
// "expanded once" state, Expand that only sends the first MMCN_EXPAND, and no items at the top.
TEST_F(CommandsTest, EnumeratesTheNameSpace) {
  std::vector<std::pair<HSCOPEITEM, MMC_COOKIE>> walked;
  HRESULT after_last = E_FAIL;
  HRESULT unknown = S_OK;
  HRESULT top_level = S_OK;
  UINT state = 0;
  HSCOPEITEM parent = 0;
  ASSERT_TRUE(session_
                  ->Run([&](Console& console) {
                    ComPtr<IConsoleNameSpace2> name_space(console.scope_console());
                    HSCOPEITEM item = 0;
                    MMC_COOKIE cookie = 0;
                    HRESULT hr = name_space->GetChildItem(kRoot, &item, &cookie);
                    while (hr == S_OK && item != 0) {
                      walked.emplace_back(item, cookie);
                      hr = name_space->GetNextItem(item, &item, &cookie);
                    }
                    after_last = hr;
                    unknown = name_space->GetChildItem(99, &item, &cookie);
                    name_space->GetParentItem(kSub, &parent, &cookie);
                    SCOPEDATAITEM top;
                    top.mask = SDI_STR | SDI_PARAM;
                    top.displayname = MMC_CALLBACK;
                    top_level = name_space->InsertItem(&top);
                    name_space->Expand(kMessage);
                    name_space->Expand(kMessage);
                    SCOPEDATAITEM asked;
                    asked.mask = SDI_STATE;
                    asked.ID = kMessage;
                    name_space->GetItem(&asked);
                    state = asked.nState;
                    return S_OK;
                  })
                  .ok());
  EXPECT_EQ(walked, (std::vector<std::pair<HSCOPEITEM, MMC_COOKIE>>{{kFolder, kFolderCookie},
                                                                    {kVirtual, kVirtualCookie},
                                                                    {kMessage, kMessageCookie},
                                                                    {kWeb, kWebCookie}}));
  EXPECT_EQ(after_last, S_FALSE);
  EXPECT_EQ(unknown, E_INVALIDARG);
  EXPECT_EQ(parent, kFolder);
  EXPECT_EQ(top_level, E_INVALIDARG);
  EXPECT_EQ(state, static_cast<UINT>(MMC_SCOPE_ITEM_STATE_EXPANDEDONCE));
  EXPECT_EQ(Log(), (Entries{L"CD.QueryDataObject cookie=3 type=SCOPE",
                            L"CD.Notify EXPAND do=3 arg=1 param=4"}));
}

// Deleting the scope item a view shows selects its nearest remaining ancestor, without
// notifications about the items that are gone.
TEST_F(CommandsTest, MovesOffDeletedScopeItems) {
  ASSERT_TRUE(session_->SelectScopeItem(1, kSub).ok());
  Log();
  ASSERT_TRUE(
      session_->Run([](Console& console) { return console.DeleteScopeItem(kFolder, true); }).ok());
  EXPECT_EQ(Log(), (Entries{
                       L"CD.QueryDataObject cookie=0 type=SCOPE",
                       L"C1.GetResultViewType cookie=0",
                       L"C1.Notify ADD_IMAGES do=0 images=1 param=1",
                       L"C1.Notify SHOW do=0 arg=1 param=1",
                       L"C1.Notify SELECT do=0 scope=1 select=1 verbs=reset",
                       L"C1.ControlbarNotify SELECT do=0 scope=1 select=1",
                   }));
  const ConsoleState state = State();
  EXPECT_EQ(state.views[0].selected_scope_item, kRoot);
  EXPECT_EQ(state.views[0].row_count, 3);
  EXPECT_EQ(state.tree.size(), 4u);
}

}  // namespace
}  // namespace pw::mmc::test
