// The objects of the console host tests' snap-in: component data, components, data objects.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "platform/com/com_ptr.h"
#include "tests/mmc/test_snapin/test_snapin.h"

namespace test_snapin {

TestSnapinState& State();
// Objects alive in the module, for DllCanUnloadNow.
extern std::atomic<int> live_objects;

// Counts itself among the module's live objects.
struct LiveObject {
  LiveObject() { ++live_objects; }
  ~LiveObject() { --live_objects; }
  LiveObject(const LiveObject&) = delete;
  LiveObject& operator=(const LiveObject&) = delete;
};

// The name and description of an item by cookie; empty for none.
std::wstring ItemName(MMC_COOKIE cookie);
std::wstring ItemDescription(MMC_COOKIE cookie);
std::wstring EventName(MMC_NOTIFY_TYPE event);

// The snap-in's data object: one item (cookie and context) or a multiple selection.
class TestDataObject final : public pw::ComObject<IDataObject> {
 public:
  TestDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type) : cookie_(cookie), type_(type) {}
  TestDataObject(std::vector<MMC_COOKIE> selected)
      : cookie_(MMC_MULTI_SELECT_COOKIE), type_(CCT_RESULT), selected_(std::move(selected)) {}

  MMC_COOKIE cookie() const { return cookie_; }
  DATA_OBJECT_TYPES type() const { return type_; }
  const std::vector<MMC_COOKIE>& selected() const { return selected_; }

  HRESULT GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
  HRESULT GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  LiveObject live_;
  MMC_COOKIE cookie_;
  DATA_OBJECT_TYPES type_;
  std::vector<MMC_COOKIE> selected_;
};

// The snap-in's own data object behind `data_object`; null for the console's or nobody's.
TestDataObject* OwnDataObject(IDataObject* data_object);
// The snap-in's own data object, also when it comes inside the console's composite data
// object of a multiple selection.
TestDataObject* OwnOrContained(IDataObject* data_object);
// A short text for the log: "null", the cookie ("101"), "multi[3,5]", or for the console's
// composite data object "console[multi[3,5]]".
std::wstring Describe(IDataObject* data_object);

// Makes a page whose apply tells `handle` about `param` and whose end frees the handle: a
// TestPage, or a real property page when the tests ask for those.
HPROPSHEETPAGE MakePage(const std::wstring& title, LONG_PTR handle, LPARAM param,
                        bool wizard = false);
HPROPSHEETPAGE MakeRealPage(const std::wstring& title, LONG_PTR handle, LPARAM param, bool wizard);

class TestComponent final
    : public pw::ComObject<IComponent, IExtendContextMenu, IExtendControlbar, IExtendPropertySheet2,
                           IResultDataCompare, IResultOwnerData> {
 public:
  explicit TestComponent(int number);
  ~TestComponent() override;

  HRESULT Initialize(IConsole* console) override;
  HRESULT Notify(IDataObject* data_object, MMC_NOTIFY_TYPE event, LPARAM arg,
                 LPARAM param) override;
  HRESULT Destroy(MMC_COOKIE cookie) override;
  HRESULT QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type,
                          IDataObject** data_object) override;
  HRESULT GetResultViewType(MMC_COOKIE cookie, LPOLESTR* view_type, LONG* options) override;
  HRESULT GetDisplayInfo(RESULTDATAITEM* item) override;
  HRESULT CompareObjects(IDataObject* a, IDataObject* b) override;

  HRESULT AddMenuItems(IDataObject* data_object, IContextMenuCallback* callback,
                       LONG* insertion_allowed) override;
  HRESULT Command(LONG command_id, IDataObject* data_object) override;

  HRESULT SetControlbar(IControlbar* controlbar) override;
  HRESULT ControlbarNotify(MMC_NOTIFY_TYPE event, LPARAM arg, LPARAM param) override;

  HRESULT CreatePropertyPages(IPropertySheetCallback* callback, LONG_PTR handle,
                              IDataObject* data_object) override;
  HRESULT QueryPagesFor(IDataObject* data_object) override;
  HRESULT GetWatermarks(IDataObject*, HBITMAP*, HBITMAP*, HPALETTE*, BOOL*) override {
    return E_NOTIMPL;
  }

  HRESULT Compare(LPARAM user_param, MMC_COOKIE a, MMC_COOKIE b, int* result) override;

  HRESULT FindItem(RESULTFINDINFO* find_info, int* found_index) override;
  HRESULT CacheHint(int start, int end) override;
  HRESULT SortItems(int column, DWORD options, LPARAM user_param) override;

 private:
  void Log(const std::wstring& entry);
  std::wstring VerbSummary();
  void OnShow(MMC_COOKIE cookie);
  void AddImages(IImageList* images);
  void OnSelect(TestDataObject* object, bool scope_pane);
  std::wstring VirtualRowName(int row) const;

  LiveObject live_;
  int number_;
  pw::ComPtr<IConsole2> console_;
  pw::ComPtr<IResultData> result_data_;
  pw::ComPtr<IHeaderCtrl> header_;
  pw::ComPtr<IControlbar> controlbar_;
  pw::ComPtr<IToolbar> toolbar_;
  pw::ComPtr<IUnknown> toolbar_unknown_;
  bool descending_ = false;
  int rows_ = 0;
  std::wstring display_;
};

class TestComponentData final : public pw::ComObject<IComponentData, IExtendPropertySheet2,
                                                     IExtendContextMenu, IPersistStream> {
 public:
  TestComponentData();
  ~TestComponentData() override;

  IConsole2* console() const { return console_.Get(); }

  HRESULT Initialize(IUnknown* console) override;
  HRESULT CreateComponent(IComponent** component) override;
  HRESULT Notify(IDataObject* data_object, MMC_NOTIFY_TYPE event, LPARAM arg,
                 LPARAM param) override;
  HRESULT Destroy() override;
  HRESULT QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type,
                          IDataObject** data_object) override;
  HRESULT GetDisplayInfo(SCOPEDATAITEM* item) override;
  HRESULT CompareObjects(IDataObject* a, IDataObject* b) override;

  HRESULT CreatePropertyPages(IPropertySheetCallback* callback, LONG_PTR handle,
                              IDataObject* data_object) override;
  HRESULT QueryPagesFor(IDataObject* data_object) override;
  HRESULT GetWatermarks(IDataObject*, HBITMAP*, HBITMAP*, HPALETTE*, BOOL*) override {
    return E_NOTIMPL;
  }

  HRESULT AddMenuItems(IDataObject* data_object, IContextMenuCallback* callback,
                       LONG* insertion_allowed) override;
  HRESULT Command(LONG command_id, IDataObject* data_object) override;

  HRESULT GetClassID(CLSID* class_id) override;
  HRESULT IsDirty() override;
  HRESULT Load(IStream* stream) override;
  HRESULT Save(IStream* stream, BOOL clear_dirty) override;
  HRESULT GetSizeMax(ULONGLONG* size) override;

 private:
  void InsertChild(HSCOPEITEM parent, MMC_COOKIE cookie, int children);

  LiveObject live_;
  pw::ComPtr<IConsole2> console_;
  pw::ComPtr<IConsoleNameSpace2> name_space_;
  int components_ = 0;
  std::wstring display_;
};

}  // namespace test_snapin
