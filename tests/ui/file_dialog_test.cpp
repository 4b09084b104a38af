// Tests of CFileDialog: the listing by filter, typed names and the default extension, the
// must-exist and overwrite questions, folders, UNC paths under the UNC root, and the texts.
#include "platform/ui/file_dialog.h"

#include <gtest/gtest.h>

#include "platform/com/strings.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/resources/ui_resource.h"
#include "platform/ui/ui_input.h"
#include "tests/ui/sheet_test_fixture.h"

namespace pw::test {
namespace {

using Names = std::vector<std::wstring>;

constexpr wchar_t kCoverpageFilter[] =
    L"Coverpage files (*.htm, *.html, *.rtf, *.mht)|*.htm;*.html;*.rtf;*.mht|"
    L"All files (*.*)|*.*||";
constexpr wchar_t kImportFilter[] = L"Text files (*.txt; *.csv)|*.TXT;*.CSV|All files (*.*)|*.*||";
constexpr wchar_t kExportFilter[] = L"CSV (Comma delimited) (*.csv)|*.CSV|All files (*.*)|*.*||";
constexpr int kList = static_cast<int>(IDC_FD_LIST);
constexpr int kName = static_cast<int>(IDC_FD_NAME);

// A folder with files of several kinds, two folders and a hidden file.
class FileDialogTest : public SheetTest {
 protected:
  FileDialogTest() {
    dir_.WriteFile("a.htm", std::string(2000, 'a'));
    dir_.WriteFile("b.HTML", "b");
    dir_.WriteFile("c.rtf", "c");
    dir_.WriteFile("d.mht", "d");
    dir_.WriteFile("notes.txt", "");
    dir_.WriteFile("README", "r");
    dir_.WriteFile(".hidden", "h");
    dir_.WriteFile("import.csv", "i");
    dir_.WriteFile("sub/inner.csv", "n");
    dir_.WriteFile("Archive/old.rtf", "o");
    folder_ = pw::FromUtf8(dir_.path());
  }

  // The first column of every row the list shows.
  static Names ListedNames(DialogDriver& driver) {
    Names names;
    const int count = driver.Control<CListCtrl>(kList).GetItemCount();
    if (count == 0) return names;
    for (const auto& row : driver.ShowRows(kList, 0, count - 1)) names.push_back(row.at(0));
    return names;
  }

  static int RowOf(DialogDriver& driver, std::wstring_view name) {
    const Names names = ListedNames(driver);
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (names[i] == name) return static_cast<int>(i);
    }
    ADD_FAILURE() << "no row " << pw::ToUtf8(name);
    return -1;
  }

  TempDir dir_;
  std::wstring folder_;
};

// The filter text splits at every bar; an empty name ends it and a name without patterns
// is left out.
TEST(FileFilterTest, ParsesTheWindowsFilterText) {
  const std::vector<pw::ui::FileFilter> filters =
      pw::ui::ParseFileFilter(L"Pages| *.htm ; ;*.HTML |Name only||||Never|*.x||");
  ASSERT_EQ(filters.size(), 1u);
  EXPECT_EQ(filters[0].name, L"Pages");
  EXPECT_EQ(filters[0].patterns, (std::vector<std::wstring>{L"*.htm", L"*.HTML"}));
  EXPECT_TRUE(pw::ui::MatchesFileFilter(filters[0], L"INDEX.HTML"));
  EXPECT_TRUE(pw::ui::MatchesFileFilter(filters[0], L"a.htmx")) << "three letters start longer";
  EXPECT_FALSE(pw::ui::MatchesFileFilter(filters[0], L"a.ht"));
  EXPECT_TRUE(pw::ui::ParseFileFilter(L"").empty());
  EXPECT_TRUE(pw::ui::ParseFileFilter(L"|*.x|").empty());
  EXPECT_EQ(pw::ui::ParseFileFilter(kImportFilter).size(), 2u);
}

// Folders come first, then the files that match the chosen filter, each by name; hidden
// names never; "*.htm" typed as a name filters the list and finds ".html" files too.
TEST_F(FileDialogTest, ListsFoldersAndTheFilesOfTheChosenFilter) {
  CFileDialog dialog(TRUE, {}, {}, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY,
                     kCoverpageFilter);
  dialog.m_ofn.lpstrInitialDir = folder_.c_str();
  dialog.m_ofn.lpstrTitle = L"Select coverpage file";
  host_.ExpectDialog(IDD_PW_FILE_DIALOG, [&](DialogDriver& driver) {
    EXPECT_EQ(driver.Caption(), L"Select coverpage file");
    EXPECT_EQ(driver.Text(IDOK), L"&Open");
    EXPECT_EQ(driver.Text(IDC_FD_FOLDER), folder_);
    EXPECT_FALSE(driver.IsVisible(IDC_FD_READ_ONLY));
    auto& types = driver.Control<CComboBox>(IDC_FD_TYPE);
    ASSERT_EQ(types.GetCount(), 2);
    EXPECT_EQ(types.GetLBText(0), L"Coverpage files (*.htm, *.html, *.rtf, *.mht)");
    EXPECT_EQ(types.GetCurSel(), 0);
    EXPECT_EQ(ListedNames(driver),
              (Names{L"Archive", L"sub", L"a.htm", L"b.HTML", L"c.rtf", L"d.mht"}));
    const auto rows = driver.ShowRows(kList, 0, 2);
    EXPECT_EQ(rows[0], (Names{L"Archive", L"", L"File folder"}));
    EXPECT_EQ(rows[2], (Names{L"a.htm", L"2 KB", L"HTM File"}));

    EXPECT_TRUE(driver.Select(IDC_FD_TYPE, 1));
    EXPECT_EQ(ListedNames(driver), (Names{L"Archive", L"sub", L"a.htm", L"b.HTML", L"c.rtf",
                                          L"d.mht", L"import.csv", L"notes.txt", L"README"}));
    EXPECT_EQ(driver.ShowRows(kList, 8, 8).at(0), (Names{L"README", L"1 KB", L"File"}));

    EXPECT_TRUE(driver.Type(IDC_FD_NAME, L"*.htm"));
    EXPECT_TRUE(driver.Enter());
    EXPECT_EQ(ListedNames(driver), (Names{L"Archive", L"sub", L"a.htm", L"b.HTML"}));
    EXPECT_TRUE(dialog.ContinueModal());
    EXPECT_TRUE(driver.Click(IDCANCEL));
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.GetPathName(), L"");
  EXPECT_EQ(CommDlgExtendedError(), 0u);
}

// A name without an extension gets the default one (an open dialog keeps an existing file
// as typed); a name with another extension or a trailing dot keeps it; names are found
// without regard to case; the parts of the chosen path.
TEST_F(FileDialogTest, AddsTheDefaultExtensionToATypedName) {
  auto run = [this](BOOL open, std::wstring_view typed) {
    CFileDialog dialog(open, L"CSV", {}, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, kExportFilter);
    dialog.m_ofn.lpstrInitialDir = folder_.c_str();
    host_.ExpectDialog(IDD_PW_FILE_DIALOG, [&](DialogDriver& driver) {
      EXPECT_EQ(driver.Caption(), open ? L"Open" : L"Save As");
      EXPECT_EQ(driver.Text(IDOK), open ? L"&Open" : L"&Save");
      driver.Type(IDC_FD_NAME, typed);
      driver.Click(IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    return dialog.GetPathName();
  };
  EXPECT_EQ(run(FALSE, L"export"), folder_ + L"/export.CSV");
  EXPECT_EQ(run(FALSE, L"report.txt"), folder_ + L"/report.txt");
  EXPECT_EQ(run(FALSE, L"plain."), folder_ + L"/plain");
  EXPECT_EQ(run(TRUE, L"README"), folder_ + L"/README");
  EXPECT_EQ(run(TRUE, L"import"), folder_ + L"/import.csv");
  EXPECT_EQ(run(TRUE, L"NOTES.TXT"), folder_ + L"/notes.txt");
  EXPECT_EQ(run(FALSE, L"sub/../sub/new"), folder_ + L"/sub/new.CSV");
  EXPECT_EQ(run(TRUE, folder_ + L"/Archive/OLD.RTF"), folder_ + L"/Archive/old.rtf");

  CFileDialog dialog(FALSE, L"CSV", folder_ + L"/sub/out", OFN_HIDEREADONLY, kExportFilter);
  host_.ExpectDialog(IDD_PW_FILE_DIALOG, [&](DialogDriver& driver) {
    EXPECT_EQ(driver.Text(IDC_FD_FOLDER), folder_ + L"/sub");
    EXPECT_EQ(driver.Text(IDC_FD_NAME), L"out");
    EXPECT_TRUE(driver.Select(IDC_FD_TYPE, 1));
    driver.Type(IDC_FD_NAME, L"out.txt");
    driver.Enter();
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetPathName(), folder_ + L"/sub/out.txt");
  EXPECT_EQ(dialog.GetFileName(), L"out.txt");
  EXPECT_EQ(dialog.GetFileExt(), L"txt");
  EXPECT_EQ(dialog.GetFileTitle(), L"out");
  EXPECT_EQ(dialog.GetFolderPath(), folder_ + L"/sub");
  EXPECT_EQ(dialog.GetHostPath(), dir_.path() + "/sub/out.txt");
  EXPECT_EQ(dialog.m_ofn.nFilterIndex, 2u);
  EXPECT_NE(dialog.m_ofn.Flags & OFN_EXTENSIONDIFFERENT, 0u);
}

// OFN_FILEMUSTEXIST and OFN_PATHMUSTEXIST refuse with a warning titled like the dialog and
// keep it open with the focus in the name field.
TEST_F(FileDialogTest, MustExistRefusesWithAWarning) {
  CFileDialog dialog(TRUE, L"CSV", {}, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
                     kImportFilter);
  dialog.m_ofn.lpstrInitialDir = folder_.c_str();
  dialog.m_ofn.lpstrTitle = L"Select Import file";
  host_.ExpectDialog(IDD_PW_FILE_DIALOG, [&](DialogDriver& driver) {
    driver.Type(IDC_FD_NAME, L"missing");
    driver.Click(IDOK);
    EXPECT_TRUE(dialog.ContinueModal());
    EXPECT_EQ(driver.FocusId(), kName);
    driver.Type(IDC_FD_NAME, L"nowhere\\x.csv");
    driver.Click(IDOK);
    EXPECT_TRUE(dialog.ContinueModal());
    driver.Type(IDC_FD_NAME, L"notes.txt");
    driver.Click(IDOK);
  });
  host_.ExpectMessageBox(IDOK, L"missing.CSV\nFile not found.\nCheck the file name and try again.");
  host_.ExpectMessageBox(IDOK,
                         L"nowhere\\x.csv\nPath does not exist.\nCheck the path and try again.");
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetPathName(), folder_ + L"/notes.txt");
  ASSERT_EQ(host_.message_boxes().size(), 2u);
  for (const MessageBoxRecord& box : host_.message_boxes()) {
    EXPECT_EQ(box.caption, L"Select Import file");
    EXPECT_EQ(box.icon, MB_ICONWARNING);
    EXPECT_EQ(box.buttons, MB_OK);
  }
}

// A save dialog with OFN_OVERWRITEPROMPT asks before an existing file is chosen; No keeps
// the dialog open. Without the flag nobody is asked.
TEST_F(FileDialogTest, OverwritePromptAsksBeforeReplacing) {
  CFileDialog dialog(FALSE, L"CSV", {}, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kExportFilter);
  dialog.m_ofn.lpstrInitialDir = folder_.c_str();
  host_.ExpectDialog(IDD_PW_FILE_DIALOG, [&](DialogDriver& driver) {
    driver.Type(IDC_FD_NAME, L"import");
    driver.Click(IDOK);
    EXPECT_TRUE(dialog.ContinueModal());
    driver.Click(IDOK);
  });
  host_.ExpectMessageBox(IDNO, L"import.CSV already exists.\nDo you want to replace it?");
  host_.ExpectMessageBox(IDYES);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetPathName(), folder_ + L"/import.csv");
  ASSERT_EQ(host_.message_boxes().size(), 2u);
  EXPECT_EQ(host_.message_boxes()[0].buttons, MB_YESNO);
  EXPECT_EQ(host_.message_boxes()[0].icon, MB_ICONWARNING);
  EXPECT_EQ(host_.message_boxes()[0].caption, L"Save As");

  CFileDialog quiet(FALSE, L"CSV", {}, OFN_HIDEREADONLY, kExportFilter);
  quiet.m_ofn.lpstrInitialDir = folder_.c_str();
  host_.ExpectDialog(IDD_PW_FILE_DIALOG, [](DialogDriver& driver) {
    driver.Type(IDC_FD_NAME, L"import.csv");
    driver.Click(IDOK);
  });
  EXPECT_EQ(quiet.DoModal(), IDOK);
  EXPECT_EQ(host_.message_boxes().size(), 2u);
}

// A person enters folders by double click, by a typed name or by Enter on a selected one,
// goes up with "Up", and picks a file by clicking (its name goes into the name field) or
// double-clicking it.
TEST_F(FileDialogTest, FoldersAreEnteredAndLeft) {
  CFileDialog dialog(TRUE, {}, {}, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, L"All files|*.*||");
  dialog.m_ofn.lpstrInitialDir = folder_.c_str();
  host_.ExpectDialog(IDD_PW_FILE_DIALOG, [&](DialogDriver& driver) {
    EXPECT_TRUE(driver.DoubleClickRow(kList, RowOf(driver, L"sub")));
    EXPECT_EQ(driver.Text(IDC_FD_FOLDER), folder_ + L"/sub");
    EXPECT_EQ(ListedNames(driver), (Names{L"inner.csv"}));
    EXPECT_TRUE(driver.ClickRow(kList, 0));
    EXPECT_EQ(driver.Text(IDC_FD_NAME), L"inner.csv");
    EXPECT_TRUE(driver.Click(IDC_FD_UP));
    EXPECT_EQ(driver.Text(IDC_FD_FOLDER), folder_);

    driver.Type(IDC_FD_NAME, L"SUB");
    driver.Enter();
    EXPECT_EQ(driver.Text(IDC_FD_FOLDER), folder_ + L"/sub");
    EXPECT_EQ(driver.Text(IDC_FD_NAME), L"");
    driver.Type(IDC_FD_NAME, L"..");
    driver.Enter();
    EXPECT_EQ(driver.Text(IDC_FD_FOLDER), folder_);

    EXPECT_TRUE(driver.ClickRow(kList, RowOf(driver, L"Archive")));
    EXPECT_EQ(driver.Text(IDC_FD_NAME), L"") << "a folder's name is not a file name";
    driver.Enter();
    EXPECT_EQ(ListedNames(driver), (Names{L"old.rtf"}));
    EXPECT_TRUE(driver.Click(IDC_FD_UP));
    EXPECT_TRUE(driver.DoubleClickRow(kList, RowOf(driver, L"c.rtf")));
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetPathName(), folder_ + L"/c.rtf");
}

// UNC paths lead to the shares mounted under the UNC root, whatever their case; the folder
// field shows them as UNC paths, "Up" stops at the host, and the chosen path stays UNC.
TEST_F(FileDialogTest, UncPathsResolveUnderTheUncRoot) {
  TempDir root;
  ScopedEnv unc_root("PAGEWELL_UNC_ROOT", root.path());
  root.WriteFile("FAXSRV/PWSERVER$/import/routes.csv", "r");
  root.WriteFile("FAXSRV/PWSERVER$/coverpages/fax.htm", "c");
  root.WriteFile("FAXSRV/OTHER$/x.txt", "x");

  CFileDialog dialog(TRUE, L"CSV", {}, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
                     L"CSV files (*.csv)|*.csv||");
  dialog.m_ofn.lpstrInitialDir = L"\\\\faxsrv\\pwserver$\\import";
  host_.ExpectDialog(IDD_PW_FILE_DIALOG, [&](DialogDriver& driver) {
    EXPECT_EQ(driver.Text(IDC_FD_FOLDER), L"\\\\faxsrv\\pwserver$\\import");
    EXPECT_EQ(ListedNames(driver), (Names{L"routes.csv"}));
    EXPECT_TRUE(driver.Click(IDC_FD_UP));
    EXPECT_EQ(driver.Text(IDC_FD_FOLDER), L"\\\\faxsrv\\pwserver$");
    EXPECT_EQ(ListedNames(driver), (Names{L"coverpages", L"import"}));
    EXPECT_TRUE(driver.Click(IDC_FD_UP));
    EXPECT_EQ(driver.Text(IDC_FD_FOLDER), L"\\\\faxsrv");
    EXPECT_EQ(ListedNames(driver), (Names{L"OTHER$", L"PWSERVER$"}));
    EXPECT_TRUE(driver.Click(IDC_FD_UP));
    EXPECT_EQ(driver.Text(IDC_FD_FOLDER), L"\\\\faxsrv");

    driver.Type(IDC_FD_NAME, L"\\\\FAXSRV\\PWSERVER$\\import\\nothing");
    driver.Click(IDOK);
    driver.Type(IDC_FD_NAME, L"\\\\FAXSRV\\PWSERVER$\\import\\routes");
    driver.Click(IDOK);
  });
  host_.ExpectMessageBox(IDOK,
                         L"\\\\FAXSRV\\PWSERVER$\\import\\nothing.CSV\nFile not found.\n"
                         L"Check the file name and try again.");
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetPathName(), L"\\\\FAXSRV\\PWSERVER$\\import\\routes.CSV");
  EXPECT_EQ(dialog.GetFolderPath(), L"\\\\FAXSRV\\PWSERVER$\\import");
  EXPECT_EQ(dialog.GetHostPath(), root.path() + "/FAXSRV/PWSERVER$/import/routes.csv");
}

// The dialog speaks the thread's language; without OFN_HIDEREADONLY the read-only box shows
// OFN_READONLY and reports what the person left in it.
TEST_F(FileDialogTest, ReadOnlyBoxAndGermanTexts) {
  SetThreadLocale(LOCALE_GERMAN);
  CFileDialog dialog(TRUE, {}, {}, OFN_READONLY | OFN_FILEMUSTEXIST, kImportFilter);
  dialog.m_ofn.lpstrInitialDir = folder_.c_str();
  host_.ExpectDialog(IDD_PW_FILE_DIALOG, [&](DialogDriver& driver) {
    EXPECT_EQ(driver.Caption(), L"Öffnen");
    EXPECT_EQ(driver.Text(IDOK), L"Ö&ffnen");
    EXPECT_EQ(driver.Text(IDC_FD_READ_ONLY), L"&Schreibgeschützt öffnen");
    EXPECT_EQ(driver.ShowRows(kList, 0, 0).at(0), (Names{L"Archive", L"", L"Dateiordner"}));
    EXPECT_TRUE(driver.IsVisible(IDC_FD_READ_ONLY));
    EXPECT_EQ(driver.Check(IDC_FD_READ_ONLY), BST_CHECKED);
    EXPECT_TRUE(driver.Click(IDC_FD_READ_ONLY));
    driver.Type(IDC_FD_NAME, L"fehlt.txt");
    driver.Click(IDOK);
    driver.Type(IDC_FD_NAME, L"notes.txt");
    driver.Click(IDOK);
  });
  host_.ExpectMessageBox(IDOK,
                         L"fehlt.txt\nDie Datei wurde nicht gefunden.\nÜberprüfen Sie "
                         L"den Dateinamen, und wiederholen Sie den Vorgang.");
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_FALSE(dialog.GetReadOnlyPref());
  EXPECT_EQ(dialog.m_ofn.Flags & OFN_READONLY, 0u);
  EXPECT_EQ(host_.message_boxes().at(0).caption, L"Öffnen");
}

}  // namespace
}  // namespace pw::test
