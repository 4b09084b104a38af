// Property sheet definitions with the values Windows gives them: page descriptions and
// handles (PROPSHEETPAGE, HPROPSHEETPAGE), the sheet header, notifications, messages, flags
// and button ids.
#pragma once

#include <string>

#include "platform/com/types.h"
#include "platform/ui/ui_types.h"
#include "platform/win/message_queue.h"

class CPropertyPage;

// A resource named by number, as Windows passes it where a name could stand. Our resources
// are numbered only, so a real name never finds a template.
inline LPCWSTR MAKEINTRESOURCE(UINT id) {
  return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(id)));
}
inline bool IS_INTRESOURCE(LPCWSTR name) { return (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0; }

struct HPROPSHEETPAGE__;
using HPROPSHEETPAGE = HPROPSHEETPAGE__*;

struct PROPSHEETPAGE;
// The page callback: PSPCB_ADDREF when the handle is made, PSPCB_CREATE just before the
// page's window is made (answer 0 to refuse the page), PSPCB_RELEASE when the handle goes.
// `page_description` is the handle's own copy of the description.
using LPFNPSPCALLBACK = UINT (*)(HWND window, UINT message, PROPSHEETPAGE* page_description);

// What a page is: its template, title and callback. `page` stands in for the dialog
// procedure of Windows: the object that becomes the page's window. The title is copied
// when a handle is made, as Windows does with a title given as text.
struct PROPSHEETPAGE {
  DWORD dwSize = sizeof(PROPSHEETPAGE);
  DWORD dwFlags = 0;
  HINSTANCE hInstance = nullptr;  // null: the module of AfxGetResourceHandle()
  LPCWSTR pszTemplate = nullptr;  // MAKEINTRESOURCE(id)
  HICON hIcon = nullptr;
  LPCWSTR pszTitle = nullptr;  // used with PSP_USETITLE
  CPropertyPage* page = nullptr;
  LPARAM lParam = 0;
  LPFNPSPCALLBACK pfnCallback = nullptr;  // used with PSP_USECALLBACK
  UINT* pcRefParent = nullptr;
  LPCWSTR pszHeaderTitle = nullptr;
  LPCWSTR pszHeaderSubTitle = nullptr;
};
using LPPROPSHEETPAGE = PROPSHEETPAGE*;
using LPCPROPSHEETPAGE = const PROPSHEETPAGE*;

// The options of a sheet that CPropertySheet reads; its caption and pages have their own
// setters.
struct PROPSHEETHEADER {
  DWORD dwSize = sizeof(PROPSHEETHEADER);
  DWORD dwFlags = 0;
  HWND hwndParent = nullptr;
  HINSTANCE hInstance = nullptr;
  UINT nStartPage = 0;
};

// WM_NOTIFY from the sheet to a page; lParam of PSN_APPLY is TRUE for OK, FALSE for Apply.
struct PSHNOTIFY {
  NMHDR hdr;
  LPARAM lParam = 0;
};

// Makes a handle that owns a copy of `page_description` (PSPCB_ADDREF goes to its
// callback). Null for a missing description or one without a page object.
HPROPSHEETPAGE CreatePropertySheetPage(LPCPROPSHEETPAGE page_description);
// PSPCB_RELEASE, then the handle is gone. FALSE for a handle that does not exist.
BOOL DestroyPropertySheetPage(HPROPSHEETPAGE page);

namespace pw::ui {
// The handle's copy of its description; null for a handle that does not exist.
PROPSHEETPAGE* PropSheetPageData(HPROPSHEETPAGE page);
// The title a page shows on its tab: the copied title with PSP_USETITLE, else empty (the
// sheet then takes the template's caption).
std::wstring PropSheetPageTitle(HPROPSHEETPAGE page);
}  // namespace pw::ui

// Page flags.
inline constexpr DWORD PSP_DEFAULT = 0x00000000;
inline constexpr DWORD PSP_DLGINDIRECT = 0x00000001;
inline constexpr DWORD PSP_USEHICON = 0x00000002;
inline constexpr DWORD PSP_USEICONID = 0x00000004;
inline constexpr DWORD PSP_USETITLE = 0x00000008;
inline constexpr DWORD PSP_RTLREADING = 0x00000010;
inline constexpr DWORD PSP_HASHELP = 0x00000020;
inline constexpr DWORD PSP_USEREFPARENT = 0x00000040;
inline constexpr DWORD PSP_USECALLBACK = 0x00000080;
inline constexpr DWORD PSP_PREMATURE = 0x00000400;
inline constexpr DWORD PSP_HIDEHEADER = 0x00000800;
inline constexpr DWORD PSP_USEHEADERTITLE = 0x00001000;
inline constexpr DWORD PSP_USEHEADERSUBTITLE = 0x00002000;

// Page callback messages.
inline constexpr UINT PSPCB_ADDREF = 0;
inline constexpr UINT PSPCB_RELEASE = 1;
inline constexpr UINT PSPCB_CREATE = 2;

// Sheet flags.
inline constexpr DWORD PSH_DEFAULT = 0x00000000;
inline constexpr DWORD PSH_PROPTITLE = 0x00000001;
inline constexpr DWORD PSH_USEHICON = 0x00000002;
inline constexpr DWORD PSH_USEICONID = 0x00000004;
inline constexpr DWORD PSH_PROPSHEETPAGE = 0x00000008;
inline constexpr DWORD PSH_WIZARDHASFINISH = 0x00000010;
inline constexpr DWORD PSH_WIZARD = 0x00000020;
inline constexpr DWORD PSH_USEPSTARTPAGE = 0x00000040;
inline constexpr DWORD PSH_NOAPPLYNOW = 0x00000080;
inline constexpr DWORD PSH_USECALLBACK = 0x00000100;
inline constexpr DWORD PSH_HASHELP = 0x00000200;
inline constexpr DWORD PSH_MODELESS = 0x00000400;
inline constexpr DWORD PSH_RTLREADING = 0x00000800;
inline constexpr DWORD PSH_WIZARDCONTEXTHELP = 0x00001000;
inline constexpr DWORD PSH_WIZARD97 = 0x01000000;
inline constexpr DWORD PSH_NOCONTEXTHELP = 0x02000000;

// Notifications from the sheet to its pages.
inline constexpr UINT PSN_FIRST = 0U - 200U;
inline constexpr UINT PSN_SETACTIVE = PSN_FIRST - 0;
inline constexpr UINT PSN_KILLACTIVE = PSN_FIRST - 1;
inline constexpr UINT PSN_APPLY = PSN_FIRST - 2;
inline constexpr UINT PSN_RESET = PSN_FIRST - 3;
inline constexpr UINT PSN_HELP = PSN_FIRST - 5;
inline constexpr UINT PSN_WIZBACK = PSN_FIRST - 6;
inline constexpr UINT PSN_WIZNEXT = PSN_FIRST - 7;
inline constexpr UINT PSN_WIZFINISH = PSN_FIRST - 8;
inline constexpr UINT PSN_QUERYCANCEL = PSN_FIRST - 9;
inline constexpr UINT PSN_LAST = 0U - 299U;

// Answers to PSN_APPLY.
inline constexpr LRESULT PSNRET_NOERROR = 0;
inline constexpr LRESULT PSNRET_INVALID = 1;
inline constexpr LRESULT PSNRET_INVALID_NOCHANGEPAGE = 2;
inline constexpr LRESULT PSNRET_MESSAGEHANDLED = 3;

// Messages to the sheet.
inline constexpr UINT PSM_SETCURSEL = WM_USER + 101;
inline constexpr UINT PSM_REMOVEPAGE = WM_USER + 102;
inline constexpr UINT PSM_ADDPAGE = WM_USER + 103;
inline constexpr UINT PSM_CHANGED = WM_USER + 104;
inline constexpr UINT PSM_CANCELTOCLOSE = WM_USER + 107;
inline constexpr UINT PSM_QUERYSIBLINGS = WM_USER + 108;
inline constexpr UINT PSM_UNCHANGED = WM_USER + 109;
inline constexpr UINT PSM_APPLY = WM_USER + 110;
inline constexpr UINT PSM_SETWIZBUTTONS = WM_USER + 112;
inline constexpr UINT PSM_PRESSBUTTON = WM_USER + 113;
inline constexpr UINT PSM_SETCURSELID = WM_USER + 114;
inline constexpr UINT PSM_GETTABCONTROL = WM_USER + 116;
inline constexpr UINT PSM_GETCURRENTPAGEHWND = WM_USER + 118;
inline constexpr UINT PSM_SETTITLE = WM_USER + 120;
inline constexpr UINT PSM_SETFINISHTEXT = WM_USER + 121;
inline constexpr UINT PSM_IDTOINDEX = WM_USER + 133;

// Wizard buttons (PSM_SETWIZBUTTONS).
inline constexpr DWORD PSWIZB_BACK = 0x00000001;
inline constexpr DWORD PSWIZB_NEXT = 0x00000002;
inline constexpr DWORD PSWIZB_FINISH = 0x00000004;
inline constexpr DWORD PSWIZB_DISABLEDFINISH = 0x00000008;

// Buttons of PSM_PRESSBUTTON.
inline constexpr int PSBTN_BACK = 0;
inline constexpr int PSBTN_NEXT = 1;
inline constexpr int PSBTN_FINISH = 2;
inline constexpr int PSBTN_OK = 3;
inline constexpr int PSBTN_APPLYNOW = 4;
inline constexpr int PSBTN_CANCEL = 5;
inline constexpr int PSBTN_HELP = 6;

// Control ids of the sheet's own controls; ID_WIZFINISH is also what a finished wizard's
// DoModal answers.
inline constexpr int AFX_IDC_TAB_CONTROL = 0x3020;
inline constexpr int ID_APPLY_NOW = 0x3021;
inline constexpr int ID_WIZBACK = 0x3023;
inline constexpr int ID_WIZNEXT = 0x3024;
inline constexpr int ID_WIZFINISH = 0x3025;
