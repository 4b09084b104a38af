// The text enumerator.
#include "installation/common/text_enum.h"

namespace pw::install {

HRESULT TextEnum::raw_Reset() {
  std::lock_guard lock(mutex_);
  next_ = 0;
  return S_OK;
}

HRESULT TextEnum::raw_Next(BSTR* text) {
  if (text == nullptr) return E_POINTER;
  *text = nullptr;
  std::lock_guard lock(mutex_);
  if (next_ >= texts_.size()) return S_FALSE;
  const std::wstring& value = texts_[next_];
  *text = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
  if (*text == nullptr) return E_OUTOFMEMORY;
  ++next_;
  return S_OK;
}

HRESULT TextEnum::HandOut(std::vector<std::wstring> texts, IArdentTextEnum** out) {
  auto enumerator = MakeComObject<TextEnum>(std::move(texts));
  if (!enumerator) return E_OUTOFMEMORY;
  *out = enumerator.Detach();
  return S_OK;
}

}  // namespace pw::install
