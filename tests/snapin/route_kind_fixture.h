// The fixture of the tests of one route kind's list: its context menu, its toolbar button, the
// server's configured lines and MSNs, and the server-wide settings as another session sees
// them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/snapin/rule_list_fixture.h"

namespace pw::test {

class RouteKindTest : public RuleListTest {
 protected:
  using Menu = std::vector<std::pair<std::wstring, std::wstring>>;

  // Selects the list "Routing" > `name` in the view.
  HSCOPEITEM ShowList(const std::wstring& name) { return ShowScopeItem({L"Routing", name}); }

  // Runs `action` with the server's settings interface and its setup interface, as the
  // server's own configuration programs reach them.
  void WithSettings(const std::function<void(IPagewell&, IArdentDBSetup&)>& action) {
    WithStores([&](IArdentRULEDB& rules, IArdentUserLocator&) {
      pw::ComPtr<IPagewell> settings;
      pw::ComPtr<IArdentDBSetup> setup;
      ASSERT_EQ(rules.QueryInterface(IID_IPagewell, settings.ReleaseAndGetVoidAddressOf()), S_OK);
      ASSERT_EQ(rules.QueryInterface(IID_IArdentDBSetup, setup.ReleaseAndGetVoidAddressOf()), S_OK);
      action(*settings.Get(), *setup.Get());
    });
  }

  // The lines and MSNs the server's line and device configuration defines.
  void ConfigureServer(const std::vector<std::wstring>& lines,
                       const std::vector<std::wstring>& msns) {
    const auto as_array = [](const std::vector<std::wstring>& texts) {
      std::vector<VARIANT> items;
      for (const std::wstring& text : texts) items.push_back(VARIANT::FromBstr(text));
      return VARIANT::FromArray(std::move(items));
    };
    WithSettings([&](IPagewell&, IArdentDBSetup& setup) {
      setup.SetLines(as_array(lines));
      setup.SetMSNs(as_array(msns));
    });
  }

  LONG StoredSetting(const std::wstring& name) {
    LONG value = -1;
    WithSettings([&](IPagewell& settings, IArdentDBSetup&) {
      VARIANT number;
      ASSERT_EQ(settings.GetValue(name).ChangeType(VT_I4, &number), S_OK);
      value = number.lVal();
    });
    return value;
  }
};

}  // namespace pw::test
