// Handle values for kernel-like objects, checked on every use.
#include "platform/win/handle_table.h"

#include <mutex>
#include <unordered_map>

namespace pw {
namespace {

struct HandleTable {
  std::mutex mutex;
  std::unordered_map<std::uintptr_t, std::shared_ptr<KernelObject>> objects;
  // Handle values are never reused, so a stale handle cannot reach a newer object. They are
  // multiples of four, as on Windows, and start well away from null and small integers.
  std::uintptr_t next = 0x1000;
};

HandleTable& Table() {
  // Never destroyed: handles still open at exit must not have their objects torn down
  // (closing a process handle may start a thread) while the process is ending.
  static HandleTable& table = *new HandleTable;
  return table;
}

}  // namespace

HANDLE RegisterHandle(std::shared_ptr<KernelObject> object) {
  HandleTable& table = Table();
  std::lock_guard lock(table.mutex);
  const std::uintptr_t value = table.next;
  table.next += 4;
  table.objects.emplace(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> LookUpHandle(HANDLE handle) {
  HandleTable& table = Table();
  std::lock_guard lock(table.mutex);
  const auto found = table.objects.find(reinterpret_cast<std::uintptr_t>(handle));
  return found == table.objects.end() ? nullptr : found->second;
}

bool UnregisterHandle(HANDLE handle) {
  std::shared_ptr<KernelObject> removed;
  {
    HandleTable& table = Table();
    std::lock_guard lock(table.mutex);
    const auto found = table.objects.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == table.objects.end()) return false;
    removed = std::move(found->second);
    table.objects.erase(found);
  }
  // The object's destructor may do real work (hand a running child to the reaper), so it runs
  // outside the table's lock.
  removed.reset();
  return true;
}

}  // namespace pw
