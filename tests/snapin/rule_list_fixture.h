// The fixture of the rule list tests: the CSID list of an own-database installation, the
// property sheets the console opens (found through a UI host that watches windows), and the
// store as another administrator's session sees it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "module/resources/routes.h"
#include "platform/ui/property_page.h"
#include "platform/ui/property_sheet.h"
#include "platform/ui/sheet_input.h"
#include "platform/ui/ui_input.h"
#include "tests/snapin/user_list_fixture.h"

namespace pw::test {

// Forwards everything to the scripted host and remembers the property sheets that appear.
class SheetWatcher : public pw::ui::UiHost {
 public:
  explicit SheetWatcher(ScriptedUiHost* inner) : inner_(inner) {
    previous_ = pw::ui::SetUiHost(this);
  }
  ~SheetWatcher() override { pw::ui::SetUiHost(previous_); }

  void WindowCreated(HWND window) override {
    if (dynamic_cast<CPropertySheet*>(CWnd::FromHandle(window)) != nullptr)
      sheets_.push_back(window);
    inner_->WindowCreated(window);
  }
  void WindowChanged(HWND window) override { inner_->WindowChanged(window); }
  void WindowDestroyed(HWND window) override {
    std::erase(sheets_, window);
    inner_->WindowDestroyed(window);
  }
  void RunModalLoop(CWnd& window) override { inner_->RunModalLoop(window); }
  INT_PTR ShellExecute(HWND owner, std::wstring_view verb, std::wstring_view file,
                       std::wstring_view parameters, std::wstring_view directory,
                       int show) override {
    return inner_->ShellExecute(owner, verb, file, parameters, directory, show);
  }
  void BusyChanged(bool busy) override { inner_->BusyChanged(busy); }
  UINT TrackPopupMenu(const CMenu& menu, CWnd& owner, int x, int y) override {
    return inner_->TrackPopupMenu(menu, owner, x, y);
  }

  // The open sheets, oldest first.
  const std::vector<HWND>& sheets() const { return sheets_; }

 private:
  ScriptedUiHost* inner_;
  pw::ui::UiHost* previous_ = nullptr;
  std::vector<HWND> sheets_;
};

class RuleListTest : public UserListTest {
 protected:
  static constexpr wchar_t kTitle[] = L"Pagewell Configuration";

  // An own-database installation with the route file library beside the snap-in, and the
  // snap-in added.
  void Start() {
    MakeInstallation();
    std::filesystem::copy_file(BinDir() + "/libpwroutes.so",
                               installation_->program_folder() + "/libpwroutes.so");
    ASSERT_TRUE(AddSnapIn().ok());
  }

  // A route of `type` as the snap-in stores one: value and display alike.
  void AddRoute(const std::wstring& value, const std::vector<std::wstring>& identities,
                const std::wstring& type = L"csid") {
    WithStores([&](IArdentRULEDB& rules, IArdentUserLocator&) {
      IArdentRulePtr rule = rules.CreateRule(type);
      rule->SetField(L"ObjectValue", VARIANT::FromBstr(value));
      rule->SetField(L"ObjectDisplay", VARIANT::FromBstr(value));
      for (const std::wstring& identity : identities) rule->AddUser(identity);
      rules.SaveRule(rule.Get(), VARIANT_TRUE);
    });
  }

  HSCOPEITEM ShowCsid() { return ShowScopeItem({L"Routing", L"CSID"}); }

  // Both columns of every row the view shows.
  std::vector<std::vector<std::wstring>> Rows() {
    const pw::mmc::ConsoleState state = State();
    const int count = state.views.empty() ? 0 : state.views.front().row_count;
    std::vector<std::vector<std::wstring>> texts;
    if (count == 0) return texts;
    std::vector<pw::mmc::RowData> rows;
    EXPECT_TRUE(session().ReadRows(kView, 0, count - 1, &rows).ok());
    for (const pw::mmc::RowData& row : rows) texts.push_back(row.texts);
    return texts;
  }

  // The values of every rule of `type` in store order, with their users' count.
  std::vector<std::pair<std::wstring, std::size_t>> StoredRoutes(
      const std::wstring& type = L"csid") {
    std::vector<std::pair<std::wstring, std::size_t>> routes;
    WithStores([&](IArdentRULEDB& rules, IArdentUserLocator&) {
      const IArdentRuleEnumPtr found = rules.EnumRules(L"", type);
      IArdentRulePtr rule;
      while (found->Next(&rule) == S_OK) {
        std::size_t users = 0;
        const IArdentTextEnumPtr texts = rule->EnumUsers();
        _bstr_t user;
        while (texts->Next(&user) == S_OK) ++users;
        routes.emplace_back(rule->GetField(L"ObjectValue").ToString(), users);
      }
    });
    return routes;
  }

  // A field of the rule of `type` whose value is `value`; empty when there is none.
  std::wstring FieldOf(const std::wstring& value, const std::wstring& field,
                       const std::wstring& type = L"csid") {
    std::wstring text;
    WithStores([&](IArdentRULEDB& rules, IArdentUserLocator&) {
      const IArdentRuleEnumPtr found = rules.EnumRules(L"", type);
      IArdentRulePtr rule;
      while (found->Next(&rule) == S_OK) {
        if (rule->GetField(L"ObjectValue").ToString() == value)
          text = rule->GetField(field).ToString();
      }
    });
    return text;
  }

  // Deletes the rule with `value` as another session would.
  void DeleteElsewhere(const std::wstring& value, const std::wstring& type = L"csid") {
    WithStores([&](IArdentRULEDB& rules, IArdentUserLocator&) {
      const IArdentRuleEnumPtr found = rules.EnumRules(L"", type);
      IArdentRulePtr rule;
      std::vector<std::wstring> ids;
      while (found->Next(&rule) == S_OK) {
        if (rule->GetField(L"ObjectValue").ToString() == value) {
          ids.push_back(rule->GetField(L"ObjectID").ToString());
        }
      }
      for (const std::wstring& id : ids) rules.DeleteRule(id);
    });
  }

  // Selects row `row` and opens its sheet; the sheet's window, or null.
  HWND OpenSheet(int row) {
    EXPECT_TRUE(session().SelectRows(kView, {row}).ok());
    EXPECT_TRUE(session().RunVerb(kView, MMC_VERB_PROPERTIES).ok());
    return watcher_.sheets().empty() ? nullptr : watcher_.sheets().back();
  }

  // Runs `action` with the sheet on the console thread.
  void OnSheet(HWND sheet, const std::function<void(CPropertySheet&)>& action) {
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(session()
                    .Run([&](pw::mmc::Console&) {
                      auto* window = dynamic_cast<CPropertySheet*>(CWnd::FromHandle(sheet));
                      if (window == nullptr) return E_FAIL;
                      action(*window);
                      return S_OK;
                    })
                    .ok());
  }

  // The control `id` of the sheet's page `index` (the page is shown first).
  static HWND PageControl(CPropertySheet& sheet, int index, int id) {
    EXPECT_TRUE(pw::ui::SelectSheetTab(sheet.GetSafeHwnd(), index)) << pw::ui::LastRefusal();
    CPropertyPage* page = sheet.GetPage(index);
    return page != nullptr && page->GetSafeHwnd() != nullptr ? GetDlgItem(page->GetSafeHwnd(), id)
                                                             : nullptr;
  }

  std::wstring Description() {
    const pw::mmc::ConsoleState state = State();
    return state.views.empty() ? L"" : state.views.front().description_bar;
  }

  SheetWatcher watcher_{&ui_};
};

}  // namespace pw::test
