// AddressBookDlg: the address book's dialog, in which the administrator searches the
// directory's objects and picks one or several.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "installation/addressbook/address_entries.h"
#include "platform/ui/dialog.h"

class CListCtrl;

namespace pw::addressbook {

// Shows `entries` (borrowed, alive for the dialog's run) in a list with the columns name,
// address and type; the search field narrows the list to the entries that show the typed
// text. The search changes what is shown, not what is picked: a selected entry stays picked
// while another search hides it. OK is enabled while anything is picked; OK and a double
// click end the dialog with the picks. Lives on the caller's stack for one pick.
class AddressBookDlg : public CDialog {
 public:
  // `flags`: the ABF_* flags (multiple selection, search field). `resources`: the module
  // whose template and texts the dialog shows.
  AddressBookDlg(const std::vector<AddressEntry>& entries, LONG flags, CWnd* parent,
                 HINSTANCE resources);

  // After IDOK: indices into the entries, in the order the list showed them.
  const std::vector<std::size_t>& picked() const { return picked_; }

  BOOL OnInitDialog() override;
  void OnOK() override;

 protected:
  const pw::ui::MessageMap* GetMessageMap() const override;

 private:
  CListCtrl* List();
  std::wstring Text(UINT id) const;
  // Fills the list with the entries that match the search, keeping the selected ones
  // selected.
  void Fill();
  // Takes the selection of the rows shown into the picks.
  void SyncPicks();
  void UpdateOk();

  void OnSearchChanged();
  void OnItemChanged(NMHDR* header, LRESULT* result);
  void OnDoubleClick(NMHDR* header, LRESULT* result);

  const std::vector<AddressEntry>& entries_;
  LONG flags_;
  // Indices into the entries of everything picked, shown or not; in entry order.
  std::set<std::size_t> selected_;
  std::vector<std::size_t> picked_;
  // While the list is refilled its notifications are not the administrator's doing.
  bool filling_ = false;
};

}  // namespace pw::addressbook
