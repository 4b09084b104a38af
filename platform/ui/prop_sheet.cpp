// Property sheet page handles: a copy of the page description per handle, with the page
// callback told when a handle is made and when it goes.
#include "platform/ui/prop_sheet.h"

#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/ui/dialog.h"
#include "platform/win/resources.h"

namespace {

struct PageHandle {
  PROPSHEETPAGE description;
  std::wstring title;
};

// Live handles, so that a stale or made-up handle is refused instead of followed.
class PageHandleTable {
 public:
  HPROPSHEETPAGE Add(std::unique_ptr<PageHandle> handle) {
    std::lock_guard lock(mutex_);
    const auto key = reinterpret_cast<HPROPSHEETPAGE>(handle.get());
    handles_.emplace(key, std::move(handle));
    return key;
  }
  PageHandle* Find(HPROPSHEETPAGE key) {
    std::lock_guard lock(mutex_);
    auto found = handles_.find(key);
    return found != handles_.end() ? found->second.get() : nullptr;
  }
  std::unique_ptr<PageHandle> Take(HPROPSHEETPAGE key) {
    std::lock_guard lock(mutex_);
    auto found = handles_.find(key);
    if (found == handles_.end()) return nullptr;
    std::unique_ptr<PageHandle> handle = std::move(found->second);
    handles_.erase(found);
    return handle;
  }

 private:
  std::mutex mutex_;
  std::unordered_map<HPROPSHEETPAGE, std::unique_ptr<PageHandle>> handles_;
};

PageHandleTable& Handles() {
  static PageHandleTable table;
  return table;
}

bool UsesCallback(const PROPSHEETPAGE& description) {
  return (description.dwFlags & PSP_USECALLBACK) != 0 && description.pfnCallback != nullptr;
}

}  // namespace

HPROPSHEETPAGE CreatePropertySheetPage(LPCPROPSHEETPAGE page_description) {
  if (page_description == nullptr || page_description->page == nullptr) return nullptr;
  auto handle = std::make_unique<PageHandle>();
  handle->description = *page_description;
  const LPCWSTR title = page_description->pszTitle;
  if ((page_description->dwFlags & PSP_USETITLE) != 0 && title != nullptr) {
    if (!IS_INTRESOURCE(title)) {
      handle->title = title;
    } else {
      const HINSTANCE instance = page_description->hInstance != nullptr
                                     ? page_description->hInstance
                                     : AfxGetResourceHandle();
      handle->title =
          pw::LoadStringResource(instance, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(title)));
    }
  }
  handle->description.pszTitle = handle->title.c_str();
  PageHandle* raw = handle.get();
  const HPROPSHEETPAGE key = Handles().Add(std::move(handle));
  if (UsesCallback(raw->description)) {
    raw->description.pfnCallback(nullptr, PSPCB_ADDREF, &raw->description);
  }
  return key;
}

BOOL DestroyPropertySheetPage(HPROPSHEETPAGE page) {
  std::unique_ptr<PageHandle> handle = Handles().Take(page);
  if (handle == nullptr) return FALSE;
  if (UsesCallback(handle->description)) {
    handle->description.pfnCallback(nullptr, PSPCB_RELEASE, &handle->description);
  }
  return TRUE;
}

namespace pw::ui {

PROPSHEETPAGE* PropSheetPageData(HPROPSHEETPAGE page) {
  PageHandle* handle = Handles().Find(page);
  return handle != nullptr ? &handle->description : nullptr;
}

std::wstring PropSheetPageTitle(HPROPSHEETPAGE page) {
  PageHandle* handle = Handles().Find(page);
  if (handle == nullptr || (handle->description.dwFlags & PSP_USETITLE) == 0) return {};
  return handle->title;
}

}  // namespace pw::ui
