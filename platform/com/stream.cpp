// Streams on global memory and on private buffers.
#include "platform/com/stream.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/com/com_ptr.h"
#include "platform/com/memory.h"

namespace {

// The position rules of IStream, shared by both kinds of stream.
HRESULT ComputeSeek(ULONGLONG current, ULONGLONG size, LONGLONG move, DWORD origin,
                    ULONGLONG* position) {
  long double base = 0;
  switch (origin) {
    case STREAM_SEEK_SET:
      base = 0;
      break;
    case STREAM_SEEK_CUR:
      base = static_cast<long double>(current);
      break;
    case STREAM_SEEK_END:
      base = static_cast<long double>(size);
      break;
    default:
      return STG_E_INVALIDFUNCTION;
  }
  const long double target = base + static_cast<long double>(move);
  if (target < 0) return STG_E_INVALIDFUNCTION;
  *position = static_cast<ULONGLONG>(target);
  return S_OK;
}

class HGlobalStream final : public pw::ComObject<IStream> {
 public:
  HGlobalStream(HGLOBAL block, bool delete_on_release)
      : block_(block), delete_on_release_(delete_on_release) {}
  ~HGlobalStream() override {
    if (delete_on_release_) GlobalFree(block_);
  }

  HGLOBAL block() const { return block_; }

  HRESULT Read(void* buffer, ULONG bytes, ULONG* read) override {
    if (buffer == nullptr && bytes > 0) return STG_E_INVALIDFUNCTION;
    const SIZE_T size = GlobalSize(block_);
    const ULONG count =
        position_ >= size ? 0 : static_cast<ULONG>(std::min<ULONGLONG>(bytes, size - position_));
    if (count > 0) {
      auto* data = static_cast<unsigned char*>(GlobalLock(block_));
      std::memcpy(buffer, data + position_, count);
      GlobalUnlock(block_);
    }
    position_ += count;
    if (read != nullptr) *read = count;
    return S_OK;
  }

  HRESULT Write(const void* buffer, ULONG bytes, ULONG* written) override {
    if (written != nullptr) *written = 0;
    if (bytes == 0) return S_OK;
    if (buffer == nullptr) return STG_E_INVALIDFUNCTION;
    const ULONGLONG end = position_ + bytes;
    if (end > GlobalSize(block_) && FAILED(SetSize(end))) return STG_E_MEDIUMFULL;
    auto* data = static_cast<unsigned char*>(GlobalLock(block_));
    std::memcpy(data + position_, buffer, bytes);
    GlobalUnlock(block_);
    position_ = end;
    if (written != nullptr) *written = bytes;
    return S_OK;
  }

  HRESULT Seek(LONGLONG move, DWORD origin, ULONGLONG* new_position) override {
    ULONGLONG target = 0;
    const HRESULT hr = ComputeSeek(position_, GlobalSize(block_), move, origin, &target);
    if (FAILED(hr)) return hr;
    position_ = target;
    if (new_position != nullptr) *new_position = position_;
    return S_OK;
  }

  HRESULT SetSize(ULONGLONG size) override {
    if (size > std::numeric_limits<SIZE_T>::max() / 2) return STG_E_MEDIUMFULL;
    return GlobalReAlloc(block_, static_cast<SIZE_T>(size), GMEM_MOVEABLE | GMEM_ZEROINIT)
               ? S_OK
               : STG_E_MEDIUMFULL;
  }

  HRESULT Commit(DWORD) override { return S_OK; }

  HRESULT Stat(STATSTG* stat, DWORD) override {
    if (stat == nullptr) return STG_E_INVALIDFUNCTION;
    stat->cbSize = GlobalSize(block_);
    return S_OK;
  }

  HRESULT Clone(IStream** clone) override {
    if (clone == nullptr) return E_POINTER;
    *clone = nullptr;
    return E_NOTIMPL;
  }

 private:
  HGLOBAL block_;
  bool delete_on_release_;
  ULONGLONG position_ = 0;
};

class MemoryStream final : public pw::ComObject<IStream> {
 public:
  explicit MemoryStream(std::string bytes) : bytes_(std::move(bytes)) {}

  HRESULT Read(void* buffer, ULONG bytes, ULONG* read) override {
    if (buffer == nullptr && bytes > 0) return STG_E_INVALIDFUNCTION;
    const ULONG count =
        position_ >= bytes_.size()
            ? 0
            : static_cast<ULONG>(std::min<ULONGLONG>(bytes, bytes_.size() - position_));
    if (count > 0) std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    if (read != nullptr) *read = count;
    return S_OK;
  }

  HRESULT Write(const void* buffer, ULONG bytes, ULONG* written) override {
    if (written != nullptr) *written = 0;
    if (bytes == 0) return S_OK;
    if (buffer == nullptr) return STG_E_INVALIDFUNCTION;
    const ULONGLONG end = position_ + bytes;
    if (end > bytes_.size()) bytes_.resize(static_cast<std::size_t>(end), '\0');
    std::memcpy(bytes_.data() + position_, buffer, bytes);
    position_ = end;
    if (written != nullptr) *written = bytes;
    return S_OK;
  }

  HRESULT Seek(LONGLONG move, DWORD origin, ULONGLONG* new_position) override {
    ULONGLONG target = 0;
    const HRESULT hr = ComputeSeek(position_, bytes_.size(), move, origin, &target);
    if (FAILED(hr)) return hr;
    position_ = target;
    if (new_position != nullptr) *new_position = position_;
    return S_OK;
  }

  HRESULT SetSize(ULONGLONG size) override {
    if (size > bytes_.max_size() / 2) return STG_E_MEDIUMFULL;
    bytes_.resize(static_cast<std::size_t>(size), '\0');
    return S_OK;
  }

  HRESULT Commit(DWORD) override { return S_OK; }

  HRESULT Stat(STATSTG* stat, DWORD) override {
    if (stat == nullptr) return STG_E_INVALIDFUNCTION;
    stat->cbSize = bytes_.size();
    return S_OK;
  }

  HRESULT Clone(IStream** clone) override {
    if (clone == nullptr) return E_POINTER;
    auto copy = pw::MakeComObject<MemoryStream>(bytes_);
    if (!copy) return E_OUTOFMEMORY;
    copy->position_ = position_;
    *clone = copy.Detach();
    return S_OK;
  }

 private:
  std::string bytes_;
  ULONGLONG position_ = 0;
};

}  // namespace

HRESULT CreateStreamOnHGlobal(HGLOBAL block, BOOL delete_on_release, IStream** stream) {
  if (stream == nullptr) return E_INVALIDARG;
  *stream = nullptr;
  if (block == nullptr) {
    block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, 0);
    if (block == nullptr) return E_OUTOFMEMORY;
  }
  auto object = pw::MakeComObject<HGlobalStream>(block, delete_on_release != FALSE);
  if (!object) return E_OUTOFMEMORY;
  *stream = object.Detach();
  return S_OK;
}

HRESULT GetHGlobalFromStream(IStream* stream, HGLOBAL* block) {
  if (stream == nullptr || block == nullptr) return E_INVALIDARG;
  // Only our own global streams have a block; they are recognised by their vtable.
  auto* global = dynamic_cast<HGlobalStream*>(stream);
  if (global == nullptr) return E_INVALIDARG;
  *block = global->block();
  return S_OK;
}

namespace pw {

HRESULT CreateMemoryStream(std::string initial, IStream** stream) {
  if (stream == nullptr) return E_INVALIDARG;
  auto object = MakeComObject<MemoryStream>(std::move(initial));
  if (!object) return E_OUTOFMEMORY;
  *stream = object.Detach();
  return S_OK;
}

HRESULT ReadStreamToEnd(IStream* stream, std::string* bytes) {
  if (stream == nullptr || bytes == nullptr) return E_INVALIDARG;
  bytes->clear();
  char chunk[4096];
  for (;;) {
    ULONG read = 0;
    const HRESULT hr = stream->Read(chunk, sizeof(chunk), &read);
    if (FAILED(hr)) return hr;
    bytes->append(chunk, read);
    if (read < sizeof(chunk)) return S_OK;
  }
}

}  // namespace pw
