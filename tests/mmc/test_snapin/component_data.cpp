// TestComponentData: the test snap-in's scope side.
#include "platform/com/strings.h"
#include "tests/mmc/test_snapin/ask_dialog.h"
#include "tests/mmc/test_snapin/snapin_objects.h"

namespace test_snapin {

namespace {

std::wstring TypeName(DATA_OBJECT_TYPES type) {
  switch (type) {
    case CCT_SCOPE:
      return L"SCOPE";
    case CCT_RESULT:
      return L"RESULT";
    case CCT_SNAPIN_MANAGER:
      return L"SNAPIN_MANAGER";
    case CCT_UNINITIALIZED:
      break;
  }
  return L"UNINITIALIZED";
}

}  // namespace

TestComponentData::TestComponentData() = default;

TestComponentData::~TestComponentData() { State().Log(L"CD.Released"); }

HRESULT TestComponentData::Initialize(IUnknown* console) {
  if (console == nullptr) return E_POINTER;
  console->QueryInterface(IID_IConsole2, console_.ReleaseAndGetVoidAddressOf());
  console->QueryInterface(IID_IConsoleNameSpace2, name_space_.ReleaseAndGetVoidAddressOf());
  pw::ComPtr<IImageList> images;
  const HRESULT hr = console_ ? console_->QueryScopeImageList(images.GetAddressOf()) : E_FAIL;
  State().Log(L"CD.Initialize console2=" + std::to_wstring(console_ ? 1 : 0) + L" namespace2=" +
              std::to_wstring(name_space_ ? 1 : 0) + L" images=" +
              std::to_wstring(SUCCEEDED(hr) && images ? 1 : 0));
  return console_ && name_space_ ? S_OK : E_FAIL;
}

HRESULT TestComponentData::CreateComponent(IComponent** component) {
  if (component == nullptr) return E_POINTER;
  State().Log(L"CD.CreateComponent");
  auto made = pw::MakeComObject<TestComponent>(++components_);
  *component = made.Detach();
  return S_OK;
}

void TestComponentData::InsertChild(HSCOPEITEM parent, MMC_COOKIE cookie, int children) {
  SCOPEDATAITEM item;
  item.mask = SDI_STR | SDI_PARAM | SDI_CHILDREN | SDI_IMAGE | SDI_OPENIMAGE;
  item.displayname = MMC_CALLBACK;
  item.lParam = cookie;
  item.cChildren = children;
  item.nImage = static_cast<int>(cookie);
  item.nOpenImage = static_cast<int>(cookie);
  item.relativeID = parent;
  name_space_->InsertItem(&item);
}

HRESULT TestComponentData::Notify(IDataObject* data_object, MMC_NOTIFY_TYPE event, LPARAM arg,
                                  LPARAM param) {
  std::wstring entry = L"CD.Notify " + EventName(event) + L" do=" + Describe(data_object) +
                       L" arg=" + std::to_wstring(arg);
  if (event == MMCN_RENAME) {
    entry += L" name=" + std::wstring(reinterpret_cast<LPCWSTR>(param));
  } else {
    entry += L" param=" + std::to_wstring(param);
  }
  State().Log(entry);
  TestDataObject* own = OwnDataObject(data_object);
  if (event == MMCN_EXPAND && own != nullptr && arg != FALSE) {
    const auto parent = static_cast<HSCOPEITEM>(param);
    if (own->cookie() == 0) {
      InsertChild(parent, kFolderCookie, 1);
      InsertChild(parent, kVirtualCookie, 0);
      InsertChild(parent, kMessageCookie, 0);
      InsertChild(parent, kWebCookie, 0);
      // Selecting inside MMCN_EXPAND is ignored by the console.
      console_->SelectScopeItem(parent);
    } else if (own->cookie() == kFolderCookie) {
      InsertChild(parent, kSubCookie, 0);
    }
    return S_OK;
  }
  if (event == MMCN_RENAME) {
    return reinterpret_cast<LPCWSTR>(param)[0] != L'\0' ? S_OK : S_FALSE;
  }
  if (event == MMCN_PROPERTY_CHANGE) return S_OK;
  return S_FALSE;
}

HRESULT TestComponentData::Destroy() {
  State().Log(L"CD.Destroy");
  name_space_ = nullptr;
  console_ = nullptr;
  return S_OK;
}

HRESULT TestComponentData::QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type,
                                           IDataObject** data_object) {
  if (data_object == nullptr) return E_POINTER;
  State().Log(L"CD.QueryDataObject cookie=" + std::to_wstring(cookie) + L" type=" + TypeName(type));
  if (IS_SPECIAL_COOKIE(cookie)) return E_FAIL;
  *data_object = pw::MakeComObject<TestDataObject>(cookie, type).Detach();
  return S_OK;
}

HRESULT TestComponentData::GetDisplayInfo(SCOPEDATAITEM* item) {
  if (item == nullptr) return E_POINTER;
  State().Log(L"CD.GetDisplayInfo cookie=" + std::to_wstring(item->lParam));
  if ((item->mask & SDI_STR) != 0) {
    display_ = ItemName(item->lParam);
    item->displayname = display_.data();
  }
  return S_OK;
}

HRESULT TestComponentData::CompareObjects(IDataObject* a, IDataObject* b) {
  TestDataObject* first = OwnDataObject(a);
  TestDataObject* second = OwnDataObject(b);
  State().Log(L"CD.CompareObjects " + Describe(a) + L" " + Describe(b));
  if (first == nullptr || second == nullptr) return E_UNEXPECTED;
  return first->cookie() == second->cookie() ? S_OK : S_FALSE;
}

HRESULT TestComponentData::QueryPagesFor(IDataObject* data_object) {
  TestDataObject* own = OwnDataObject(data_object);
  State().Log(L"CD.QueryPagesFor do=" + Describe(data_object) +
              (own != nullptr ? L" type=" + TypeName(own->type()) : L""));
  if (own == nullptr) return S_FALSE;
  if (own->type() == CCT_SNAPIN_MANAGER) {
    std::lock_guard lock(State().mutex);
    return State().snapin_manager_pages ? S_OK : S_FALSE;
  }
  return own->cookie() == kFolderCookie ? S_OK : S_FALSE;
}

HRESULT TestComponentData::CreatePropertyPages(IPropertySheetCallback* callback, LONG_PTR handle,
                                               IDataObject* data_object) {
  TestDataObject* own = OwnDataObject(data_object);
  State().Log(L"CD.CreatePropertyPages do=" + Describe(data_object) + L" handle=" +
              std::to_wstring(handle != 0 ? 1 : 0));
  if (own == nullptr || callback == nullptr) return E_UNEXPECTED;
  const std::wstring title =
      own->type() == CCT_SNAPIN_MANAGER ? L"Welcome" : ItemName(own->cookie());
  callback->AddPage(MakePage(title, handle, own->cookie(), own->type() == CCT_SNAPIN_MANAGER));
  bool fail = false;
  {
    std::lock_guard lock(State().mutex);
    fail = State().fail_create_pages;
  }
  return fail ? E_FAIL : S_OK;
}

HRESULT TestComponentData::AddMenuItems(IDataObject* data_object, IContextMenuCallback* callback,
                                        LONG* insertion_allowed) {
  State().Log(L"CD.AddMenuItems do=" + Describe(data_object) + L" allowed=" +
              std::to_wstring(*insertion_allowed));
  TestDataObject* own = OwnDataObject(data_object);
  if (own != nullptr && own->cookie() == kMessageCookie) {
    std::wstring ask_name = L"&Ask for a name...";
    std::wstring ask_status = L"Opens a dialog that asks for a name";
    CONTEXTMENUITEM item;
    item.strName = ask_name.data();
    item.strStatusBarText = ask_status.data();
    item.lCommandID = kAskCommand;
    item.lInsertionPointID = CCM_INSERTIONPOINTID_PRIMARY_TASK;
    callback->AddItem(&item);
    return S_OK;
  }
  if (own == nullptr || own->cookie() != kFolderCookie) return S_OK;
  std::wstring new_name = L"New thing";
  std::wstring new_status = L"Makes a thing";
  CONTEXTMENUITEM item;
  item.strName = new_name.data();
  item.strStatusBarText = new_status.data();
  item.lCommandID = 1;
  item.lInsertionPointID = CCM_INSERTIONPOINTID_PRIMARY_NEW;
  callback->AddItem(&item);
  std::wstring refresh_name = L"Refresh all views";
  item.strName = refresh_name.data();
  item.strStatusBarText = nullptr;
  item.lCommandID = 2;
  item.lInsertionPointID = CCM_INSERTIONPOINTID_PRIMARY_TASK;
  callback->AddItem(&item);
  // Refused by the console: a command id with bits in the reserved top half.
  std::wstring bad_name = L"Bad";
  item.strName = bad_name.data();
  item.lCommandID = 0x10005;
  const HRESULT refused = callback->AddItem(&item);
  State().Log(L"CD.AddMenuItems reserved id answer=" + std::to_wstring(refused));
  return S_OK;
}

HRESULT TestComponentData::Command(LONG command_id, IDataObject* data_object) {
  State().Log(L"CD.Command " + std::to_wstring(command_id) + L" do=" + Describe(data_object));
  if (command_id == 2) return console_->UpdateAllViews(data_object, 7, 42);
  if (command_id == kAskCommand) {
    AskDialog dialog;
    const INT_PTR answer = dialog.DoModal();
    State().Log(L"CD.Ask answer=" + std::to_wstring(answer));
    // The status bar shows the outcome, so that a front end can see what the dialog took.
    std::wstring status = answer == IDOK
                              ? L"Name " + dialog.name() + L", colour " + dialog.colour() +
                                    (dialog.remember() ? L", remembered" : L"")
                              : L"No name given";
    if (console_) console_->SetStatusText(status.data());
  }
  return S_OK;
}

HRESULT TestComponentData::GetClassID(CLSID* class_id) {
  if (class_id == nullptr) return E_POINTER;
  *class_id = CLSID_TestSnapin;
  return S_OK;
}

HRESULT TestComponentData::IsDirty() {
  std::lock_guard lock(State().mutex);
  State().log.push_back(L"CD.IsDirty");
  return State().dirty ? S_OK : S_FALSE;
}

HRESULT TestComponentData::Load(IStream* stream) {
  std::string bytes;
  const HRESULT hr = pw::ReadStreamToEnd(stream, &bytes);
  std::lock_guard lock(State().mutex);
  State().log.push_back(L"CD.Load " + pw::FromUtf8(bytes));
  State().loaded_stream = bytes;
  return hr;
}

HRESULT TestComponentData::Save(IStream* stream, BOOL clear_dirty) {
  std::lock_guard lock(State().mutex);
  State().log.push_back(L"CD.Save clear=" + std::to_wstring(clear_dirty));
  const std::string& bytes = State().saved_stream;
  if (clear_dirty != FALSE) State().dirty = false;
  return stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
}

HRESULT TestComponentData::GetSizeMax(ULONGLONG* size) {
  if (size == nullptr) return E_POINTER;
  std::lock_guard lock(State().mutex);
  *size = State().saved_stream.size();
  return S_OK;
}

}  // namespace test_snapin
