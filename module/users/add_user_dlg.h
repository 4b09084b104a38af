// CAddUserDlg: the "New Licensed User" dialog that creates a user of the server's own user
// database.
#pragma once

#include <memory>
#include <string>

#include "platform/ui/dialog.h"

class CComponentData;

// The values of the dialog, also what CreateUser writes.
struct NewUserFields {
  std::wstring login;
  std::wstring full_name;
  std::wstring email;
  // 0 Networks, 1 SMTP ("ardentCustomFlags").
  LONG mail_system = 0;
  std::wstring first_name;
  std::wstring last_name;
  std::wstring company;
  std::wstring department;
  std::wstring fax;
  std::wstring voice;
  std::wstring internet_email;
};

// Modal, on the caller's stack for one registration. New-user mode takes its defaults from the
// installation's "options.ini"; edit mode shows given fields with the mail system fixed.
// After IDOK, fields() holds the trimmed values and CreateUser puts the user into the database
// and its identity into "faxusers".
class CAddUserDlg : public CDialog {
 public:
  explicit CAddUserDlg(CComponentData* component_data, CWnd* parent = nullptr);
  ~CAddUserDlg() override;

  // Edit mode: caption "Edit user", the mail system buttons disabled, `fields` shown.
  void SetEditMode(const NewUserFields& fields);
  const NewUserFields& fields() const { return fields_; }
  bool personal_shown() const { return personal_shown_; }

  // Creates the user from fields() and registers it; answers its identity. Store and database
  // failures raise their ComError.
  std::wstring CreateUser();

  BOOL OnInitDialog() override;
  void OnOK() override;

 protected:
  const pw::ui::MessageMap* GetMessageMap() const override;

 private:
  struct Filling;

  void ReadDefaults();
  void OnFieldChange(UINT id);
  void OnMailSystem(UINT id);
  void OnMoreLess();
  void ShowPersonal(bool show);
  void UpdateOk();
  std::wstring Text(UINT id);
  void SetText(UINT id, const std::wstring& text);

  CComponentData* component_data_;
  bool edit_mode_ = false;
  bool personal_shown_ = false;
  NewUserFields fields_;
  std::unique_ptr<Filling> filling_;
  // Dialog height with the personal part hidden and shown, in pixels.
  int short_height_ = 0;
  int full_height_ = 0;
};
