// PropertySheetProvider, and the class object through which snap-ins create it.
#include "mmc/host/property_sheet_provider.h"

#include <algorithm>

#include "mmc/host/console.h"
#include "mmc/host/notify_handles.h"

namespace pw::mmc {

PropertySheetProvider::PropertySheetProvider(Console* console) : console_(console) {
  if (console_ != nullptr) console_alive_ = console_->alive_token();
}

PropertySheetProvider::~PropertySheetProvider() {
  DiscardPages();
  if (handle_ != 0 && stage_ != Stage::kShown) MMCFreeNotifyHandle(handle_);
}

Console* PropertySheetProvider::LiveConsole() const {
  return console_ != nullptr && !console_alive_.expired() ? console_ : nullptr;
}

void PropertySheetProvider::DiscardPages() {
  if (pages_.empty()) return;
  if (Console* console = LiveConsole()) console->ui().DestroyPages(std::move(pages_));
  pages_.clear();
}

HRESULT PropertySheetProvider::CreatePropertySheet(LPCWSTR title, boolean type, MMC_COOKIE cookie,
                                                   IDataObject* data_object, DWORD options) {
  if (stage_ != Stage::kNew) return E_UNEXPECTED;
  title_ = title != nullptr ? title : L"";
  wizard_ = type == 0;
  cookie_ = cookie;
  data_object_ = data_object;
  options_ = options;
  stage_ = Stage::kCreated;
  return S_OK;
}

HRESULT PropertySheetProvider::FindPropertySheet(MMC_COOKIE cookie, IComponent* component,
                                                 IDataObject* data_object) {
  std::vector<Console*> consoles;
  if (Console* console = LiveConsole()) {
    consoles.push_back(console);
  } else {
    consoles = Console::OnThisThread();
  }
  for (Console* console : consoles) {
    const auto found =
        console->sheets().Find(cookie, data_object, component, console->component_data());
    if (found) {
      console->ui().BringSheetToFront(found->id);
      return S_OK;
    }
  }
  return S_FALSE;
}

HRESULT PropertySheetProvider::AddPrimaryPages(IUnknown* snapin_object, BOOL create_handle, HWND,
                                               BOOL scope_pane) {
  if (stage_ != Stage::kCreated) return E_UNEXPECTED;
  if (snapin_object == nullptr) return E_INVALIDARG;
  Console* console = LiveConsole();
  if (console == nullptr) {
    for (Console* candidate : Console::OnThisThread()) {
      if (candidate->IsSnapinObject(snapin_object)) {
        console_ = candidate;
        console_alive_ = candidate->alive_token();
        console = candidate;
        break;
      }
    }
  }
  if (console == nullptr || !console->IsSnapinObject(snapin_object)) return E_UNEXPECTED;
  ComPtr<IExtendPropertySheet> pages;
  HRESULT hr =
      snapin_object->QueryInterface(IID_IExtendPropertySheet, pages.ReleaseAndGetVoidAddressOf());
  if (FAILED(hr)) return hr;
  scope_ = scope_pane != FALSE;
  if (create_handle != FALSE) handle_ = console->CreateNotifyHandle(snapin_object, scope_);
  hr = pages->CreatePropertyPages(this, handle_, data_object_.Get());
  if (FAILED(hr)) {
    // No sheet will ever end the pages, so the console frees the handle itself, before the
    // pages that were added go.
    if (handle_ != 0) MMCFreeNotifyHandle(handle_);
    handle_ = 0;
    DiscardPages();
    return hr;
  }
  stage_ = Stage::kPagesAdded;
  return S_OK;
}

HRESULT PropertySheetProvider::AddExtensionPages() {
  return stage_ == Stage::kPagesAdded ? S_OK : E_UNEXPECTED;
}

HRESULT PropertySheetProvider::Show(LONG_PTR window, int page) {
  if (stage_ != Stage::kPagesAdded) return E_UNEXPECTED;
  Console* console = LiveConsole();
  if (console == nullptr) return E_UNEXPECTED;
  stage_ = Stage::kShown;
  if (pages_.empty()) {
    if (handle_ != 0) MMCFreeNotifyHandle(handle_);
    return S_FALSE;
  }
  SheetRequest request;
  request.title = title_;
  request.pages = std::move(pages_);
  pages_.clear();
  request.wizard = wizard_;
  request.options = options_;
  request.start_page = std::clamp(page, 0, static_cast<int>(request.pages.size()) - 1);
  request.owner = reinterpret_cast<HWND>(window);
  if (wizard_) return console->ui().RunWizard(std::move(request));

  struct Shown {
    SheetId id = 0;
    bool closed = false;
  };
  auto shown = std::make_shared<Shown>();
  std::weak_ptr<int> alive = console->alive_token();
  auto closed = [console, alive, shown] {
    shown->closed = true;
    if (!alive.expired()) console->sheets().Remove(shown->id);
  };
  const HRESULT hr = console->ui().ShowPropertySheet(std::move(request), closed, &shown->id);
  if (FAILED(hr)) {
    if (handle_ != 0 && IsNotifyHandleAlive(handle_)) MMCFreeNotifyHandle(handle_);
    return hr;
  }
  if (!shown->closed) {
    OpenSheet sheet;
    sheet.id = shown->id;
    sheet.title = title_;
    sheet.cookie = cookie_;
    sheet.scope = scope_;
    sheet.data_object = data_object_;
    console->sheets().Add(std::move(sheet));
  }
  return S_OK;
}

HRESULT PropertySheetProvider::AddPage(HPROPSHEETPAGE page) {
  if (page == nullptr) return E_INVALIDARG;
  if (stage_ == Stage::kShown) return E_UNEXPECTED;
  pages_.push_back(page);
  return S_OK;
}

HRESULT PropertySheetProvider::RemovePage(HPROPSHEETPAGE page) {
  const auto found = std::find(pages_.begin(), pages_.end(), page);
  if (found == pages_.end()) return E_INVALIDARG;
  pages_.erase(found);
  if (Console* console = LiveConsole()) console->ui().DestroyPages({page});
  return S_OK;
}

namespace {

class NodeManagerFactory final : public ComObject<IClassFactory> {
 public:
  HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    auto provider = MakeComObject<PropertySheetProvider>();
    if (!provider) return E_OUTOFMEMORY;
    return provider->QueryInterface(iid, object);
  }
  HRESULT LockServer(BOOL) override { return S_OK; }
};

}  // namespace
}  // namespace pw::mmc

HRESULT PwMmcGetNodeManagerClassObject(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  auto factory = pw::MakeComObject<pw::mmc::NodeManagerFactory>();
  if (!factory) return E_OUTOFMEMORY;
  return factory->QueryInterface(iid, object);
}
