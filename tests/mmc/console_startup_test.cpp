// The console host starts, adds and shuts down a snap-in in the management console's order.
#include <gtest/gtest.h>

#include "tests/mmc/console_fixture.h"

namespace pw::mmc::test {
namespace {

using Entries = std::vector<std::wstring>;

class StartupTest : public ConsoleTest {};

// Adding a snap-in: snap-in manager check, Initialize, the static node, the first view and the
// first selection with the static node's first expansion, in exactly this order.
TEST_F(StartupTest, AddsSnapInInConsoleOrder) {
  const OperationResult added = session_->AddSnapIn(CLSID_TestSnapin);
  ASSERT_TRUE(added.ok()) << ToUtf8(added.error);
  EXPECT_EQ(Log(), (Entries{
                       L"CD.QueryDataObject cookie=0 type=SNAPIN_MANAGER",
                       L"CD.QueryPagesFor do=0 type=SNAPIN_MANAGER",
                       L"CD.Initialize console2=1 namespace2=1 images=1",
                       L"CD.QueryDataObject cookie=0 type=SCOPE",
                       L"CD.CreateComponent",
                       L"C1.Initialize result_data=1 header=1 column_data=1",
                       L"C1.SetControlbar set",
                       L"CD.QueryDataObject cookie=0 type=SCOPE",
                       L"CD.Notify EXPAND do=0 arg=1 param=1",
                       L"C1.GetResultViewType cookie=0",
                       L"C1.Notify ADD_IMAGES do=0 images=1 param=1",
                       L"C1.Notify SHOW do=0 arg=1 param=1",
                       L"C1.Notify SELECT do=0 scope=1 select=1 verbs=reset",
                       L"C1.ControlbarNotify SELECT do=0 scope=1 select=1",
                   }));
  const ConsoleState state = State();
  ASSERT_TRUE(state.has_snapin);
  EXPECT_EQ(state.snapin_name, L"Test Snap-in");
  // The static node is named from CCF_DISPLAY_NAME; its children by GetDisplayInfo.
  ASSERT_EQ(state.tree.size(), 5u);
  EXPECT_EQ(state.tree[0].name, L"Test Root");
  EXPECT_TRUE(state.tree[0].expanded_once);
  EXPECT_EQ(state.tree[0].children, (std::vector<HSCOPEITEM>{kFolder, kVirtual, kMessage, kWeb}));
  EXPECT_EQ(state.tree[1].name, L"Folder");
  EXPECT_TRUE(state.tree[1].has_expand_marker);
  EXPECT_EQ(state.tree[2].name, L"Virtual");
  EXPECT_FALSE(state.tree[2].has_expand_marker);
  ASSERT_EQ(state.views.size(), 1u);
  const ViewState& view = state.views[0];
  EXPECT_EQ(view.selected_scope_item, kRoot);
  EXPECT_EQ(view.kind, ResultPaneKind::kList);
  // The standard list shows the static node's children; the snap-in's columns and style.
  EXPECT_EQ(view.row_count, 4);
  ASSERT_EQ(view.columns.size(), 2u);
  EXPECT_EQ(view.columns[0].title, L"Option");
  EXPECT_EQ(view.columns[1].width, 500);
  EXPECT_EQ(view.result_style, static_cast<DWORD>(MMC_NOSORTHEADER));
  // Open is enabled but hidden, and the default verb.
  EXPECT_EQ(view.default_verb, MMC_VERB_OPEN);
  EXPECT_EQ(view.verbs[0].verb, MMC_VERB_OPEN);
  EXPECT_EQ(view.verbs[0].state, static_cast<DWORD>(ENABLED | HIDDEN));
}

// The console lists the registered snap-ins with their About information, skipping keys that
// are not class ids, and registers its node manager beside its own library.
TEST_F(StartupTest, ListsSnapInsAndRegistersTheNodeManager) {
  CRegKey stray;
  ASSERT_EQ(stray.Create(HKEY_LOCAL_MACHINE, std::wstring(kSnapInsKey) + L"\\NotAClassId"),
            ERROR_SUCCESS);
  const std::vector<SnapInInfo> snapins = ListSnapIns();
  ASSERT_EQ(snapins.size(), 1u);
  EXPECT_EQ(snapins[0].clsid, CLSID_TestSnapin);
  EXPECT_EQ(snapins[0].name, L"Test Snap-in");
  EXPECT_EQ(snapins[0].about, CLSID_TestSnapinAbout);
  EXPECT_FALSE(snapins[0].stand_alone);
  AboutInfo about;
  ASSERT_EQ(ReadAboutInfo(snapins[0].about, &about), S_OK);
  EXPECT_EQ(about.description, L"Records calls");
  EXPECT_EQ(about.provider, L"Console tests");
  EXPECT_EQ(about.version, L"1.0");

  CRegKey node_manager;
  ASSERT_EQ(node_manager.Open(HKEY_CLASSES_ROOT,
                              L"CLSID\\" + GuidToString(CLSID_NodeManager) + L"\\InprocServer32"),
            ERROR_SUCCESS);
  std::wstring path;
  ASSERT_EQ(node_manager.QueryStringValue(L"", &path), ERROR_SUCCESS);
  EXPECT_EQ(path, FromUtf8(pw::test::BinDir() + "/pwmmcnode.so"));
}

// A snap-in that is not in the console's list, or not creatable, is refused with a clear text
// and leaves the console empty.
TEST_F(StartupTest, RefusesUnregisteredSnapIns) {
  const CLSID unknown = GuidLiteral("00000000-1111-2222-3333-444444444444");
  OperationResult result = session_->AddSnapIn(unknown);
  EXPECT_EQ(result.hr, REGDB_E_CLASSNOTREG);
  EXPECT_EQ(result.error,
            L"The snap-in {00000000-1111-2222-3333-444444444444} is not "
            L"registered on this computer.");
  CRegKey snapin;
  ASSERT_EQ(
      snapin.Create(HKEY_LOCAL_MACHINE, std::wstring(kSnapInsKey) + L"\\" + GuidToString(unknown)),
      ERROR_SUCCESS);
  result = session_->AddSnapIn(unknown);
  EXPECT_EQ(result.hr, REGDB_E_CLASSNOTREG);
  EXPECT_EQ(result.error.rfind(L"The snap-in {00000000-1111-2222-3333-444444444444} could not be "
                               L"created (error 0x80040154).",
                               0),
            0u);
  EXPECT_FALSE(State().has_snapin);
  EXPECT_TRUE(Log().empty());
}

// With snap-in manager pages the console runs them as a wizard before Initialize; Finish
// goes on, Cancel abandons the add before the snap-in was initialised.
TEST_F(StartupTest, RunsTheAddWizard) {
  state_->snapin_manager_pages = true;
  ui_.finish_wizards = false;
  OperationResult result = session_->AddSnapIn(CLSID_TestSnapin);
  EXPECT_EQ(result.hr, kCancelledResult);
  EXPECT_EQ(result.error, L"Adding the snap-in was cancelled.");
  EXPECT_EQ(Log(), (Entries{
                       L"CD.QueryDataObject cookie=0 type=SNAPIN_MANAGER",
                       L"CD.QueryPagesFor do=0 type=SNAPIN_MANAGER",
                       L"CD.CreatePropertyPages do=0 handle=1",
                       L"Page.Destroy Welcome free=0",
                       L"CD.Released",
                   }));
  EXPECT_FALSE(State().has_snapin);

  ui_.finish_wizards = true;
  result = session_->AddSnapIn(CLSID_TestSnapin);
  ASSERT_TRUE(result.ok()) << ToUtf8(result.error);
  const Entries log = Log();
  ASSERT_GE(log.size(), 8u);
  // The page's change notification reaches the component data once the wizard is over.
  EXPECT_EQ(Entries(log.begin(), log.begin() + 8),
            (Entries{
                L"CD.QueryDataObject cookie=0 type=SNAPIN_MANAGER",
                L"CD.QueryPagesFor do=0 type=SNAPIN_MANAGER",
                L"CD.CreatePropertyPages do=0 handle=1",
                L"Page.Apply Welcome",
                L"Page.Applied Welcome notify=0",
                L"Page.Destroy Welcome free=0",
                L"CD.Initialize console2=1 namespace2=1 images=1",
                L"CD.QueryDataObject cookie=0 type=SCOPE",
            }));
  EXPECT_EQ(Only(log, L"CD.Notify PROPERTY_CHANGE"),
            (Entries{L"CD.Notify PROPERTY_CHANGE do=null arg=1 param=0"}));
  EXPECT_EQ(ui_.wizards, (std::vector<std::wstring>{L"Test Snap-in", L"Test Snap-in"}));
}

// Shutdown: deselect and hide, controlbar off, the dirty question, each view's Destroy and
// release, then the component data's, then the module is asked whether it can go.
TEST_F(StartupTest, ShutsDownInConsoleOrder) {
  Start();
  int second = 0;
  ASSERT_TRUE(session_->NewView(0, &second).ok());
  EXPECT_EQ(second, 2);
  Log();
  const OperationResult closed = session_->Close(ClosePolicy::kAsk);
  ASSERT_TRUE(closed.ok()) << ToUtf8(closed.error);
  EXPECT_EQ(Log(), (Entries{
                       L"C1.Notify SELECT do=0 scope=1 select=0",
                       L"C1.ControlbarNotify SELECT do=0 scope=1 select=0",
                       L"C1.Notify SHOW do=0 arg=0 param=1",
                       L"C1.SetControlbar null",
                       L"C2.Notify SELECT do=0 scope=1 select=0",
                       L"C2.ControlbarNotify SELECT do=0 scope=1 select=0",
                       L"C2.Notify SHOW do=0 arg=0 param=1",
                       L"C2.SetControlbar null",
                       L"CD.IsDirty",
                       L"C1.Destroy",
                       L"C1.Released",
                       L"C2.Destroy",
                       L"C2.Released",
                       L"CD.Destroy",
                       L"CD.Released",
                       L"Module.DllCanUnloadNow",
                   }));
  EXPECT_TRUE(ui_.message_boxes.empty());
  EXPECT_FALSE(State().has_snapin);
}

// A dirty snap-in makes the console ask; Cancel restores the views, No closes unsaved.
TEST_F(StartupTest, AsksAboutSavingADirtySnapIn) {
  Start();
  state_->dirty = true;
  ui_.answers = {IDCANCEL};
  OperationResult result = session_->Close(ClosePolicy::kAsk);
  EXPECT_EQ(result.hr, S_FALSE);
  ASSERT_EQ(ui_.message_boxes.size(), 1u);
  EXPECT_EQ(ui_.message_boxes[0].text, L"Save console settings to Console1?");
  EXPECT_EQ(ui_.message_boxes[0].title, L"Management Console");
  EXPECT_EQ(ui_.message_boxes[0].style, MB_YESNOCANCEL | MB_ICONQUESTION);
  const Entries log = Log();
  // Cancelled: the controlbar comes back and the static node is selected again.
  EXPECT_EQ(Only(log, L"C1.SetControlbar"),
            (Entries{L"C1.SetControlbar null", L"C1.SetControlbar set"}));
  EXPECT_EQ(log.back(), L"C1.ControlbarNotify SELECT do=0 scope=1 select=1");
  EXPECT_TRUE(State().has_snapin);

  ui_.answers = {IDNO};
  result = session_->Close(ClosePolicy::kAsk);
  EXPECT_TRUE(result.ok());
  EXPECT_TRUE(Only(Log(), L"CD.Save").empty());
  EXPECT_FALSE(State().has_snapin);
}

// The console does not close while a property sheet is open.
TEST_F(StartupTest, KeepsRunningWhileSheetsAreOpen) {
  Start();
  ASSERT_TRUE(session_->SelectScopeItem(1, kFolder).ok());
  ASSERT_TRUE(session_->RunVerb(1, MMC_VERB_PROPERTIES).ok());
  ASSERT_EQ(ui_.sheets.size(), 1u);
  Log();
  OperationResult result = session_->Close(ClosePolicy::kDiscard);
  EXPECT_EQ(result.hr, kSheetsOpenResult);
  EXPECT_EQ(result.error, L"Close all property sheets before closing the console.");
  ASSERT_EQ(ui_.message_boxes.size(), 1u);
  EXPECT_EQ(ui_.message_boxes[0].style, MB_OK | MB_ICONWARNING);
  EXPECT_TRUE(Log().empty());
  const SheetId sheet = ui_.sheets[0].id;
  ASSERT_TRUE(session_->Run([&](Console&) { return ui_.CloseSheet(sheet); }).ok());
  EXPECT_TRUE(session_->Close(ClosePolicy::kDiscard).ok());
}

// A session that ends with sheets open ends their pages first, while the snap-in still exists,
// then shuts the snap-in down without asking.
TEST_F(StartupTest, EndsOpenSheetsBeforeTheSnapIn) {
  Start();
  state_->dirty = true;
  ASSERT_TRUE(session_->SelectScopeItem(1, kFolder).ok());
  ASSERT_TRUE(session_->RunVerb(1, MMC_VERB_PROPERTIES).ok());
  Log();
  session_.reset();
  const Entries log = Log();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), L"Page.Destroy Folder free=0");
  EXPECT_EQ(log.back(), L"Module.DllCanUnloadNow");
  EXPECT_EQ(Only(log, L"CD."), (Entries{L"CD.Destroy", L"CD.Released"}));
  EXPECT_TRUE(ui_.message_boxes.empty());
}

}  // namespace
}  // namespace pw::mmc::test
