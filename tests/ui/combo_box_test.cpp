// Tests of CComboBox and CComboBoxEx: items, sorting, searches, selection by code and by a
// person, and image items.
#include "platform/ui/combo_box.h"

#include <gtest/gtest.h>

#include "platform/ui/combo_box_ex.h"
#include "platform/ui/ui_input.h"
#include "tests/ui/ui_test_fixture.h"

namespace pw::test {
namespace {

using Events = std::vector<std::string>;

class ComboBoxTest : public UiTest {
 protected:
  void SetUp() override { dialog_ = ShowModeless(IDD_EVERYTHING); }
  void TearDown() override { dialog_->DestroyWindow(); }

  std::unique_ptr<RecordingDialog> dialog_;
};

std::vector<std::wstring> Items(const CComboBox& combo) {
  std::vector<std::wstring> items;
  for (int i = 0; i < combo.GetCount(); ++i) items.push_back(combo.GetLBText(i));
  return items;
}

// Items in insertion order, or sorted without regard to case with CBS_SORT; the selection
// moves with insertions and deletions; bad indexes answer CB_ERR.
TEST_F(ComboBoxTest, ItemsAndSelection) {
  CComboBox& paper = *dialog_->GetDlgItem<CComboBox>(IDC_PAPER);
  EXPECT_EQ(paper.AddString(L"Letter"), 0);
  EXPECT_EQ(paper.AddString(L"A4"), 1);
  EXPECT_EQ(paper.InsertString(0, L"Legal"), 0);
  EXPECT_EQ(paper.InsertString(-1, L"A5"), 3);
  EXPECT_EQ(paper.InsertString(9, L"x"), CB_ERR);
  EXPECT_EQ(Items(paper), (std::vector<std::wstring>{L"Legal", L"Letter", L"A4", L"A5"}));

  EXPECT_EQ(paper.GetCurSel(), CB_ERR);
  EXPECT_EQ(paper.GetWindowText(), L"");
  EXPECT_EQ(paper.SetCurSel(2), 2);
  EXPECT_EQ(paper.GetWindowText(), L"A4");
  paper.InsertString(0, L"B5");
  EXPECT_EQ(paper.GetCurSel(), 3);
  EXPECT_EQ(paper.DeleteString(0), 4);
  EXPECT_EQ(paper.GetCurSel(), 2);
  EXPECT_EQ(paper.DeleteString(2), 3);
  EXPECT_EQ(paper.GetCurSel(), CB_ERR);
  EXPECT_EQ(paper.GetWindowText(), L"");
  EXPECT_EQ(paper.DeleteString(7), CB_ERR);
  EXPECT_EQ(paper.SetCurSel(5), CB_ERR);

  EXPECT_EQ(paper.SetItemData(1, 808), CB_OKAY);
  EXPECT_EQ(paper.GetItemData(1), 808u);
  EXPECT_EQ(paper.GetItemData(9), static_cast<DWORD_PTR>(CB_ERR));
  EXPECT_EQ(paper.GetLBTextLen(1), 6);
  EXPECT_EQ(paper.GetLBTextLen(9), CB_ERR);

  CComboBox& sorted = *dialog_->GetDlgItem<CComboBox>(IDC_SORTED);
  for (const wchar_t* text : {L"delta", L"Alpha", L"charlie", L"Bravo", L"alpha"}) {
    sorted.AddString(text);
  }
  EXPECT_EQ(Items(sorted),
            (std::vector<std::wstring>{L"Alpha", L"alpha", L"Bravo", L"charlie", L"delta"}));
  // Changing items and selection from code notifies nothing.
  EXPECT_TRUE(dialog_->Take().empty());
  paper.ResetContent();
  EXPECT_EQ(paper.GetCount(), 0);
}

// FindStringExact and FindString search after the start, wrapping, without regard to case;
// SelectString selects the prefix match.
TEST_F(ComboBoxTest, Searches) {
  CComboBox& combo = *dialog_->GetDlgItem<CComboBox>(IDC_PAPER);
  for (const wchar_t* text : {L"Letter", L"Legal", L"A4", L"letter - one page only"}) {
    combo.AddString(text);
  }
  EXPECT_EQ(combo.FindStringExact(-1, L"LETTER"), 0);
  EXPECT_EQ(combo.FindStringExact(0, L"letter"), 0);  // wraps round to itself last
  EXPECT_EQ(combo.FindStringExact(-1, L"Lette"), CB_ERR);
  EXPECT_EQ(combo.FindString(-1, L"le"), 0);
  EXPECT_EQ(combo.FindString(0, L"le"), 1);
  EXPECT_EQ(combo.FindString(1, L"LETTER"), 3);
  EXPECT_EQ(combo.FindString(3, L"letter"), 0);
  EXPECT_EQ(combo.SelectString(-1, L"a"), 2);
  EXPECT_EQ(combo.GetWindowText(), L"A4");
  EXPECT_EQ(combo.SelectString(-1, L"zz"), CB_ERR);
  EXPECT_EQ(combo.GetCurSel(), 2);
}

// A person's choice moves the focus and sends CBN_SELCHANGE; an unknown item is refused.
TEST_F(ComboBoxTest, PersonChoosesAnItem) {
  CComboBox& combo = *dialog_->GetDlgItem<CComboBox>(IDC_PAPER);
  combo.AddString(L"A4");
  combo.AddString(L"Letter");
  const HWND handle = combo.GetSafeHwnd();
  EXPECT_TRUE(pw::ui::SelectComboItem(handle, 1));
  EXPECT_EQ(dialog_->Take(),
            (Events{"EN_KILLFOCUS 1001", "CBN_SETFOCUS 1013", "CBN_SELCHANGE 1013"}));
  EXPECT_EQ(combo.GetCurSel(), 1);
  EXPECT_TRUE(pw::ui::SelectComboString(handle, L"a4"));
  EXPECT_EQ(combo.GetCurSel(), 0);
  EXPECT_EQ(dialog_->Take(), (Events{"CBN_SELCHANGE 1013"}));
  EXPECT_FALSE(pw::ui::SelectComboItem(handle, 2));
  EXPECT_FALSE(pw::ui::SelectComboString(handle, L"Legal"));
  // A drop-down list has no edit part to type into.
  EXPECT_FALSE(pw::ui::TypeText(handle, L"A5"));
  EXPECT_TRUE(dialog_->Take().empty());
}

// ComboBoxEx items carry images of a borrowed image list and their data; GetItem copies the
// text within the buffer given.
TEST_F(ComboBoxTest, ExtendedItemsCarryImages) {
  CComboBoxEx& types = *dialog_->GetDlgItem<CComboBoxEx>(IDC_TYPES);
  CImageList images;
  ASSERT_TRUE(images.Create(IDB_STRIP, 2, 0, RGB(0xFF, 0, 0xFF)));
  EXPECT_EQ(types.SetImageList(&images), nullptr);
  EXPECT_EQ(types.GetImageList(), &images);

  std::wstring user = L"User";
  COMBOBOXEXITEM item;
  item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_LPARAM;
  item.iItem = -1;
  item.pszText = user.data();
  item.iImage = 1;
  item.iSelectedImage = 1;
  item.lParam = 55;
  EXPECT_EQ(types.InsertItem(&item), 0);
  std::wstring group = L"Group";
  item.iItem = 0;
  item.pszText = group.data();
  item.iImage = 0;
  EXPECT_EQ(types.InsertItem(&item), 0);
  EXPECT_EQ(types.GetCount(), 2);
  EXPECT_EQ(types.GetItemImage(0), 0);
  EXPECT_EQ(types.GetItemImage(1), 1);

  wchar_t buffer[4] = {};
  COMBOBOXEXITEM read;
  read.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_LPARAM;
  read.iItem = 1;
  read.pszText = buffer;
  read.cchTextMax = 4;
  ASSERT_TRUE(types.GetItem(&read));
  EXPECT_EQ(std::wstring(buffer), L"Use");
  EXPECT_EQ(read.iImage, 1);
  EXPECT_EQ(read.lParam, 55);

  EXPECT_TRUE(pw::ui::SelectComboItem(types.GetSafeHwnd(), 1));
  EXPECT_EQ(types.GetWindowText(), L"User");
  EXPECT_EQ(dialog_->Take().back(), "CBN_SELCHANGE 1021");
  EXPECT_EQ(types.DeleteItem(0), 1);
  EXPECT_EQ(types.GetCurSel(), 0);
}

}  // namespace
}  // namespace pw::test
