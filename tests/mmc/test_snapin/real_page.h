// RealPage: a property page of the window model, made the way the product's pages are — its
// apply tells the console through the notify handle, the end of its window frees the handle.
#pragma once

#include <string>

#include "mmc/mmc.h"
#include "platform/ui/property_page.h"

namespace test_snapin {

// Made with new for one sheet; the page deletes itself when the sheet releases its handle.
class RealPage final : public CPropertyPage {
 public:
  RealPage(std::wstring title, LONG_PTR handle, LPARAM param, bool wizard);

  // The handle to add to a sheet; it owns this page from then on.
  HPROPSHEETPAGE CreateHandle();

 protected:
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnApply() override;
  BOOL OnWizardFinish() override;
  void OnDestroy() override;

 private:
  static UINT Callback(HWND window, UINT message, PROPSHEETPAGE* description);
  void Notify(const wchar_t* what);

  std::wstring title_;
  LONG_PTR handle_;
  LPARAM param_;
  bool wizard_;
};

}  // namespace test_snapin
