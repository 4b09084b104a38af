// ComError: the exception that the wrappers of imported interfaces throw on failure, carrying
// the failed HRESULT and the identity of the interface that reported it.
#pragma once

#include <exception>
#include <string>

#include "platform/com/guid.h"

class ComError : public std::exception {
 public:
  ComError(HRESULT hr, REFIID iid = GUID_NULL);

  HRESULT Error() const { return hr_; }
  const IID& Iid() const { return iid_; }
  // The Win32 error number inside an HRESULT of facility WIN32, else the HRESULT itself.
  LONG WCode() const;
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  HRESULT hr_;
  IID iid_;
  std::string message_;
};

// Throws ComError(hr, iid) when `hr` is a failure; the wrappers `X` of `raw_X` methods use it.
inline HRESULT CheckHresult(HRESULT hr, REFIID iid) {
  if (FAILED(hr)) throw ComError(hr, iid);
  return hr;
}
