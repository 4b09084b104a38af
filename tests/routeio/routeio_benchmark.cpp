// Benchmarks of the route file library on the path that grows with the file: importing
// 10,000 routes into an empty store, and into a store that has them all (every route updated).
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "installation/interfaces/routeio.h"
#include "platform/com/class_loader.h"
#include "platform/com/strings.h"
#include "platform/win/registry.h"

namespace {

constexpr int kRouteCount = 10'000;

std::string ProgramFolder() {
  char self[4096];
  const ssize_t length = ::readlink("/proc/self/exe", self, sizeof(self) - 1);
  if (length <= 0) return ".";
  return std::filesystem::path(std::string(self, static_cast<std::size_t>(length)))
      .parent_path()
      .string();
}

// A temporary folder with its own registry (the store registered in it), the library loaded
// and a route file of kRouteCount DTMF/DID routes.
class Environment {
 public:
  Environment() {
    std::string pattern = std::filesystem::temp_directory_path().string() + "/pwroutes.XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) return;
    folder_ = pattern;
    pw::SetRegistryFilePath(folder_ + "/registry.reg");
    void* store_module = ::dlopen((ProgramFolder() + "/pwstore.so").c_str(), RTLD_NOW);
    library_ = ::dlopen((ProgramFolder() + "/" + ROUTEIO_LIBRARY_NAME).c_str(), RTLD_NOW);
    if (store_module == nullptr || library_ == nullptr) return;
    using RegisterFunction = HRESULT (*)();
    auto* register_server =
        reinterpret_cast<RegisterFunction>(::dlsym(store_module, "DllRegisterServer"));
    import_ = reinterpret_cast<RouteFileProc>(
        ::dlsym(library_, RouteIoExportName(ROUTEIO_ORDINAL_IMPORT)));
    const bool registered = register_server != nullptr && SUCCEEDED(register_server());
    ::dlclose(store_module);
    std::ofstream file(folder_ + "/routes.csv", std::ios::binary);
    file << "Value,Display,Flags,Auto-print\r\n";
    for (int i = 0; i < kRouteCount; ++i) {
      file << 100000 + i << ',' << 100000 + i << ",0,\r\n";
    }
    ready_ = registered && import_ != nullptr && static_cast<bool>(file.flush());
  }
  ~Environment() {
    if (library_ != nullptr) ::dlclose(library_);
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

  BOOL Import(const IArdentDBPtr& store) {
    IArdentRULEDB* rules = store.As<IArdentRULEDB>().Get();
    IArdentUserLocator* users = nullptr;
    return import_(&rules, &users, 3, L"did", pw::FromUtf8(folder_ + "/routes.csv").c_str());
  }

 private:
  std::string folder_;
  void* library_ = nullptr;
  RouteFileProc import_ = nullptr;
  bool ready_ = false;
};

Environment& SharedEnvironment() {
  static Environment environment;
  return environment;
}

void BM_ImportIntoEmptyStore(benchmark::State& state) {
  Environment& environment = SharedEnvironment();
  if (!environment.ready()) {
    state.SkipWithError("the store or the library could not be loaded");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    const IArdentDBPtr store = environment.NewConfiguration("empty");
    state.ResumeTiming();
    if (!store || !environment.Import(store)) {
      state.SkipWithError("the import failed");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations() * kRouteCount);
}
BENCHMARK(BM_ImportIntoEmptyStore)->Unit(benchmark::kMillisecond);

void BM_ImportUpdatingEveryRoute(benchmark::State& state) {
  Environment& environment = SharedEnvironment();
  const IArdentDBPtr store = environment.ready() ? environment.NewConfiguration("full") : nullptr;
  if (!store || !environment.Import(store)) {
    state.SkipWithError("preparing the routes failed");
    return;
  }
  for (auto _ : state) {
    if (!environment.Import(store)) {
      state.SkipWithError("the import failed");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations() * kRouteCount);
}
BENCHMARK(BM_ImportUpdatingEveryRoute)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
