// PropertySheetProvider: the console's node manager object — it collects a snap-in's property
// pages (IPropertySheetCallback) and shows them as a modeless sheet or a modal wizard
// (IPropertySheetProvider). The console's Properties verb and its "add snap-in" wizard use
// it, and snap-ins create it themselves through CLSID_NodeManager.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "mmc/mmc.h"
#include "platform/com/com_ptr.h"

namespace pw::mmc {

class Console;

// One sheet's worth of use: CreatePropertySheet, optionally FindPropertySheet, AddPrimaryPages,
// Show. A provider made by a snap-in finds its console in AddPrimaryPages, by the snap-in
// object it is given. Pages collected but never shown are destroyed with the provider, and
// a handle it made that no sheet received is freed then.
class PropertySheetProvider final
    : public ComObject<IPropertySheetProvider, IPropertySheetCallback> {
 public:
  explicit PropertySheetProvider(Console* console = nullptr);
  ~PropertySheetProvider() override;

  LONG_PTR notify_handle() const { return handle_; }

  // IPropertySheetProvider
  HRESULT CreatePropertySheet(LPCWSTR title, boolean type, MMC_COOKIE cookie,
                              IDataObject* data_object, DWORD options) override;
  HRESULT FindPropertySheet(MMC_COOKIE cookie, IComponent* component,
                            IDataObject* data_object) override;
  HRESULT AddPrimaryPages(IUnknown* snapin_object, BOOL create_handle, HWND notify_window,
                          BOOL scope_pane) override;
  HRESULT AddExtensionPages() override;
  // A sheet: S_OK once it is shown. A wizard: S_OK when finished, S_FALSE when cancelled.
  HRESULT Show(LONG_PTR window, int page) override;

  // IPropertySheetCallback
  HRESULT AddPage(HPROPSHEETPAGE page) override;
  HRESULT RemovePage(HPROPSHEETPAGE page) override;

 private:
  enum class Stage { kNew, kCreated, kPagesAdded, kShown };

  Console* LiveConsole() const;
  void DiscardPages();

  Console* console_;
  std::weak_ptr<int> console_alive_;
  Stage stage_ = Stage::kNew;
  std::wstring title_;
  bool wizard_ = false;
  MMC_COOKIE cookie_ = 0;
  ComPtr<IDataObject> data_object_;
  DWORD options_ = 0;
  bool scope_ = false;
  LONG_PTR handle_ = 0;
  std::vector<HPROPSHEETPAGE> pages_;
};

}  // namespace pw::mmc

// The class object of the node manager, for the node manager module's DllGetClassObject.
PW_MMC_API HRESULT PwMmcGetNodeManagerClassObject(REFIID iid, void** object);
