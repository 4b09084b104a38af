// The process-wide table behind HANDLE values of kernel-like objects (processes, searches).
#pragma once

#include <memory>

#include "platform/com/types.h"

namespace pw {

// Base of every object a HANDLE stands for. Handles are looked up in a table rather than cast
// from pointers, so that a stale, doubly closed or made-up handle is refused with
// ERROR_INVALID_HANDLE instead of touching freed memory; a user that looked an object up keeps
// it alive while another thread closes the handle.
class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

// An object that WaitForSingleObject can wait for.
class WaitableObject : public KernelObject {
 public:
  // WAIT_OBJECT_0 when signalled within `milliseconds` (INFINITE: no limit), else WAIT_TIMEOUT.
  virtual DWORD Wait(DWORD milliseconds) = 0;
};

HANDLE RegisterHandle(std::shared_ptr<KernelObject> object);
// Null for an unknown handle or one of another kind.
std::shared_ptr<KernelObject> LookUpHandle(HANDLE handle);
template <typename T>
std::shared_ptr<T> LookUpHandleAs(HANDLE handle) {
  return std::dynamic_pointer_cast<T>(LookUpHandle(handle));
}
// Removes the handle; the object goes when its last user lets go. False for an unknown handle.
bool UnregisterHandle(HANDLE handle);
// Removes the handle only when it stands for a T.
template <typename T>
bool UnregisterHandleOf(HANDLE handle) {
  return LookUpHandleAs<T>(handle) != nullptr && UnregisterHandle(handle);
}

}  // namespace pw
