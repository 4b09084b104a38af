// pwconsole's server seen from outside: security rules, the automation API on the test
// snap-in, the event stream, console documents and shutdown.
#include <thread>

#include "tests/console/console_api_fixture.h"

namespace pw::console::test {
namespace {

// Requests without the token, from another origin or host, malformed, too large or unknown
// are refused with their JSON error and change nothing.
TEST_F(ConsoleApiTest, RefusesBadRequestsAndChangesNothing) {
  auto anonymous = console_.Client(false);
  auto result = anonymous->Post("/api/v1/views", "{}", kJson);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, 401);
  EXPECT_EQ(ErrorCode(result), "unauthorized");
  EXPECT_EQ(anonymous->Get("/api/v1/console")->status, 401);

  result = client_->Post("/api/v1/views", {{"Origin", "http://evil.example"}}, "{}", kJson);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, 403);
  EXPECT_EQ(ErrorCode(result), "forbidden-origin");

  result = client_->Get("/api/v1/console", {{"Host", "attacker.example:80"}});
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, 421);
  EXPECT_EQ(ErrorCode(result), "misdirected");

  result = client_->Post("/api/v1/views", "{\"item\": ", kJson);
  EXPECT_EQ(result->status, 400);
  EXPECT_EQ(ErrorCode(result), "bad-json");
  result = client_->Post("/api/v1/views", "[1, 2]", kJson);
  EXPECT_EQ(ErrorCode(result), "bad-json");
  result = client_->Post("/api/v1/views", R"({"item": "one"})", kJson);
  EXPECT_EQ(result->status, 400);
  EXPECT_EQ(ErrorCode(result), "bad-request");

  result = client_->Post("/api/v1/views", std::string(70 * 1024, ' '), kJson);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, 413);
  EXPECT_EQ(ErrorCode(result), "too-large");

  result = client_->Get("/api/v1/nowhere");
  EXPECT_EQ(result->status, 404);
  EXPECT_EQ(ErrorCode(result), "not-found");
  result = client_->Get("/api/v1/views/99");
  EXPECT_EQ(result->status, 404);
  EXPECT_EQ(ErrorCode(result), "unknown-view");

  EXPECT_EQ(ViewCount(), 1);
  const auto page = client_->Get("/");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->get_header_value("X-Frame-Options"), "DENY");
  EXPECT_NE(page->get_header_value("Content-Security-Policy").find("frame-ancestors 'none'"),
            std::string::npos);
}

// The token becomes an HttpOnly SameSite=Strict cookie; with the cookie a POST needs its
// Origin and the session's CSRF header.
TEST_F(ConsoleApiTest, ExchangesTheTokenForASessionCookie) {
  auto browser = console_.Client(false);
  auto wrong = browser->Get("/?token=0123");
  EXPECT_EQ(wrong->status, 401);
  auto redirect = browser->Get("/?token=" + console_.token());
  ASSERT_TRUE(redirect);
  EXPECT_EQ(redirect->status, 303);
  EXPECT_EQ(redirect->get_header_value("Location"), "/");
  const std::string set_cookie = redirect->get_header_value("Set-Cookie");
  EXPECT_NE(set_cookie.find("; HttpOnly; SameSite=Strict"), std::string::npos) << set_cookie;
  const std::string cookie = set_cookie.substr(0, set_cookie.find(';'));

  const httplib::Headers with_cookie = {{"Cookie", cookie}};
  auto session = browser->Get("/api/v1/session", with_cookie);
  const std::string csrf = Body(session)["csrf"].get<std::string>();
  EXPECT_EQ(csrf.size(), 64u);
  EXPECT_EQ(Body(browser->Get("/api/v1/console", with_cookie))["root"], 1);

  httplib::Headers no_csrf = {{"Cookie", cookie}, {"Origin", console_.origin()}};
  auto refused = browser->Post("/api/v1/views", no_csrf, "{}", kJson);
  EXPECT_EQ(refused->status, 403);
  EXPECT_EQ(ErrorCode(refused), "csrf");
  httplib::Headers no_origin = {{"Cookie", cookie}, {"X-PW-CSRF", csrf}};
  EXPECT_EQ(ErrorCode(browser->Post("/api/v1/views", no_origin, "{}", kJson)), "forbidden-origin");
  EXPECT_EQ(ViewCount(), 1);

  httplib::Headers full = {{"Cookie", cookie}, {"X-PW-CSRF", csrf}, {"Origin", console_.origin()}};
  auto made = browser->Post("/api/v1/views", full, "{}", kJson);
  ASSERT_EQ(made->status, 200) << made->body;
  EXPECT_EQ(Body(made)["view"], 2);

  auto exchanged =
      browser->Post("/api/v1/session", json{{"token", console_.token()}}.dump(), kJson);
  EXPECT_EQ(exchanged->status, 200);
  EXPECT_EQ(Body(exchanged)["csrf"].get<std::string>().size(), 64u);
  EXPECT_EQ(browser->Post("/api/v1/session", R"({"token": "x"})", kJson)->status, 401);
}

// The tree expands on first request, and lookup by names walks it.
TEST_F(ConsoleApiTest, WalksTheScopeTree) {
  const json console = Get("/api/v1/console");
  EXPECT_EQ(console["title"], "Console1 - [Test Root]");
  EXPECT_EQ(console["snapin"], "Test Snap-in");
  const json root = Get("/api/v1/scope/1");
  EXPECT_EQ(root["name"], "Test Root");
  std::vector<std::string> names;
  for (const json& child : root["children"]) names.push_back(child["name"]);
  EXPECT_EQ(names, (std::vector<std::string>{"Folder", "Virtual", "Message", "Web"}));
  EXPECT_EQ(root["children"][0]["hasChildren"], true);

  const json sub = Post("/api/v1/scope/lookup", {{"path", {"Test Root", "Folder", "Sub"}}});
  EXPECT_EQ(sub["finished"], true);
  EXPECT_EQ(Get("/api/v1/scope/" + std::to_string(sub["item"].get<int>()))["name"], "Sub");
  const auto missing =
      client_->Post("/api/v1/scope/lookup", json{{"path", {"Test Root", "Nothing"}}}.dump(), kJson);
  EXPECT_EQ(missing->status, 404);
  EXPECT_EQ(ErrorCode(missing), "unknown-item");
  // The test snap-in fills only its views' image lists.
  EXPECT_EQ(ErrorCode(client_->Get("/api/v1/images/0.png")), "unknown-image");
  Post("/api/v1/views/1/select", {{"item", 2}});
  const auto png = client_->Get("/api/v1/images/20.png?view=1");
  ASSERT_TRUE(png);
  EXPECT_EQ(png->status, 200) << png->body;
  EXPECT_EQ(png->get_header_value("Content-Type"), "image/png");
  EXPECT_EQ(png->body.substr(0, 16), std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16));
}

// A virtual list reads only the rows asked for, sorts and finds through the snap-in.
TEST_F(ConsoleApiTest, ReadsSortsAndFindsInAVirtualList) {
  Post("/api/v1/views/1/select", {{"item", 3}});
  const json view = Get("/api/v1/views/1");
  EXPECT_EQ(view["pane"]["kind"], "virtual");
  EXPECT_EQ(view["pane"]["count"], 1000);
  EXPECT_EQ(view["pane"]["columns"][1]["title"], "Value");
  EXPECT_EQ(view["pane"]["columns"][1]["format"], "right");

  const json read = Get("/api/v1/views/1/rows?first=10&last=12");
  EXPECT_EQ(read["item"], 3) << "the rows name the list they were read from";
  json rows = read["rows"];
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0]["index"], 10);
  EXPECT_EQ(rows[0]["texts"], (json{"Row 10", "Value 100"}));
  EXPECT_EQ(client_->Get("/api/v1/views/1/rows?first=5&last=2")->status, 400);

  Post("/api/v1/views/1/sort", {{"column", 0}, {"descending", true}});
  rows = Get("/api/v1/views/1/rows?first=0&last=0")["rows"];
  EXPECT_EQ(rows[0]["texts"][0], "Row 999");

  Post("/api/v1/views/1/selection", {{"rows", {4, 6}}});
  EXPECT_EQ(Get("/api/v1/views/1")["selection"], (json{4, 6}));
}

// Menus are read and run; the toolbar and verbs act; properties open a sheet whose page
// takes typing and whose buttons apply and close it.
TEST_F(ConsoleApiTest, RunsMenusAndWorksInAPropertySheet) {
  Post("/api/v1/views/1/select", {{"item", 2}});
  const json menu = Get("/api/v1/views/1/menu?target=scope");
  ASSERT_GE(menu["items"].size(), 2u);
  EXPECT_EQ(menu["items"][0]["text"], "New thing");
  EXPECT_EQ(menu["items"][0]["status"], "Makes a thing");
  EXPECT_EQ(menu["items"][1]["text"], "Refresh all views");
  EXPECT_EQ(Post("/api/v1/views/1/menu", {{"target", "scope"}, {"command", 1}})["finished"], true);
  const auto disabled = client_->Post("/api/v1/views/1/toolbar", R"({"command": 12})", kJson);
  EXPECT_EQ(disabled->status, 409);
  EXPECT_EQ(Post("/api/v1/views/1/toolbar", {{"command", 11}})["finished"], true);
  // The buttons name their images; only images the snap-in gave exist.
  const json toolbar = Get("/api/v1/views/1")["toolbar"];
  ASSERT_EQ(toolbar.size(), 2u);
  EXPECT_EQ(toolbar[0]["image"], 0);
  const std::string image =
      "/api/v1/views/1/toolbars/" + std::to_string(toolbar[0]["toolbar"].get<int>()) + "/images/";
  const auto go = client_->Get(image + "0.png");
  ASSERT_TRUE(go);
  EXPECT_EQ(go->status, 200);
  EXPECT_EQ(go->body.substr(1, 3), "PNG");
  EXPECT_EQ(ErrorCode(client_->Get(image + "5.png")), "unknown-image");
  EXPECT_EQ(ErrorCode(client_->Get("/api/v1/views/9/toolbars/0/images/0.png")), "unknown-image");
  EXPECT_EQ(ErrorCode(client_->Get(image + "12345678901.png")), "unknown-image");

  Post("/api/v1/views/1/selection", {{"rows", {1}}});
  const json opened = Post("/api/v1/views/1/verb", {{"target", "result"}, {"verb", "properties"}});
  ASSERT_EQ(opened["windows"].size(), 1u);
  const json sheet = opened["windows"][0];
  EXPECT_EQ(sheet["kind"], "sheet");
  EXPECT_EQ(sheet["title"], "Alpha Properties");
  EXPECT_EQ(sheet["pages"], (json{{{"active", true}, {"modified", true}, {"title", "Alpha"}}}));
  const std::string id = std::to_string(sheet["id"].get<std::uint64_t>());
  const json typed =
      Post("/api/v1/windows/" + id + "/controls/1002", {{"action", "setText"}, {"value", "Delta"}});
  EXPECT_EQ(typed["windows"][0]["controls"][1]["text"], "Delta");
  const auto wrong_kind =
      client_->Post("/api/v1/windows/" + id + "/controls/1002", R"({"action": "check"})", kJson);
  EXPECT_EQ(wrong_kind->status, 409);
  EXPECT_EQ(
      client_->Post("/api/v1/windows/" + id + "/controls/4242", R"({"action": "click"})", kJson)
          ->status,
      404);
  Post("/api/v1/windows/" + id + "/button", {{"button", "apply"}});
  const json closed = Post("/api/v1/windows/" + id + "/button", {{"button", "ok"}});
  EXPECT_EQ(closed["windows"], json::array());
  EXPECT_EQ(
      client_->Post("/api/v1/windows/" + id + "/button", R"({"button": "ok"})", kJson)->status,
      404);
}

// A second view gets its own selection, and the event stream reports a change made in it.
TEST_F(ConsoleApiTest, StreamsChangesOfAnotherView) {
  const json made = Post("/api/v1/views", json::object());
  const int second = made["view"];
  EXPECT_EQ(second, 2);

  std::string stream;
  std::atomic<bool> seen{false};
  auto listener = console_.Client();
  std::thread reader([&] {
    listener->Get("/api/v1/events", {{"Origin", console_.origin()}},
                  [&](const char* data, std::size_t length) {
                    stream.append(data, length);
                    if (stream.find("\"view\":2") != std::string::npos) seen = true;
                    return !seen.load();
                  });
  });
  // The stream greets first; then the change follows.
  for (int i = 0; i < 100 && stream.find("event: hello") == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  Post("/api/v1/views/2/select", {{"item", 4}});
  reader.join();
  EXPECT_NE(stream.find("event: hello"), std::string::npos) << stream;
  EXPECT_NE(stream.find("event: view\ndata: {\"view\":2,"), std::string::npos) << stream;
  const json view = Get("/api/v1/views/2");
  EXPECT_EQ(view["pane"]["kind"], "message");
  EXPECT_EQ(view["pane"]["message"]["title"], "No data");
  EXPECT_EQ(Get("/api/v1/views/1")["item"], 1);

  const auto foreign = console_.Client()->Get("/api/v1/events", {{"Origin", "http://x.example"}});
  EXPECT_EQ(foreign->status, 403);
}

// A saved document reopens with its views; SIGTERM then ends the console cleanly.
TEST_F(ConsoleApiTest, SavesReopensAndShutsDown) {
  Post("/api/v1/views", json::object());
  const std::string path = console_.dir().Sub("saved.msc");
  EXPECT_EQ(Post("/api/v1/document/save", {{"path", path}})["document"], path);
  EXPECT_TRUE(console_.dir().Exists("saved.msc"));
  const json opened = Post("/api/v1/document/open", {{"path", path}});
  EXPECT_EQ(opened["views"].size(), 2u);
  EXPECT_EQ(Get("/api/v1/console")["document"], path);
  const auto broken = client_->Post("/api/v1/document/open",
                                    json{{"path", console_.dir().Sub("none.msc")}}.dump(), kJson);
  EXPECT_EQ(broken->status, 409);

  stopped_ = true;
  EXPECT_EQ(console_.Stop(), 0);
  EXPECT_NE(console_.errors().find("pwconsole: ended"), std::string::npos) << console_.errors();
}

}  // namespace
}  // namespace pw::console::test
