// The interface and class of the class loader's test module.
#pragma once

#include "platform/com/unknown.h"

inline constexpr CLSID CLSID_TestCounter = pw::GuidLiteral("A4C1F2E0-6B7D-4E58-9C3A-1D2B3C4D5E60");
inline constexpr IID IID_ITestCounter = pw::GuidLiteral("A4C1F2E0-6B7D-4E58-9C3A-1D2B3C4D5E61");

struct ITestCounter : IUnknown {
  static constexpr const IID& kIid = IID_ITestCounter;
  virtual int Next() = 0;
};
