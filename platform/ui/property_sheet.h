// CPropertySheet: a window of tabbed property pages with OK, Cancel and Apply, or a wizard
// with Back, Next and Finish; modal or modeless.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/dialog.h"
#include "platform/ui/prop_sheet.h"
#include "platform/ui/tab_ctrl.h"

class CPropertyPage;

// The sheet is a top-level dialog of the model whose controls are a tab control
// (AFX_IDC_TAB_CONTROL, one tab per page, hidden in a wizard), the buttons (IDOK, IDCANCEL,
// ID_APPLY_NOW, IDHELP; in a wizard ID_WIZBACK, ID_WIZNEXT, ID_WIZFINISH, IDCANCEL, IDHELP)
// and one child dialog per page that has been shown. A front end shows it like any dialog:
// the tabs from the tab control, the active page as the visible child dialog, the buttons as
// buttons; a person acts through sheet_input.h.
//
// Life cycle, as Windows runs it:
// - A page's window is made when the page is first activated; pages never activated get no
//   notification at all.
// - Changing the page (a tab, SetActivePage): PSN_KILLACTIVE to the current page (a refusal
//   keeps it), then PSN_SETACTIVE to the new one (a refusal moves on in the same direction).
// - OK: PSN_KILLACTIVE to the current page, PSN_APPLY (lParam TRUE) to every page with a
//   window in page order, then the sheet closes with IDOK. A page answering PSNRET_INVALID
//   stops the apply and is shown; PSNRET_INVALID_NOCHANGEPAGE stops it on the current page.
// - Apply: the same with lParam FALSE, without closing; on success every page counts as
//   unchanged, Apply is disabled and the current page gets PSN_SETACTIVE again. Apply is
//   enabled only while a page has told the sheet it changed (PSM_CHANGED).
// - Cancel, Escape, the close box: PSN_QUERYCANCEL to the current page (a refusal keeps the
//   sheet open), PSN_RESET to every page with a window, then the sheet closes with IDCANCEL.
// - Wizard: Back/Next send PSN_WIZBACK/PSN_WIZNEXT to the current page (0: the neighbour,
//   -1: stay, a template id: that page), then change the page as above; Finish sends
//   PSN_WIZFINISH and closes with ID_WIZFINISH.
// - Closing destroys the windows of all pages (each gets OnDestroy), then every page handle
//   is released (PSPCB_RELEASE).
//
// DoModal runs the sheet modally and answers IDOK, IDCANCEL or ID_WIZFINISH (-1 when no page
// could be made). Create makes it modeless; it then destroys its own window when it closes
// and runs the closed handler afterwards, from the message queue, where the owner may delete
// the sheet object. Several modeless sheets may be open at once, each with its own pages.
//
// Pages added as objects (AddPage(CPropertyPage*)) stay owned by the caller and must outlive
// the sheet's window; pages added as handles (AddPage(HPROPSHEETPAGE)) belong to the sheet,
// which destroys the handles when it closes, as Windows does.
class CPropertySheet : public CDialog {
 public:
  // A button of the sheet as a front end shows it.
  struct ButtonState {
    int id = 0;
    std::wstring text;
    bool visible = false;
    bool enabled = false;
    bool is_default = false;
  };

  CPropertySheet();
  explicit CPropertySheet(UINT caption_id, CWnd* parent = nullptr, UINT select_page = 0);
  explicit CPropertySheet(std::wstring_view caption, CWnd* parent = nullptr, UINT select_page = 0);
  ~CPropertySheet() override;

  // Flags (PSH_WIZARD, PSH_NOAPPLYNOW, PSH_PROPTITLE, PSH_HASHELP, PSH_WIZARDHASFINISH) and
  // the start page, read when the window is made.
  PROPSHEETHEADER m_psh;

  // Pages.
  void AddPage(CPropertyPage* page);
  // Takes the handle, which the sheet destroys when it closes; FALSE (nothing taken) for a
  // handle that does not exist or is in the sheet already.
  BOOL AddPage(HPROPSHEETPAGE page);
  void RemovePage(CPropertyPage* page);
  void RemovePage(int index);
  int GetPageCount() const { return static_cast<int>(pages_.size()); }
  CPropertyPage* GetPage(int index) const;
  int GetPageIndex(const CPropertyPage* page) const;
  // The title on page `index`'s tab.
  std::wstring GetPageTitle(int index) const;
  // Whether the page's window has been made.
  bool IsPageCreated(int index) const;
  // Whether the page has told the sheet of changes not yet applied.
  bool IsPageModified(int index) const;

  // The active page; null and -1 before the window is made.
  CPropertyPage* GetActivePage() const;
  int GetActiveIndex() const { return active_; }
  // PSM_SETCURSEL: FALSE when the current page refuses to leave or `index` is bad.
  BOOL SetActivePage(int index);
  BOOL SetActivePage(CPropertyPage* page);

  // The caption; with PSH_PROPTITLE it reads "<title> Properties" in the thread's language.
  void SetTitle(std::wstring_view title, UINT style = 0);
  std::wstring GetTitle() const { return title_; }

  void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
  bool IsWizardMode() const { return (m_psh.dwFlags & PSH_WIZARD) != 0; }
  // PSWIZB_BACK, PSWIZB_NEXT, PSWIZB_FINISH, PSWIZB_DISABLEDFINISH.
  void SetWizardButtons(DWORD flags);
  DWORD GetWizardButtons() const { return wizard_buttons_; }
  // Shows Finish with `text` in place of Back and Next.
  void SetFinishText(std::wstring_view text);
  // PSM_PRESSBUTTON: what a click on the button does (PSBTN_OK, PSBTN_APPLYNOW…), also on a
  // disabled button, as Windows does for code. FALSE when the sheet has no such button.
  BOOL PressButton(int button);
  // Cancel is disabled and OK reads "Close": changes already made cannot be cancelled.
  void CancelToClose();

  CTabCtrl* GetTabControl() const { return tab_.get(); }
  std::vector<ButtonState> GetButtonStates() const;

  INT_PTR DoModal() override;
  // Modeless; the window shows at once. `style` (WS_…) -1 keeps the default frame.
  BOOL Create(CWnd* parent = nullptr, DWORD style = static_cast<DWORD>(-1), DWORD ex_style = 0);
  // Runs once after a modeless sheet has closed, with its result; not when Create failed.
  void SetClosedHandler(std::function<void(int result)> handler);
  // IDOK, IDCANCEL or ID_WIZFINISH once closed; 0 while open or never shown.
  int GetResult() const { return result_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  LRESULT WindowProc(UINT message, WPARAM w_param, LPARAM l_param) override;
  BOOL OnCommand(WPARAM w_param, LPARAM l_param) override;
  BOOL OnNotify(WPARAM w_param, LPARAM l_param, LRESULT* result) override;
  void OnDestroy() override;
  void PostNcDestroy() override;

 private:
  struct Page {
    CPropertyPage* object = nullptr;
    HPROPSHEETPAGE handle = nullptr;  // owned; made from the object when the window is made
    std::wstring title;
    bool added_as_handle = false;  // the entry ends with its handle
    bool created = false;
    bool modified = false;
  };

  void CommonConstruct(CWnd* parent, UINT select_page);
  bool PrepareHandle(Page& page);
  // Handles and titles of every page before a window is made; false without pages.
  bool PrepareToCreate();
  std::wstring TitleFromTemplate(const PROPSHEETPAGE& description) const;
  std::wstring CaptionText() const;
  pw::ui::DialogTemplate BuildTemplate();
  // Of the largest page template.
  SIZE PageSize() const;
  void InsertTab(int index);
  // Destroys the page's window and handle and forgets it.
  void DropPage(int index);

  LRESULT Notify(const Page& page, UINT code, LPARAM l_param = 0);
  // PSN_KILLACTIVE to the current page; true when it may go.
  bool KillActivePage();
  // Makes the page's window when needed; false (the page is dropped) when it cannot be made.
  bool EnsurePageWindow(int index);
  // PSN_SETACTIVE from `index` on, moving by `direction` past pages that refuse.
  bool ShowPageFrom(int index, int direction);
  void ShowOnly(int index);
  // Whether `control` is a shown and enabled control of this sheet (the sheet itself aside).
  bool IsUsableInSheet(const CWnd* control) const;
  // Moves the focus off a control that is hidden or disabled: to `fallback`, else to the
  // default button.
  void KeepFocusUsable(CWnd* fallback);
  int FindPageByTemplate(LRESULT template_id) const;
  int IndexOfWindow(HWND page_window) const;
  int IndexOfHandle(HPROPSHEETPAGE handle) const;

  bool Apply(bool closing);
  void DoOk();
  bool DoApplyNow();
  void DoCancel();
  void DoWizardBack();
  void DoWizardNext();
  void MoveInWizard(UINT code, int direction);
  void DoWizardFinish();
  void Close(int result);
  void UpdateApplyButton();
  void ReleaseHandles();

  std::vector<Page> pages_;
  std::unique_ptr<CTabCtrl> tab_;
  std::wstring title_;
  UINT title_style_ = 0;
  std::wstring finish_text_;
  RECT page_rect_;
  RECT tab_rect_;
  int active_ = -1;
  DWORD wizard_buttons_ = PSWIZB_BACK | PSWIZB_NEXT;
  bool modeless_ = false;
  bool creating_ = false;
  bool closing_ = false;
  bool cancel_to_close_ = false;
  int result_ = 0;
  std::function<void(int)> closed_handler_;
};
