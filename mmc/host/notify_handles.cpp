// The process-wide table of notify handles, and the two exported functions over it.
#include "mmc/host/notify_handles.h"

#include <map>
#include <mutex>

#include "platform/win/message_queue.h"

namespace pw::mmc {
namespace {

struct Entry {
  DWORD thread_id = 0;
  NotifyTarget target;
};

struct HandleTable {
  std::mutex mutex;
  std::map<LONG_PTR, Entry> entries;
  LONG_PTR next = 0x4E00;
};

HandleTable& Table() {
  // Never destroyed: pages on other threads may still free handles during exit.
  static HandleTable& table = *new HandleTable;
  return table;
}

}  // namespace

LONG_PTR CreateNotifyHandle(NotifyTarget target) {
  // The thread's queue must exist before another thread looks for it.
  MessageQueue::Current();
  HandleTable& table = Table();
  std::lock_guard lock(table.mutex);
  const LONG_PTR handle = ++table.next;
  table.entries.emplace(handle, Entry{GetCurrentThreadId(), std::move(target)});
  return handle;
}

bool IsNotifyHandleAlive(LONG_PTR handle) {
  HandleTable& table = Table();
  std::lock_guard lock(table.mutex);
  return table.entries.count(handle) != 0;
}

void FreeNotifyHandlesOf(const void* owner) {
  HandleTable& table = Table();
  std::lock_guard lock(table.mutex);
  std::erase_if(table.entries,
                [owner](const auto& entry) { return entry.second.target.owner == owner; });
}

}  // namespace pw::mmc

HRESULT MMCPropertyChangeNotify(LONG_PTR handle, LPARAM param) {
  pw::mmc::HandleTable& table = pw::mmc::Table();
  // The lock is held while posting: the console frees its handles under it before its thread
  // ends, so the queue found here cannot go away meanwhile.
  std::lock_guard lock(table.mutex);
  const auto found = table.entries.find(handle);
  if (found == table.entries.end()) return E_INVALIDARG;
  pw::MessageQueue* queue = pw::MessageQueue::ForThread(found->second.thread_id);
  if (queue == nullptr) return E_UNEXPECTED;
  queue->PostTask([deliver = found->second.target.deliver, param] { deliver(param); });
  return S_OK;
}

HRESULT MMCFreeNotifyHandle(LONG_PTR handle) {
  pw::mmc::HandleTable& table = pw::mmc::Table();
  std::lock_guard lock(table.mutex);
  return table.entries.erase(handle) != 0 ? S_OK : E_INVALIDARG;
}
