// Types, structures and constants of the management console's snap-in interfaces, with the
// values the platform gives them.
#pragma once

#include <cstdint>

#include "platform/com/guid.h"
#include "platform/ui/ui_constants.h"

struct IDataObject;

using LPOLESTR = wchar_t*;
using LPCOLESTR = const wchar_t*;
using boolean = unsigned char;
struct HPALETTE__;
using HPALETTE = HPALETTE__*;

// Cookies name a snap-in's items; item handles are the console's names for them.
using MMC_COOKIE = std::intptr_t;
using HSCOPEITEM = std::intptr_t;
using HRESULTITEM = std::intptr_t;
using COMPONENTID = LONG;

// A display text that the console asks the snap-in for (GetDisplayInfo) when it needs it.
inline const LPOLESTR MMC_CALLBACK = reinterpret_cast<LPOLESTR>(~std::uintptr_t{0});
inline const LPOLESTR MMC_TEXTCALLBACK = MMC_CALLBACK;
inline constexpr int MMC_IMAGECALLBACK = -1;

inline constexpr MMC_COOKIE MMC_MULTI_SELECT_COOKIE = -2;
inline constexpr MMC_COOKIE MMC_WINDOW_COOKIE = -3;
inline constexpr MMC_COOKIE SPECIAL_COOKIE_MIN = -10;
inline constexpr MMC_COOKIE SPECIAL_COOKIE_MAX = -1;
constexpr bool IS_SPECIAL_COOKIE(MMC_COOKIE cookie) {
  return cookie >= SPECIAL_COOKIE_MIN && cookie <= SPECIAL_COOKIE_MAX;
}

// Data objects that are not objects: values the console passes in place of a pointer.
inline IDataObject* const DOBJ_NULL = nullptr;
inline IDataObject* const DOBJ_CUSTOMOCX = reinterpret_cast<IDataObject*>(std::intptr_t{-1});
inline IDataObject* const DOBJ_CUSTOMWEB = reinterpret_cast<IDataObject*>(std::intptr_t{-2});
inline IDataObject* const DOBJ_NOCONSOLE = reinterpret_cast<IDataObject*>(std::intptr_t{-3});
inline constexpr std::intptr_t SPECIAL_DOBJ_MIN = -10;
inline constexpr std::intptr_t SPECIAL_DOBJ_MAX = 0;
inline bool IS_SPECIAL_DATAOBJECT(const IDataObject* data_object) {
  const auto value = reinterpret_cast<std::intptr_t>(data_object);
  return value >= SPECIAL_DOBJ_MIN && value <= SPECIAL_DOBJ_MAX;
}

enum MMC_NOTIFY_TYPE : DWORD {
  MMCN_ACTIVATE = 0x8001,
  MMCN_ADD_IMAGES = 0x8002,
  MMCN_BTN_CLICK = 0x8003,
  MMCN_CLICK = 0x8004,
  MMCN_COLUMN_CLICK = 0x8005,
  MMCN_CONTEXTMENU = 0x8006,
  MMCN_CUTORMOVE = 0x8007,
  MMCN_DBLCLICK = 0x8008,
  MMCN_DELETE = 0x8009,
  MMCN_DESELECT_ALL = 0x800A,
  MMCN_EXPAND = 0x800B,
  MMCN_HELP = 0x800C,
  MMCN_MENU_BTNCLICK = 0x800D,
  MMCN_MINIMIZED = 0x800E,
  MMCN_PASTE = 0x800F,
  MMCN_PROPERTY_CHANGE = 0x8010,
  MMCN_QUERY_PASTE = 0x8011,
  MMCN_REFRESH = 0x8012,
  MMCN_REMOVE_CHILDREN = 0x8013,
  MMCN_RENAME = 0x8014,
  MMCN_SELECT = 0x8015,
  MMCN_SHOW = 0x8016,
  MMCN_VIEW_CHANGE = 0x8017,
  MMCN_SNAPINHELP = 0x8018,
  MMCN_CONTEXTHELP = 0x8019,
  MMCN_INITOCX = 0x801A,
  MMCN_FILTER_CHANGE = 0x801B,
  MMCN_FILTERBTN_CLICK = 0x801C,
  MMCN_RESTORE_VIEW = 0x801D,
  MMCN_PRINT = 0x801E,
  MMCN_PRELOAD = 0x801F,
  MMCN_LISTPAD = 0x8020,
  MMCN_EXPANDSYNC = 0x8021,
  MMCN_COLUMNS_CHANGED = 0x8022,
};

enum DATA_OBJECT_TYPES : DWORD {
  CCT_SCOPE = 0x8000,
  CCT_RESULT = 0x8001,
  CCT_SNAPIN_MANAGER = 0x8002,
  CCT_UNINITIALIZED = 0xFFFF,
};

enum MMC_CONSOLE_VERB : DWORD {
  MMC_VERB_NONE = 0x0000,
  MMC_VERB_OPEN = 0x8000,
  MMC_VERB_COPY = 0x8001,
  MMC_VERB_PASTE = 0x8002,
  MMC_VERB_DELETE = 0x8003,
  MMC_VERB_PROPERTIES = 0x8004,
  MMC_VERB_RENAME = 0x8005,
  MMC_VERB_REFRESH = 0x8006,
  MMC_VERB_PRINT = 0x8007,
  MMC_VERB_CUT = 0x8008,
  MMC_VERB_MAX = 0x8009,
  MMC_VERB_FIRST = MMC_VERB_OPEN,
  MMC_VERB_LAST = MMC_VERB_MAX - 1,
};

enum MMC_BUTTON_STATE : DWORD {
  ENABLED = 0x01,
  CHECKED = 0x02,
  HIDDEN = 0x04,
  INDETERMINATE = 0x08,
  BUTTONPRESSED = 0x10,
};

enum MMC_CONTROL_TYPE : DWORD { TOOLBAR = 0, MENUBUTTON = 1, COMBOBOXBAR = 2 };

enum MMC_RESULT_VIEW_STYLE : DWORD {
  MMC_SINGLESEL = 0x0001,
  MMC_SHOWSELALWAYS = 0x0002,
  MMC_NOSORTHEADER = 0x0004,
  MMC_ENSUREFOCUSVISIBLE = 0x0008,
};

enum MMC_SCOPE_ITEM_STATE : DWORD {
  MMC_SCOPE_ITEM_STATE_NORMAL = 0x1,
  MMC_SCOPE_ITEM_STATE_BOLD = 0x2,
  MMC_SCOPE_ITEM_STATE_EXPANDEDONCE = 0x3,
};

// Result view options that GetResultViewType answers.
inline constexpr LONG MMC_VIEW_OPTIONS_NONE = 0;
inline constexpr LONG MMC_VIEW_OPTIONS_NOLISTVIEWS = 0x1;
inline constexpr LONG MMC_VIEW_OPTIONS_MULTISELECT = 0x2;
inline constexpr LONG MMC_VIEW_OPTIONS_OWNERDATALIST = 0x4;
inline constexpr LONG MMC_VIEW_OPTIONS_FILTERED = 0x8;
inline constexpr LONG MMC_VIEW_OPTIONS_CREATENEW = 0x10;
inline constexpr LONG MMC_VIEW_OPTIONS_USEFONTLINKING = 0x20;
inline constexpr LONG MMC_VIEW_OPTIONS_EXCLUDE_SCOPE_ITEMS_FROM_LIST = 0x40;
inline constexpr LONG MMC_VIEW_OPTIONS_LEXICAL_SORT = 0x80;

// Property sheet options of IPropertySheetProvider::CreatePropertySheet.
inline constexpr DWORD MMC_PSO_NOAPPLYNOW = 0x1;
inline constexpr DWORD MMC_PSO_HASHELP = 0x2;
inline constexpr DWORD MMC_PSO_NEWWIZARDTYPE = 0x4;
inline constexpr DWORD MMC_PSO_NO_PROPTITLE = 0x8;

// Result list values.
inline constexpr int MMCLV_AUTO = -1;
inline constexpr int MMCLV_NOPARAM = -2;
inline constexpr int MMCLV_NOICON = -1;
inline constexpr LONG MMCLV_VIEWSTYLE_ICON = 0;
inline constexpr LONG MMCLV_VIEWSTYLE_REPORT = 0x1;
inline constexpr LONG MMCLV_VIEWSTYLE_SMALLICON = 0x2;
inline constexpr LONG MMCLV_VIEWSTYLE_LIST = 0x3;
inline constexpr LONG MMCLV_VIEWSTYLE_FILTERED = 0x4;
inline constexpr DWORD MMCLV_UPDATE_NOINVALIDATEALL = 0x1;
inline constexpr DWORD MMCLV_UPDATE_NOSCROLL = 0x2;

// Column widths of IHeaderCtrl (formats and list item states are the list view's, LVCFMT_
// and LVIS_).
inline constexpr int AUTO_WIDTH = -1;
inline constexpr int HIDE_COLUMN = -4;

// Masks of RESULTDATAITEM and SCOPEDATAITEM.
inline constexpr DWORD RDI_STR = 0x2;
inline constexpr DWORD RDI_IMAGE = 0x4;
inline constexpr DWORD RDI_STATE = 0x8;
inline constexpr DWORD RDI_PARAM = 0x10;
inline constexpr DWORD RDI_INDEX = 0x20;
inline constexpr DWORD RDI_INDENT = 0x40;

inline constexpr DWORD SDI_STR = 0x2;
inline constexpr DWORD SDI_IMAGE = 0x4;
inline constexpr DWORD SDI_OPENIMAGE = 0x8;
inline constexpr DWORD SDI_STATE = 0x10;
inline constexpr DWORD SDI_PARAM = 0x20;
inline constexpr DWORD SDI_CHILDREN = 0x40;
// Placement flags, also carried in the mask: relative to relativeID.
inline constexpr DWORD SDI_PARENT = 0;
inline constexpr DWORD SDI_PREVIOUS = 0x10000000;
inline constexpr DWORD SDI_NEXT = 0x20000000;
inline constexpr DWORD SDI_FIRST = 0x08000000;

// Find and sort options.
inline constexpr DWORD RFI_PARTIAL = 0x1;
inline constexpr DWORD RFI_WRAP = 0x2;
inline constexpr DWORD RSI_DESCENDING = 0x1;
inline constexpr DWORD RSI_NOSORTICON = 0x2;

struct RESULTDATAITEM {
  DWORD mask = 0;
  BOOL bScopeItem = FALSE;
  HRESULTITEM itemID = 0;
  int nIndex = 0;
  int nCol = 0;
  LPOLESTR str = nullptr;
  int nImage = 0;
  UINT nState = 0;
  LPARAM lParam = 0;
  int iIndent = 0;
};
using LPRESULTDATAITEM = RESULTDATAITEM*;

struct SCOPEDATAITEM {
  DWORD mask = 0;
  LPOLESTR displayname = nullptr;
  int nImage = 0;
  int nOpenImage = 0;
  UINT nState = 0;
  int cChildren = 0;
  LPARAM lParam = 0;
  HSCOPEITEM relativeID = 0;
  HSCOPEITEM ID = 0;
};
using LPSCOPEDATAITEM = SCOPEDATAITEM*;

struct RESULTFINDINFO {
  LPOLESTR psz = nullptr;
  int nStart = 0;
  DWORD dwOptions = 0;
};
using LPRESULTFINDINFO = RESULTFINDINFO*;

struct MMCBUTTON {
  int nBitmap = 0;
  int idCommand = 0;
  BYTE fsState = 0;
  BYTE fsType = 0;
  LPOLESTR lpButtonText = nullptr;
  LPOLESTR lpTooltipText = nullptr;
};
using LPMMCBUTTON = MMCBUTTON*;

// Toolbar button states and styles (fsState, fsType), as the common controls define them.
inline constexpr BYTE TBSTATE_CHECKED = 0x01;
inline constexpr BYTE TBSTATE_PRESSED = 0x02;
inline constexpr BYTE TBSTATE_ENABLED = 0x04;
inline constexpr BYTE TBSTATE_HIDDEN = 0x08;
inline constexpr BYTE TBSTATE_INDETERMINATE = 0x10;
inline constexpr BYTE TBSTYLE_BUTTON = 0x00;
inline constexpr BYTE TBSTYLE_SEP = 0x01;
inline constexpr BYTE TBSTYLE_CHECK = 0x02;
inline constexpr BYTE TBSTYLE_GROUP = 0x04;

struct CONTEXTMENUITEM {
  LPWSTR strName = nullptr;
  LPWSTR strStatusBarText = nullptr;
  LONG lCommandID = 0;
  LONG lInsertionPointID = 0;
  LONG fFlags = 0;
  LONG fSpecialFlags = 0;
};
using LPCONTEXTMENUITEM = CONTEXTMENUITEM*;

// Insertion points of context menus and the flags that allow them.
inline constexpr LONG CCM_INSERTIONPOINTID_MASK_SPECIAL = static_cast<LONG>(0xFFFF0000);
inline constexpr LONG CCM_INSERTIONPOINTID_MASK_SHARED = static_cast<LONG>(0x80000000);
inline constexpr LONG CCM_INSERTIONPOINTID_MASK_CREATE_PRIMARY = 0x40000000;
inline constexpr LONG CCM_INSERTIONPOINTID_MASK_ADD_PRIMARY = 0x20000000;
inline constexpr LONG CCM_INSERTIONPOINTID_MASK_ADD_3RDPARTY = 0x10000000;
inline constexpr LONG CCM_INSERTIONPOINTID_MASK_RESERVED = 0x0FFF0000;
inline constexpr LONG CCM_INSERTIONPOINTID_MASK_FLAGINDEX = 0x1F;
inline constexpr LONG CCM_INSERTIONPOINTID_PRIMARY_TOP = static_cast<LONG>(0xA0000000);
inline constexpr LONG CCM_INSERTIONPOINTID_PRIMARY_NEW = static_cast<LONG>(0xA0000001);
inline constexpr LONG CCM_INSERTIONPOINTID_PRIMARY_TASK = static_cast<LONG>(0xA0000002);
inline constexpr LONG CCM_INSERTIONPOINTID_PRIMARY_VIEW = static_cast<LONG>(0xA0000003);
inline constexpr LONG CCM_INSERTIONPOINTID_3RDPARTY_NEW = static_cast<LONG>(0x90000001);
inline constexpr LONG CCM_INSERTIONPOINTID_3RDPARTY_TASK = static_cast<LONG>(0x90000002);
inline constexpr LONG CCM_INSERTIONPOINTID_ROOT_MENU = static_cast<LONG>(0x80000000);
inline constexpr LONG CCM_INSERTIONALLOWED_TOP = 1;
inline constexpr LONG CCM_INSERTIONALLOWED_NEW = 2;
inline constexpr LONG CCM_INSERTIONALLOWED_TASK = 4;
inline constexpr LONG CCM_INSERTIONALLOWED_VIEW = 8;
inline constexpr LONG CCM_COMMANDID_MASK_RESERVED = static_cast<LONG>(0xFFFF0000);
inline constexpr LONG CCM_SPECIAL_SEPARATOR = 0x1;
inline constexpr LONG CCM_SPECIAL_SUBMENU = 0x2;
inline constexpr LONG CCM_SPECIAL_DEFAULT_ITEM = 0x4;
inline constexpr LONG CCM_SPECIAL_INSERTION_POINT = 0x8;
inline constexpr LONG CCM_SPECIAL_TESTONLY = 0x10;

// Column configuration that IColumnData keeps per column set.
inline constexpr DWORD HDI_HIDDEN = 0x1;

struct MMC_COLUMN_DATA {
  int nColIndex = 0;
  DWORD dwFlags = 0;
  int nWidth = 0;
  ULONG_PTR ulReserved = 0;
};

struct MMC_COLUMN_SET_DATA {
  int cbSize = sizeof(MMC_COLUMN_SET_DATA);
  int nNumCols = 0;
  MMC_COLUMN_DATA* pColData = nullptr;
};

struct MMC_SORT_DATA {
  int nColIndex = 0;
  DWORD dwSortOptions = 0;
  ULONG_PTR ulReserved = 0;
};

struct MMC_SORT_SET_DATA {
  int cbSize = sizeof(MMC_SORT_SET_DATA);
  int nNumItems = 0;
  MMC_SORT_DATA* pSortData = nullptr;
};

// The identity of a column set: cBytes bytes of id follow the header.
struct SColumnSetID {
  DWORD dwFlags = 0;
  DWORD cBytes = 0;
  BYTE id[1] = {};
};

// The renderings of the console's composite data object: a count followed by that many data
// objects (pointers, so the array starts at the pointer alignment) or node types.
struct SMMCDataObjects {
  DWORD count = 0;
  IDataObject* lpDataObject[1] = {};
};

struct SMMCObjectTypes {
  DWORD count = 0;
  GUID guid[1] = {};
};

// Icons of the message view.
enum IconIdentifier : DWORD {
  Icon_None = 0,
  Icon_Error = 32513,
  Icon_Question = 32514,
  Icon_Warning = 32515,
  Icon_Information = 32516,
  Icon_First = Icon_Error,
  Icon_Last = Icon_Information,
};

// Clipboard format names by which the console and snap-ins exchange data.
inline constexpr wchar_t CCF_NODETYPE[] = L"CCF_NODETYPE";
inline constexpr wchar_t CCF_SZNODETYPE[] = L"CCF_SZNODETYPE";
inline constexpr wchar_t CCF_DISPLAY_NAME[] = L"CCF_DISPLAY_NAME";
inline constexpr wchar_t CCF_SNAPIN_CLASSID[] = L"CCF_SNAPIN_CLASSID";
inline constexpr wchar_t CCF_WINDOW_TITLE[] = L"CCF_WINDOW_TITLE";
inline constexpr wchar_t CCF_MMC_MULTISELECT_DATAOBJECT[] = L"CCF_MMC_MULTISELECT_DATAOBJECT";
inline constexpr wchar_t CCF_MULTI_SELECT_SNAPINS[] = L"CCF_MULTI_SELECT_SNAPINS";
inline constexpr wchar_t CCF_OBJECT_TYPES_IN_MULTI_SELECT[] = L"CCF_OBJECT_TYPES_IN_MULTI_SELECT";
inline constexpr wchar_t CCF_MMC_DYNAMIC_EXTENSIONS[] = L"CCF_MMC_DYNAMIC_EXTENSIONS";
inline constexpr wchar_t CCF_SNAPIN_PRELOADS[] = L"CCF_SNAPIN_PRELOADS";
inline constexpr wchar_t CCF_NODEID[] = L"CCF_NODEID";
inline constexpr wchar_t CCF_NODEID2[] = L"CCF_NODEID2";
inline constexpr wchar_t CCF_COLUMN_SET_ID[] = L"CCF_COLUMN_SET_ID";
inline constexpr wchar_t CCF_DESCRIPTION[] = L"CCF_DESCRIPTION";
inline constexpr wchar_t CCF_HTML_DETAILS[] = L"CCF_HTML_DETAILS";
