// Declarations of the management console's snap-in interfaces, with the platform's IIDs and
// numeric values. Both the console host and the snap-in modules include this header; the
// functions at the end are exported by the console host's library.
#pragma once

#include "mmc/data_object.h"
#include "mmc/mmc_types.h"
#include "platform/ui/prop_sheet.h"

inline constexpr IID IID_IComponentData = pw::GuidLiteral("955AB28A-5218-11D0-A985-00C04FD8D565");
inline constexpr IID IID_IComponent = pw::GuidLiteral("43136EB2-D36C-11CF-ADBC-00AA00A80033");
inline constexpr IID IID_IResultDataCompare =
    pw::GuidLiteral("E8315A52-7A1A-11D0-A2D2-00C04FD909DD");
inline constexpr IID IID_IResultOwnerData = pw::GuidLiteral("9CB396D8-EA83-11D0-AEF1-00C04FB6DD2C");
inline constexpr IID IID_IConsole = pw::GuidLiteral("43136EB1-D36C-11CF-ADBC-00AA00A80033");
inline constexpr IID IID_IConsole2 = pw::GuidLiteral("103D842A-AA63-11D1-A7E1-00C04FD8D565");
inline constexpr IID IID_IHeaderCtrl = pw::GuidLiteral("43136EB3-D36C-11CF-ADBC-00AA00A80033");
inline constexpr IID IID_IContextMenuCallback =
    pw::GuidLiteral("43136EB7-D36C-11CF-ADBC-00AA00A80033");
inline constexpr IID IID_IExtendContextMenu =
    pw::GuidLiteral("4F3B7A4F-CFAC-11CF-B8E3-00C04FD8D5B0");
inline constexpr IID IID_IImageList = pw::GuidLiteral("43136EB8-D36C-11CF-ADBC-00AA00A80033");
inline constexpr IID IID_IResultData = pw::GuidLiteral("31DA5FA0-E0EB-11CF-9F21-00AA003CA9F6");
inline constexpr IID IID_IConsoleNameSpace =
    pw::GuidLiteral("BEDEB620-F24D-11CF-8AFC-00AA003CA9F6");
inline constexpr IID IID_IConsoleNameSpace2 =
    pw::GuidLiteral("255F18CC-65DB-11D1-A7DC-00C04FD8D565");
inline constexpr IID IID_IPropertySheetCallback =
    pw::GuidLiteral("85DE64DD-EF21-11CF-A285-00C04FD8DBE6");
inline constexpr IID IID_IPropertySheetProvider =
    pw::GuidLiteral("85DE64DE-EF21-11CF-A285-00C04FD8DBE6");
inline constexpr IID IID_IExtendPropertySheet =
    pw::GuidLiteral("85DE64DC-EF21-11CF-A285-00C04FD8DBE6");
inline constexpr IID IID_IExtendPropertySheet2 =
    pw::GuidLiteral("B7A87232-4A51-11D1-A7EA-00C04FD909DD");
inline constexpr IID IID_IControlbar = pw::GuidLiteral("69FB811E-6C1C-11D0-A2CB-00C04FD909DD");
inline constexpr IID IID_IExtendControlbar =
    pw::GuidLiteral("49506520-6F40-11D0-A98B-00C04FD8D565");
inline constexpr IID IID_IToolbar = pw::GuidLiteral("43136EB9-D36C-11CF-ADBC-00AA00A80033");
inline constexpr IID IID_IConsoleVerb = pw::GuidLiteral("E49F7A60-74AF-11D0-A286-00C04FD8FE93");
inline constexpr IID IID_ISnapinAbout = pw::GuidLiteral("1245208C-A151-11D0-A7D7-00C04FD909DD");
inline constexpr IID IID_IColumnData = pw::GuidLiteral("547C1354-024D-11D3-A707-00C04F8EF4CB");
inline constexpr IID IID_IMessageView = pw::GuidLiteral("80F94174-FCCC-11D2-B991-00C04F8ECD78");

// The console's property sheet provider, which snap-ins create to open sheets themselves.
inline constexpr CLSID CLSID_NodeManager = pw::GuidLiteral("43136EB5-D36C-11CF-ADBC-00AA00A80033");
// The message view that a result pane shows for the view type "{80F94176-...}".
inline constexpr CLSID CLSID_MessageView = pw::GuidLiteral("80F94176-FCCC-11D2-B991-00C04F8ECD78");

struct IComponent;
struct IConsole;
struct IConsoleVerb;
struct IContextMenuCallback;
struct IControlbar;
struct IExtendControlbar;
struct IHeaderCtrl;
struct IImageList;
struct IPropertySheetCallback;
struct IToolbar;

// The snap-in object of one snap-in instance: owns the scope items, answers scope-side
// notifications and creates one IComponent per view.
struct IComponentData : IUnknown {
  static constexpr const IID& kIid = IID_IComponentData;

  virtual HRESULT Initialize(IUnknown* console) = 0;
  virtual HRESULT CreateComponent(IComponent** component) = 0;
  virtual HRESULT Notify(IDataObject* data_object, MMC_NOTIFY_TYPE event, LPARAM arg,
                         LPARAM param) = 0;
  virtual HRESULT Destroy() = 0;
  virtual HRESULT QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type,
                                  IDataObject** data_object) = 0;
  virtual HRESULT GetDisplayInfo(SCOPEDATAITEM* item) = 0;
  virtual HRESULT CompareObjects(IDataObject* a, IDataObject* b) = 0;

 protected:
  ~IComponentData() = default;
};
using LPCOMPONENTDATA = IComponentData*;

// The snap-in's object of one view: answers result-side notifications and draws the rows.
struct IComponent : IUnknown {
  static constexpr const IID& kIid = IID_IComponent;

  virtual HRESULT Initialize(IConsole* console) = 0;
  virtual HRESULT Notify(IDataObject* data_object, MMC_NOTIFY_TYPE event, LPARAM arg,
                         LPARAM param) = 0;
  virtual HRESULT Destroy(MMC_COOKIE cookie) = 0;
  virtual HRESULT QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type,
                                  IDataObject** data_object) = 0;
  // The view type is task memory that the console frees; S_FALSE or a null type ask for the
  // standard list.
  virtual HRESULT GetResultViewType(MMC_COOKIE cookie, LPOLESTR* view_type, LONG* view_options) = 0;
  virtual HRESULT GetDisplayInfo(RESULTDATAITEM* item) = 0;
  virtual HRESULT CompareObjects(IDataObject* a, IDataObject* b) = 0;

 protected:
  ~IComponent() = default;
};
using LPCOMPONENT = IComponent*;

struct IResultDataCompare : IUnknown {
  static constexpr const IID& kIid = IID_IResultDataCompare;

  // On entry *result holds the column; on return <0, 0 or >0 for ascending order.
  virtual HRESULT Compare(LPARAM user_param, MMC_COOKIE cookie_a, MMC_COOKIE cookie_b,
                          int* result) = 0;

 protected:
  ~IResultDataCompare() = default;
};

// What a snap-in that owns the data of a virtual list answers.
struct IResultOwnerData : IUnknown {
  static constexpr const IID& kIid = IID_IResultOwnerData;

  virtual HRESULT FindItem(RESULTFINDINFO* find_info, int* found_index) = 0;
  // Rows `start` to `end` (inclusive) are about to be drawn.
  virtual HRESULT CacheHint(int start, int end) = 0;
  virtual HRESULT SortItems(int column, DWORD sort_options, LPARAM user_param) = 0;

 protected:
  ~IResultOwnerData() = default;
};

struct IConsole : IUnknown {
  static constexpr const IID& kIid = IID_IConsole;

  virtual HRESULT SetHeader(IHeaderCtrl* header) = 0;
  virtual HRESULT SetToolbar(IToolbar* toolbar) = 0;
  virtual HRESULT QueryResultView(IUnknown** result_view) = 0;
  virtual HRESULT QueryScopeImageList(IImageList** image_list) = 0;
  virtual HRESULT QueryResultImageList(IImageList** image_list) = 0;
  virtual HRESULT UpdateAllViews(IDataObject* data_object, LPARAM data, LONG_PTR hint) = 0;
  virtual HRESULT MessageBox(LPCWSTR text, LPCWSTR title, UINT style, int* result) = 0;
  virtual HRESULT QueryConsoleVerb(IConsoleVerb** console_verb) = 0;
  virtual HRESULT SelectScopeItem(HSCOPEITEM item) = 0;
  virtual HRESULT GetMainWindow(HWND* window) = 0;
  virtual HRESULT NewWindow(HSCOPEITEM item, ULONG options) = 0;

 protected:
  ~IConsole() = default;
};
using LPCONSOLE = IConsole*;

struct IConsole2 : IConsole {
  static constexpr const IID& kIid = IID_IConsole2;
  using Parent = IConsole;

  virtual HRESULT Expand(HSCOPEITEM item, BOOL expand) = 0;
  virtual HRESULT IsTaskpadViewPreferred() = 0;
  // "left|middle|right"; "%NN" in the middle field shows a progress bar.
  virtual HRESULT SetStatusText(LPOLESTR text) = 0;

 protected:
  ~IConsole2() = default;
};
using LPCONSOLE2 = IConsole2*;

struct IHeaderCtrl : IUnknown {
  static constexpr const IID& kIid = IID_IHeaderCtrl;

  virtual HRESULT InsertColumn(int column, LPCWSTR title, int format, int width) = 0;
  virtual HRESULT DeleteColumn(int column) = 0;
  virtual HRESULT SetColumnText(int column, LPCWSTR title) = 0;
  // The text is task memory that the caller frees.
  virtual HRESULT GetColumnText(int column, LPOLESTR* text) = 0;
  virtual HRESULT SetColumnWidth(int column, int width) = 0;
  virtual HRESULT GetColumnWidth(int column, int* width) = 0;

 protected:
  ~IHeaderCtrl() = default;
};

struct IContextMenuCallback : IUnknown {
  static constexpr const IID& kIid = IID_IContextMenuCallback;

  virtual HRESULT AddItem(CONTEXTMENUITEM* item) = 0;

 protected:
  ~IContextMenuCallback() = default;
};
using LPCONTEXTMENUCALLBACK = IContextMenuCallback*;

struct IExtendContextMenu : IUnknown {
  static constexpr const IID& kIid = IID_IExtendContextMenu;

  // `insertion_allowed` holds the CCM_INSERTIONALLOWED_ flags; the snap-in may clear some.
  virtual HRESULT AddMenuItems(IDataObject* data_object, IContextMenuCallback* callback,
                               LONG* insertion_allowed) = 0;
  virtual HRESULT Command(LONG command_id, IDataObject* data_object) = 0;

 protected:
  ~IExtendContextMenu() = default;
};

struct IImageList : IUnknown {
  static constexpr const IID& kIid = IID_IImageList;

  // `icon` is an HICON passed as the pointer; its image goes to position `location`.
  virtual HRESULT ImageListSetIcon(LONG_PTR* icon, LONG location) = 0;
  // Strips of square images (HBITMAPs passed as the pointers, small and large) placed from
  // `start`; pixels of colour `mask` are transparent.
  virtual HRESULT ImageListSetStrip(LONG_PTR* small_strip, LONG_PTR* large_strip, LONG start,
                                    COLORREF mask) = 0;

 protected:
  ~IImageList() = default;
};

struct IResultData : IUnknown {
  static constexpr const IID& kIid = IID_IResultData;

  virtual HRESULT InsertItem(RESULTDATAITEM* item) = 0;
  virtual HRESULT DeleteItem(HRESULTITEM item_id, int column) = 0;
  virtual HRESULT FindItemByLParam(LPARAM lparam, HRESULTITEM* item_id) = 0;
  virtual HRESULT DeleteAllRsltItems() = 0;
  virtual HRESULT SetItem(RESULTDATAITEM* item) = 0;
  virtual HRESULT GetItem(RESULTDATAITEM* item) = 0;
  virtual HRESULT GetNextItem(RESULTDATAITEM* item) = 0;
  virtual HRESULT ModifyItemState(int index, HRESULTITEM item_id, UINT add, UINT remove) = 0;
  virtual HRESULT ModifyViewStyle(MMC_RESULT_VIEW_STYLE add, MMC_RESULT_VIEW_STYLE remove) = 0;
  virtual HRESULT SetViewMode(LONG view_mode) = 0;
  virtual HRESULT GetViewMode(LONG* view_mode) = 0;
  virtual HRESULT UpdateItem(HRESULTITEM item_id) = 0;
  virtual HRESULT Sort(int column, DWORD sort_options, LPARAM user_param) = 0;
  virtual HRESULT SetDescBarText(LPOLESTR text) = 0;
  virtual HRESULT SetItemCount(int count, DWORD options) = 0;

 protected:
  ~IResultData() = default;
};
using LPRESULTDATA = IResultData*;

struct IConsoleNameSpace : IUnknown {
  static constexpr const IID& kIid = IID_IConsoleNameSpace;

  virtual HRESULT InsertItem(SCOPEDATAITEM* item) = 0;
  // Always deletes the item's children; the item itself only with `delete_this`.
  virtual HRESULT DeleteItem(HSCOPEITEM item, LONG delete_this) = 0;
  virtual HRESULT SetItem(SCOPEDATAITEM* item) = 0;
  virtual HRESULT GetItem(SCOPEDATAITEM* item) = 0;
  virtual HRESULT GetChildItem(HSCOPEITEM item, HSCOPEITEM* child, MMC_COOKIE* cookie) = 0;
  virtual HRESULT GetNextItem(HSCOPEITEM item, HSCOPEITEM* next, MMC_COOKIE* cookie) = 0;
  virtual HRESULT GetParentItem(HSCOPEITEM item, HSCOPEITEM* parent, MMC_COOKIE* cookie) = 0;

 protected:
  ~IConsoleNameSpace() = default;
};

struct IConsoleNameSpace2 : IConsoleNameSpace {
  static constexpr const IID& kIid = IID_IConsoleNameSpace2;
  using Parent = IConsoleNameSpace;

  // Sends the first MMCN_EXPAND of an item without showing it expanded.
  virtual HRESULT Expand(HSCOPEITEM item) = 0;
  virtual HRESULT AddExtension(HSCOPEITEM item, CLSID* extension) = 0;

 protected:
  ~IConsoleNameSpace2() = default;
};

struct IPropertySheetCallback : IUnknown {
  static constexpr const IID& kIid = IID_IPropertySheetCallback;

  virtual HRESULT AddPage(HPROPSHEETPAGE page) = 0;
  virtual HRESULT RemovePage(HPROPSHEETPAGE page) = 0;

 protected:
  ~IPropertySheetCallback() = default;
};
using LPPROPERTYSHEETCALLBACK = IPropertySheetCallback*;

struct IPropertySheetProvider : IUnknown {
  static constexpr const IID& kIid = IID_IPropertySheetProvider;

  // `type` TRUE for a property sheet, FALSE for a wizard.
  virtual HRESULT CreatePropertySheet(LPCWSTR title, boolean type, MMC_COOKIE cookie,
                                      IDataObject* data_object, DWORD options) = 0;
  // S_OK (and the sheet comes to the front) when a sheet for the item is open, else S_FALSE.
  virtual HRESULT FindPropertySheet(MMC_COOKIE cookie, IComponent* component,
                                    IDataObject* data_object) = 0;
  virtual HRESULT AddPrimaryPages(IUnknown* snapin_object, BOOL create_handle, HWND notify_window,
                                  BOOL scope_pane) = 0;
  virtual HRESULT AddExtensionPages() = 0;
  virtual HRESULT Show(LONG_PTR window, int page) = 0;

 protected:
  ~IPropertySheetProvider() = default;
};

struct IExtendPropertySheet : IUnknown {
  static constexpr const IID& kIid = IID_IExtendPropertySheet;

  virtual HRESULT CreatePropertyPages(IPropertySheetCallback* callback, LONG_PTR handle,
                                      IDataObject* data_object) = 0;
  virtual HRESULT QueryPagesFor(IDataObject* data_object) = 0;

 protected:
  ~IExtendPropertySheet() = default;
};

struct IExtendPropertySheet2 : IExtendPropertySheet {
  static constexpr const IID& kIid = IID_IExtendPropertySheet2;
  using Parent = IExtendPropertySheet;

  virtual HRESULT GetWatermarks(IDataObject* data_object, HBITMAP* watermark, HBITMAP* header,
                                HPALETTE* palette, BOOL* stretch) = 0;

 protected:
  ~IExtendPropertySheet2() = default;
};

struct IControlbar : IUnknown {
  static constexpr const IID& kIid = IID_IControlbar;

  virtual HRESULT Create(MMC_CONTROL_TYPE type, IExtendControlbar* owner, IUnknown** control) = 0;
  virtual HRESULT Attach(MMC_CONTROL_TYPE type, IUnknown* control) = 0;
  virtual HRESULT Detach(IUnknown* control) = 0;

 protected:
  ~IControlbar() = default;
};
using LPCONTROLBAR = IControlbar*;

struct IExtendControlbar : IUnknown {
  static constexpr const IID& kIid = IID_IExtendControlbar;

  virtual HRESULT SetControlbar(IControlbar* controlbar) = 0;
  virtual HRESULT ControlbarNotify(MMC_NOTIFY_TYPE event, LPARAM arg, LPARAM param) = 0;

 protected:
  ~IExtendControlbar() = default;
};

struct IToolbar : IUnknown {
  static constexpr const IID& kIid = IID_IToolbar;

  virtual HRESULT AddBitmap(int images, HBITMAP bitmap, int cx, int cy, COLORREF mask) = 0;
  virtual HRESULT AddButtons(int count, MMCBUTTON* buttons) = 0;
  virtual HRESULT InsertButton(int index, MMCBUTTON* button) = 0;
  virtual HRESULT DeleteButton(int index) = 0;
  virtual HRESULT GetButtonState(int command, MMC_BUTTON_STATE state, BOOL* value) = 0;
  virtual HRESULT SetButtonState(int command, MMC_BUTTON_STATE state, BOOL value) = 0;

 protected:
  ~IToolbar() = default;
};

struct IConsoleVerb : IUnknown {
  static constexpr const IID& kIid = IID_IConsoleVerb;

  virtual HRESULT GetVerbState(MMC_CONSOLE_VERB verb, MMC_BUTTON_STATE state, BOOL* value) = 0;
  virtual HRESULT SetVerbState(MMC_CONSOLE_VERB verb, MMC_BUTTON_STATE state, BOOL value) = 0;
  virtual HRESULT SetDefaultVerb(MMC_CONSOLE_VERB verb) = 0;
  virtual HRESULT GetDefaultVerb(MMC_CONSOLE_VERB* verb) = 0;

 protected:
  ~IConsoleVerb() = default;
};
using LPCONSOLEVERB = IConsoleVerb*;

// The About information that the console shows in its lists of snap-ins. Texts are returned in
// task memory, which the console frees; the images stay owned by the object.
struct ISnapinAbout : IUnknown {
  static constexpr const IID& kIid = IID_ISnapinAbout;

  virtual HRESULT GetSnapinDescription(LPWSTR* description) = 0;
  virtual HRESULT GetProvider(LPWSTR* name) = 0;
  virtual HRESULT GetSnapinVersion(LPWSTR* version) = 0;
  virtual HRESULT GetSnapinImage(HICON* app_icon) = 0;
  virtual HRESULT GetStaticFolderImage(HBITMAP* small_image, HBITMAP* small_image_open,
                                       HBITMAP* large_image, COLORREF* mask) = 0;

 protected:
  ~ISnapinAbout() = default;
};

// Column widths and sort orders that the console keeps per column set. What Get… returns is
// one block of task memory that the caller frees with CoTaskMemFree.
struct IColumnData : IUnknown {
  static constexpr const IID& kIid = IID_IColumnData;

  virtual HRESULT SetColumnConfigData(SColumnSetID* id, MMC_COLUMN_SET_DATA* data) = 0;
  virtual HRESULT GetColumnConfigData(SColumnSetID* id, MMC_COLUMN_SET_DATA** data) = 0;
  virtual HRESULT SetColumnSortData(SColumnSetID* id, MMC_SORT_SET_DATA* data) = 0;
  virtual HRESULT GetColumnSortData(SColumnSetID* id, MMC_SORT_SET_DATA** data) = 0;

 protected:
  ~IColumnData() = default;
};

// The message view result pane: a title, a body text and an icon.
struct IMessageView : IUnknown {
  static constexpr const IID& kIid = IID_IMessageView;

  virtual HRESULT SetTitleText(LPCOLESTR title) = 0;
  virtual HRESULT SetBodyText(LPCOLESTR body) = 0;
  virtual HRESULT SetIcon(IconIdentifier icon) = 0;
  virtual HRESULT Clear() = 0;

 protected:
  ~IMessageView() = default;
};

// Exported by the console host's library (libpwmmc.so), which a snap-in module links.
#define PW_MMC_API extern "C" __attribute__((visibility("default")))

// Posts MMCN_PROPERTY_CHANGE (param as given) to the snap-in object that received `handle`;
// it arrives on the console thread once the caller has returned. Any thread may call it.
// E_INVALIDARG for a handle that is unknown or freed.
PW_MMC_API HRESULT MMCPropertyChangeNotify(LONG_PTR handle, LPARAM param);
// Frees a notify handle; afterwards it is dead. Any thread may call it.
PW_MMC_API HRESULT MMCFreeNotifyHandle(LONG_PTR handle);
