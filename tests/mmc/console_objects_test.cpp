// The console's small COM objects: verbs, controlbar and toolbars, context menu callback,
// column data, the composite data object and the message view.
#include <gtest/gtest.h>

#include <cstring>

#include "mmc/host/column_data.h"
#include "mmc/host/console_verbs.h"
#include "mmc/host/context_menu.h"
#include "mmc/host/controlbar.h"
#include "mmc/host/data_objects.h"
#include "mmc/host/message_view.h"

namespace pw::mmc {
namespace {

// Verbs start disabled and hidden; enabling shows a verb, hiding afterwards keeps it enabled;
// Reset brings back the start.
TEST(ConsoleObjects, KeepsVerbStates) {
  auto verbs = MakeComObject<ConsoleVerbs>();
  BOOL value = FALSE;
  ASSERT_EQ(verbs->GetVerbState(MMC_VERB_DELETE, HIDDEN, &value), S_OK);
  EXPECT_EQ(value, TRUE);
  ASSERT_EQ(verbs->SetVerbState(MMC_VERB_DELETE, ENABLED, TRUE), S_OK);
  EXPECT_EQ(verbs->State(MMC_VERB_DELETE), static_cast<DWORD>(ENABLED));
  ASSERT_EQ(verbs->SetVerbState(MMC_VERB_OPEN, ENABLED, TRUE), S_OK);
  ASSERT_EQ(verbs->SetVerbState(MMC_VERB_OPEN, HIDDEN, TRUE), S_OK);
  ASSERT_EQ(verbs->SetVerbState(MMC_VERB_OPEN, BUTTONPRESSED, TRUE), S_OK);
  EXPECT_EQ(verbs->State(MMC_VERB_OPEN), static_cast<DWORD>(ENABLED | HIDDEN | BUTTONPRESSED));
  ASSERT_EQ(verbs->SetDefaultVerb(MMC_VERB_OPEN), S_OK);
  EXPECT_EQ(verbs->SetVerbState(MMC_VERB_MAX, ENABLED, TRUE), E_INVALIDARG);
  EXPECT_EQ(verbs->SetVerbState(MMC_VERB_OPEN, static_cast<MMC_BUTTON_STATE>(0x20), TRUE),
            E_INVALIDARG);
  EXPECT_EQ(verbs->SetDefaultVerb(static_cast<MMC_CONSOLE_VERB>(0x1234)), E_INVALIDARG);
  verbs->Reset();
  EXPECT_EQ(verbs->State(MMC_VERB_OPEN), static_cast<DWORD>(HIDDEN));
  EXPECT_EQ(verbs->default_verb(), MMC_VERB_NONE);
}

// A snap-in object that only hears toolbar notifications.
class Owner final : public ComObject<IExtendControlbar> {
 public:
  HRESULT SetControlbar(IControlbar*) override { return S_OK; }
  HRESULT ControlbarNotify(MMC_NOTIFY_TYPE, LPARAM, LPARAM) override { return S_OK; }
};

// Toolbars: created for an owner, attached and detached, with buttons whose states map to the
// toolbar bits; other controls and foreign objects are refused; shutdown lets go of owners.
TEST(ConsoleObjects, KeepsToolbars) {
  auto controlbar = MakeComObject<Controlbar>();
  auto owner = MakeComObject<Owner>();
  ComPtr<IUnknown> control;
  EXPECT_EQ(controlbar->Create(MENUBUTTON, owner.Get(), control.GetAddressOf()), E_NOTIMPL);
  EXPECT_EQ(controlbar->Create(TOOLBAR, nullptr, control.GetAddressOf()), E_INVALIDARG);
  ASSERT_EQ(controlbar->Create(TOOLBAR, owner.Get(), control.GetAddressOf()), S_OK);
  ComPtr<IToolbar> toolbar = control.As<IToolbar>();
  ASSERT_TRUE(toolbar);

  MMCBUTTON buttons[3] = {{0, 1, TBSTATE_ENABLED, TBSTYLE_BUTTON, nullptr, nullptr},
                          {0, 0, 0, TBSTYLE_SEP, nullptr, nullptr},
                          {1, 2, 0, TBSTYLE_CHECK, nullptr, nullptr}};
  ASSERT_EQ(toolbar->AddButtons(3, buttons), S_OK);
  MMCBUTTON inserted{2, 3, TBSTATE_ENABLED, TBSTYLE_BUTTON, nullptr, nullptr};
  ASSERT_EQ(toolbar->InsertButton(0, &inserted), S_OK);
  EXPECT_EQ(toolbar->InsertButton(9, &inserted), E_INVALIDARG);
  ASSERT_EQ(toolbar->SetButtonState(2, CHECKED, TRUE), S_OK);
  ASSERT_EQ(toolbar->SetButtonState(1, ENABLED, FALSE), S_OK);
  BOOL value = FALSE;
  ASSERT_EQ(toolbar->GetButtonState(2, CHECKED, &value), S_OK);
  EXPECT_EQ(value, TRUE);
  EXPECT_EQ(toolbar->GetButtonState(0, ENABLED, &value), E_INVALIDARG);
  auto* own = controlbar->toolbars()[0].Get();
  ASSERT_EQ(own->buttons().size(), 4u);
  EXPECT_EQ(own->buttons()[0].command, 3);
  EXPECT_EQ(own->FindButton(2)->state, TBSTATE_CHECKED);
  EXPECT_EQ(own->FindButton(1)->state, 0);
  ASSERT_EQ(toolbar->DeleteButton(0), S_OK);
  EXPECT_EQ(own->FindButton(3), nullptr);
  EXPECT_EQ(toolbar->AddBitmap(1, nullptr, 16, 16, 0), E_INVALIDARG);

  ASSERT_EQ(controlbar->Attach(TOOLBAR, control.Get()), S_OK);
  ASSERT_EQ(controlbar->Attach(TOOLBAR, control.Get()), S_OK);
  EXPECT_EQ(controlbar->attached().size(), 1u);
  EXPECT_EQ(controlbar->Attach(TOOLBAR, owner.Get()), E_INVALIDARG);
  ASSERT_EQ(controlbar->Detach(control.Get()), S_OK);
  EXPECT_FALSE(controlbar->IsAttached(own));
  EXPECT_EQ(own->owner(), static_cast<IExtendControlbar*>(owner.Get()));
  controlbar->Shutdown();
  EXPECT_EQ(own->owner(), nullptr);
  EXPECT_EQ(controlbar->Attach(TOOLBAR, control.Get()), E_UNEXPECTED);
  ComPtr<IUnknown> late;
  EXPECT_EQ(controlbar->Create(TOOLBAR, owner.Get(), late.GetAddressOf()), E_UNEXPECTED);
  EXPECT_FALSE(late);
}

HRESULT AddItem(ContextMenuCallback* menu, const wchar_t* name, LONG command, LONG point,
                LONG special = 0) {
  std::wstring text = name != nullptr ? name : L"";
  CONTEXTMENUITEM item;
  item.strName = name != nullptr ? text.data() : nullptr;
  item.lCommandID = command;
  item.lInsertionPointID = point;
  item.fSpecialFlags = special;
  return menu->AddItem(&item);
}

// Menu items are checked as the console checks them and kept in the order added.
TEST(ConsoleObjects, ChecksContextMenuItems) {
  auto menu =
      MakeComObject<ContextMenuCallback>(CCM_INSERTIONALLOWED_TOP | CCM_INSERTIONALLOWED_TASK);
  EXPECT_EQ(AddItem(menu.Get(), L"Top", 1, CCM_INSERTIONPOINTID_PRIMARY_TOP), S_OK);
  EXPECT_EQ(AddItem(menu.Get(), L"New", 2, CCM_INSERTIONPOINTID_PRIMARY_NEW), E_INVALIDARG);
  EXPECT_EQ(AddItem(menu.Get(), L"Reserved", 0x10003, CCM_INSERTIONPOINTID_PRIMARY_TOP),
            E_INVALIDARG);
  EXPECT_EQ(AddItem(menu.Get(), nullptr, 4, CCM_INSERTIONPOINTID_PRIMARY_TASK), E_INVALIDARG);
  EXPECT_EQ(AddItem(menu.Get(), L"Nowhere", 5, 0x1234), E_INVALIDARG);
  EXPECT_EQ(
      AddItem(menu.Get(), L"More", 0x1234, CCM_INSERTIONPOINTID_PRIMARY_TASK, CCM_SPECIAL_SUBMENU),
      S_OK);
  EXPECT_EQ(AddItem(menu.Get(), L"Inside", 6, 0x1234), S_OK);
  EXPECT_EQ(
      AddItem(menu.Get(), nullptr, 0, CCM_INSERTIONPOINTID_PRIMARY_TOP, CCM_SPECIAL_SEPARATOR),
      S_OK);
  EXPECT_EQ(menu->AddItem(nullptr), E_POINTER);
  menu->Close();
  EXPECT_EQ(AddItem(menu.Get(), L"Late", 7, CCM_INSERTIONPOINTID_PRIMARY_TOP), E_UNEXPECTED);
  ASSERT_EQ(menu->items().size(), 4u);
  EXPECT_EQ(menu->items()[0].name, L"Top");
  EXPECT_EQ(menu->items()[1].special_flags, CCM_SPECIAL_SUBMENU);
  EXPECT_EQ(menu->items()[2].insertion_point, 0x1234);
  EXPECT_EQ(menu->items()[3].special_flags, CCM_SPECIAL_SEPARATOR);
}

// Column data comes back as one block of task memory with the array inside it; unknown sets
// answer S_FALSE, malformed ids E_INVALIDARG; the console's own sort replaces the sort data.
TEST(ConsoleObjects, KeepsColumnData) {
  ColumnDataStore store;
  alignas(SColumnSetID) unsigned char raw[sizeof(SColumnSetID) + 3] = {};
  auto* id = reinterpret_cast<SColumnSetID*>(raw);
  id->cBytes = 4;
  std::memcpy(id->id, "abcd", 4);
  MMC_COLUMN_DATA columns[2] = {{0, 0, 150, 99}, {1, HDI_HIDDEN, 60, 99}};
  MMC_COLUMN_SET_DATA set;
  set.nNumCols = 2;
  set.pColData = columns;
  MMC_COLUMN_SET_DATA* read = reinterpret_cast<MMC_COLUMN_SET_DATA*>(1);
  EXPECT_EQ(store.GetColumnConfigData(id, &read), S_FALSE);
  EXPECT_EQ(read, nullptr);
  ASSERT_EQ(store.SetColumnConfigData(id, &set), S_OK);
  ASSERT_EQ(store.GetColumnConfigData(id, &read), S_OK);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->nNumCols, 2);
  EXPECT_EQ(reinterpret_cast<unsigned char*>(read->pColData),
            reinterpret_cast<unsigned char*>(read) + sizeof(MMC_COLUMN_SET_DATA));
  EXPECT_EQ(read->pColData[1].nWidth, 60);
  EXPECT_EQ(read->pColData[1].dwFlags, HDI_HIDDEN);
  EXPECT_EQ(read->pColData[1].ulReserved, 0u);
  CoTaskMemFree(read);

  MMC_SORT_SET_DATA* sort = nullptr;
  EXPECT_EQ(store.GetColumnSortData(id, &sort), S_FALSE);
  store.RecordSort("abcd", 1, RSI_DESCENDING);
  ASSERT_EQ(store.GetColumnSortData(id, &sort), S_OK);
  EXPECT_EQ(sort->nNumItems, 1);
  EXPECT_EQ(sort->pSortData[0].nColIndex, 1);
  EXPECT_EQ(sort->pSortData[0].dwSortOptions, RSI_DESCENDING);
  CoTaskMemFree(sort);

  id->cBytes = 0;
  EXPECT_EQ(store.SetColumnConfigData(id, &set), E_INVALIDARG);
  id->cBytes = 4;
  set.nNumCols = -1;
  EXPECT_EQ(store.SetColumnConfigData(id, &set), E_INVALIDARG);
  EXPECT_EQ(store.SetColumnSortData(nullptr, nullptr), E_INVALIDARG);
}

// A snap-in data object of the simplest kind: it renders its own node type list.
class TypesObject final : public ComObject<IDataObject> {
 public:
  explicit TypesObject(std::vector<GUID> types) : types_(std::move(types)) {}
  HRESULT GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (format->cfFormat != RegisterClipboardFormat(CCF_OBJECT_TYPES_IN_MULTI_SELECT)) {
      return DV_E_FORMATETC;
    }
    const std::size_t size = offsetof(SMMCObjectTypes, guid) + types_.size() * sizeof(GUID);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    const auto count = static_cast<DWORD>(types_.size());
    std::memcpy(bytes, &count, sizeof(count));
    std::memcpy(bytes + offsetof(SMMCObjectTypes, guid), types_.data(),
                types_.size() * sizeof(GUID));
    GlobalUnlock(block);
    *medium = STGMEDIUM{};
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    return S_OK;
  }
  HRESULT GetDataHere(FORMATETC* format, STGMEDIUM* medium) override {
    if (format->cfFormat != RegisterClipboardFormat(CCF_DISPLAY_NAME)) return DV_E_FORMATETC;
    ComPtr<IStream> stream;
    CreateStreamOnHGlobal(medium->hGlobal, FALSE, stream.GetAddressOf());
    const char name[] = "N\0a\0m\0e\0\0\0";
    return stream->Write(name, sizeof(name) - 1, nullptr);
  }
  HRESULT QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
  HRESULT GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  std::vector<GUID> types_;
};

// The composite data object renders the multi-selection flag, the snap-ins' data objects and
// their node types (each once), by GetData and by GetDataHere; nothing else.
TEST(ConsoleObjects, RendersTheCompositeDataObject) {
  const GUID a = GuidLiteral("11111111-0000-0000-0000-000000000001");
  const GUID b = GuidLiteral("11111111-0000-0000-0000-000000000002");
  auto first = MakeComObject<TypesObject>(std::vector<GUID>{a, b});
  auto second = MakeComObject<TypesObject>(std::vector<GUID>{b});
  auto composite = MakeComObject<MultiSelectDataObject>(std::vector<ComPtr<IDataObject>>{
      ComPtr<IDataObject>(first.Get()), ComPtr<IDataObject>(second.Get())});
  EXPECT_TRUE(IsMultiSelectDataObject(composite.Get()));
  EXPECT_FALSE(IsMultiSelectDataObject(first.Get()));
  EXPECT_EQ(ReadDisplayName(first.Get()), L"Name");

  std::string bytes;
  ASSERT_EQ(ReadData(composite.Get(), CCF_MULTI_SELECT_SNAPINS, &bytes), S_OK);
  ASSERT_EQ(bytes.size(), offsetof(SMMCDataObjects, lpDataObject) + 2 * sizeof(IDataObject*));
  const auto* objects = reinterpret_cast<const SMMCDataObjects*>(bytes.data());
  EXPECT_EQ(objects->count, 2u);
  IDataObject* pointers[2];
  std::memcpy(pointers, bytes.data() + offsetof(SMMCDataObjects, lpDataObject), sizeof(pointers));
  EXPECT_EQ(pointers[0], static_cast<IDataObject*>(first.Get()));
  EXPECT_EQ(pointers[1], static_cast<IDataObject*>(second.Get()));

  ASSERT_EQ(ReadDataHere(composite.Get(), CCF_OBJECT_TYPES_IN_MULTI_SELECT, &bytes), S_OK);
  DWORD count = 0;
  std::memcpy(&count, bytes.data(), sizeof(count));
  ASSERT_EQ(count, 2u);
  GUID types[2];
  std::memcpy(types, bytes.data() + offsetof(SMMCObjectTypes, guid), sizeof(types));
  EXPECT_EQ(types[0], a);
  EXPECT_EQ(types[1], b);

  EXPECT_EQ(ReadData(composite.Get(), CCF_NODETYPE, &bytes), DV_E_FORMATETC);
  FORMATETC format;
  format.cfFormat =
      static_cast<CLIPFORMAT>(RegisterClipboardFormat(CCF_MMC_MULTISELECT_DATAOBJECT));
  format.tymed = TYMED_ISTREAM;
  STGMEDIUM medium;
  EXPECT_EQ(composite->GetData(&format, &medium), DV_E_TYMED);
}

// The message view keeps what the snap-in sets, refuses unknown icons and clears.
TEST(ConsoleObjects, KeepsMessageViewTexts) {
  auto view = MakeComObject<MessageView>();
  ASSERT_EQ(view->SetTitleText(L"Title"), S_OK);
  ASSERT_EQ(view->SetBodyText(nullptr), S_OK);
  ASSERT_EQ(view->SetIcon(Icon_Warning), S_OK);
  EXPECT_EQ(view->SetIcon(static_cast<IconIdentifier>(5)), E_INVALIDARG);
  EXPECT_EQ(view->title(), L"Title");
  EXPECT_EQ(view->body(), L"");
  EXPECT_EQ(view->icon(), Icon_Warning);
  ASSERT_EQ(view->Clear(), S_OK);
  EXPECT_EQ(view->title(), L"");
  EXPECT_EQ(view->icon(), Icon_None);
}

}  // namespace
}  // namespace pw::mmc
