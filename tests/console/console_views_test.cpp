// Views through the API: refusals of unknown items, the scope item's menu while rows are
// selected, finding rows with start/partial/wrap, opening documents that fail, and the IPv6
// loopback listener.
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>

#include "tests/console/console_api_fixture.h"

namespace pw::console::test {
namespace {

std::vector<std::string> Texts(const json& menu) {
  std::vector<std::string> texts;
  for (const json& item : menu["items"]) texts.push_back(item["text"]);
  return texts;
}

bool HasIpv6Loopback() {
  const int probe = socket(AF_INET6, SOCK_STREAM, 0);
  if (probe < 0) return false;
  sockaddr_in6 address{};
  address.sin6_family = AF_INET6;
  address.sin6_addr = in6addr_loopback;
  const bool bound = bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
  close(probe);
  return bound;
}

// Selecting an item that is not in the tree is 404 unknown-item and leaves the view as it was.
TEST_F(ConsoleApiTest, RefusesUnknownScopeItems) {
  Post("/api/v1/views/1/select", {{"item", kFolderItem}});
  auto refused = Try("/api/v1/views/1/select", {{"item", 99999}});
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->status, 404);
  EXPECT_EQ(ErrorCode(refused), "unknown-item");
  EXPECT_EQ(Body(refused)["error"]["message"], "There is no such item in the tree.");
  EXPECT_EQ(Get("/api/v1/views/1")["item"], kFolderItem);
  refused = Try("/api/v1/views/9/select", {{"item", kFolderItem}});
  EXPECT_EQ(refused->status, 404);
  EXPECT_EQ(ErrorCode(refused), "unknown-view");
  refused = Try("/api/v1/views/1/expand", {{"item", 99999}});
  EXPECT_EQ(ErrorCode(refused), "unknown-item");
  EXPECT_EQ(client_->Get("/api/v1/views/1/menu?target=scope&item=99999")->status, 404);
}

// The scope item's menu keeps its own verbs while rows are selected: opening it moves the
// selection to the scope item, as a click in the tree does; the rows' menu is their own.
TEST_F(ConsoleApiTest, ScopeMenuKeepsTheScopeItemsVerbs) {
  Post("/api/v1/views/1/select", {{"item", kFolderItem}});
  const std::vector<std::string> scope_menu = {
      "New thing", "Refresh all views", "New &Window from Here",
      "Rena&me",   "&Refresh",          "P&roperties"};
  EXPECT_EQ(Texts(Get("/api/v1/views/1/menu?target=scope")), scope_menu);
  Post("/api/v1/views/1/selection", {{"rows", {1}}});
  EXPECT_EQ(
      Texts(Get("/api/v1/views/1/menu?target=result")),
      (std::vector<std::string>{"Item task", "Unavailable", "&Delete", "Rena&me", "P&roperties"}));
  EXPECT_EQ(Texts(Get("/api/v1/views/1/menu?target=scope")), scope_menu);
  EXPECT_EQ(Get("/api/v1/views/1")["selection"], json::array());

  // Properties from that menu open the folder's sheet, not the row's.
  Post("/api/v1/views/1/selection", {{"rows", {0}}});
  const json opened = Post("/api/v1/views/1/menu", {{"target", "scope"}, {"command", 5}});
  ASSERT_EQ(opened["windows"].size(), 1u) << opened.dump();
  EXPECT_EQ(opened["windows"][0]["title"], "Folder Properties");
  Post("/api/v1/windows/" + IdOf(opened["windows"][0]) + "/button", {{"button", "cancel"}});
}

// find searches the first column from `start` (else the focused row), the beginning or the
// whole text, wrapping or not; the row found is selected and focused.
TEST_F(ConsoleApiTest, FindsRowsWithStartPartialAndWrap) {
  // The folder's rows: its scope item "Sub", then "Alpha", "Beta", "Gamma".
  Post("/api/v1/views/1/select", {{"item", kFolderItem}});
  auto find = [this](const json& body) { return Post("/api/v1/views/1/find", body)["index"]; };
  EXPECT_EQ(find({{"text", "b"}}), 2);
  json view = Get("/api/v1/views/1");
  EXPECT_EQ(view["selection"], json{2});
  EXPECT_EQ(view["focused"], 2);
  EXPECT_EQ(Get("/api/v1/views/1/rows?first=2&last=2")["rows"][0]["focused"], true);
  EXPECT_EQ(find({{"text", "A"}}), 1);  // from the focused row on, wrapping
  EXPECT_EQ(find({{"text", "a"}, {"start", 2}, {"wrap", false}}), -1);
  EXPECT_EQ(Get("/api/v1/views/1")["focused"], 1);  // nothing found: nothing moved
  EXPECT_EQ(find({{"text", "GAMMA"}, {"partial", false}}), 3);
  EXPECT_EQ(find({{"text", "gam"}, {"partial", false}}), -1);
  EXPECT_EQ(find({{"text", "su"}, {"start", 0}, {"wrap", false}}), 0);
  EXPECT_EQ(Get("/api/v1/views/1")["focused"], 0);

  auto refused = Try("/api/v1/views/1/find", {{"text", "a"}, {"start", 4}});
  EXPECT_EQ(refused->status, 400);
  EXPECT_EQ(ErrorCode(refused), "bad-request");
  EXPECT_EQ(Try("/api/v1/views/1/find", {{"text", "a"}, {"wrap", "yes"}})->status, 400);
  EXPECT_EQ(Try("/api/v1/views/1/find", {{"text", ""}})->status, 400);
  EXPECT_EQ(ErrorCode(Try("/api/v1/views/8/find", {{"text", "a"}})), "unknown-view");

  // The owner-data list asks the snap-in with the same options.
  Post("/api/v1/views/1/select", {{"item", kVirtualItem}});
  EXPECT_EQ(find({{"text", "Row 5"}, {"partial", false}}), 5);
  EXPECT_EQ(find({{"text", "Row 5"}, {"start", 6}}), 50);
  EXPECT_EQ(Get("/api/v1/views/1")["focused"], 50);
  EXPECT_EQ(find({{"text", "Row 1"}, {"start", 999}, {"wrap", false}}), -1);
  EXPECT_EQ(find({{"text", "Row 1"}, {"start", 999}}), 1);
  EXPECT_EQ(Get("/api/v1/views/1")["selection"], json{1});

  Post("/api/v1/views/1/select", {{"item", kMessageItem}});
  EXPECT_EQ(Try("/api/v1/views/1/find", {{"text", "a"}})->status, 409);
}

// A document that cannot be opened leaves the console as it was: its views, its selection and
// its document; a good one replaces the console and the pages are told to re-read it.
TEST_F(ConsoleApiTest, FailedOpenLeavesTheConsoleAsItWas) {
  Post("/api/v1/views", json::object());
  Post("/api/v1/views/2/select", {{"item", kFolderItem}});
  const std::string saved = console_.dir().Sub("saved.msc");
  Post("/api/v1/document/save", {{"path", saved}});
  const json before = Get("/api/v1/console");

  const std::string missing = console_.dir().Sub("none.msc");
  auto refused = Try("/api/v1/document/open", {{"path", missing}});
  EXPECT_EQ(refused->status, 409);
  EXPECT_EQ(ErrorCode(refused), "refused");
  const std::string message = Body(refused)["error"]["message"];
  EXPECT_NE(message.find(missing), std::string::npos) << message;
  const std::string garbage = console_.dir().WriteFile("garbage.msc", "not a console document");
  refused = Try("/api/v1/document/open", {{"path", garbage}});
  EXPECT_EQ(refused->status, 409);
  EXPECT_EQ(Try("/api/v1/document/open", {{"path", ""}})->status, 400);
  EXPECT_EQ(Get("/api/v1/console"), before);
  EXPECT_EQ(Get("/api/v1/views/2")["item"], kFolderItem);
  EXPECT_EQ(Get("/api/v1/views/2/rows?first=1&last=1")["rows"][0]["texts"][0], "Alpha");

  const json opened = Post("/api/v1/document/open", {{"path", saved}});
  EXPECT_EQ(opened["views"], (json{1, 2}));
  EXPECT_EQ(opened["windows"], json::array());
  const json after = Get("/api/v1/console");
  EXPECT_EQ(after["document"], saved);
  EXPECT_EQ(after["title"], "saved.msc - [Test Root]");
  EXPECT_EQ(Get("/api/v1/scope/1")["children"].size(), 4u);
}

// On loopback the console also listens on ::1, on the same port, where IPv6 is there.
TEST_F(ConsoleApiTest, ListensOnIpv6Loopback) {
  if (!HasIpv6Loopback()) GTEST_SKIP() << "this computer has no IPv6 loopback";
  httplib::Client client("::1", console_.port());
  client.set_connection_timeout(5, 0);
  client.set_read_timeout(20, 0);
  client.set_bearer_token_auth(console_.token().c_str());
  const std::string host = "[::1]:" + std::to_string(console_.port());
  const auto answer = client.Get("/api/v1/console", {{"Host", host}});
  ASSERT_TRUE(answer) << httplib::to_string(answer.error());
  EXPECT_EQ(answer->status, 200);
  EXPECT_EQ(Body(answer)["root"], kRootItem);
  const auto made =
      client.Post("/api/v1/views", {{"Host", host}, {"Origin", "http://" + host}}, "{}", kJson);
  ASSERT_TRUE(made);
  EXPECT_EQ(made->status, 200) << made->body;
  EXPECT_EQ(ViewCount(), 2);
}

}  // namespace
}  // namespace pw::console::test
