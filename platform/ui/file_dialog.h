// CFileDialog: the file-open and file-save dialogs, as ordinary dialogs of the window model.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/dialog.h"
#include "platform/ui/file_filter.h"

// Options of the file dialogs, with the values Windows gives them. OFN_NOCHANGEDIR,
// OFN_SHOWHELP, OFN_EXPLORER and OFN_ENABLESIZING are accepted and change nothing here: the
// dialog never changes the process's folder, has no help and one look.
inline constexpr DWORD OFN_READONLY = 0x00000001;
inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
inline constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
inline constexpr DWORD OFN_SHOWHELP = 0x00000010;
inline constexpr DWORD OFN_EXTENSIONDIFFERENT = 0x00000400;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
inline constexpr DWORD OFN_EXPLORER = 0x00080000;
inline constexpr DWORD OFN_ENABLESIZING = 0x00800000;
inline constexpr DWORD OFN_FORCESHOWHIDDEN = 0x10000000;

// What CommDlgExtendedError answers when the dialog's template cannot be found.
inline constexpr DWORD CDERR_FINDRESFAILURE = 0x0006;

// Why the calling thread's last common dialog failed; 0 after success or Cancel.
DWORD CommDlgExtendedError();

// The part of the Windows structure that callers set before DoModal. The strings must live
// until DoModal returns; after it, nFilterIndex holds the filter chosen (from 1) and Flags
// OFN_READONLY as the read-only box was left and OFN_EXTENSIONDIFFERENT when the name's
// extension is not the default one.
struct OPENFILENAME {
  DWORD lStructSize = sizeof(OPENFILENAME);
  HWND hwndOwner = nullptr;
  DWORD nFilterIndex = 1;
  LPCWSTR lpstrInitialDir = nullptr;
  LPCWSTR lpstrTitle = nullptr;
  DWORD Flags = 0;
};

// One modal use: construct, set m_ofn, DoModal, read the chosen file.
//
// The dialog lists the folders of the current folder and the files that match the chosen
// type filter (hidden names, beginning with a dot, only with OFN_FORCESHOWHIDDEN). A person enters
// a folder by double-clicking it or typing its name, goes up with "Up", picks a file by clicking it
// (its name goes into the name field) or double-clicking it, or types a name: relative to
// the current folder, an absolute local path, or a UNC path "\\HOST\SHARE\…" (files go
// through pw::ToHostPath, so a share is reached under the UNC root). A typed name with * or
// ? filters the list instead. A name without an extension gets the default extension (in an
// open dialog only when no file of the typed name exists). Then OFN_PATHMUSTEXIST refuses a
// folder that does not exist and OFN_FILEMUSTEXIST a missing file, each with a warning
// box, and OFN_OVERWRITEPROMPT asks before an existing file is chosen in a save dialog; the
// dialog stays open after a refusal.
//
// The chosen path keeps the form in which the person reached it: "\\HOST\SHARE\dir\a.csv"
// for a file on a share, a local POSIX path otherwise. Both forms are what the file
// functions of the Windows layer take; GetHostPath answers the resolved POSIX path.
class CFileDialog : public CDialog {
 public:
  // `filter` as "Name|*.a;*.b|Name|*.*||"; `file_name` may hold a folder part, which then is
  // the start folder unless m_ofn.lpstrInitialDir names one.
  explicit CFileDialog(BOOL open_file_dialog, std::wstring_view default_ext = {},
                       std::wstring_view file_name = {},
                       DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       std::wstring_view filter = {}, CWnd* parent = nullptr);

  OPENFILENAME m_ofn;

  // IDOK or IDCANCEL; IDCANCEL with CommDlgExtendedError() set when the dialog could not
  // be shown.
  INT_PTR DoModal() override;

  std::wstring GetPathName() const { return path_; }
  std::wstring GetFileName() const;
  // Without the dot; empty when the name has none.
  std::wstring GetFileExt() const;
  // The name without its extension.
  std::wstring GetFileTitle() const;
  std::wstring GetFolderPath() const;
  std::string GetHostPath() const;
  BOOL GetReadOnlyPref() const { return read_only_ ? TRUE : FALSE; }

  // For front ends and tests: the folder shown and the filters offered.
  const std::wstring& GetCurrentFolder() const { return folder_; }
  const std::vector<pw::ui::FileFilter>& GetFilters() const { return filters_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  const pw::ui::MessageMap* GetMessageMap() const override;

 private:
  struct Entry {
    std::wstring name;
    bool folder = false;
    ULONGLONG size = 0;
  };

  bool IsOpen() const { return open_; }
  void StartFolder();
  // Shows `folder` (Windows-style or POSIX) when it exists; false otherwise.
  bool ChangeFolder(const std::wstring& folder);
  void FillList();
  bool Matches(std::wstring_view name) const;
  // Handles the text of the name field as OK does; true when the dialog ended.
  bool Accept(const std::wstring& typed);
  void Refuse(UINT message_id, const std::wstring& shown);
  void SelectNameField();

  void OnUp();
  void OnTypeChanged();
  void OnItemChanged(NMHDR* header, LRESULT* result);
  void OnItemActivate(NMHDR* header, LRESULT* result);

  bool open_;
  std::wstring default_ext_;
  std::wstring initial_name_;
  std::vector<pw::ui::FileFilter> filters_;
  // Patterns typed into the name field, in place of the chosen filter until it changes.
  std::vector<std::wstring> typed_patterns_;
  std::wstring folder_;
  std::vector<Entry> entries_;
  std::wstring path_;
  bool read_only_ = false;
};
