// ComPtr: a shared reference to a COM interface.
#pragma once

#include <cstddef>
#include <utility>

#include "platform/com/unknown.h"

namespace pw {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes a new reference to `raw`.
  ComPtr(T* raw) : raw_(raw) { AddRefIfAny(); }
  ComPtr(const ComPtr& other) : raw_(other.raw_) { AddRefIfAny(); }
  ComPtr(ComPtr&& other) noexcept : raw_(std::exchange(other.raw_, nullptr)) {}
  template <typename U>
  requires std::convertible_to<U*, T*> ComPtr(const ComPtr<U>& other) : raw_(other.Get()) {
    AddRefIfAny();
  }
  ~ComPtr() { Reset(); }

  ComPtr& operator=(const ComPtr& other) {
    ComPtr(other).Swap(*this);
    return *this;
  }
  ComPtr& operator=(ComPtr&& other) noexcept {
    ComPtr(std::move(other)).Swap(*this);
    return *this;
  }
  ComPtr& operator=(T* raw) {
    ComPtr(raw).Swap(*this);
    return *this;
  }
  ComPtr& operator=(std::nullptr_t) {
    Reset();
    return *this;
  }

  // Adopts a reference that the caller already owns (no AddRef).
  static ComPtr Adopt(T* raw) {
    ComPtr result;
    result.raw_ = raw;
    return result;
  }

  T* Get() const { return raw_; }
  T* operator->() const { return raw_; }
  T& operator*() const { return *raw_; }
  explicit operator bool() const { return raw_ != nullptr; }

  // For out parameters: releases what is held and gives the slot to fill.
  T** ReleaseAndGetAddressOf() {
    Reset();
    return &raw_;
  }
  T** GetAddressOf() { return &raw_; }
  void** ReleaseAndGetVoidAddressOf() { return reinterpret_cast<void**>(ReleaseAndGetAddressOf()); }

  void Reset() {
    if (T* old = std::exchange(raw_, nullptr)) old->Release();
  }
  void Attach(T* raw) {
    Reset();
    raw_ = raw;
  }
  [[nodiscard]] T* Detach() { return std::exchange(raw_, nullptr); }
  void Swap(ComPtr& other) noexcept { std::swap(raw_, other.raw_); }

  // Hands a new reference out through an interface out parameter.
  HRESULT CopyTo(T** out) const {
    if (out == nullptr) return E_POINTER;
    *out = raw_;
    if (raw_ != nullptr) raw_->AddRef();
    return S_OK;
  }

  // QueryInterface for another interface.
  template <ComInterface U>
  HRESULT As(ComPtr<U>* out) const {
    if (out == nullptr) return E_POINTER;
    if (raw_ == nullptr) return E_POINTER;
    return raw_->QueryInterface(U::kIid, out->ReleaseAndGetVoidAddressOf());
  }
  template <ComInterface U>
  ComPtr<U> As() const {
    ComPtr<U> result;
    (void)As(&result);
    return result;
  }

  friend bool operator==(const ComPtr& a, const ComPtr& b) { return a.raw_ == b.raw_; }
  friend bool operator==(const ComPtr& a, std::nullptr_t) { return a.raw_ == nullptr; }

 private:
  void AddRefIfAny() {
    if (raw_ != nullptr) raw_->AddRef();
  }

  T* raw_ = nullptr;
};

// Creates a ComObject-derived object and hands out its first reference.
template <typename T, typename... Args>
ComPtr<T> MakeComObject(Args&&... args) {
  T* object = new (std::nothrow) T(std::forward<Args>(args)...);
  return ComPtr<T>(object);
}

}  // namespace pw
