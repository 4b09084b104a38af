// IStream, and the two streams the system uses: one on a global memory block (what the
// console hands a snap-in to persist into) and one on a private growable buffer.
#pragma once

#include <string>

#include "platform/com/unknown.h"

inline constexpr IID IID_ISequentialStream =
    pw::GuidLiteral("0C733A30-2A1C-11CE-ADE5-00AA0044773D");
inline constexpr IID IID_IStream = pw::GuidLiteral("0000000C-0000-0000-C000-000000000046");

enum STREAM_SEEK : DWORD { STREAM_SEEK_SET = 0, STREAM_SEEK_CUR = 1, STREAM_SEEK_END = 2 };

struct STATSTG {
  ULONGLONG cbSize = 0;
};

struct ISequentialStream : IUnknown {
  static constexpr const IID& kIid = IID_ISequentialStream;

  // Reads up to `bytes`; fewer at the end of the stream, which is not an error.
  virtual HRESULT Read(void* buffer, ULONG bytes, ULONG* read) = 0;
  virtual HRESULT Write(const void* buffer, ULONG bytes, ULONG* written) = 0;

 protected:
  ~ISequentialStream() = default;
};

struct IStream : ISequentialStream {
  static constexpr const IID& kIid = IID_IStream;
  using Parent = ISequentialStream;

  virtual HRESULT Seek(LONGLONG move, DWORD origin, ULONGLONG* new_position) = 0;
  virtual HRESULT SetSize(ULONGLONG size) = 0;
  virtual HRESULT Commit(DWORD flags) = 0;
  virtual HRESULT Stat(STATSTG* stat, DWORD flags) = 0;
  virtual HRESULT Clone(IStream** clone) = 0;

 protected:
  ~IStream() = default;
};

// A stream on `block` (a new moveable block when null). The block grows as the stream is
// written; with `delete_on_release` it is freed with the stream.
HRESULT CreateStreamOnHGlobal(HGLOBAL block, BOOL delete_on_release, IStream** stream);
HRESULT GetHGlobalFromStream(IStream* stream, HGLOBAL* block);

namespace pw {
// A stream over a private buffer, starting with `initial` bytes and positioned at 0.
HRESULT CreateMemoryStream(std::string initial, IStream** stream);
// Everything from the current position to the end.
HRESULT ReadStreamToEnd(IStream* stream, std::string* bytes);
}  // namespace pw
