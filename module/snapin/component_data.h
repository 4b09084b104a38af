// CComponentData: the snap-in object the console creates through the class factory. This is
// its minimal form, enough to be created, counted and released; the console interfaces come
// with the console host.
#pragma once

#include "module/snapin/pwconfig_app.h"
#include "platform/com/unknown.h"

class CComponentData final : public IUnknown {
 public:
  CComponentData() = default;
  ~CComponentData() = default;

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;

 private:
  ModuleObjectCount object_count_;
  LONG references_ = 0;
};
