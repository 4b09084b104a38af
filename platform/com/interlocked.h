// Interlocked counters, for module object and lock counts shared by every thread.
#pragma once

#include <atomic>

#include "platform/com/types.h"

inline LONG InterlockedIncrement(LONG* target) {
  return std::atomic_ref<LONG>(*target).fetch_add(1) + 1;
}
inline LONG InterlockedDecrement(LONG* target) {
  return std::atomic_ref<LONG>(*target).fetch_sub(1) - 1;
}
inline LONG InterlockedExchange(LONG* target, LONG value) {
  return std::atomic_ref<LONG>(*target).exchange(value);
}
inline LONG InterlockedCompareExchange(LONG* target, LONG exchange, LONG comparand) {
  std::atomic_ref<LONG>(*target).compare_exchange_strong(comparand, exchange);
  return comparand;
}
// A plain read that is still ordered with the interlocked writes of other threads.
inline LONG InterlockedRead(LONG* target) { return std::atomic_ref<LONG>(*target).load(); }
