// A COM server module's count of live objects and server locks, which decides
// DllCanUnloadNow, and the guard that keeps exceptions from crossing an interface method.
// Each module links its own copy (hidden visibility), so each module keeps its own count.
#pragma once

#include <atomic>
#include <new>

#include "platform/com/hresult.h"

namespace pw::install {

// Held as a member by every object the module hands out, so that the module stays loaded
// while any of them lives.
class ModuleReference {
 public:
  ModuleReference() { ++Count(); }
  ~ModuleReference() { --Count(); }
  ModuleReference(const ModuleReference&) : ModuleReference() {}
  ModuleReference& operator=(const ModuleReference&) = default;

  // Live objects plus server locks.
  static std::atomic<long>& Count() {
    static std::atomic<long> count{0};
    return count;
  }
};

// Runs an interface method's body: a failed allocation becomes E_OUTOFMEMORY and any other
// exception E_UNEXPECTED, so that nothing is thrown across the interface.
template <typename Body>
HRESULT Guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace pw::install
