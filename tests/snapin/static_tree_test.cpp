// The static tree through the real console host: the root's name, the children of the root
// and of every container in order with their images and expand markers, the root's listing,
// verbs and menu, and the image strip in the console's image lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mmc/host/console.h"
#include "module/resources/resource.h"
#include "module/resources/select_computer.h"
#include "platform/com/strings.h"
#include "platform/ui/sheet_input.h"
#include "tests/support/snapin_console.h"

namespace pw::test {
namespace {

struct Child {
  std::wstring name;
  int image = 0;
  bool expand_marker = false;
  bool operator==(const Child&) const = default;
};

void PrintTo(const Child& child, std::ostream* out) {
  *out << pw::ToUtf8(child.name) << " image " << child.image << (child.expand_marker ? " +" : "");
}

class StaticTreeTest : public SnapinConsoleTest {
 protected:
  const pw::mmc::ScopeItemState* Item(const pw::mmc::ConsoleState& state, HSCOPEITEM id) {
    for (const auto& item : state.tree) {
      if (item.id == id) return &item;
    }
    ADD_FAILURE() << "no scope item " << id;
    return nullptr;
  }

  // The children of the item at `path` after expanding it, as the tree shows them.
  std::vector<Child> ChildrenOf(const std::vector<std::wstring>& path) {
    const HSCOPEITEM item = FindScopeItem(path);
    EXPECT_NE(item, 0);
    EXPECT_TRUE(session().Expand(kView, item).ok());
    const pw::mmc::ConsoleState state = State();
    std::vector<Child> children;
    const pw::mmc::ScopeItemState* parent = Item(state, item);
    if (parent == nullptr) return children;
    for (HSCOPEITEM id : parent->children) {
      const pw::mmc::ScopeItemState* child = Item(state, id);
      EXPECT_EQ(child->open_image, child->image) << pw::ToUtf8(child->name);
      children.push_back({child->name, child->image, child->has_expand_marker});
    }
    return children;
  }

  std::wstring RootName() {
    const HSCOPEITEM root = FindScopeItem({});
    const pw::mmc::ConsoleState state = State();
    const pw::mmc::ScopeItemState* item = Item(state, root);
    return item != nullptr ? item->name : L"";
  }

  std::vector<std::wstring> RootMenu() {
    std::vector<pw::mmc::MenuItem> items;
    EXPECT_TRUE(session().OpenContextMenu(kView, FindScopeItem({}), &items).ok());
    std::vector<std::wstring> names;
    for (const auto& item : items) {
      if (!item.console_item) names.push_back(item.name + L"|" + item.status_text);
    }
    return names;
  }
};

// A local server: the root is the title with "(Local)" and lists the twelve children in tree
// order, the containers with an expand marker.
TEST_F(StaticTreeTest, RootOfALocalServerHasTheTwelveChildrenInOrder) {
  MakeInstallation();
  ASSERT_TRUE(AddSnapIn().ok());
  EXPECT_EQ(RootName(), L"Pagewell Configuration (Local)");
  EXPECT_EQ(ChildrenOf({}), (std::vector<Child>{
                                {L"Lines/Devices", 6, false},
                                {L"Licensed users", 15, false},
                                {L"Routing", 11, true},
                                {L"Coverpages", 13, true},
                                {L"SMS", 21, true},
                                {L"ZudUzodoVezev2Eri", 19, false},
                                {L"Document conversion", 2, false},
                                {L"Sending Options", 25, false},
                                {L"Receiving Options", 26, false},
                                {L"Printers", 38, false},
                                {L"Advanced", 22, true},
                                {L"General", 1, true},
                            }));
  EXPECT_TRUE(ui_.message_boxes().empty());
}

// Each container inserts its own children in creation order; with the server's own user
// database "Advanced" leaves out the POP3 agent and keeps the mail connectors.
TEST_F(StaticTreeTest, ContainersInsertTheirChildrenInOrder) {
  MakeInstallation({.user_mode = 3});
  ASSERT_TRUE(AddSnapIn().ok());
  EXPECT_EQ(ChildrenOf({L"Routing"}), (std::vector<Child>{{L"CSID", 12, false},
                                                          {L"DTMF/DID", 12, false},
                                                          {L"OCR", 37, false},
                                                          {L"Line", 36, false},
                                                          {L"MSN", 12, false}}));
  EXPECT_EQ(ChildrenOf({L"Coverpages"}),
            (std::vector<Child>{{L"Coverpages", 27, false}, {L"Front covernotes", 27, false}}));
  EXPECT_EQ(ChildrenOf({L"SMS"}),
            (std::vector<Child>{{L"SMS Routing", 41, false}, {L"SMS Users", 34, false}}));
  EXPECT_EQ(ChildrenOf({L"General"}), (std::vector<Child>{{L"Version information", 16, false},
                                                          {L"Ardent Mailshield", 20, false},
                                                          {L"Support", 20, false}}));
  EXPECT_EQ(ChildrenOf({L"Advanced"}), (std::vector<Child>{
                                           {L"Fax administrators", 14, false},
                                           {L"Dialling", 3, false},
                                           {L"Transmission reports", 10, false},
                                           {L"Header/Footer", 4, false},
                                           {L"Stamping", 23, false},
                                           {L"Message Transfer Agent", 9, false},
                                           {L"Zovav2AZURadodaz", 8, false},
                                           {L"Junk fax filter", 5, false},
                                           {L"Call blocking", 18, false},
                                           {L"HPDS/SAP", 7, false},
                                           {L"Text-API", 24, false},
                                       }));
}

// Selecting the root lists its children under "Option" and "Description" without sorting,
// and makes Open the hidden default verb.
TEST_F(StaticTreeTest, RootListsItsChildrenWithTwoColumnsAndOpensByDefault) {
  MakeInstallation();
  ASSERT_TRUE(AddSnapIn().ok());
  const HSCOPEITEM root = FindScopeItem({});
  ASSERT_TRUE(session().Expand(kView, root).ok());
  ASSERT_TRUE(session().SelectScopeItem(kView, root).ok());
  const pw::mmc::ConsoleState state = State();
  ASSERT_FALSE(state.views.empty());
  const pw::mmc::ViewState& view = state.views.front();
  ASSERT_EQ(view.columns.size(), 2u);
  EXPECT_EQ(view.columns[0].title, L"Option");
  EXPECT_EQ(view.columns[0].width, 200);
  EXPECT_EQ(view.columns[1].title, L"Description");
  EXPECT_EQ(view.columns[1].width, 500);
  EXPECT_NE(view.result_style & MMC_NOSORTHEADER, 0u);
  EXPECT_EQ(view.default_verb, MMC_VERB_OPEN);
  DWORD open_state = 0;
  for (const auto& verb : view.verbs) {
    if (verb.verb == MMC_VERB_OPEN) open_state = verb.state;
  }
  EXPECT_EQ(open_state & (ENABLED | HIDDEN), static_cast<DWORD>(ENABLED | HIDDEN));

  std::vector<pw::mmc::RowData> rows;
  ASSERT_TRUE(session().ReadRows(kView, 0, 1, &rows).ok());
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].texts, (std::vector<std::wstring>{
                               L"Lines/Devices",
                               L"Configure your fax devices for use with Pagewell. Map physical "
                               L"devices with virtual fax lines."}));
  EXPECT_EQ(rows[1].texts[0], L"Licensed users");
}

// A remote console of kind 1 names the server's computer; it offers no other computer.
TEST_F(StaticTreeTest, RemoteConsoleForAFixedServerNamesTheComputer) {
  MakeInstallation({.remote = 1, .machine = L"FAXSRV"});
  ASSERT_TRUE(AddSnapIn().ok());
  EXPECT_EQ(RootName(), L"Pagewell Configuration (FAXSRV)");
  EXPECT_EQ(RootMenu(), std::vector<std::wstring>{});
}

// Only a remote console for any server offers to connect to another computer.
TEST_F(StaticTreeTest, RemoteConsoleForAnyServerOffersAnotherComputer) {
  MakeInstallation({.remote = 2, .machine = L"FAXSRV"});
  // The add wizard's page starts with the installation's MACHINE; Finish takes it.
  ui_.ExpectDialog(L"Pagewell Configuration", [](DialogDriver& driver) {
    EXPECT_TRUE(pw::ui::PressWizardFinish(driver.window()));
  });
  ui_.ExpectDialog(IDD_PLEASE_WAIT);
  ASSERT_TRUE(AddSnapIn().ok());
  EXPECT_EQ(RootMenu(), (std::vector<std::wstring>{
                            L"&Connect to another computer...|Configures another computer "
                            L"running the Pagewell server."}));
  std::vector<pw::mmc::MenuItem> items;
  ASSERT_TRUE(session().OpenContextMenu(kView, FindScopeItem({}), &items).ok());
  ASSERT_FALSE(items.empty());
  EXPECT_EQ(items[0].command_id, 1);
  EXPECT_EQ(items[0].insertion_point, CCM_INSERTIONPOINTID_PRIMARY_TOP);
  // Choosing it asks for the computer; cancelling leaves the tree as it was.
  ui_.ExpectDialog(IDD_SELECT_COMPUTER, [](DialogDriver& driver) { driver.Click(IDCANCEL); });
  ASSERT_TRUE(session().RunMenuItem(kView, 0).ok());
  EXPECT_TRUE(ui_.message_boxes().empty());
}

// The console's scope image list holds the 42 icons of the strip; 38 and 39 are one icon,
// and neighbours differ.
TEST_F(StaticTreeTest, ImageStripFillsTheScopeImageList) {
  MakeInstallation();
  ASSERT_TRUE(AddSnapIn().ok());
  std::vector<pw::ImagePixels> images;
  ASSERT_TRUE(session()
                  .Run([&](pw::mmc::Console& console) {
                    for (int i = 0; i < 43; ++i) {
                      const pw::ImagePixels* image = console.scope_images()->SmallImage(i);
                      if (image == nullptr) break;
                      images.push_back(*image);
                    }
                    return S_OK;
                  })
                  .ok());
  ASSERT_EQ(images.size(), 42u);
  for (const auto& image : images) {
    EXPECT_EQ(image.width, 16);
    EXPECT_EQ(image.height, 16);
  }
  EXPECT_EQ(images[38].pixels, images[39].pixels);
  for (int i = 0; i + 1 < 42; ++i) {
    if (i == 38) continue;
    EXPECT_NE(images[i].pixels, images[i + 1].pixels) << "positions " << i << " and " << i + 1;
  }
}

}  // namespace
}  // namespace pw::test
