// AddressBookDlg: filling, narrowing and picking from the address book's list.
#include "installation/addressbook/address_book_dlg.h"

#include "installation/addressbook/resources/addressbook.h"
#include "installation/interfaces/ardent_addressbook.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/message_map.h"
#include "platform/win/resources.h"

namespace pw::addressbook {
namespace {

constexpr int kNameWidth = 150;
constexpr int kAddressWidth = 170;

}  // namespace

AddressBookDlg::AddressBookDlg(const std::vector<AddressEntry>& entries, LONG flags, CWnd* parent,
                               HINSTANCE resources)
    : CDialog(IDD_ADDRESS_BOOK, parent, resources), entries_(entries), flags_(flags) {}

const pw::ui::MessageMap* AddressBookDlg::GetMessageMap() const {
  using T = AddressBookDlg;
  static const pw::ui::MessageMap map(
      CDialog::GetMessageMap(),
      {
          pw::ui::MapCommand(IDC_AB_SEARCH, EN_CHANGE, &T::OnSearchChanged),
          pw::ui::MapNotify(IDC_AB_LIST, LVN_ITEMCHANGED, &T::OnItemChanged),
          pw::ui::MapNotify(IDC_AB_LIST, NM_DBLCLK, &T::OnDoubleClick),
      });
  return &map;
}

CListCtrl* AddressBookDlg::List() { return GetDlgItem<CListCtrl>(IDC_AB_LIST); }

std::wstring AddressBookDlg::Text(UINT id) const {
  return LoadStringResource(GetTemplateInstance(), id);
}

BOOL AddressBookDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const bool several = (flags_ & ABF_MULTISELECT) != 0;
  SetDlgItemText(IDC_AB_PROMPT, Text(several ? IDS_AB_PROMPT_SEVERAL : IDS_AB_PROMPT_ONE));
  CListCtrl* list = List();
  if (!several) list->ModifyStyle(0, LVS_SINGLESEL);
  list->SetExtendedStyle(list->GetExtendedStyle() | LVS_EX_FULLROWSELECT);
  list->InsertColumn(0, Text(IDS_AB_COLUMN_NAME), LVCFMT_LEFT, kNameWidth);
  list->InsertColumn(1, Text(IDS_AB_COLUMN_ADDRESS), LVCFMT_LEFT, kAddressWidth);
  list->InsertColumn(2, Text(IDS_AB_COLUMN_TYPE), LVCFMT_LEFT);
  list->SetColumnWidth(2, LVSCW_AUTOSIZE_USEHEADER);
  if ((flags_ & ABF_SEARCH) == 0) {
    GetDlgItem(IDC_AB_SEARCH_LABEL)->ShowWindow(SW_HIDE);
    GetDlgItem(IDC_AB_SEARCH)->ShowWindow(SW_HIDE);
  }
  Fill();
  GotoDlgCtrl((flags_ & ABF_SEARCH) != 0 ? GetDlgItem(IDC_AB_SEARCH) : list);
  // The focus is placed here: the framework must not move it.
  return FALSE;
}

void AddressBookDlg::SyncPicks() {
  CListCtrl* list = List();
  for (int row = 0; row < list->GetItemCount(); ++row) {
    const auto index = static_cast<std::size_t>(list->GetItemData(row));
    if (list->GetItemState(row, LVIS_SELECTED) != 0) {
      selected_.insert(index);
    } else {
      selected_.erase(index);
    }
  }
}

void AddressBookDlg::Fill() {
  CListCtrl* list = List();
  const std::wstring search = GetDlgItem(IDC_AB_SEARCH)->GetWindowText();
  filling_ = true;
  list->DeleteAllItems();
  int row = 0;
  for (std::size_t index = 0; index < entries_.size(); ++index) {
    const AddressEntry& entry = entries_[index];
    if (!MatchesSearch(entry, search)) continue;
    UINT type = IDS_AB_TYPE_USER;
    if (entry.object_type == L"group") type = IDS_AB_TYPE_GROUP;
    if (entry.object_type == L"mailboxagent") type = IDS_AB_TYPE_MAILBOXAGENT;
    list->InsertItem(row, entry.name);
    list->SetItemText(row, 1, entry.address);
    list->SetItemText(row, 2, Text(type));
    list->SetItemData(row, index);
    if (selected_.count(index) != 0) list->SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    ++row;
  }
  filling_ = false;
  UpdateOk();
}

void AddressBookDlg::UpdateOk() { GetDlgItem(IDOK)->EnableWindow(!selected_.empty()); }

void AddressBookDlg::OnSearchChanged() { Fill(); }

void AddressBookDlg::OnItemChanged(NMHDR*, LRESULT*) {
  if (filling_) return;
  SyncPicks();
  UpdateOk();
}

void AddressBookDlg::OnDoubleClick(NMHDR* header, LRESULT*) {
  const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(header);
  if (activate->iItem < 0) return;
  OnOK();
}

void AddressBookDlg::OnOK() {
  SyncPicks();
  picked_.assign(selected_.begin(), selected_.end());
  // Enter in the search field must not end the dialog with nothing picked.
  if (picked_.empty()) return;
  EndDialog(IDOK);
}

}  // namespace pw::addressbook
