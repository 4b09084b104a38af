// CComputerPickerDlg: the list of computers a console can reach, to pick one by name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/dialog.h"

// One modal use. The computers are this computer (GetComputerName), every host whose shares
// are mounted under the UNC root (pw::UncRoot(): one folder per host) and the hosts the local
// resolver knows (pw::ResolverHostNames), in capitals as computer names are shown, this computer
// first and the others by name. A person picks one from the list (a click fills the name field, a
// double click picks at once) or types a name; OK is enabled while the name field holds one. The
// name is answered without leading backslashes and without blanks around it.
class CComputerPickerDlg : public CDialog {
 public:
  struct Computer {
    std::wstring name;
    bool local = false;
  };

  explicit CComputerPickerDlg(CWnd* parent = nullptr);

  // The computers the dialog lists, in its order; read afresh on every call.
  static std::vector<Computer> ListComputers();

  // The name the dialog starts with in the name field.
  void SetInitialName(std::wstring_view name) { name_ = std::wstring(name); }
  // The name picked, after DoModal answered IDOK.
  const std::wstring& GetSelectedComputer() const { return name_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  const pw::ui::MessageMap* GetMessageMap() const override;

 private:
  void OnNameChanged();
  void OnItemChanged(NMHDR* header, LRESULT* result);
  void OnItemActivate(NMHDR* header, LRESULT* result);

  std::vector<Computer> computers_;
  std::wstring name_;
};
