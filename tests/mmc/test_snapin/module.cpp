// pwtest_snapin.so: the console host tests' snap-in — module exports, class factory, the
// control object through which tests reach its record, its data objects and its pages.
#include <cstdlib>
#include <cstring>

#include "platform/com/strings.h"
#include "tests/mmc/test_snapin/snapin_objects.h"

namespace test_snapin {

std::atomic<int> live_objects{0};

TestSnapinState& State() {
  // A process that hosts the snap-in without a test to set its state (pwconsole's tests)
  // asks for real pages, which a real window front end can show, through the environment.
  static TestSnapinState state;
  static const bool configured = [] {
    state.real_pages = std::getenv("PW_TEST_SNAPIN_REAL_PAGES") != nullptr;
    return true;
  }();
  static_cast<void>(configured);
  return state;
}

std::wstring ItemName(MMC_COOKIE cookie) {
  switch (cookie) {
    case 0:
      return L"Test Root";
    case kFolderCookie:
      return L"Folder";
    case kVirtualCookie:
      return L"Virtual";
    case kMessageCookie:
      return L"Message";
    case kSubCookie:
      return L"Sub";
    case kWebCookie:
      return L"Web";
    case kFirstItemCookie:
      return L"Alpha";
    case kFirstItemCookie + 1:
      return L"Beta";
    case kFirstItemCookie + 2:
      return L"Gamma";
    default:
      return {};
  }
}

std::wstring ItemDescription(MMC_COOKIE cookie) {
  const std::wstring name = ItemName(cookie);
  return name.empty() ? L"" : L"About " + name;
}

std::wstring EventName(MMC_NOTIFY_TYPE event) {
  switch (event) {
    case MMCN_ADD_IMAGES:
      return L"ADD_IMAGES";
    case MMCN_BTN_CLICK:
      return L"BTN_CLICK";
    case MMCN_COLUMN_CLICK:
      return L"COLUMN_CLICK";
    case MMCN_DBLCLICK:
      return L"DBLCLICK";
    case MMCN_DELETE:
      return L"DELETE";
    case MMCN_EXPAND:
      return L"EXPAND";
    case MMCN_PROPERTY_CHANGE:
      return L"PROPERTY_CHANGE";
    case MMCN_REFRESH:
      return L"REFRESH";
    case MMCN_RENAME:
      return L"RENAME";
    case MMCN_SELECT:
      return L"SELECT";
    case MMCN_SHOW:
      return L"SHOW";
    case MMCN_VIEW_CHANGE:
      return L"VIEW_CHANGE";
    case MMCN_INITOCX:
      return L"INITOCX";
    default:
      return L"0x" + std::to_wstring(static_cast<unsigned>(event));
  }
}

// --- Data objects ----------------------------------------------------------------------------

namespace {

HRESULT WriteToBlock(HGLOBAL block, const std::string& bytes) {
  pw::ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(block, FALSE, stream.GetAddressOf()))) return E_OUTOFMEMORY;
  return stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
}

std::string BlockBytes(HGLOBAL block) {
  const auto* data = static_cast<const char*>(GlobalLock(block));
  std::string bytes(data, GlobalSize(block));
  GlobalUnlock(block);
  return bytes;
}

bool IsFormat(const FORMATETC* format, const wchar_t* name) {
  return format->cfFormat == RegisterClipboardFormat(name);
}

// A node type per cookie, so that the console's column set and object types differ by item.
GUID NodeType(MMC_COOKIE cookie) {
  GUID guid = pw::GuidLiteral("7B1E5A20-3C4D-4E5F-8A9B-000000000000");
  guid.Data4[7] = static_cast<BYTE>(cookie & 0xFF);
  return guid;
}

}  // namespace

HRESULT TestDataObject::GetDataHere(FORMATETC* format, STGMEDIUM* medium) {
  if (format == nullptr || medium == nullptr || medium->hGlobal == nullptr) return E_POINTER;
  if (IsFormat(format, CCF_DISPLAY_NAME)) {
    return WriteToBlock(medium->hGlobal, pw::ToUtf16Le(ItemName(cookie_)) + std::string(2, '\0'));
  }
  if (IsFormat(format, CCF_NODETYPE)) {
    const GUID guid = NodeType(cookie_);
    return WriteToBlock(medium->hGlobal,
                        std::string(reinterpret_cast<const char*>(&guid), sizeof(guid)));
  }
  if (IsFormat(format, CCF_SNAPIN_CLASSID)) {
    return WriteToBlock(
        medium->hGlobal,
        std::string(reinterpret_cast<const char*>(&CLSID_TestSnapin), sizeof(CLSID)));
  }
  return DV_E_FORMATETC;
}

HRESULT TestDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (format == nullptr || medium == nullptr) return E_POINTER;
  std::string bytes;
  if (IsFormat(format, CCF_MMC_MULTISELECT_DATAOBJECT)) {
    const BOOL multi = cookie_ == MMC_MULTI_SELECT_COOKIE ? TRUE : FALSE;
    bytes.assign(reinterpret_cast<const char*>(&multi), sizeof(multi));
  } else if (IsFormat(format, CCF_OBJECT_TYPES_IN_MULTI_SELECT) &&
             cookie_ == MMC_MULTI_SELECT_COOKIE) {
    const DWORD count = 1;
    const GUID guid = NodeType(kVirtualCookie);
    bytes.assign(offsetof(SMMCObjectTypes, guid) + sizeof(GUID), '\0');
    std::memcpy(bytes.data(), &count, sizeof(count));
    std::memcpy(bytes.data() + offsetof(SMMCObjectTypes, guid), &guid, sizeof(guid));
  } else {
    return DV_E_FORMATETC;
  }
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  *medium = STGMEDIUM{};
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = block;
  return S_OK;
}

TestDataObject* OwnDataObject(IDataObject* data_object) {
  if (IS_SPECIAL_DATAOBJECT(data_object)) return nullptr;
  return dynamic_cast<TestDataObject*>(data_object);
}

namespace {

std::wstring CookieList(const std::vector<MMC_COOKIE>& cookies) {
  std::wstring text = L"[";
  for (std::size_t i = 0; i < cookies.size(); ++i) {
    if (i > 0) text += L",";
    text += std::to_wstring(cookies[i]);
  }
  return text + L"]";
}

// Reads a format the console's composite data object renders with GetData.
std::string ConsoleData(IDataObject* data_object, const wchar_t* name) {
  FORMATETC format;
  format.cfFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormat(name));
  format.tymed = TYMED_HGLOBAL;
  STGMEDIUM medium;
  if (FAILED(data_object->GetData(&format, &medium))) return {};
  std::string bytes = BlockBytes(medium.hGlobal);
  ReleaseStgMedium(&medium);
  return bytes;
}

}  // namespace

TestDataObject* OwnOrContained(IDataObject* data_object) {
  if (IS_SPECIAL_DATAOBJECT(data_object)) return nullptr;
  if (TestDataObject* own = OwnDataObject(data_object)) return own;
  const std::string list = ConsoleData(data_object, CCF_MULTI_SELECT_SNAPINS);
  const std::size_t at = offsetof(SMMCDataObjects, lpDataObject);
  if (list.size() < at + sizeof(IDataObject*)) return nullptr;
  IDataObject* contained = nullptr;
  std::memcpy(&contained, list.data() + at, sizeof(contained));
  return OwnDataObject(contained);
}

std::wstring Describe(IDataObject* data_object) {
  if (data_object == nullptr) return L"null";
  if (TestDataObject* own = OwnDataObject(data_object)) {
    if (own->cookie() == MMC_MULTI_SELECT_COOKIE) return L"multi" + CookieList(own->selected());
    return std::to_wstring(own->cookie());
  }
  const std::string flag = ConsoleData(data_object, CCF_MMC_MULTISELECT_DATAOBJECT);
  BOOL multi = FALSE;
  if (flag.size() >= sizeof(multi)) std::memcpy(&multi, flag.data(), sizeof(multi));
  if (multi == FALSE) return L"foreign";
  const std::string list = ConsoleData(data_object, CCF_MULTI_SELECT_SNAPINS);
  DWORD count = 0;
  if (list.size() >= sizeof(count)) std::memcpy(&count, list.data(), sizeof(count));
  std::wstring text = L"console[";
  for (DWORD i = 0; i < count; ++i) {
    const std::size_t at = offsetof(SMMCDataObjects, lpDataObject) + i * sizeof(IDataObject*);
    if (at + sizeof(IDataObject*) > list.size()) break;
    IDataObject* contained = nullptr;
    std::memcpy(&contained, list.data() + at, sizeof(contained));
    if (i > 0) text += L",";
    text += Describe(contained);
  }
  return text + L"]";
}

HPROPSHEETPAGE MakePage(const std::wstring& title, LONG_PTR handle, LPARAM param, bool wizard) {
  bool real = false;
  {
    std::lock_guard lock(State().mutex);
    real = State().real_pages;
  }
  if (real) return MakeRealPage(title, handle, param, wizard);
  // Owned by whoever ends the page (the tests' console UI), as a page handle is.
  auto* page = new TestPage;
  page->title = title;
  page->apply = [title, handle, param] {
    State().Log(L"Page.Apply " + title);
    const HRESULT hr = MMCPropertyChangeNotify(handle, param);
    State().Log(L"Page.Applied " + title + L" notify=" + std::to_wstring(hr));
    return TRUE;
  };
  page->destroy = [title, handle] {
    const HRESULT hr = handle != 0 ? MMCFreeNotifyHandle(handle) : S_FALSE;
    State().Log(L"Page.Destroy " + title + L" free=" + std::to_wstring(hr));
  };
  return reinterpret_cast<HPROPSHEETPAGE>(page);
}

// --- Module ------------------------------------------------------------------------------------

namespace {

class Control final : public pw::ComObject<ITestSnapinControl> {
 public:
  TestSnapinState* State() override { return &test_snapin::State(); }

 private:
  LiveObject live_;
};

class About final : public pw::ComObject<ISnapinAbout> {
 public:
  HRESULT GetSnapinDescription(LPWSTR* text) override { return Give(L"Records calls", text); }
  HRESULT GetProvider(LPWSTR* text) override { return Give(L"Console tests", text); }
  HRESULT GetSnapinVersion(LPWSTR* text) override { return Give(L"1.0", text); }
  HRESULT GetSnapinImage(HICON* icon) override {
    if (icon != nullptr) *icon = nullptr;
    return E_NOTIMPL;
  }
  HRESULT GetStaticFolderImage(HBITMAP*, HBITMAP*, HBITMAP*, COLORREF*) override {
    return E_NOTIMPL;
  }

 private:
  static HRESULT Give(const wchar_t* text, LPWSTR* out) {
    if (out == nullptr) return E_POINTER;
    *out = pw::CoTaskMemDupString(text);
    return S_OK;
  }
  LiveObject live_;
};

class Factory final : public pw::ComObject<IClassFactory> {
 public:
  explicit Factory(REFCLSID clsid) : clsid_(clsid) {}
  HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    pw::ComPtr<IUnknown> made;
    if (clsid_ == CLSID_TestSnapin) {
      made = static_cast<IComponentData*>(pw::MakeComObject<TestComponentData>().Get());
    } else if (clsid_ == CLSID_TestSnapinAbout) {
      made = static_cast<ISnapinAbout*>(pw::MakeComObject<About>().Get());
    } else {
      made = static_cast<ITestSnapinControl*>(pw::MakeComObject<Control>().Get());
    }
    return made->QueryInterface(iid, object);
  }
  HRESULT LockServer(BOOL) override { return S_OK; }

 private:
  LiveObject live_;
  CLSID clsid_;
};

}  // namespace
}  // namespace test_snapin

#define PW_MODULE_EXPORT extern "C" __attribute__((visibility("default")))

PW_MODULE_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (clsid != CLSID_TestSnapin && clsid != CLSID_TestSnapinAbout &&
      clsid != CLSID_TestSnapinControl) {
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  auto factory = pw::MakeComObject<test_snapin::Factory>(clsid);
  return factory->QueryInterface(iid, object);
}

PW_MODULE_EXPORT HRESULT DllCanUnloadNow() {
  test_snapin::State().Log(L"Module.DllCanUnloadNow");
  return test_snapin::live_objects == 0 ? S_OK : S_FALSE;
}
