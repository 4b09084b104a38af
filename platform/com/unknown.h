// IUnknown, IClassFactory and the table-driven base that our COM objects derive from.
//
// Interfaces are abstract classes with their Windows names. Each one names its IID as `kIid`;
// an interface that extends another one than IUnknown names it as `Parent`, so that an object's
// QueryInterface also answers for the interfaces its interfaces extend.
#pragma once

#include <atomic>
#include <concepts>
#include <new>
#include <utility>

#include "platform/com/guid.h"

inline constexpr IID IID_IUnknown = pw::GuidLiteral("00000000-0000-0000-C000-000000000046");
inline constexpr IID IID_IClassFactory = pw::GuidLiteral("00000001-0000-0000-C000-000000000046");

struct IUnknown {
  static constexpr const IID& kIid = IID_IUnknown;

  virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  // Objects are destroyed by their last Release, never through an interface pointer.
  ~IUnknown() = default;
};
using LPUNKNOWN = IUnknown*;

struct IClassFactory : IUnknown {
  static constexpr const IID& kIid = IID_IClassFactory;

  virtual HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) = 0;
  virtual HRESULT LockServer(BOOL lock) = 0;

 protected:
  ~IClassFactory() = default;
};

// The signature of a module's DllGetClassObject export.
using DllGetClassObjectFunction = HRESULT (*)(REFCLSID clsid, REFIID iid, void** object);
using DllCanUnloadNowFunction = HRESULT (*)();

namespace pw {

template <typename Interface>
concept ComInterface = std::derived_from<Interface, IUnknown> && requires {
  { Interface::kIid } -> std::convertible_to<const IID&>;
};

template <typename Interface>
concept HasParentInterface = requires {
  typename Interface::Parent;
};

namespace com_detail {
// Whether `iid` names `Interface` or one of the interfaces it extends.
template <typename Interface>
constexpr bool Answers(REFIID iid) {
  if (iid == Interface::kIid) return true;
  if constexpr (HasParentInterface<Interface>) return Answers<typename Interface::Parent>(iid);
  return false;
}
}  // namespace com_detail

// Base of a COM object: reference counting with an atomic counter and QueryInterface answered
// from the list of implemented interfaces. Derive as
//   class Thing final : public pw::ComObject<IFirst, ISecond> { ... };
// and create with pw::MakeComObject<Thing>(...), which hands out the first reference.
template <ComInterface... Interfaces>
class ComObject : public Interfaces... {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown) {
      *object = static_cast<IUnknown*>(static_cast<FirstInterface*>(this));
    } else {
      (void)(TryInterface<Interfaces>(iid, object) || ...);
    }
    if (*object == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    const ULONG remaining = --references_;
    if (remaining == 0) delete this;
    return remaining;
  }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

 private:
  template <typename... Rest>
  struct First;
  template <typename Head, typename... Rest>
  struct First<Head, Rest...> {
    using Type = Head;
  };
  using FirstInterface = typename First<Interfaces...>::Type;

  template <typename Interface>
  bool TryInterface(REFIID iid, void** object) {
    if (!com_detail::Answers<Interface>(iid)) return false;
    *object = static_cast<Interface*>(this);
    return true;
  }

  std::atomic<ULONG> references_{0};
};

}  // namespace pw
