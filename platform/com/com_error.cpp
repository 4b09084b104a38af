// ComError.
#include "platform/com/com_error.h"

#include <cstdio>

ComError::ComError(HRESULT hr, REFIID iid) : hr_(hr), iid_(iid) {
  char buffer[80];
  std::snprintf(buffer, sizeof(buffer), "COM error 0x%08X from interface ",
                static_cast<unsigned>(hr));
  message_ = buffer + pw::GuidToNarrowString(iid);
}

LONG ComError::WCode() const {
  const auto bits = static_cast<std::uint32_t>(hr_);
  if ((bits & 0xFFFF0000u) == 0x80070000u) return static_cast<LONG>(bits & 0xFFFF);
  return hr_;
}
