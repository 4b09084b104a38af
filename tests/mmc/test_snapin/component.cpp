// TestComponent: the test snap-in's side of one view.
#include "platform/com/strings.h"
#include "platform/win/resources.h"
#include "tests/mmc/test_snapin/resources/test_snapin_resource.h"
#include "tests/mmc/test_snapin/snapin_objects.h"

extern const pw::ResourceModule kTestSnapinResources;

namespace test_snapin {

TestComponent::TestComponent(int number) : number_(number) {}

TestComponent::~TestComponent() { Log(L"Released"); }

void TestComponent::Log(const std::wstring& entry) {
  State().Log(L"C" + std::to_wstring(number_) + L"." + entry);
}

HRESULT TestComponent::Initialize(IConsole* console) {
  if (console == nullptr) return E_POINTER;
  console->QueryInterface(IID_IConsole2, console_.ReleaseAndGetVoidAddressOf());
  console->QueryInterface(IID_IResultData, result_data_.ReleaseAndGetVoidAddressOf());
  console->QueryInterface(IID_IHeaderCtrl, header_.ReleaseAndGetVoidAddressOf());
  pw::ComPtr<IColumnData> column_data;
  console->QueryInterface(IID_IColumnData, column_data.ReleaseAndGetVoidAddressOf());
  Log(L"Initialize result_data=" + std::to_wstring(result_data_ ? 1 : 0) + L" header=" +
      std::to_wstring(header_ ? 1 : 0) + L" column_data=" + std::to_wstring(column_data ? 1 : 0));
  return console_ && result_data_ && header_ ? S_OK : E_FAIL;
}

std::wstring TestComponent::VerbSummary() {
  pw::ComPtr<IConsoleVerb> verbs;
  if (FAILED(console_->QueryConsoleVerb(verbs.GetAddressOf()))) return L"none";
  bool reset = true;
  for (DWORD verb = MMC_VERB_FIRST; verb <= MMC_VERB_LAST; ++verb) {
    BOOL enabled = TRUE;
    BOOL hidden = FALSE;
    verbs->GetVerbState(static_cast<MMC_CONSOLE_VERB>(verb), ENABLED, &enabled);
    verbs->GetVerbState(static_cast<MMC_CONSOLE_VERB>(verb), HIDDEN, &hidden);
    if (enabled != FALSE || hidden == FALSE) reset = false;
  }
  MMC_CONSOLE_VERB default_verb = MMC_VERB_OPEN;
  verbs->GetDefaultVerb(&default_verb);
  return reset && default_verb == MMC_VERB_NONE ? L"reset" : L"set";
}

void TestComponent::OnShow(MMC_COOKIE cookie) {
  if (cookie == kFolderCookie) {
    header_->InsertColumn(0, L"Name", LVCFMT_LEFT, 100);
    header_->InsertColumn(1, L"Description", LVCFMT_LEFT, 200);
    for (int i = 0; i < 3; ++i) {
      RESULTDATAITEM item;
      item.mask = RDI_STR | RDI_PARAM | RDI_IMAGE;
      item.str = MMC_CALLBACK;
      item.lParam = kFirstItemCookie + i;
      item.nImage = 7;
      result_data_->InsertItem(&item);
    }
    std::wstring description = L"3 items";
    result_data_->SetDescBarText(description.data());
  } else if (cookie == kVirtualCookie) {
    header_->InsertColumn(0, L"Row", LVCFMT_LEFT, 100);
    header_->InsertColumn(1, L"Value", LVCFMT_RIGHT, 80);
    {
      std::lock_guard lock(State().mutex);
      rows_ = State().virtual_rows;
    }
    result_data_->SetItemCount(rows_, 0);
  } else if (cookie == kMessageCookie) {
    pw::ComPtr<IUnknown> view;
    pw::ComPtr<IMessageView> message;
    if (SUCCEEDED(console_->QueryResultView(view.GetAddressOf()))) view.As(&message);
    if (message) {
      message->SetIcon(Icon_Information);
      message->SetTitleText(L"No data");
      message->SetBodyText(L"Nothing to show here.");
    }
  } else if (cookie == 0) {
    header_->InsertColumn(0, L"Option", LVCFMT_LEFT, 200);
    header_->InsertColumn(1, L"Description", LVCFMT_LEFT, 500);
    result_data_->ModifyViewStyle(MMC_NOSORTHEADER, static_cast<MMC_RESULT_VIEW_STYLE>(0));
  }
}

void TestComponent::AddImages(IImageList* images) {
  // The images are copied in, so they may go right away.
  const HINSTANCE module = kTestSnapinResources.handle();
  HBITMAP strip = LoadBitmap(module, IDB_TEST_STRIP);
  HICON frame = LoadIcon(module, IDI_TEST_FRAME, 16);
  images->ImageListSetStrip(reinterpret_cast<LONG_PTR*>(strip), reinterpret_cast<LONG_PTR*>(strip),
                            10, RGB(255, 0, 255));
  images->ImageListSetIcon(reinterpret_cast<LONG_PTR*>(frame), 20);
  DeleteObject(strip);
  DestroyIcon(frame);
}

void TestComponent::OnSelect(TestDataObject* object, bool scope_pane) {
  pw::ComPtr<IConsoleVerb> verbs;
  console_->QueryConsoleVerb(verbs.GetAddressOf());
  if (object == nullptr || !verbs) return;
  const MMC_COOKIE cookie = object->cookie();
  if (cookie == MMC_MULTI_SELECT_COOKIE) {
    verbs->SetVerbState(MMC_VERB_DELETE, ENABLED, TRUE);
  } else if (cookie == 0) {
    verbs->SetVerbState(MMC_VERB_OPEN, ENABLED, TRUE);
    verbs->SetVerbState(MMC_VERB_OPEN, HIDDEN, TRUE);
    verbs->SetDefaultVerb(MMC_VERB_OPEN);
  } else if (cookie == kFolderCookie && scope_pane) {
    verbs->SetVerbState(MMC_VERB_REFRESH, ENABLED, TRUE);
    verbs->SetVerbState(MMC_VERB_PROPERTIES, ENABLED, TRUE);
    verbs->SetVerbState(MMC_VERB_RENAME, ENABLED, TRUE);
    verbs->SetDefaultVerb(MMC_VERB_PROPERTIES);
  } else if (object->type() == CCT_RESULT) {
    verbs->SetVerbState(MMC_VERB_DELETE, ENABLED, TRUE);
    if (cookie >= kFirstItemCookie) {
      verbs->SetVerbState(MMC_VERB_RENAME, ENABLED, TRUE);
      verbs->SetVerbState(MMC_VERB_PROPERTIES, ENABLED, TRUE);
      verbs->SetDefaultVerb(MMC_VERB_PROPERTIES);
    }
  }
}

HRESULT TestComponent::Notify(IDataObject* data_object, MMC_NOTIFY_TYPE event, LPARAM arg,
                              LPARAM param) {
  std::wstring entry = L"Notify " + EventName(event) + L" do=" + Describe(data_object);
  switch (event) {
    case MMCN_SELECT:
      entry += L" scope=" + std::to_wstring(LOWORD(static_cast<std::uintptr_t>(arg))) +
               L" select=" + std::to_wstring(HIWORD(static_cast<std::uintptr_t>(arg)));
      if (HIWORD(static_cast<std::uintptr_t>(arg)) != 0) entry += L" verbs=" + VerbSummary();
      break;
    case MMCN_ADD_IMAGES:
      entry +=
          L" images=" + std::to_wstring(arg != 0 ? 1 : 0) + L" param=" + std::to_wstring(param);
      break;
    case MMCN_RENAME:
      entry += L" name=" + std::wstring(reinterpret_cast<LPCWSTR>(param));
      break;
    default:
      entry += L" arg=" + std::to_wstring(arg) + L" param=" + std::to_wstring(param);
      break;
  }
  Log(entry);
  TestDataObject* own = OwnOrContained(data_object);
  switch (event) {
    case MMCN_SHOW:
      if (arg != FALSE && own != nullptr) OnShow(own->cookie());
      return S_OK;
    case MMCN_ADD_IMAGES:
      AddImages(reinterpret_cast<IImageList*>(arg));
      return S_OK;
    case MMCN_SELECT:
      if (HIWORD(static_cast<std::uintptr_t>(arg)) != 0) {
        OnSelect(own, LOWORD(static_cast<std::uintptr_t>(arg)) != 0);
      }
      return S_OK;
    case MMCN_DELETE:
      if (own != nullptr && own->cookie() >= kFirstItemCookie) {
        HRESULTITEM item = 0;
        if (result_data_->FindItemByLParam(own->cookie(), &item) == S_OK) {
          result_data_->DeleteItem(item, 0);
        }
      } else if (own != nullptr && own->cookie() == MMC_MULTI_SELECT_COOKIE) {
        rows_ -= static_cast<int>(own->selected().size());
        result_data_->SetItemCount(rows_, 0);
        result_data_->ModifyItemState(-1, 0, 0, LVIS_SELECTED | LVIS_FOCUSED);
      }
      return S_OK;
    case MMCN_RENAME:
      return reinterpret_cast<LPCWSTR>(param)[0] != L'\0' ? S_OK : S_FALSE;
    case MMCN_DBLCLICK:
      return S_FALSE;
    case MMCN_VIEW_CHANGE:
    case MMCN_PROPERTY_CHANGE:
    case MMCN_REFRESH:
    case MMCN_COLUMN_CLICK:
      return S_OK;
    default:
      return S_FALSE;
  }
}

HRESULT TestComponent::Destroy(MMC_COOKIE) {
  Log(L"Destroy");
  header_ = nullptr;
  result_data_ = nullptr;
  console_ = nullptr;
  return S_OK;
}

HRESULT TestComponent::QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type,
                                       IDataObject** data_object) {
  if (data_object == nullptr) return E_POINTER;
  std::wstring entry = L"QueryDataObject cookie=" + std::to_wstring(cookie) + L" type=" +
                       (type == CCT_RESULT ? L"RESULT" : L"SCOPE");
  if (cookie == MMC_MULTI_SELECT_COOKIE) {
    std::vector<MMC_COOKIE> selected;
    RESULTDATAITEM item;
    item.nIndex = -1;
    item.nState = LVIS_SELECTED;
    for (;;) {
      item.nState = LVIS_SELECTED;
      if (result_data_->GetNextItem(&item) != S_OK) break;
      selected.push_back(item.lParam != 0 ? item.lParam : item.nIndex);
    }
    Log(entry);
    *data_object = pw::MakeComObject<TestDataObject>(std::move(selected)).Detach();
    return S_OK;
  }
  Log(entry);
  if (IS_SPECIAL_COOKIE(cookie)) return E_FAIL;
  *data_object = pw::MakeComObject<TestDataObject>(cookie, type).Detach();
  return S_OK;
}

HRESULT TestComponent::GetResultViewType(MMC_COOKIE cookie, LPOLESTR* view_type, LONG* options) {
  Log(L"GetResultViewType cookie=" + std::to_wstring(cookie));
  *view_type = nullptr;
  *options = MMC_VIEW_OPTIONS_NONE;
  switch (cookie) {
    case kVirtualCookie:
      *options = MMC_VIEW_OPTIONS_OWNERDATALIST | MMC_VIEW_OPTIONS_MULTISELECT;
      return S_FALSE;
    case kMessageCookie:
      *view_type = pw::CoTaskMemDupString(pw::GuidToString(CLSID_MessageView));
      return S_OK;
    case kWebCookie:
      *view_type = pw::CoTaskMemDupString(kWebAddress);
      return S_OK;
    default:
      return S_FALSE;
  }
}

std::wstring TestComponent::VirtualRowName(int row) const {
  return L"Row " + std::to_wstring(descending_ ? rows_ - 1 - row : row);
}

HRESULT TestComponent::GetDisplayInfo(RESULTDATAITEM* item) {
  if (item == nullptr) return E_POINTER;
  if (item->bScopeItem != FALSE || item->lParam != 0) {
    display_ = item->nCol == 0 ? ItemName(item->lParam) : ItemDescription(item->lParam);
  } else {
    Log(L"GetDisplayInfo row=" + std::to_wstring(item->nIndex) + L" col=" +
        std::to_wstring(item->nCol));
    display_ = item->nCol == 0 ? VirtualRowName(item->nIndex)
                               : L"Value " + std::to_wstring(item->nIndex * 10);
  }
  if ((item->mask & RDI_STR) != 0) item->str = display_.data();
  if ((item->mask & RDI_IMAGE) != 0) item->nImage = 3;
  return S_OK;
}

HRESULT TestComponent::CompareObjects(IDataObject* a, IDataObject* b) {
  TestDataObject* first = OwnDataObject(a);
  TestDataObject* second = OwnDataObject(b);
  Log(L"CompareObjects " + Describe(a) + L" " + Describe(b));
  if (first == nullptr || second == nullptr) return E_UNEXPECTED;
  return first->cookie() == second->cookie() ? S_OK : S_FALSE;
}

HRESULT TestComponent::AddMenuItems(IDataObject* data_object, IContextMenuCallback* callback,
                                    LONG* insertion_allowed) {
  Log(L"AddMenuItems do=" + Describe(data_object) + L" allowed=" +
      std::to_wstring(*insertion_allowed));
  TestDataObject* own = OwnDataObject(data_object);
  if (own == nullptr || own->cookie() < kFirstItemCookie) return S_OK;
  std::wstring name = L"Item task";
  CONTEXTMENUITEM item;
  item.strName = name.data();
  item.lCommandID = 3;
  item.lInsertionPointID = CCM_INSERTIONPOINTID_PRIMARY_TASK;
  callback->AddItem(&item);
  std::wstring grayed = L"Unavailable";
  item.strName = grayed.data();
  item.lCommandID = 4;
  item.fFlags = 0x0001;  // MF_GRAYED
  callback->AddItem(&item);
  return S_OK;
}

HRESULT TestComponent::Command(LONG command_id, IDataObject* data_object) {
  Log(L"Command " + std::to_wstring(command_id) + L" do=" + Describe(data_object));
  return S_OK;
}

HRESULT TestComponent::SetControlbar(IControlbar* controlbar) {
  Log(controlbar != nullptr ? L"SetControlbar set" : L"SetControlbar null");
  if (controlbar == nullptr) {
    if (controlbar_ && toolbar_unknown_) controlbar_->Detach(toolbar_unknown_.Get());
    toolbar_ = nullptr;
    toolbar_unknown_ = nullptr;
    controlbar_ = nullptr;
    return S_OK;
  }
  controlbar_ = controlbar;
  if (FAILED(controlbar->Create(TOOLBAR, this, toolbar_unknown_.ReleaseAndGetAddressOf()))) {
    return E_FAIL;
  }
  toolbar_unknown_.As(&toolbar_);
  std::wstring go = L"Go";
  std::wstring go_tip = L"Goes";
  std::wstring stop = L"Stop";
  std::wstring stop_tip = L"Stops";
  // "Go" has the strip's first image; "Stop" names one the strip does not have.
  HBITMAP strip = LoadBitmap(kTestSnapinResources.handle(), IDB_TEST_STRIP);
  toolbar_->AddBitmap(1, strip, 16, 16, RGB(255, 0, 255));
  DeleteObject(strip);
  MMCBUTTON buttons[2];
  buttons[0] = MMCBUTTON{0, 11, TBSTATE_ENABLED, TBSTYLE_BUTTON, go.data(), go_tip.data()};
  buttons[1] = MMCBUTTON{5, 12, 0, TBSTYLE_BUTTON, stop.data(), stop_tip.data()};
  return toolbar_->AddButtons(2, buttons);
}

HRESULT TestComponent::ControlbarNotify(MMC_NOTIFY_TYPE event, LPARAM arg, LPARAM param) {
  if (event == MMCN_SELECT) {
    auto* data_object = reinterpret_cast<IDataObject*>(param);
    const bool select = HIWORD(static_cast<std::uintptr_t>(arg)) != 0;
    Log(L"ControlbarNotify SELECT do=" + Describe(data_object) + L" scope=" +
        std::to_wstring(LOWORD(static_cast<std::uintptr_t>(arg))) + L" select=" +
        std::to_wstring(select ? 1 : 0));
    TestDataObject* own = OwnDataObject(data_object);
    const bool folder =
        own != nullptr && (own->cookie() == kFolderCookie || own->cookie() >= kFirstItemCookie);
    if (controlbar_ && toolbar_unknown_) {
      if (select && folder) {
        controlbar_->Attach(TOOLBAR, toolbar_unknown_.Get());
      } else if (select) {
        controlbar_->Detach(toolbar_unknown_.Get());
      }
    }
    return S_OK;
  }
  if (event == MMCN_BTN_CLICK) {
    Log(L"ControlbarNotify BTN_CLICK do=" + Describe(reinterpret_cast<IDataObject*>(arg)) +
        L" button=" + std::to_wstring(param));
    return S_OK;
  }
  return S_FALSE;
}

HRESULT TestComponent::QueryPagesFor(IDataObject* data_object) {
  Log(L"QueryPagesFor do=" + Describe(data_object));
  TestDataObject* own = OwnDataObject(data_object);
  return own != nullptr && own->cookie() >= kFirstItemCookie ? S_OK : S_FALSE;
}

HRESULT TestComponent::CreatePropertyPages(IPropertySheetCallback* callback, LONG_PTR handle,
                                           IDataObject* data_object) {
  Log(L"CreatePropertyPages do=" + Describe(data_object) + L" handle=" +
      std::to_wstring(handle != 0 ? 1 : 0));
  TestDataObject* own = OwnDataObject(data_object);
  if (own == nullptr || callback == nullptr) return E_UNEXPECTED;
  callback->AddPage(MakePage(ItemName(own->cookie()), handle, own->cookie()));
  bool fail = false;
  {
    std::lock_guard lock(State().mutex);
    fail = State().fail_create_pages;
  }
  return fail ? E_FAIL : S_OK;
}

HRESULT TestComponent::Compare(LPARAM, MMC_COOKIE a, MMC_COOKIE b, int* result) {
  const int column = *result;
  const std::wstring left = column == 0 ? ItemName(a) : ItemDescription(a);
  const std::wstring right = column == 0 ? ItemName(b) : ItemDescription(b);
  *result = left.compare(right);
  return S_OK;
}

HRESULT TestComponent::FindItem(RESULTFINDINFO* find_info, int* found_index) {
  const std::wstring text = find_info->psz != nullptr ? find_info->psz : L"";
  Log(L"FindItem text=" + text + L" start=" + std::to_wstring(find_info->nStart) + L" options=" +
      std::to_wstring(find_info->dwOptions));
  *found_index = -1;
  for (int step = 0; step < rows_; ++step) {
    const int row = (find_info->nStart + step) % rows_;
    if ((find_info->dwOptions & RFI_WRAP) == 0 && row < find_info->nStart) break;
    const std::wstring name = VirtualRowName(row);
    const bool partial = (find_info->dwOptions & RFI_PARTIAL) != 0;
    if (partial ? name.compare(0, text.size(), text) == 0 : name == text) {
      *found_index = row;
      return S_OK;
    }
  }
  return S_FALSE;
}

HRESULT TestComponent::CacheHint(int start, int end) {
  Log(L"CacheHint " + std::to_wstring(start) + L" " + std::to_wstring(end));
  return S_OK;
}

HRESULT TestComponent::SortItems(int column, DWORD options, LPARAM) {
  Log(L"SortItems column=" + std::to_wstring(column) + L" options=" + std::to_wstring(options));
  descending_ = (options & RSI_DESCENDING) != 0;
  return S_OK;
}

}  // namespace test_snapin
