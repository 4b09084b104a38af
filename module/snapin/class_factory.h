// CClassFactory: makes the module's two creatable objects, the snap-in and its About object.
#pragma once

#include "platform/com/unknown.h"

class CClassFactory final : public IClassFactory {
 public:
  enum Kind { kSnapin = 0, kAbout = 1 };

  explicit CClassFactory(Kind kind);
  ~CClassFactory();

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;

  HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  HRESULT LockServer(BOOL lock) override;

 private:
  LONG references_ = 0;
  Kind kind_;
};
