// CPropertyPage: one page of a property sheet or wizard, a child dialog that the sheet makes
// when the page is first shown.
#pragma once

#include <string>
#include <string_view>

#include "platform/ui/dialog.h"
#include "platform/ui/prop_sheet.h"

class CPropertySheet;

// A page is described by m_psp (template, title, callback) and is added to a sheet with
// CPropertySheet::AddPage, or turned into a handle with CreatePropertySheetPage(&m_psp) for a
// sheet that takes handles (the console's). The sheet makes the page's window when the page
// is first activated: it calls the page callback with PSPCB_CREATE, loads the template in
// the calling thread's language (so a callback that sets the thread's language decides it),
// creates the child dialog (OnInitDialog) and sends PSN_SETACTIVE. A page that was never
// shown never gets a window and takes part in nothing. The window goes when the sheet
// closes; the object stays with its owner and can serve a later sheet.
//
// To derive: override OnInitDialog for the controls, OnKillActive to validate (FALSE keeps
// the page), OnApply to save (call the base, which calls OnOK; FALSE refuses the apply),
// OnSetActive, OnReset, OnQueryCancel and the OnWizard… hooks as needed; call SetModified
// when a control changes. To run code before the template loads, put your own function in
// m_psp.pfnCallback and call the one found there (PropPageCallback) from it; m_psp.lParam is
// the page object.
class CPropertyPage : public CDialog {
 public:
  // A page without a template yet; Construct gives it one.
  CPropertyPage();
  // `caption_id` 0: the tab shows the template's caption.
  explicit CPropertyPage(UINT template_id, UINT caption_id = 0);
  CPropertyPage(UINT template_id, std::wstring_view caption);
  ~CPropertyPage() override;

  void Construct(UINT template_id, UINT caption_id = 0);
  void Construct(UINT template_id, std::wstring_view caption);

  // The description the sheet uses; the title points to the caption kept by the page.
  PROPSHEETPAGE m_psp;

  // The sheet of the page's window; null without a window.
  CPropertySheet* GetParentSheet() const;
  // Tells the sheet that the page has (TRUE) or no longer has (FALSE) changes to apply: the
  // sheet's Apply button is enabled while any page has. Nothing happens without a window.
  void SetModified(BOOL changed = TRUE);
  // PSM_QUERYSIBLINGS through the sheet: each other page with a window gets the message
  // until one answers nonzero, which is the answer.
  LRESULT QuerySiblings(WPARAM w_param, LPARAM l_param);
  // The sheet's Cancel button becomes a Close button for changes that cannot be undone.
  void CancelToClose();
  const std::wstring& GetCaption() const { return caption_; }

  // PSN_SETACTIVE: FALSE refuses the activation (the sheet moves on in the same direction).
  virtual BOOL OnSetActive();
  // PSN_KILLACTIVE: FALSE keeps the page active (and the sheet open).
  virtual BOOL OnKillActive();
  // PSN_APPLY, after the kill-active of the current page: TRUE accepts. The base calls OnOK.
  virtual BOOL OnApply();
  // PSN_RESET, when the sheet is cancelled. The base calls OnCancel.
  virtual void OnReset();
  // Hooks of OnApply and OnReset; unlike a dialog's, they never end anything.
  void OnOK() override;
  void OnCancel() override;
  // PSN_QUERYCANCEL, to the current page before a cancel: FALSE keeps the sheet open.
  virtual BOOL OnQueryCancel();
  // PSN_WIZBACK, PSN_WIZNEXT: 0 goes to the neighbouring page, -1 stays, a template id goes
  // to the page of that template.
  virtual LRESULT OnWizardBack();
  virtual LRESULT OnWizardNext();
  // PSN_WIZFINISH: TRUE lets the wizard end.
  virtual BOOL OnWizardFinish();
  // PSN_HELP.
  virtual void OnHelp() {}

  // The framework's page callback that m_psp.pfnCallback starts with: lets the page be made.
  static UINT PropPageCallback(HWND window, UINT message, PROPSHEETPAGE* page_description);

 protected:
  BOOL OnNotify(WPARAM w_param, LPARAM l_param, LRESULT* result) override;
  void OnDestroy() override;

 private:
  friend class CPropertySheet;
  void CommonConstruct();
  // Makes the window inside `sheet` at `rect` from the description of its handle; FALSE
  // when the template does not exist.
  BOOL CreatePageWindow(CPropertySheet& sheet, const PROPSHEETPAGE& description, const RECT& rect);

  std::wstring caption_;
};
