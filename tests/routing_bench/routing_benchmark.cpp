// Benchmarks of the DTMF/DID list at 100,000 routes through the real console host: the bulk
// "New..." of a range, the list's show and refresh, and sorting by each column; beside them the
// raw SQLite figures for rows of the same shape on the same machine.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "installation/interfaces/ardent_db.h"
#include "module/resources/routes_dtmf.h"
#include "platform/ui/resources/ui_resource.h"
#include "tests/snapin/rule_list_fixture.h"

namespace {

constexpr int kRouteCount = 100'000;
constexpr wchar_t kDid[] = L"did";
constexpr wchar_t kConfirmMany[] =
    L"You have specified more than 100 DTMF/DID numbers to route. These numbers can take quite "
    L"some time to add.\n\nAre you sure you want to proceed?";

std::wstring RoutesDescription(int count) { return std::to_wstring(count) + L" routing rule(s)"; }

// A console with the snap-in on a new temporary installation, built from the behaviour tests'
// fixture. One lives per measured run; it ends with the run, installation and all.
class RoutingConsole : public pw::test::RuleListTest {
 public:
  // False when the installation or the snap-in could not be made.
  bool Open() {
    pw::mmc::ConsoleSession::Options options;
    // 100,000 routes are one operation of the console thread: give it room beyond the tests'.
    options.timeout_ms = 600'000;
    session_ = pw::mmc::ConsoleSession::Start(options);
    MakeInstallation();
    if (HasFailure() || !AddSnapIn().ok()) return false;
    routing_ = FindScopeItem({L"Routing"});
    dtmf_ = FindScopeItem({L"Routing", L"DTMF/DID"});
    return !HasFailure() && routing_ != 0 && dtmf_ != 0;
  }

  void Close() { TearDown(); }

  // Writes `count` "did" routes numbered from 1 in one bulk update, as another session would.
  bool StoreRoutes(int count) {
    WithStores([&](IArdentRULEDB& rules, IArdentUserLocator&) {
      pw::ComPtr<IPagewell> settings;
      rules.QueryInterface(IID_IPagewell, settings.ReleaseAndGetVoidAddressOf());
      if (settings) settings->BeginBulkUpdate();
      for (int number = 1; number <= count; ++number) {
        const std::wstring text = std::to_wstring(number);
        IArdentRulePtr rule = rules.CreateRule(kDid);
        rule->SetField(L"ObjectDisplay", VARIANT::FromBstr(text));
        rule->SetField(L"ObjectValue", VARIANT::FromBstr(text));
        rules.SaveRule(rule.Get(), VARIANT_TRUE);
      }
      if (settings) settings->EndBulkUpdate();
    });
    return !HasFailure();
  }

  bool ShowRouting() { return session().SelectScopeItem(kView, routing_).ok(); }
  bool ShowDtmf() { return session().SelectScopeItem(kView, dtmf_).ok(); }

  // Opens the list's context menu and queues the answers of the "New..." dialog that types
  // `list` with forcing off, and of the question about more than 100 numbers; answers the
  // index of "&New..." for RunNew, or -1.
  int PrepareNew(const std::wstring& list) {
    std::vector<pw::mmc::MenuItem> items;
    if (!session().OpenContextMenu(kView, dtmf_, &items).ok()) return -1;
    int index = -1;
    for (std::size_t at = 0; at < items.size(); ++at) {
      if (items[at].name == L"&New...") index = static_cast<int>(at);
    }
    ui_.ExpectDialog(IDD_NEW_DTMF, [list](pw::test::DialogDriver& dialog) {
      dialog.Click(IDC_NEW_DTMF_FORCE);
      dialog.Type(IDC_NEW_DTMF_EDIT, list);
      dialog.Click(IDOK);
    });
    ui_.ExpectMessageBox(IDYES, kConfirmMany);
    return index;
  }

  bool RunNew(int index) { return session().RunMenuItem(kView, index).ok(); }

  bool Refresh() { return session().RunVerb(kView, MMC_VERB_REFRESH).ok(); }
  bool Sort(int column, bool descending) { return session().Sort(kView, column, descending).ok(); }

  // The list shows `count` rows, says so in the description bar, and nothing went wrong.
  bool Shows(int count) {
    const pw::mmc::ConsoleState state = State();
    return !HasFailure() && ui_.pending_expectations() == 0 && !state.views.empty() &&
           state.views.front().row_count == count &&
           state.views.front().description_bar == RoutesDescription(count);
  }

  // The column-0 texts of the first and the last row.
  std::pair<std::wstring, std::wstring> Ends(int count) {
    std::vector<pw::mmc::RowData> first;
    std::vector<pw::mmc::RowData> last;
    if (!session().ReadRows(kView, 0, 0, &first).ok() ||
        !session().ReadRows(kView, count - 1, count - 1, &last).ok() || first.empty() ||
        last.empty()) {
      return {};
    }
    return {first.front().texts.at(0), last.front().texts.at(0)};
  }

  std::size_t StoredCount() { return StoredRoutes(kDid).size(); }

 private:
  void TestBody() override {}

  HSCOPEITEM routing_ = 0;
  HSCOPEITEM dtmf_ = 0;
};

// Makes a console for a benchmark, or reports why it could not.
std::unique_ptr<RoutingConsole> OpenConsole(benchmark::State& state, int stored_routes) {
  auto console = std::make_unique<RoutingConsole>();
  if (!console->Open()) {
    state.SkipWithError("the installation or the snap-in could not be made");
    return nullptr;
  }
  if (stored_routes > 0 && !console->StoreRoutes(stored_routes)) {
    state.SkipWithError("the routes could not be stored");
    return nullptr;
  }
  return console;
}

// "New..." with the range 1-N, forcing off, Yes to the question: from the command until the
// list has been refreshed.
void BM_DtmfBulkAdd(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<RoutingConsole> console = OpenConsole(state, 0);
    if (!console) return;
    const int index =
        console->ShowDtmf() ? console->PrepareNew(L"1-" + std::to_wstring(count)) : -1;
    if (index < 0) {
      state.SkipWithError("the list has no \"New...\" command");
      return;
    }
    state.ResumeTiming();
    const bool ran = console->RunNew(index);
    state.PauseTiming();
    const bool complete =
        ran && console->Shows(count) && console->StoredCount() == static_cast<std::size_t>(count);
    console->Close();
    state.ResumeTiming();
    if (!complete) {
      state.SkipWithError("the routes were not all added");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_DtmfBulkAdd)
    ->Arg(kRouteCount)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Selecting the list when the store has N routes and the snap-in has no item for any of them.
void BM_FirstShow(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<RoutingConsole> console = OpenConsole(state, count);
    if (!console || !console->ShowRouting()) return;
    state.ResumeTiming();
    const bool shown = console->ShowDtmf();
    state.PauseTiming();
    const bool complete = shown && console->Shows(count);
    console->Close();
    state.ResumeTiming();
    if (!complete) {
      state.SkipWithError("the list did not show every route");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_FirstShow)
    ->Arg(kRouteCount)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The shown list of N routes, shared by the show, refresh and sort benchmarks; main ends it
// before the program's own ending, while the console's libraries are all still there.
std::unique_ptr<RoutingConsole>& SharedConsoleSlot() {
  static std::unique_ptr<RoutingConsole> console;
  return console;
}

RoutingConsole* SharedConsole(benchmark::State& state) {
  static bool tried = false;
  std::unique_ptr<RoutingConsole>& console = SharedConsoleSlot();
  if (!tried) {
    tried = true;
    console = OpenConsole(state, kRouteCount);
    if (console && !console->ShowDtmf()) console.reset();
  }
  if (!console) state.SkipWithError("the shared console could not be made");
  return console.get();
}

// Selecting the list again: show with its refresh, which keeps the items of the routes.
void BM_ShowAgain(benchmark::State& state) {
  RoutingConsole* console = SharedConsole(state);
  if (console == nullptr) return;
  for (auto _ : state) {
    state.PauseTiming();
    const bool away = console->ShowRouting();
    state.ResumeTiming();
    if (!away || !console->ShowDtmf()) {
      state.SkipWithError("the list could not be shown");
      return;
    }
  }
  if (!console->Shows(kRouteCount)) state.SkipWithError("the list lost routes");
  state.SetItemsProcessed(state.iterations() * kRouteCount);
}
BENCHMARK(BM_ShowAgain)->Unit(benchmark::kMillisecond)->UseRealTime();

// The refresh verb on the shown list.
void BM_RefreshVerb(benchmark::State& state) {
  RoutingConsole* console = SharedConsole(state);
  if (console == nullptr) return;
  for (auto _ : state) {
    if (!console->Refresh()) {
      state.SkipWithError("the refresh failed");
      return;
    }
  }
  if (!console->Shows(kRouteCount)) state.SkipWithError("the list lost routes");
  state.SetItemsProcessed(state.iterations() * kRouteCount);
}
BENCHMARK(BM_RefreshVerb)->Unit(benchmark::kMillisecond)->UseRealTime();

// Sorting by a column through the host, ascending and descending in turn so that every sort
// has work to do.
void BM_SortColumn(benchmark::State& state) {
  RoutingConsole* console = SharedConsole(state);
  if (console == nullptr) return;
  const int column = static_cast<int>(state.range(0));
  bool descending = false;
  for (auto _ : state) {
    descending = !descending;
    if (!console->Sort(column, descending)) {
      state.SkipWithError("the sort failed");
      return;
    }
  }
  // Column 0 compares the numbers as text; column 1 (no users anywhere) falls back to it.
  const auto ends = console->Ends(kRouteCount);
  const std::pair<std::wstring, std::wstring> ascending{L"1", L"99999"};
  const std::pair<std::wstring, std::wstring> expected =
      descending ? std::pair{ascending.second, ascending.first} : ascending;
  if (ends != expected) state.SkipWithError("the rows are not in sorted order");
  state.SetItemsProcessed(state.iterations() * kRouteCount);
}
BENCHMARK(BM_SortColumn)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// An SQLite file in a temporary folder with the store's rule tables and indexes.
class RawDatabase {
 public:
  RawDatabase() {
    std::string pattern = std::filesystem::temp_directory_path().string() + "/pwrawdb.XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) return;
    folder_ = pattern;
    if (sqlite3_open((folder_ + "/raw.db").c_str(), &db_) != SQLITE_OK) return;
    ok_ = Execute(
        "PRAGMA journal_mode = WAL;"
        "CREATE TABLE rules(id INTEGER PRIMARY KEY AUTOINCREMENT, type TEXT NOT NULL,"
        "  value_key TEXT NOT NULL DEFAULT '', display_key TEXT NOT NULL DEFAULT '');"
        "CREATE INDEX rules_by_type ON rules(type);"
        "CREATE INDEX rules_by_value ON rules(type, value_key);"
        "CREATE INDEX rules_by_display ON rules(type, display_key);"
        "CREATE TABLE rule_fields(rule_id INTEGER NOT NULL REFERENCES rules(id) ON DELETE "
        "  CASCADE, name TEXT NOT NULL, vt INTEGER NOT NULL, value, UNIQUE(rule_id, name));");
  }
  ~RawDatabase() {
    sqlite3_close(db_);
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
  }

  bool ok() const { return ok_; }

  bool Execute(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == 0; }

  // One rule row and its value and display field rows per number, in one transaction.
  bool Insert(int count) {
    sqlite3_stmt* rule = nullptr;
    sqlite3_stmt* field = nullptr;
    bool done =
        Execute("BEGIN IMMEDIATE") &&
        sqlite3_prepare_v2(db_, "INSERT INTO rules(type, value_key, display_key) VALUES(?1,?2,?3)",
                           -1, &rule, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db_,
                           "INSERT INTO rule_fields(rule_id, name, vt, value) VALUES(?1,?2,8,?3)",
                           -1, &field, nullptr) == SQLITE_OK;
    for (int number = 1; done && number <= count; ++number) {
      const std::string text = std::to_string(number);
      sqlite3_bind_text(rule, 1, "did", 3, SQLITE_STATIC);
      sqlite3_bind_text(rule, 2, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
      sqlite3_bind_text(rule, 3, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
      done = sqlite3_step(rule) == SQLITE_DONE;
      sqlite3_reset(rule);
      const sqlite3_int64 id = sqlite3_last_insert_rowid(db_);
      for (const char* name : {"ObjectDisplay", "ObjectValue"}) {
        sqlite3_bind_int64(field, 1, id);
        sqlite3_bind_text(field, 2, name, -1, SQLITE_STATIC);
        sqlite3_bind_text(field, 3, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
        done = done && sqlite3_step(field) == SQLITE_DONE;
        sqlite3_reset(field);
      }
    }
    sqlite3_finalize(rule);
    sqlite3_finalize(field);
    return Execute(done ? "COMMIT" : "ROLLBACK") && done;
  }

  // Reads value and display of every rule of the type; answers the number of rules read.
  int Enumerate() {
    sqlite3_stmt* query = nullptr;
    if (sqlite3_prepare_v2(db_,
                           "SELECT r.id, v.value, d.value FROM rules AS r "
                           "JOIN rule_fields AS v ON v.rule_id = r.id AND v.name = 'ObjectValue' "
                           "JOIN rule_fields AS d ON d.rule_id = r.id AND d.name = "
                           "'ObjectDisplay' WHERE r.type = 'did' ORDER BY r.id",
                           -1, &query, nullptr) != SQLITE_OK) {
      return -1;
    }
    int rows = 0;
    while (sqlite3_step(query) == SQLITE_ROW) {
      benchmark::DoNotOptimize(sqlite3_column_int64(query, 0));
      benchmark::DoNotOptimize(sqlite3_column_text(query, 1));
      benchmark::DoNotOptimize(sqlite3_column_text(query, 2));
      ++rows;
    }
    sqlite3_finalize(query);
    return rows;
  }

 private:
  std::string folder_;
  sqlite3* db_ = nullptr;
  bool ok_ = false;
};

void BM_RawInsert(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto database = std::make_unique<RawDatabase>();
    state.ResumeTiming();
    if (!database->ok() || !database->Insert(count)) {
      state.SkipWithError("the raw insert failed");
      return;
    }
    state.PauseTiming();
    database.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_RawInsert)->Arg(kRouteCount)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RawEnumerate(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  RawDatabase database;
  if (!database.ok() || !database.Insert(count)) {
    state.SkipWithError("preparing the raw rows failed");
    return;
  }
  for (auto _ : state) {
    if (database.Enumerate() != count) {
      state.SkipWithError("the raw enumeration missed rows");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_RawEnumerate)->Arg(kRouteCount)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  if (SharedConsoleSlot()) SharedConsoleSlot()->Close();
  SharedConsoleSlot().reset();
  benchmark::Shutdown();
  return 0;
}
