// A small COM server module for the class loader's tests: one class whose objects count.
#include <atomic>
#include <new>

#include "platform/com/com_ptr.h"
#include "tests/com/test_module/test_module.h"

namespace {

std::atomic<int> live_objects{0};

class Counter final : public pw::ComObject<ITestCounter> {
 public:
  Counter() { ++live_objects; }
  ~Counter() override { --live_objects; }
  int Next() override { return ++value_; }

 private:
  int value_ = 0;
};

class Factory final : public pw::ComObject<IClassFactory> {
 public:
  Factory() { ++live_objects; }
  ~Factory() override { --live_objects; }
  HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    auto counter = pw::MakeComObject<Counter>();
    if (!counter) return E_OUTOFMEMORY;
    return counter->QueryInterface(iid, object);
  }
  HRESULT LockServer(BOOL) override { return S_OK; }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) HRESULT DllGetClassObject(REFCLSID clsid,
                                                                            REFIID iid,
                                                                            void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (clsid != CLSID_TestCounter) return CLASS_E_CLASSNOTAVAILABLE;
  auto factory = pw::MakeComObject<Factory>();
  if (!factory) return E_OUTOFMEMORY;
  return factory->QueryInterface(iid, object);
}

extern "C" __attribute__((visibility("default"))) HRESULT DllCanUnloadNow() {
  return live_objects == 0 ? S_OK : S_FALSE;
}
