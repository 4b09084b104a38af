// CFileDialog: folders and filtered files of the current folder, names typed or picked, and
// the checks of the Windows file dialogs before a file is chosen.
#include "platform/ui/file_dialog.h"

#include <unistd.h>

#include <algorithm>
#include <climits>

#include "platform/com/strings.h"
#include "platform/ui/button.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/resources/ui_resource.h"
#include "platform/ui/ui_resources.h"
#include "platform/win/files.h"
#include "platform/win/format.h"
#include "platform/win/paths.h"

namespace {

thread_local DWORD common_dialog_error = 0;

// Characters no file name on a Windows share may hold; * and ? make a filter instead.
constexpr std::wstring_view kInvalidNameCharacters = L"<>\"|:";

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// A path in one canonical form: "\\HOST\SHARE\a\b" for UNC paths (never above the host),
// "/a/b" for local ones (never above the root), without "." and ".." parts.
std::wstring Normalize(std::wstring_view path) {
  const bool unc = pw::IsUncPath(path);
  std::vector<std::wstring> parts;
  std::wstring part;
  auto take = [&parts, &part, unc] {
    if (part == L"..") {
      if (!parts.empty() && !(unc && parts.size() == 1)) parts.pop_back();
    } else if (!part.empty() && part != L".") {
      parts.push_back(part);
    }
    part.clear();
  };
  for (wchar_t c : path) {
    if (IsSeparator(c)) {
      take();
    } else {
      part += c;
    }
  }
  take();
  const wchar_t separator = unc ? L'\\' : L'/';
  std::wstring normalized = unc ? L"\\\\" : L"/";
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) normalized += separator;
    normalized += parts[i];
  }
  return normalized;
}

std::wstring Join(const std::wstring& folder, std::wstring_view name) {
  const wchar_t separator = pw::IsUncPath(folder) ? L'\\' : L'/';
  std::wstring joined = folder;
  if (joined.empty() || !IsSeparator(joined.back())) joined += separator;
  joined += name;
  return joined;
}

// Where a typed name leads from `folder`: a UNC or absolute local path stands for itself, a
// name starting with one backslash starts at the root of the folder's share or disk.
std::wstring Resolve(const std::wstring& folder, std::wstring_view typed) {
  if (pw::IsUncPath(typed) || (!typed.empty() && typed[0] == L'/')) return Normalize(typed);
  if (!typed.empty() && typed[0] == L'\\') {
    if (!pw::IsUncPath(folder)) return Normalize(typed);
    const std::wstring root = Normalize(folder);
    const std::size_t host_end = root.find(L'\\', 2);
    const std::size_t share_end =
        host_end == std::wstring::npos ? std::wstring::npos : root.find(L'\\', host_end + 1);
    return Normalize(root.substr(0, share_end) + std::wstring(typed));
  }
  return Normalize(Join(folder, typed));
}

std::wstring NameOf(std::wstring_view path) {
  const std::size_t last = path.find_last_of(L"\\/");
  return std::wstring(last == std::wstring_view::npos ? path : path.substr(last + 1));
}

// The extension of a file name without the dot; a leading dot starts no extension.
std::wstring ExtensionOf(std::wstring_view name) {
  const std::size_t dot = name.rfind(L'.');
  if (dot == std::wstring_view::npos || dot == 0) return {};
  return std::wstring(name.substr(dot + 1));
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The file as the folder spells it: names on a share do not depend on case, and neither do
// they in the file dialogs of Windows.
std::wstring SpelledAsStored(const std::wstring& path) {
  if (GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES) return path;
  const std::vector<WIN32_FIND_DATA> found = pw::FindFiles(path);
  if (found.size() != 1) return path;
  const std::wstring folder = pw::FolderOf(path);
  return folder.empty() ? found.front().cFileName : Join(folder, found.front().cFileName);
}

std::wstring CurrentDirectory() {
  char buffer[PATH_MAX];
  if (::getcwd(buffer, sizeof(buffer)) == nullptr) return L"/";
  return pw::FromUtf8(buffer);
}

std::vector<std::wstring> SplitPatterns(std::wstring_view text) {
  std::vector<std::wstring> patterns;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(L';', start);
    if (end == std::wstring_view::npos) end = text.size();
    const std::wstring_view pattern = pw::Trim(text.substr(start, end - start));
    if (!pattern.empty()) patterns.emplace_back(pattern);
    start = end + 1;
  }
  return patterns;
}

}  // namespace

DWORD CommDlgExtendedError() { return common_dialog_error; }

CFileDialog::CFileDialog(BOOL open_file_dialog, std::wstring_view default_ext,
                         std::wstring_view file_name, DWORD flags, std::wstring_view filter,
                         CWnd* parent)
    : CDialog(IDD_PW_FILE_DIALOG, parent, pw::ui::PlatformUiInstance()),
      open_(open_file_dialog != FALSE),
      default_ext_(default_ext),
      initial_name_(file_name),
      filters_(pw::ui::ParseFileFilter(filter)) {
  if (!default_ext_.empty() && default_ext_.front() == L'.') default_ext_.erase(0, 1);
  m_ofn.Flags = flags;
}

INT_PTR CFileDialog::DoModal() {
  common_dialog_error = 0;
  if (m_ofn.hwndOwner != nullptr && GetParentWindow() == nullptr) {
    SetParentWindow(CWnd::FromHandle(m_ofn.hwndOwner));
  }
  const INT_PTR result = CDialog::DoModal();
  if (result == -1) {
    common_dialog_error = CDERR_FINDRESFAILURE;
    return IDCANCEL;
  }
  return result;
}

std::wstring CFileDialog::GetFileName() const { return NameOf(path_); }

std::wstring CFileDialog::GetFileExt() const {
  const std::wstring name = GetFileName();
  const std::size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos ? std::wstring() : name.substr(dot + 1);
}

std::wstring CFileDialog::GetFileTitle() const {
  const std::wstring name = GetFileName();
  const std::size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos ? name : name.substr(0, dot);
}

std::wstring CFileDialog::GetFolderPath() const { return pw::FolderOf(path_); }

std::string CFileDialog::GetHostPath() const {
  return path_.empty() ? std::string() : pw::ToHostPath(path_);
}

BOOL CFileDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(m_ofn.lpstrTitle != nullptr
                    ? std::wstring(m_ofn.lpstrTitle)
                    : pw::ui::LoadUiString(open_ ? IDS_FD_OPEN_TITLE : IDS_FD_SAVE_TITLE));
  SetDlgItemText(IDOK, pw::ui::LoadUiString(open_ ? IDS_FD_OPEN_BUTTON : IDS_FD_SAVE_BUTTON));

  auto* read_only = GetDlgItem<CButton>(IDC_FD_READ_ONLY);
  read_only->SetCheck((m_ofn.Flags & OFN_READONLY) != 0 ? BST_CHECKED : BST_UNCHECKED);
  if ((m_ofn.Flags & OFN_HIDEREADONLY) != 0) read_only->ShowWindow(SW_HIDE);

  auto* list = GetDlgItem<CListCtrl>(IDC_FD_LIST);
  list->SetExtendedStyle(LVS_EX_FULLROWSELECT);
  list->InsertColumn(0, pw::ui::LoadUiString(IDS_FD_COLUMN_NAME), LVCFMT_LEFT, 220);
  list->InsertColumn(1, pw::ui::LoadUiString(IDS_FD_COLUMN_SIZE), LVCFMT_RIGHT, 70);
  list->InsertColumn(2, pw::ui::LoadUiString(IDS_FD_COLUMN_TYPE), LVCFMT_LEFT, 130);

  auto* types = GetDlgItem<CComboBox>(IDC_FD_TYPE);
  for (const pw::ui::FileFilter& filter : filters_) types->AddString(filter.name);
  if (filters_.empty()) {
    types->EnableWindow(FALSE);
  } else {
    const int chosen = m_ofn.nFilterIndex == 0 ? 0 : static_cast<int>(m_ofn.nFilterIndex) - 1;
    types->SetCurSel(std::clamp(chosen, 0, static_cast<int>(filters_.size()) - 1));
  }

  StartFolder();
  GotoDlgCtrl(GetDlgItem(IDC_FD_NAME));
  return FALSE;
}

void CFileDialog::StartFolder() {
  std::wstring name = initial_name_;
  std::vector<std::wstring> candidates;
  if (m_ofn.lpstrInitialDir != nullptr && *m_ofn.lpstrInitialDir != L'\0') {
    candidates.push_back(Resolve(CurrentDirectory(), m_ofn.lpstrInitialDir));
  }
  if (const std::wstring folder = pw::FolderOf(initial_name_); !folder.empty()) {
    candidates.push_back(Resolve(CurrentDirectory(), folder));
    name = NameOf(initial_name_);
  }
  candidates.push_back(CurrentDirectory());
  candidates.emplace_back(L"/");
  for (const std::wstring& folder : candidates) {
    if (ChangeFolder(folder)) break;
  }
  SetDlgItemText(IDC_FD_NAME, name);
}

bool CFileDialog::ChangeFolder(const std::wstring& folder) {
  const std::wstring normalized = Normalize(folder);
  if (!IsFolder(normalized)) return false;
  folder_ = normalized;
  SetDlgItemText(IDC_FD_FOLDER, folder_);
  FillList();
  return true;
}

bool CFileDialog::Matches(std::wstring_view name) const {
  if (!typed_patterns_.empty()) {
    return std::any_of(
        typed_patterns_.begin(), typed_patterns_.end(),
        [name](const std::wstring& pattern) { return pw::MatchesFindPattern(pattern, name); });
  }
  if (filters_.empty()) return true;
  const int chosen = GetDlgItem<CComboBox>(IDC_FD_TYPE)->GetCurSel();
  if (chosen < 0 || chosen >= static_cast<int>(filters_.size())) return true;
  return pw::ui::MatchesFileFilter(filters_[static_cast<std::size_t>(chosen)], name);
}

void CFileDialog::FillList() {
  entries_.clear();
  const bool show_hidden = (m_ofn.Flags & OFN_FORCESHOWHIDDEN) != 0;
  for (const WIN32_FIND_DATA& found : pw::FindFiles(Join(folder_, L"*"))) {
    if (!show_hidden && !found.cFileName.empty() && found.cFileName.front() == L'.') continue;
    const bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!folder && !Matches(found.cFileName)) continue;
    entries_.push_back(Entry{found.cFileName, folder, found.nFileSize});
  }
  std::stable_sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
    if (a.folder != b.folder) return a.folder;
    return pw::CompareIgnoreCase(a.name, b.name) < 0;
  });

  auto* list = GetDlgItem<CListCtrl>(IDC_FD_LIST);
  list->DeleteAllItems();
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const Entry& entry = entries_[i];
    const int row = list->InsertItem(static_cast<int>(i), entry.name);
    if (row < 0) continue;
    list->SetItemData(row, i);
    if (entry.folder) {
      list->SetItemText(row, 2, pw::ui::LoadUiString(IDS_FD_FOLDER_TYPE));
      continue;
    }
    const unsigned long long kilobytes = (entry.size + 1023) / 1024;
    list->SetItemText(row, 1, pw::FormatString(pw::ui::LoadUiString(IDS_FD_SIZE_KB), kilobytes));
    const std::wstring extension = ExtensionOf(entry.name);
    list->SetItemText(row, 2,
                      extension.empty() ? pw::ui::LoadUiString(IDS_FD_PLAIN_FILE_TYPE)
                                        : pw::FormatString(pw::ui::LoadUiString(IDS_FD_FILE_TYPE),
                                                           pw::ToUpper(extension)));
  }
}

void CFileDialog::OnOK() {
  const std::wstring typed(pw::Trim(GetDlgItemText(IDC_FD_NAME)));
  if (!typed.empty()) {
    Accept(typed);
    return;
  }
  // An empty name with a folder selected opens that folder, as Enter on it would.
  const int row = GetDlgItem<CListCtrl>(IDC_FD_LIST)->GetNextItem(-1, LVNI_SELECTED);
  if (row >= 0 && row < static_cast<int>(entries_.size()) &&
      entries_[static_cast<std::size_t>(row)].folder) {
    ChangeFolder(Join(folder_, entries_[static_cast<std::size_t>(row)].name));
  }
}

bool CFileDialog::Accept(const std::wstring& typed) {
  if (typed.find_first_of(L"*?") != std::wstring::npos) {
    typed_patterns_ = SplitPatterns(typed);
    FillList();
    return false;
  }
  if (typed.find_first_of(kInvalidNameCharacters) != std::wstring::npos) {
    Refuse(IDS_FD_INVALID_NAME, typed);
    return false;
  }
  std::wstring path = SpelledAsStored(Resolve(folder_, typed));
  std::wstring shown = typed;
  if (IsFolder(path)) {
    ChangeFolder(path);
    SetDlgItemText(IDC_FD_NAME, L"");
    return false;
  }
  DWORD attributes = GetFileAttributes(path);
  const std::wstring name = NameOf(path);
  if (!name.empty() && name.back() == L'.') {
    // A trailing dot asks for a name without any extension.
    while (!path.empty() && path.back() == L'.') path.pop_back();
    while (!shown.empty() && shown.back() == L'.') shown.pop_back();
    attributes = GetFileAttributes(path);
  } else if (!default_ext_.empty() && ExtensionOf(name).empty() &&
             !(open_ && attributes != INVALID_FILE_ATTRIBUTES)) {
    path = SpelledAsStored(path + L"." + default_ext_);
    shown += L"." + default_ext_;
    attributes = GetFileAttributes(path);
  }
  if ((m_ofn.Flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) != 0 &&
      !IsFolder(pw::FolderOf(path))) {
    Refuse(IDS_FD_PATH_NOT_FOUND, shown);
    return false;
  }
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    ChangeFolder(path);
    SetDlgItemText(IDC_FD_NAME, L"");
    return false;
  }
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (open_ && !exists && (m_ofn.Flags & OFN_FILEMUSTEXIST) != 0) {
    Refuse(IDS_FD_FILE_NOT_FOUND, shown);
    return false;
  }
  if (!open_ && exists && (m_ofn.Flags & OFN_OVERWRITEPROMPT) != 0) {
    const int answer = MessageBox(pw::FormatString(pw::ui::LoadUiString(IDS_FD_REPLACE), shown),
                                  GetWindowText(), MB_YESNO | MB_ICONWARNING);
    if (answer != IDYES) {
      SelectNameField();
      return false;
    }
  }
  path_ = path;
  read_only_ = GetDlgItem<CButton>(IDC_FD_READ_ONLY)->GetCheck() == BST_CHECKED;
  m_ofn.Flags &= ~(OFN_READONLY | OFN_EXTENSIONDIFFERENT);
  if (read_only_) m_ofn.Flags |= OFN_READONLY;
  if (!default_ext_.empty() && !pw::EqualsIgnoreCase(GetFileExt(), default_ext_)) {
    m_ofn.Flags |= OFN_EXTENSIONDIFFERENT;
  }
  if (!filters_.empty()) {
    m_ofn.nFilterIndex = static_cast<DWORD>(GetDlgItem<CComboBox>(IDC_FD_TYPE)->GetCurSel() + 1);
  }
  EndDialog(IDOK);
  return true;
}

void CFileDialog::Refuse(UINT message_id, const std::wstring& shown) {
  MessageBox(pw::FormatString(pw::ui::LoadUiString(message_id), shown), GetWindowText(),
             MB_OK | MB_ICONWARNING);
  SelectNameField();
}

void CFileDialog::SelectNameField() { GotoDlgCtrl(GetDlgItem(IDC_FD_NAME)); }

void CFileDialog::OnUp() { ChangeFolder(folder_ + (pw::IsUncPath(folder_) ? L"\\.." : L"/..")); }

void CFileDialog::OnTypeChanged() {
  typed_patterns_.clear();
  FillList();
}

void CFileDialog::OnItemChanged(NMHDR* header, LRESULT* /*result*/) {
  const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
  const bool selected = (change->uChanged & LVIF_STATE) != 0 &&
                        (change->uNewState & LVIS_SELECTED) != 0 &&
                        (change->uOldState & LVIS_SELECTED) == 0;
  if (!selected || change->iItem < 0 || change->iItem >= static_cast<int>(entries_.size())) {
    return;
  }
  const Entry& entry = entries_[static_cast<std::size_t>(change->iItem)];
  if (!entry.folder) SetDlgItemText(IDC_FD_NAME, entry.name);
}

void CFileDialog::OnItemActivate(NMHDR* header, LRESULT* /*result*/) {
  const auto* activation = reinterpret_cast<const NMITEMACTIVATE*>(header);
  if (activation->iItem < 0 || activation->iItem >= static_cast<int>(entries_.size())) return;
  const Entry entry = entries_[static_cast<std::size_t>(activation->iItem)];
  if (entry.folder) {
    ChangeFolder(Join(folder_, entry.name));
    SetDlgItemText(IDC_FD_NAME, L"");
    return;
  }
  Accept(entry.name);
}

const pw::ui::MessageMap* CFileDialog::GetMessageMap() const {
  static const pw::ui::MessageMap map(
      CDialog::GetMessageMap(),
      {
          pw::ui::MapCommand(static_cast<int>(IDC_FD_UP), BN_CLICKED, &CFileDialog::OnUp),
          pw::ui::MapCommand(static_cast<int>(IDC_FD_TYPE), CBN_SELCHANGE,
                             &CFileDialog::OnTypeChanged),
          pw::ui::MapNotify(static_cast<int>(IDC_FD_LIST), LVN_ITEMCHANGED,
                            &CFileDialog::OnItemChanged),
          pw::ui::MapNotify(static_cast<int>(IDC_FD_LIST), LVN_ITEMACTIVATE,
                            &CFileDialog::OnItemActivate),
      });
  return &map;
}
