// CSelectUsersDlg: the two virtual lists, sorting, moving records, the context menu and the
// resizing of the user picker.
#include "module/users/select_users_dlg.h"

#include <algorithm>
#include <cwchar>

#include "installation/interfaces/ardent_db.h"
#include "module/resources/images.h"
#include "module/resources/resource.h"
#include "module/resources/user_dialogs.h"
#include "module/snapin/component_data.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/com/strings.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/menu.h"
#include "platform/ui/message_map.h"
#include "platform/ui/wait_cursor.h"
#include "platform/win/resources.h"

namespace {

constexpr int kIconSize = 16;
constexpr int kNameWidth = 150;
constexpr int kImageUser = 0;
constexpr int kImageGroup = 1;
constexpr int kImageAgent = 2;

void Offset(RECT* rect, int dx, int dy) {
  rect->left += dx;
  rect->right += dx;
  rect->top += dy;
  rect->bottom += dy;
}

}  // namespace

CSelectUsersDlg::CSelectUsersDlg(CComponentData* component_data, CWnd* parent)
    : CDialog(IDD_SELECT_USERS, parent, AfxGetResourceHandle()), component_data_(component_data) {}

CSelectUsersDlg::~CSelectUsersDlg() = default;

const CNameLookupInfo& CSelectUsersDlg::GetSelectedAt(int index) const {
  return chosen_.at(static_cast<std::size_t>(index));
}

const pw::ui::MessageMap* CSelectUsersDlg::GetMessageMap() const {
  using T = CSelectUsersDlg;
  static const pw::ui::MessageMap map(
      CDialog::GetMessageMap(),
      {
          pw::ui::MapCommand(IDC_SU_ADD, BN_CLICKED, &T::OnAdd),
          pw::ui::MapCommand(IDC_SU_REMOVE, BN_CLICKED, &T::OnRemove),
          pw::ui::MapNotify(IDC_SU_AVAILABLE, LVN_GETDISPINFO, &T::OnAvailableDispInfo),
          pw::ui::MapNotify(IDC_SU_CHOSEN, LVN_GETDISPINFO, &T::OnChosenDispInfo),
          pw::ui::MapNotify(IDC_SU_AVAILABLE, LVN_ODCACHEHINT, &T::OnAvailableCacheHint),
          pw::ui::MapNotify(IDC_SU_CHOSEN, LVN_ODCACHEHINT, &T::OnChosenCacheHint),
          pw::ui::MapNotify(IDC_SU_AVAILABLE, LVN_ODFINDITEM, &T::OnAvailableFindItem),
          pw::ui::MapNotify(IDC_SU_CHOSEN, LVN_ODFINDITEM, &T::OnChosenFindItem),
          pw::ui::MapNotify(IDC_SU_AVAILABLE, LVN_COLUMNCLICK, &T::OnAvailableColumnClick),
          pw::ui::MapNotify(IDC_SU_CHOSEN, LVN_COLUMNCLICK, &T::OnChosenColumnClick),
          pw::ui::MapNotify(IDC_SU_AVAILABLE, LVN_ITEMCHANGED, &T::OnItemChanged),
          pw::ui::MapNotify(IDC_SU_CHOSEN, LVN_ITEMCHANGED, &T::OnItemChanged),
          pw::ui::MapNotify(IDC_SU_AVAILABLE, NM_DBLCLK, &T::OnAvailableDoubleClick),
          pw::ui::MapNotify(IDC_SU_CHOSEN, NM_DBLCLK, &T::OnChosenDoubleClick),
          pw::ui::MapMessage(WM_CONTEXTMENU, &T::OnContextMenu),
          pw::ui::MapMessage(WM_SIZE, &T::OnSize),
          pw::ui::MapMessage(WM_GETMINMAXINFO, &T::OnGetMinMaxInfo),
      });
  return &map;
}

INT_PTR CSelectUsersDlg::DoModal() {
  init_error_ = S_OK;
  const INT_PTR result = CDialog::DoModal();
  if (FAILED(init_error_)) throw ComError(init_error_, IID_IArdentRULEDB);
  return result;
}

CListCtrl* CSelectUsersDlg::List(UINT list_id) { return GetDlgItem<CListCtrl>(list_id); }

std::vector<CNameLookupInfo>& CSelectUsersDlg::RecordsOf(UINT list_id) {
  return list_id == IDC_SU_CHOSEN ? chosen_ : available_;
}

BOOL CSelectUsersDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(IDC_SU_PROMPT, prompt_);
  const DWORD mode = component_data_ != nullptr ? component_data_->directory_mode() : 0;

  // Exchange 5.5 shows mailbox agents with the user's icon, as its user list does.
  images_.Create(kIconSize, kIconSize, ILC_COLOR32, 3, 0);
  const UINT icons[] = {IDI_USER, IDI_USERS,
                        mode == CNameLookupInfo::kExchange55 ? IDI_USER : IDI_MAILBOX_AGENT};
  for (UINT icon : icons) {
    // The image list keeps a copy of each icon.
    HICON loaded = LoadIcon(AfxGetResourceHandle(), icon, kIconSize);
    images_.Add(loaded);
    DestroyIcon(loaded);
  }

  for (UINT id : {IDC_SU_AVAILABLE, IDC_SU_CHOSEN}) {
    CListCtrl* list = List(id);
    list->SetExtendedStyle(list->GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    list->SetImageList(&images_, LVSIL_SMALL);
    int column = 0;
    list->InsertColumn(column++, LoadModuleString(IDS_SU_COLUMN_NAME), LVCFMT_LEFT, kNameWidth);
    if (mode != CNameLookupInfo::kExchange55) {
      list->InsertColumn(column++, LoadModuleString(IDS_SU_COLUMN_LOGIN), LVCFMT_LEFT, kNameWidth);
    }
    list->InsertColumn(column, LoadModuleString(IDS_SU_COLUMN_EMAIL), LVCFMT_LEFT, kNameWidth);
    list->SetColumnWidth(column, LVSCW_AUTOSIZE_USEHEADER);
  }

  int registered = 0;
  try {
    IArdentRULEDB* rules = component_data_ != nullptr ? component_data_->rule_store() : nullptr;
    if (rules == nullptr) throw ComError(E_POINTER, IID_IArdentRULEDB);
    pw::ComPtr<IArdentRuleEnum> lists = rules->EnumRules(L"", L"faxusers");
    pw::ComPtr<IArdentRule> rule;
    while (lists->Next(&rule) == S_OK && rule) {
      pw::ComPtr<IArdentTextEnum> members = rule->EnumUsers();
      _bstr_t identity;
      while (members->Next(&identity) == S_OK) {
        ++registered;
        if (excluded_.count(identity.c_str()) != 0) continue;
        CWaitCursor wait;
        available_.emplace_back(component_data_->user_locator(), mode, identity.c_str());
      }
    }
  } catch (const ComError& error) {
    init_error_ = error.Error();
    EndDialog(IDCANCEL);
    return TRUE;
  }
  List(IDC_SU_AVAILABLE)->SetItemCount(static_cast<int>(available_.size()));

  if (registered == 0 || available_.empty()) {
    UINT text = 0;
    if (registered == 0) {
      text = users_only_ ? IDS_SU_NONE_CONFIGURED_USERS : IDS_SU_NONE_CONFIGURED;
    } else {
      text = users_only_ ? IDS_SU_NONE_AVAILABLE_USERS : IDS_SU_NONE_AVAILABLE;
    }
    MessageBox(LoadModuleString(text), LoadModuleString(IDS_APP_TITLE), MB_OK | MB_ICONINFORMATION);
    EndDialog(IDCANCEL);
    return TRUE;
  }

  if (!caption_.empty()) SetWindowText(caption_);
  RECT window;
  GetWindowRect(&window);
  initial_size_ = SIZE{window.right - window.left, window.bottom - window.top};
  anchors_.clear();
  for (UINT id : {IDC_SU_PROMPT, IDC_SU_AVAILABLE, IDC_SU_ADD, IDC_SU_REMOVE, IDC_SU_CHOSEN,
                  static_cast<UINT>(IDOK), static_cast<UINT>(IDCANCEL), IDC_SU_GRIP}) {
    RECT rect;
    GetDlgItem(id)->GetWindowRect(&rect);
    anchors_.push_back({id, rect});
  }
  UpdateButtons();
  initialized_ = true;
  return TRUE;
}

std::wstring CSelectUsersDlg::ColumnText(CNameLookupInfo& record, int column) {
  if (!record.IsResolved()) record.Lookup();
  const bool exchange = record.user_mode() == CNameLookupInfo::kExchange55;
  switch (column) {
    case 0:
      return record.name();
    case 1:
      return exchange ? record.email() : record.login();
    case 2:
      return exchange ? std::wstring() : record.email();
    default:
      return std::wstring();
  }
}

int CSelectUsersDlg::ImageOf(const CNameLookupInfo& record) const {
  if (record.object_type() == L"group") return kImageGroup;
  if (record.object_type() == L"mailboxagent") return kImageAgent;
  return kImageUser;
}

void CSelectUsersDlg::ResolveRange(std::vector<CNameLookupInfo>& records, int first, int last) {
  if (first > last) std::swap(first, last);
  first = std::max(first, 0);
  last = std::min(last, static_cast<int>(records.size()) - 1);
  std::unique_ptr<CWaitCursor> wait;
  for (int row = first; row <= last; ++row) {
    CNameLookupInfo& record = records[static_cast<std::size_t>(row)];
    if (record.IsResolved()) continue;
    if (!wait) wait = std::make_unique<CWaitCursor>();
    record.Lookup();
  }
}

void CSelectUsersDlg::OnGetDispInfo(UINT list_id, NMHDR* header) {
  auto* info = reinterpret_cast<NMLVDISPINFO*>(header);
  std::vector<CNameLookupInfo>& records = RecordsOf(list_id);
  if (info->item.iItem < 0 || info->item.iItem >= static_cast<int>(records.size())) return;
  CNameLookupInfo& record = records[static_cast<std::size_t>(info->item.iItem)];
  if ((info->item.mask & LVIF_TEXT) != 0 && info->item.pszText != nullptr &&
      info->item.cchTextMax > 0) {
    const std::wstring text = ColumnText(record, info->item.iSubItem);
    const std::size_t count =
        std::min(text.size(), static_cast<std::size_t>(info->item.cchTextMax - 1));
    std::wmemcpy(info->item.pszText, text.data(), count);
    info->item.pszText[count] = L'\0';
  }
  if ((info->item.mask & LVIF_IMAGE) != 0) {
    if (!record.IsResolved()) record.Lookup();
    info->item.iImage = ImageOf(record);
  }
}

void CSelectUsersDlg::OnCacheHint(UINT list_id, NMHDR* header) {
  const auto* hint = reinterpret_cast<NMLVCACHEHINT*>(header);
  ResolveRange(RecordsOf(list_id), hint->iFrom, hint->iTo);
}

LRESULT CSelectUsersDlg::OnFindItem(UINT list_id, NMHDR* header) {
  const auto* find = reinterpret_cast<NMLVFINDITEM*>(header);
  if ((find->lvfi.flags & LVFI_STRING) == 0 || find->lvfi.psz == nullptr) return -1;
  const std::wstring wanted = find->lvfi.psz;
  const bool partial = (find->lvfi.flags & LVFI_PARTIAL) != 0;
  std::vector<CNameLookupInfo>& records = RecordsOf(list_id);
  const int count = static_cast<int>(records.size());
  for (int row = std::max(find->iStart, 0); row < count; ++row) {
    CNameLookupInfo& record = records[static_cast<std::size_t>(row)];
    if (!record.IsResolved()) record.Lookup();
    const std::wstring& name = record.name();
    const bool match = partial ? name.size() >= wanted.size() &&
                                     pw::EqualsIgnoreCase(name.substr(0, wanted.size()), wanted)
                               : pw::EqualsIgnoreCase(name, wanted);
    if (match) return row;
  }
  return -1;
}

void CSelectUsersDlg::OnAvailableDispInfo(NMHDR* header, LRESULT*) {
  OnGetDispInfo(IDC_SU_AVAILABLE, header);
}
void CSelectUsersDlg::OnChosenDispInfo(NMHDR* header, LRESULT*) {
  OnGetDispInfo(IDC_SU_CHOSEN, header);
}
void CSelectUsersDlg::OnAvailableCacheHint(NMHDR* header, LRESULT*) {
  OnCacheHint(IDC_SU_AVAILABLE, header);
}
void CSelectUsersDlg::OnChosenCacheHint(NMHDR* header, LRESULT*) {
  OnCacheHint(IDC_SU_CHOSEN, header);
}
void CSelectUsersDlg::OnAvailableFindItem(NMHDR* header, LRESULT* result) {
  *result = OnFindItem(IDC_SU_AVAILABLE, header);
}
void CSelectUsersDlg::OnChosenFindItem(NMHDR* header, LRESULT* result) {
  *result = OnFindItem(IDC_SU_CHOSEN, header);
}
void CSelectUsersDlg::OnAvailableColumnClick(NMHDR* header, LRESULT*) {
  SortList(IDC_SU_AVAILABLE, reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
}
void CSelectUsersDlg::OnChosenColumnClick(NMHDR* header, LRESULT*) {
  SortList(IDC_SU_CHOSEN, reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
}
void CSelectUsersDlg::OnItemChanged(NMHDR*, LRESULT*) { UpdateButtons(); }
void CSelectUsersDlg::OnAvailableDoubleClick(NMHDR*, LRESULT*) { OnAdd(); }
void CSelectUsersDlg::OnChosenDoubleClick(NMHDR*, LRESULT*) { OnRemove(); }
void CSelectUsersDlg::OnAdd() { Move(IDC_SU_AVAILABLE, IDC_SU_CHOSEN); }
void CSelectUsersDlg::OnRemove() { Move(IDC_SU_CHOSEN, IDC_SU_AVAILABLE); }

void CSelectUsersDlg::UpdateButtons() {
  if (GetSafeHwnd() == nullptr) return;
  GetDlgItem(IDC_SU_ADD)->EnableWindow(List(IDC_SU_AVAILABLE)->GetSelectedCount() > 0);
  GetDlgItem(IDC_SU_REMOVE)->EnableWindow(List(IDC_SU_CHOSEN)->GetSelectedCount() > 0);
}

void CSelectUsersDlg::Move(UINT from_id, UINT to_id) {
  CListCtrl* from = List(from_id);
  CListCtrl* to = List(to_id);
  std::vector<CNameLookupInfo>& source = RecordsOf(from_id);
  std::vector<CNameLookupInfo>& target = RecordsOf(to_id);
  std::vector<int> rows;
  for (int row = from->GetNextItem(-1, LVNI_SELECTED); row >= 0;
       row = from->GetNextItem(row, LVNI_SELECTED)) {
    if (row < static_cast<int>(source.size())) rows.push_back(row);
  }
  if (rows.empty()) return;
  for (int row : rows) target.push_back(source[static_cast<std::size_t>(row)]);
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) source.erase(source.begin() + *it);
  // Row states belong to positions: the moved rows' states must not stay behind.
  from->SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  from->SetItemCount(static_cast<int>(source.size()));
  to->SetItemCount(static_cast<int>(target.size()));
  to->EnsureVisible(static_cast<int>(target.size()) - 1, FALSE);
  UpdateButtons();
}

void CSelectUsersDlg::SortList(UINT list_id, int column) {
  SortState& state = list_id == IDC_SU_CHOSEN ? chosen_sort_ : available_sort_;
  state.descending = state.column == column ? !state.descending : false;
  state.column = column;
  std::vector<CNameLookupInfo>& records = RecordsOf(list_id);
  ResolveRange(records, 0, static_cast<int>(records.size()) - 1);
  const bool exchange = component_data_ != nullptr &&
                        component_data_->directory_mode() == CNameLookupInfo::kExchange55;
  const auto key = [column, exchange](const CNameLookupInfo& record) -> const std::wstring& {
    if (column == 1) return exchange ? record.email() : record.login();
    if (column == 2) return record.email();
    return record.name();
  };
  const bool descending = state.descending;
  std::stable_sort(records.begin(), records.end(),
                   [&](const CNameLookupInfo& a, const CNameLookupInfo& b) {
                     const int order = pw::CompareIgnoreCase(key(a), key(b));
                     return descending ? order > 0 : order < 0;
                   });
  CListCtrl* list = List(list_id);
  for (int other = 0; other < list->GetColumnCount(); ++other) list->SetColumnSortArrow(other, 0);
  list->SetColumnSortArrow(column, descending ? HDF_SORTDOWN : HDF_SORTUP);
  list->SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  list->SetItemCount(static_cast<int>(records.size()));
  UpdateButtons();
}

LRESULT CSelectUsersDlg::OnContextMenu(WPARAM w_param, LPARAM l_param) {
  const auto window = reinterpret_cast<HWND>(w_param);
  UINT list_id = 0;
  for (UINT id : {IDC_SU_AVAILABLE, IDC_SU_CHOSEN}) {
    if (List(id)->GetSafeHwnd() == window) list_id = id;
  }
  if (list_id == 0) return 0;
  CMenu menu;
  menu.CreatePopupMenu();
  menu.AppendMenu(MF_STRING, ID_SU_SELECT_ALL, LoadModuleString(IDS_SU_SELECT_ALL));
  const UINT chosen =
      static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD, static_cast<short>(LOWORD(l_param)),
                                            static_cast<short>(HIWORD(l_param)), this));
  if (chosen == ID_SU_SELECT_ALL && GetSafeHwnd() != nullptr) {
    List(list_id)->SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    UpdateButtons();
  }
  return 0;
}

LRESULT CSelectUsersDlg::OnGetMinMaxInfo(WPARAM, LPARAM l_param) {
  auto* limits = reinterpret_cast<MINMAXINFO*>(l_param);
  if (limits != nullptr && initialized_) {
    limits->ptMinTrackSize = POINT{initial_size_.cx, initial_size_.cy};
  }
  return 0;
}

LRESULT CSelectUsersDlg::OnSize(WPARAM, LPARAM l_param) {
  if (initialized_) Layout(LOWORD(l_param), HIWORD(l_param));
  return 0;
}

void CSelectUsersDlg::Layout(int width, int height) {
  const int dx = std::max(0, width - static_cast<int>(initial_size_.cx));
  const int dy = std::max(0, height - static_cast<int>(initial_size_.cy));
  // The available list takes the upper half of the growth, the chosen list the lower half.
  const int upper = dy / 2;
  for (const Anchor& anchor : anchors_) {
    RECT rect = anchor.rect;
    switch (anchor.id) {
      case IDC_SU_PROMPT:
        rect.right += dx;
        break;
      case IDC_SU_AVAILABLE:
        rect.right += dx;
        rect.bottom += upper;
        break;
      case IDC_SU_ADD:
      case IDC_SU_REMOVE:
        Offset(&rect, dx, upper);
        break;
      case IDC_SU_CHOSEN:
        rect.right += dx;
        rect.top += upper;
        rect.bottom += dy;
        break;
      default:
        Offset(&rect, dx, dy);
        break;
    }
    GetDlgItem(anchor.id)->MoveWindow(rect);
  }
}

void CSelectUsersDlg::OnOK() {
  ResolveRange(chosen_, 0, static_cast<int>(chosen_.size()) - 1);
  CDialog::OnOK();
}
