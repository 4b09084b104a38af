// CDialog: modal and modeless dialogs made from templates, with the life cycle of the
// framework the snap-in is written for.
#pragma once

#include <optional>

#include "platform/ui/dialog_template.h"
#include "platform/ui/wnd.h"

// The module whose templates and strings dialogs load unless told otherwise: process-wide,
// set by the snap-in module to its own resources. Answers the previous handle.
HINSTANCE AfxSetResourceHandle(HINSTANCE instance);
HINSTANCE AfxGetResourceHandle();

// A dialog. Construct it with a template id and a parent; DoModal creates the window and its
// controls from the template in the calling thread's language, sends WM_INITDIALOG
// (OnInitDialog), shows it, runs the modal loop through the UiHost with the owner disabled,
// and answers the EndDialog code after the window is gone. A dialog that ends itself in
// OnInitDialog is never shown. Create makes a modeless dialog — or a child dialog when the
// template has WS_CHILD, which is how a property page lives inside its sheet.
//
// To derive: override OnInitDialog (call the base first), OnOK/OnCancel when the buttons do
// more than end the dialog, and declare a message map (message_map.h) for commands and
// notifications; private messages (PostMessage from a worker thread) go through MapMessage
// or WindowProc. Controls are reached with GetDlgItem<CEdit>(IDC_…).
class CDialog : public CWnd {
 public:
  static constexpr std::wstring_view kClassName = kDialogClassName;

  CDialog() = default;
  explicit CDialog(UINT template_id, CWnd* parent = nullptr);
  // Templates from `instance` instead of AfxGetResourceHandle().
  CDialog(UINT template_id, CWnd* parent, HINSTANCE instance);
  ~CDialog() override;

  // IDOK, IDCANCEL or what EndDialog was given; -1 when the template does not exist.
  virtual INT_PTR DoModal();
  // DoModal runs this template instead of a resource.
  void InitModalIndirect(pw::ui::DialogTemplate dialog_template, CWnd* parent = nullptr);
  // Modeless (or child) dialog; 0 as `template_id` uses the constructor's.
  BOOL Create(UINT template_id = 0, CWnd* parent = nullptr);
  BOOL CreateIndirect(const pw::ui::DialogTemplate& dialog_template, CWnd* parent);
  // Ends a modal dialog with `result` once the current message is handled; hides a modeless
  // one (which its owner then destroys with DestroyWindow).
  void EndDialog(int result);
  void EndModalLoop(int result) override;

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

  // The default push button (DM_SETDEFID); the BS_DEFPUSHBUTTON look moves with it.
  void SetDefID(UINT id);
  // MAKELONG(id, DC_HASDEFID); IDOK when the template marks none.
  DWORD GetDefID() const;
  // Puts the focus on `control` as Tab does (an edit gets its text selected).
  void GotoDlgCtrl(CWnd* control);
  void NextDlgCtrl();
  void PrevDlgCtrl();

  UINT GetTemplateId() const { return template_id_; }
  HINSTANCE GetTemplateInstance() const;
  const std::wstring& GetFontName() const { return font_name_; }
  WORD GetFontSize() const { return font_size_; }
  bool IsModal() const { return IsInModalLoop(); }
  // Dialog units to pixels of the dialog font (6 by 13 pixels per 4 by 8 units).
  void MapDialogRect(RECT* rect) const;

 protected:
  LRESULT WindowProc(UINT message, WPARAM w_param, LPARAM l_param) override;
  const pw::ui::MessageMap* GetMessageMap() const override;
  void SetTemplateId(UINT template_id) { template_id_ = template_id; }
  void SetParentWindow(CWnd* parent) { parent_window_ = parent; }
  CWnd* GetParentWindow() const { return parent_window_; }

 private:
  // The template DoModal or Create uses now; nullopt (with a message on stderr) when the
  // resource is missing.
  std::optional<pw::ui::DialogTemplate> LoadTemplate(UINT template_id) const;
  BOOL CreateFromTemplate(const pw::ui::DialogTemplate& dialog_template, CWnd* parent);
  void CreateControls(const pw::ui::DialogTemplate& dialog_template);
  void SetInitialFocus();

  UINT template_id_ = 0;
  HINSTANCE instance_override_ = nullptr;
  CWnd* parent_window_ = nullptr;
  std::optional<pw::ui::DialogTemplate> indirect_template_;
  std::wstring font_name_;
  WORD font_size_ = 0;
  int default_id_ = 0;
};
