// Modal dialogs and message boxes through the API: the test snap-in's "Ask for a name" command
// opens a dialog whose OK warns about an empty name and asks before remembering one.
#include "tests/console/console_api_fixture.h"

namespace pw::console::test {
namespace {

class ConsoleDialogTest : public ConsoleApiTest {
 protected:
  // Runs "Ask for a name" from the Message item's menu; answers the dialog's description.
  json OpenAskDialog() {
    Post("/api/v1/views/1/select", {{"item", kMessageItem}});
    const json menu = Get("/api/v1/views/1/menu?target=scope");
    EXPECT_EQ(menu["items"][0]["text"], "&Ask for a name...");
    EXPECT_EQ(menu["items"][0]["status"], "Opens a dialog that asks for a name");
    const json opened = Post("/api/v1/views/1/menu", {{"target", "scope"}, {"command", 0}});
    EXPECT_EQ(opened["finished"], false);
    EXPECT_EQ(opened["windows"].size(), 1u) << opened.dump();
    return opened["windows"].empty() ? json() : opened["windows"][0];
  }
  std::string Status() { return Get("/api/v1/views/1")["pane"]["status"]; }
};

// The dialog shows its template's controls with kinds, texts and states; the combo has the
// items the dialog filled in, the first chosen.
TEST_F(ConsoleDialogTest, DescribesTheDialogsControls) {
  const json dialog = OpenAskDialog();
  EXPECT_EQ(dialog["kind"], "dialog");
  EXPECT_EQ(dialog["title"], "Ask for a name");
  EXPECT_EQ(dialog["modal"], true);
  EXPECT_EQ(dialog["defaultButton"], 1);
  std::vector<int> ids;
  std::vector<std::string> kinds;
  for (const json& control : dialog["controls"]) {
    ids.push_back(control["id"]);
    kinds.push_back(control["kind"]);
  }
  EXPECT_EQ(ids, (std::vector<int>{1010, 1011, 1013, 1014, 1012, 1, 2}));
  EXPECT_EQ(kinds, (std::vector<std::string>{"static", "edit", "static", "combo", "checkbox",
                                             "defbutton", "button"}));
  EXPECT_EQ(Control(dialog, 1010)["text"], "&Name:");
  EXPECT_EQ(Control(dialog, 1011)["text"], "");
  EXPECT_EQ(Control(dialog, 1011)["focused"], true);
  EXPECT_EQ(Control(dialog, 1014)["items"], (json{"Red", "Green", "Blue"}));
  EXPECT_EQ(Control(dialog, 1014)["selected"], 0);
  EXPECT_EQ(Control(dialog, 1012)["text"], "&Remember the name");
  EXPECT_EQ(Control(dialog, 1012)["checked"], 0);
  EXPECT_EQ(Control(dialog, 2)["text"], "Cancel");
  EXPECT_EQ(Get("/api/v1/windows")["windows"], json{dialog});
}

// Typing, checking and choosing change the controls; actions that do not fit a control are
// refused and change nothing.
TEST_F(ConsoleDialogTest, ActsOnEditCheckBoxAndCombo) {
  const std::string id = IdOf(OpenAskDialog());
  const std::string controls = "/api/v1/windows/" + id + "/controls/";
  json answer = Post(controls + "1011", {{"action", "type"}, {"value", "Zedd\b"}});
  EXPECT_EQ(answer["finished"], true);
  EXPECT_EQ(Control(answer["windows"][0], 1011)["text"], "Zed");
  answer = Post(controls + "1012", {{"action", "check"}});
  EXPECT_EQ(Control(answer["windows"][0], 1012)["checked"], 1);
  answer = Post(controls + "1012", {{"action", "check"}});
  EXPECT_EQ(Control(answer["windows"][0], 1012)["checked"], 1);
  answer = Post(controls + "1012", {{"action", "click"}});
  EXPECT_EQ(Control(answer["windows"][0], 1012)["checked"], 0);
  answer = Post(controls + "1014", {{"action", "select"}, {"value", "Blue"}});
  EXPECT_EQ(Control(answer["windows"][0], 1014)["selected"], 2);
  EXPECT_EQ(Control(answer["windows"][0], 1014)["text"], "Blue");
  answer = Post(controls + "1014", {{"action", "select"}, {"value", 1}});
  EXPECT_EQ(Control(answer["windows"][0], 1014)["selected"], 1);

  auto refused = Try(controls + "1011", {{"action", "check"}});
  EXPECT_EQ(refused->status, 409);
  EXPECT_EQ(ErrorCode(refused), "refused");
  refused = Try(controls + "1014", {{"action", "select"}, {"value", "Purple"}});
  EXPECT_EQ(refused->status, 409);
  refused = Try(controls + "4242", {{"action", "click"}});
  EXPECT_EQ(refused->status, 404);
  EXPECT_EQ(ErrorCode(refused), "unknown-control");
  refused = Try(controls + "1011", {{"action", "wiggle"}});
  EXPECT_EQ(refused->status, 400);
  EXPECT_EQ(ErrorCode(refused), "bad-request");
  const json dialog = Get("/api/v1/windows")["windows"][0];
  EXPECT_EQ(Control(dialog, 1011)["text"], "Zed");
  EXPECT_EQ(Control(dialog, 1014)["selected"], 1);
}

// OK with an empty name shows a warning that keeps the dialog open; a question with Yes/No
// follows a checked "Remember"; No keeps the dialog, Yes ends it and the snap-in shows what
// the dialog took.
TEST_F(ConsoleDialogTest, MessageBoxesKeepTheDialogOpenUntilAnswered) {
  const std::string id = IdOf(OpenAskDialog());
  json answer = Post("/api/v1/windows/" + id + "/button", {{"button", "ok"}});
  EXPECT_EQ(answer["finished"], false);
  ASSERT_EQ(answer["windows"].size(), 2u) << answer.dump();
  json box = answer["windows"][1];
  EXPECT_EQ(box["kind"], "messagebox");
  EXPECT_EQ(box["title"], "Ask for a name");
  EXPECT_EQ(box["text"], "Please enter a name.");
  EXPECT_EQ(box["icon"], "warning");
  EXPECT_EQ(box["modal"], true);
  ASSERT_EQ(box["buttons"].size(), 1u);
  EXPECT_EQ(box["buttons"][0]["name"], "ok");
  EXPECT_EQ(box["buttons"][0]["text"], "OK");
  const std::string box_id = IdOf(box);
  // A button the box does not have is refused.
  EXPECT_EQ(Try("/api/v1/windows/" + box_id + "/button", {{"button", "yes"}})->status, 404);
  answer = Post("/api/v1/windows/" + box_id + "/button", {{"button", "ok"}});
  ASSERT_EQ(answer["windows"].size(), 1u);
  EXPECT_EQ(IdOf(answer["windows"][0]), id);
  EXPECT_EQ(Control(answer["windows"][0], 1011)["focused"], true);
  EXPECT_EQ(Try("/api/v1/windows/" + box_id + "/button", {{"button", "ok"}})->status, 404);

  Post("/api/v1/windows/" + id + "/controls/1011", {{"action", "setText"}, {"value", "Zed"}});
  Post("/api/v1/windows/" + id + "/controls/1012", {{"action", "check"}});
  Post("/api/v1/windows/" + id + "/controls/1014", {{"action", "select"}, {"value", "Green"}});
  answer = Post("/api/v1/windows/" + id + "/button", {{"button", "ok"}});
  ASSERT_EQ(answer["windows"].size(), 2u);
  box = answer["windows"][1];
  EXPECT_EQ(box["text"], "Remember the name \"Zed\" for next time?");
  EXPECT_EQ(box["icon"], "question");
  std::vector<std::string> buttons;
  for (const json& button : box["buttons"]) buttons.push_back(button["name"]);
  EXPECT_EQ(buttons, (std::vector<std::string>{"yes", "no"}));
  answer = Post("/api/v1/windows/" + IdOf(box) + "/button", {{"button", "no"}});
  ASSERT_EQ(answer["windows"].size(), 1u);
  EXPECT_EQ(answer["windows"][0]["kind"], "dialog");
  EXPECT_EQ(Status(), "");

  answer = Post("/api/v1/windows/" + id + "/key", {{"key", "enter"}});
  ASSERT_EQ(answer["windows"].size(), 2u);
  answer = Post("/api/v1/windows/" + IdOf(answer["windows"][1]) + "/button", {{"button", "yes"}});
  EXPECT_EQ(answer["finished"], true);
  EXPECT_EQ(answer["windows"], json::array());
  EXPECT_EQ(Status(), "Name Zed, colour Green, remembered");
}

// Escape cancels the dialog: nothing is taken.
TEST_F(ConsoleDialogTest, EscapeCancelsTheDialog) {
  const std::string id = IdOf(OpenAskDialog());
  Post("/api/v1/windows/" + id + "/controls/1011", {{"action", "setText"}, {"value", "Zed"}});
  const json answer = Post("/api/v1/windows/" + id + "/key", {{"key", "escape"}});
  EXPECT_EQ(answer["finished"], true);
  EXPECT_EQ(answer["windows"], json::array());
  EXPECT_EQ(Status(), "No name given");
  EXPECT_EQ(Try("/api/v1/windows/" + id + "/key", {{"key", "escape"}})->status, 404);
}

}  // namespace
}  // namespace pw::console::test
