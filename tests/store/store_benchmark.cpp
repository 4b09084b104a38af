// Benchmarks of the configuration store on the paths that grow with the number of rules:
// creating many rules in one bulk update, and enumerating them.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "installation/interfaces/ardent_db.h"
#include "platform/com/class_loader.h"
#include "platform/com/strings.h"
#include "platform/win/registry.h"

namespace {

constexpr int kRuleCount = 10'000;

std::string ProgramFolder() {
  char self[4096];
  const ssize_t length = ::readlink("/proc/self/exe", self, sizeof(self) - 1);
  if (length <= 0) return ".";
  return std::filesystem::path(std::string(self, static_cast<std::size_t>(length)))
      .parent_path()
      .string();
}

// A temporary folder with a registry file of its own in which the store module is registered.
class Environment {
 public:
  Environment() {
    std::string pattern = std::filesystem::temp_directory_path().string() + "/pwbench.XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) return;
    folder_ = pattern;
    pw::SetRegistryFilePath(folder_ + "/registry.reg");
    const std::string module = ProgramFolder() + "/pwstore.so";
    void* handle = ::dlopen(module.c_str(), RTLD_NOW);
    if (handle == nullptr) return;
    using RegisterFunction = HRESULT (*)();
    auto* register_server =
        reinterpret_cast<RegisterFunction>(::dlsym(handle, "DllRegisterServer"));
    ready_ = register_server != nullptr && SUCCEEDED(register_server());
    ::dlclose(handle);
  }
  ~Environment() {
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
  }

  bool ready() const { return ready_; }

  // A store open on a new, empty configuration in its own folder.
  IArdentDBPtr NewConfiguration(const std::string& name) {
    const std::string folder = folder_ + "/" + name;
    std::error_code failure;
    std::filesystem::remove_all(folder, failure);
    std::filesystem::create_directories(folder, failure);
    IArdentDBPtr store;
    if (failure || FAILED(pw::CreateInstance(CLSID_ArdentDB, &store))) return nullptr;
    const std::wstring path = pw::FromUtf8(folder);
    if (FAILED(store.As<IArdentDBSetup>()->raw_CreateConfiguration(path.c_str())) ||
        FAILED(store->raw_Open(0, path.c_str()))) {
      return nullptr;
    }
    return store;
  }

 private:
  std::string folder_;
  bool ready_ = false;
};

Environment& SharedEnvironment() {
  static Environment environment;
  return environment;
}

// Adds `count` DTMF/DID routes with one user each, as the snap-in does for a range.
bool AddRoutes(const IArdentDBPtr& store, int count) {
  try {
    const IPagewellPtr settings = store.As<IPagewell>();
    const IArdentRULEDBPtr rules = store.As<IArdentRULEDB>();
    settings->BeginBulkUpdate();
    for (int i = 0; i < count; ++i) {
      const std::wstring number = std::to_wstring(100000 + i);
      const IArdentRulePtr rule = rules->CreateRule(L"did");
      rule->SetField(L"ObjectValue", VARIANT::FromBstr(number));
      rule->SetField(L"ObjectDisplay", VARIANT::FromBstr(number));
      rule->SetField(L"ObjectFlags", VARIANT::FromI4(0));
      rule->AddUser(L"CN=User " + std::to_wstring(i % 50));
      rules->SaveRule(rule.Get(), VARIANT_TRUE);
    }
    settings->EndBulkUpdate();
    return true;
  } catch (const ComError&) {
    return false;
  }
}

void BM_CreateRulesInOneBulkUpdate(benchmark::State& state) {
  Environment& environment = SharedEnvironment();
  if (!environment.ready()) {
    state.SkipWithError("the store module could not be registered");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    const IArdentDBPtr store = environment.NewConfiguration("create");
    state.ResumeTiming();
    if (!store || !AddRoutes(store, static_cast<int>(state.range(0)))) {
      state.SkipWithError("creating the rules failed");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CreateRulesInOneBulkUpdate)->Arg(kRuleCount)->Unit(benchmark::kMillisecond);

void BM_EnumerateRules(benchmark::State& state) {
  Environment& environment = SharedEnvironment();
  const IArdentDBPtr store =
      environment.ready() ? environment.NewConfiguration("enumerate") : nullptr;
  if (!store || !AddRoutes(store, static_cast<int>(state.range(0)))) {
    state.SkipWithError("preparing the rules failed");
    return;
  }
  const IArdentRULEDBPtr rules = store.As<IArdentRULEDB>();
  for (auto _ : state) {
    IArdentRuleEnum* enumerator = nullptr;
    if (FAILED(rules->raw_EnumRules(L"", L"did", &enumerator)) || enumerator == nullptr) {
      state.SkipWithError("the enumeration failed");
      return;
    }
    const IArdentRuleEnumPtr all = IArdentRuleEnumPtr::Adopt(enumerator);
    all->raw_Reset();
    long seen = 0;
    IArdentRule* rule = nullptr;
    while (all->raw_Next(&rule) == S_OK) {
      VARIANT value;
      rule->raw_GetField(L"ObjectValue", &value);
      benchmark::DoNotOptimize(value);
      rule->Release();
      ++seen;
    }
    if (seen != state.range(0)) {
      state.SkipWithError("the enumeration missed rules");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EnumerateRules)->Arg(kRuleCount)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
