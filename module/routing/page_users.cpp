// CPageUsers: the users list of a rule's sheet, filled from the page's set, grown through the
// user picker and shrunk down to the page's minimum.
#include "module/routing/page_users.h"

#include <algorithm>

#include "module/resources/images.h"
#include "module/resources/routes.h"
#include "module/snapin/component_data.h"
#include "module/snapin/pwconfig_app.h"
#include "module/users/name_lookup_info.h"
#include "module/users/select_users_dlg.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/message_box.h"
#include "platform/ui/message_map.h"
#include "platform/ui/static_ctrl.h"
#include "platform/win/format.h"
#include "platform/win/resources.h"

namespace {

// Positions in the page's image list.
constexpr int kUserImage = 0;
constexpr int kGroupImage = 1;
constexpr int kOtherImage = 2;
constexpr int kIconSize = 16;
constexpr int kNameColumnWidth = 330;

}  // namespace

CPageUsers::CPageUsers() { ConstructPage(IDD_PAGE_USERS); }

CPageUsers::~CPageUsers() = default;

void CPageUsers::Setup(CComponentData* component_data) {
  SetComponentData(component_data);
  if (images_.IsCreated()) return;
  images_.Create(kIconSize, kIconSize, ILC_COLOR32 | ILC_MASK, 3, 0);
  for (UINT icon : {IDI_USER, IDI_USERS, IDI_MAILBOX_AGENT}) {
    HICON loaded = LoadIcon(AfxGetResourceHandle(), icon, kIconSize);
    images_.Add(loaded);
    // The image list keeps a copy of the pixels.
    if (loaded != nullptr) DestroyIcon(loaded);
  }
}

void CPageUsers::SetPickerTexts(UINT prompt_id, UINT caption_id) {
  prompt_id_ = prompt_id;
  caption_id_ = caption_id;
}

const pw::ui::MessageMap* CPageUsers::GetMessageMap() const {
  static const pw::ui::MessageMap map(
      CMMCPropertyPage::GetMessageMap(),
      {
          pw::ui::MapCommand(IDC_USERS_ADD, BN_CLICKED, &CPageUsers::OnAdd),
          pw::ui::MapCommand(IDC_USERS_REMOVE, BN_CLICKED, &CPageUsers::OnRemove),
      });
  return &map;
}

CListCtrl& CPageUsers::List() { return *GetDlgItem<CListCtrl>(IDC_USERS_LIST); }

CPageUsers::Row CPageUsers::Resolve(const std::wstring& identity) const {
  Row row{identity, identity, kOtherImage};
  if (component_data_ == nullptr) return row;
  CNameLookupInfo info(component_data_->user_locator(), component_data_->directory_mode(),
                       identity);
  if (!info.LoadFromCache()) info.Lookup();
  row.name = info.name().empty() ? identity : info.name();
  if (info.object_type() == L"user") {
    row.image = kUserImage;
  } else if (info.object_type() == L"group") {
    row.image = kGroupImage;
  }
  return row;
}

BOOL CPageUsers::OnInitDialog() {
  CMMCPropertyPage::OnInitDialog();
  GetDlgItem<CStatic>(IDC_USERS_TEXT)->SetWindowText(description_);
  CListCtrl& list = List();
  list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
  list.InsertColumn(0, LoadModuleString(IDS_USERS_PAGE_COLUMN), LVCFMT_LEFT, kNameColumnWidth);
  if (images_.IsCreated()) list.SetImageList(&images_, LVSIL_SMALL);
  std::vector<Row> rows;
  for (const std::wstring& identity : users_) rows.push_back(Resolve(identity));
  Fill(std::move(rows));
  return TRUE;
}

void CPageUsers::Fill(std::vector<Row> rows) {
  std::stable_sort(rows.begin(), rows.end(),
                   [](const Row& a, const Row& b) { return a.name < b.name; });
  rows_ = std::move(rows);
  CListCtrl& list = List();
  list.DeleteAllItems();
  for (std::size_t index = 0; index < rows_.size(); ++index) {
    list.InsertItem(static_cast<int>(index), rows_[index].name, rows_[index].image);
  }
}

std::vector<CPageUsers::Row> CPageUsers::CurrentRows() { return rows_; }

void CPageUsers::OnAdd() {
  const bool coverpage_mode = mode_ != 0;
  const UINT prompt = prompt_id_ != 0  ? prompt_id_
                      : coverpage_mode ? IDS_USERS_PAGE_COVERPAGE_PROMPT
                                       : IDS_USERS_PAGE_ROUTE_PROMPT;
  const UINT caption = caption_id_ != 0 ? caption_id_
                       : coverpage_mode ? IDS_USERS_PAGE_COVERPAGE_CAPTION
                                        : IDS_USERS_PAGE_ROUTE_CAPTION;
  CSelectUsersDlg picker(component_data_, this);
  picker.SetCaption(LoadModuleString(caption));
  picker.SetPrompt(LoadModuleString(prompt));
  picker.SetUsersOnly(coverpage_mode);
  for (const std::wstring& identity : users_) picker.Exclude(identity);
  // Through the base: the picker's own DoModal override is not public.
  if (static_cast<CDialog&>(picker).DoModal() != IDOK) return;
  if (BeforeAdd() < 0) return;

  std::vector<Row> rows = CurrentRows();
  for (int index = 0; index < picker.GetSelectedCount(); ++index) {
    const CNameLookupInfo& picked = picker.GetSelectedAt(index);
    if (AcceptUser(picked.guid(), picked.object_type()) != 0) continue;
    if (!users_.insert(picked.guid()).second) continue;
    rows.push_back(Resolve(picked.guid()));
  }
  modified_ = TRUE;
  SetModified(TRUE);
  Fill(std::move(rows));
  AfterAdd();
}

void CPageUsers::OnRemove() {
  CListCtrl& list = List();
  std::vector<int> selected;
  for (int row = list.GetNextItem(-1, LVNI_SELECTED); row != -1;
       row = list.GetNextItem(row, LVNI_SELECTED)) {
    selected.push_back(row);
  }
  if (selected.empty()) return;

  std::vector<Row> rows = rows_;
  std::vector<bool> removed(rows.size(), false);
  std::size_t remaining = rows.size();
  std::size_t removed_count = 0;
  for (int row : selected) {
    if (remaining <= minimum_users_) break;
    removed[static_cast<std::size_t>(row)] = true;
    users_.erase(rows[static_cast<std::size_t>(row)].identity);
    --remaining;
    ++removed_count;
  }
  if (removed_count > 0) {
    std::vector<Row> kept;
    for (std::size_t index = 0; index < rows.size(); ++index) {
      if (!removed[index]) kept.push_back(rows[index]);
    }
    modified_ = TRUE;
    SetModified(TRUE);
    Fill(std::move(kept));
  }
  if (removed_count == selected.size()) return;

  const bool one = minimum_users_ == 1;
  UINT text_id = 0;
  if (selected.size() == 1) {
    text_id = one ? IDS_USERS_PAGE_KEEP_ONE : IDS_USERS_PAGE_KEEP_MANY;
  } else {
    text_id = one ? IDS_USERS_PAGE_NOT_ALL_ONE : IDS_USERS_PAGE_NOT_ALL_MANY;
  }
  AfxMessageBox(pw::FormatString(LoadModuleString(text_id), minimum_users_), MB_ICONINFORMATION);
}
