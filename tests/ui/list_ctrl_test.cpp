// Tests of CListCtrl: owner-data lists asked only for what is shown, selection and focus
// with their notifications, clicks, type-ahead, columns and stored rows.
#include "platform/ui/list_ctrl.h"

#include <gtest/gtest.h>

#include "platform/ui/ui_input.h"
#include "tests/ui/ui_test_fixture.h"

namespace pw::test {
namespace {

using Events = std::vector<std::string>;

class ListCtrlTest : public UiTest {
 protected:
  void SetUp() override {
    dialog_ = std::make_unique<RecordingDialog>(IDD_EVERYTHING);
    for (int i = 0; i < 1000; ++i) {
      dialog_->rows.push_back({L"user" + std::to_wstring(i), L"u" + std::to_wstring(i) + L"@x"});
    }
    dialog_->rows[500][0] = L"Zoe";
    dialog_->rows[700][0] = L"zack";
    ASSERT_TRUE(dialog_->Create());
    dialog_->ShowWindow(SW_SHOW);
    users_ = dialog_->GetDlgItem<CListCtrl>(IDC_USERS);
    rows_ = dialog_->GetDlgItem<CListCtrl>(IDC_ROWS);
    rows_->InsertColumn(0, L"Route");
    rows_->InsertColumn(1, L"Users", LVCFMT_LEFT, 80);
    for (const wchar_t* text : {L"0001", L"0002", L"0003"}) {
      const int row = rows_->InsertItem(rows_->GetItemCount(), text);
      rows_->SetItemText(row, 1, std::wstring(L"for ") + text);
      rows_->SetItemData(row, static_cast<DWORD_PTR>(row + 10));
    }
    dialog_->Take();
  }
  void TearDown() override { dialog_->DestroyWindow(); }

  HWND Users() { return users_->GetSafeHwnd(); }
  HWND Rows() { return rows_->GetSafeHwnd(); }

  std::unique_ptr<RecordingDialog> dialog_;
  CListCtrl* users_ = nullptr;
  CListCtrl* rows_ = nullptr;
};

// A front end showing rows 20 to 23 of an owner-data list of 1000: one cache hint for the
// range, then one LVN_GETDISPINFO per row and column, column 0 with its image; nothing is
// asked for the rows not shown.
TEST_F(ListCtrlTest, OwnerDataAsksOnlyForTheVisibleRange) {
  EXPECT_EQ(users_->GetItemCount(), 1000);
  const std::optional<std::vector<pw::ui::ListRow>> shown = pw::ui::ShowListRows(Users(), 20, 23);
  ASSERT_TRUE(shown.has_value());
  EXPECT_EQ(dialog_->Take(), (Events{"LVN_ODCACHEHINT 1015 20-23", "LVN_GETDISPINFO 1015 20/0",
                                     "LVN_GETDISPINFO 1015 20/1", "LVN_GETDISPINFO 1015 21/0",
                                     "LVN_GETDISPINFO 1015 21/1", "LVN_GETDISPINFO 1015 22/0",
                                     "LVN_GETDISPINFO 1015 22/1", "LVN_GETDISPINFO 1015 23/0",
                                     "LVN_GETDISPINFO 1015 23/1"}));
  ASSERT_EQ(shown->size(), 4u);
  EXPECT_EQ((*shown)[0].texts, (std::vector<std::wstring>{L"user20", L"u20@x"}));
  EXPECT_EQ((*shown)[3].texts, (std::vector<std::wstring>{L"user23", L"u23@x"}));
  EXPECT_EQ((*shown)[2].image, 22);
  EXPECT_EQ(users_->GetTopIndex(), 20);

  // A range beyond the end is cut to the rows that exist.
  users_->SetItemCount(3);
  const auto tail = pw::ui::ShowListRows(Users(), 1, 50);
  ASSERT_TRUE(tail.has_value());
  EXPECT_EQ(tail->size(), 2u);
  EXPECT_EQ(dialog_->Take().front(), "LVN_ODCACHEHINT 1015 1-2");
  // GetItemText of an owner-data row asks the parent too.
  EXPECT_EQ(users_->GetItemText(2, 1), L"u2@x");
  EXPECT_EQ(dialog_->Take(), (Events{"LVN_GETDISPINFO 1015 2/1"}));
  EXPECT_FALSE(pw::ui::ShowListRows(dialog_->GetDlgItem(IDC_NAME)->GetSafeHwnd(), 0, 1));
}

// Clicks select: a plain click makes the row the only selected and focused one (the rows
// losing their state first, each with old and new state), Control toggles, Shift extends
// from the selection mark; NM_CLICK comes last.
TEST_F(ListCtrlTest, ClicksSelectWithPerRowNotifications) {
  EXPECT_TRUE(pw::ui::ClickListRow(Users(), 3));
  EXPECT_EQ(dialog_->Take(),
            (Events{"EN_KILLFOCUS 1001", "NM_SETFOCUS 1015",
                    "LVN_ITEMCHANGED 1015 row=3 old=0 new=3", "NM_CLICK 1015 row=3"}));
  EXPECT_TRUE(pw::ui::ClickListRow(Users(), 5, pw::ui::Modifiers::kControl));
  EXPECT_EQ(dialog_->Take(),
            (Events{"LVN_ITEMCHANGED 1015 row=3 old=3 new=2",
                    "LVN_ITEMCHANGED 1015 row=5 old=0 new=3", "NM_CLICK 1015 row=5"}));
  EXPECT_EQ(users_->GetSelectedCount(), 2u);
  EXPECT_TRUE(pw::ui::ClickListRow(Users(), 7, pw::ui::Modifiers::kShift));
  EXPECT_EQ(
      dialog_->Take(),
      (Events{"LVN_ITEMCHANGED 1015 row=3 old=2 new=0", "LVN_ITEMCHANGED 1015 row=6 old=0 new=2",
              "LVN_ITEMCHANGED 1015 row=7 old=0 new=2", "LVN_ITEMCHANGED 1015 row=5 old=3 new=2",
              "LVN_ITEMCHANGED 1015 row=7 old=2 new=3", "NM_CLICK 1015 row=7"}));
  std::vector<int> selected;
  for (POSITION position = users_->GetFirstSelectedItemPosition(); position != nullptr;) {
    selected.push_back(users_->GetNextSelectedItem(position));
  }
  EXPECT_EQ(selected, (std::vector<int>{5, 6, 7}));
  EXPECT_EQ(users_->GetNextItem(-1, LVNI_FOCUSED), 7);
  EXPECT_EQ(users_->GetNextItem(5, LVNI_SELECTED), 6);
  EXPECT_EQ(users_->GetNextItem(7, LVNI_SELECTED), -1);

  // A click below the rows clears the selection.
  EXPECT_TRUE(pw::ui::ClickListBackground(Users()));
  EXPECT_EQ(users_->GetSelectedCount(), 0u);
  EXPECT_EQ(dialog_->Take().back(), "NM_CLICK 1015 row=-1");
  EXPECT_FALSE(pw::ui::ClickListRow(Users(), 1000));
}

// A single-selection list of stored rows: LVN_ITEMCHANGING before each change (a parent
// answering TRUE would refuse it), the old row deselected first; selecting several rows is
// refused.
TEST_F(ListCtrlTest, SingleSelectionStoredRows) {
  EXPECT_TRUE(pw::ui::ClickListRow(Rows(), 0));
  dialog_->Take();
  EXPECT_TRUE(pw::ui::ClickListRow(Rows(), 2, pw::ui::Modifiers::kControl));
  EXPECT_EQ(
      dialog_->Take(),
      (Events{"LVN_ITEMCHANGING 1016 row=0 old=3 new=0", "LVN_ITEMCHANGED 1016 row=0 old=3 new=0",
              "LVN_ITEMCHANGING 1016 row=2 old=0 new=3", "LVN_ITEMCHANGED 1016 row=2 old=0 new=3",
              "NM_CLICK 1016 row=2"}));
  const std::vector<int> two = {0, 1};
  EXPECT_FALSE(pw::ui::SelectListRows(Rows(), two));
  EXPECT_FALSE(pw::ui::SelectAllListRows(Rows()));
  EXPECT_EQ(rows_->GetSelectedCount(), 1u);
  EXPECT_EQ(rows_->GetItemData(2), 12u);
}

// SetItemState from code notifies like a click does; every row of an owner-data list at
// once (row -1) is one LVN_ITEMCHANGED with row -1.
TEST_F(ListCtrlTest, StateChangesFromCode) {
  EXPECT_TRUE(users_->SetItemState(10, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_EQ(dialog_->Take(), (Events{"LVN_ITEMCHANGED 1015 row=10 old=0 new=2"}));
  EXPECT_TRUE(users_->SetItemState(10, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_TRUE(dialog_->Take().empty());
  EXPECT_TRUE(users_->SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_EQ(dialog_->Take(), (Events{"LVN_ITEMCHANGED 1015 row=-1 old=0 new=2"}));
  EXPECT_EQ(users_->GetSelectedCount(), 1000u);
  EXPECT_TRUE(users_->SetItemState(-1, 0, LVIS_SELECTED));
  EXPECT_EQ(users_->GetSelectedCount(), 0u);
  EXPECT_FALSE(users_->SetItemState(-1, LVIS_FOCUSED, LVIS_FOCUSED));
  // Shrinking the count keeps the states of the rows that remain.
  users_->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  users_->SetItemState(900, LVIS_SELECTED, LVIS_SELECTED);
  users_->SetItemCount(100);
  EXPECT_EQ(users_->GetSelectedCount(), 1u);
  EXPECT_EQ(users_->GetItemState(1, LVIS_SELECTED), LVIS_SELECTED);
}

// Double click: the click, NM_DBLCLK, LVN_ITEMACTIVATE. Right click on an unselected row
// selects it, then NM_RCLICK and WM_CONTEXTMENU reach the dialog; on a selected row the
// selection stays. Column header clicks send LVN_COLUMNCLICK, unless the headers are no
// buttons.
TEST_F(ListCtrlTest, DoubleRightAndColumnClicks) {
  EXPECT_TRUE(pw::ui::DoubleClickListRow(Users(), 4));
  Events events = dialog_->Take();
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ((Events(events.end() - 3, events.end())),
            (Events{"NM_CLICK 1015 row=4", "NM_DBLCLK 1015 row=4", "LVN_ITEMACTIVATE 1015 row=4"}));

  const std::vector<int> both = {4, 6};
  EXPECT_TRUE(pw::ui::SelectListRows(Users(), both));
  dialog_->Take();
  EXPECT_TRUE(pw::ui::RightClickListRow(Users(), 6));
  EXPECT_EQ(dialog_->Take(), (Events{"LVN_ITEMCHANGED 1015 row=4 old=3 new=2",
                                     "LVN_ITEMCHANGED 1015 row=6 old=2 new=3",
                                     "NM_RCLICK 1015 row=6", "WM_CONTEXTMENU 1015"}));
  EXPECT_EQ(users_->GetSelectedCount(), 2u);
  EXPECT_TRUE(pw::ui::RightClickListRow(Users(), 9));
  EXPECT_EQ(users_->GetSelectedCount(), 1u);
  EXPECT_EQ(users_->GetNextItem(-1, LVNI_SELECTED), 9);
  dialog_->Take();

  EXPECT_TRUE(pw::ui::ClickListColumn(Users(), 1));
  EXPECT_EQ(dialog_->Take(), (Events{"LVN_COLUMNCLICK 1015 column=1"}));
  EXPECT_FALSE(pw::ui::ClickListColumn(Users(), 2));
  EXPECT_FALSE(pw::ui::ClickListColumn(Rows(), 0));
  EXPECT_EQ(pw::ui::LastRefusal(), "the column headers are not buttons");
}

// Type-ahead: an owner-data list asks its parent (LVN_ODFINDITEM) from the focused row; the
// row found becomes the selection and is scrolled into view. A stored list searches itself.
TEST_F(ListCtrlTest, TypeAheadFindsAndSelects) {
  users_->SetVisibleRange(0, 10);
  EXPECT_EQ(pw::ui::TypeAhead(Users(), L"z"), 500);
  Events events = dialog_->Take();
  EXPECT_EQ(events[2], "LVN_ODFINDITEM 1015 start=0 z");
  EXPECT_EQ(events.back(), "LVN_ITEMCHANGED 1015 row=500 old=0 new=3");
  EXPECT_EQ(users_->GetTopIndex(), 491);
  // The same key again moves on from the row found.
  EXPECT_EQ(pw::ui::TypeAhead(Users(), L"Z"), 700);
  EXPECT_EQ(dialog_->Take().front(), "LVN_ODFINDITEM 1015 start=501 Z");
  EXPECT_EQ(pw::ui::TypeAhead(Users(), L"nobody"), -1);
  EXPECT_EQ(users_->GetNextItem(-1, LVNI_SELECTED), 700);

  EXPECT_EQ(pw::ui::TypeAhead(Rows(), L"0002"), 1);
  EXPECT_EQ(rows_->GetNextItem(-1, LVNI_SELECTED), 1);
  LVFINDINFO by_data;
  by_data.flags = LVFI_PARAM;
  by_data.lParam = 12;
  EXPECT_EQ(rows_->FindItem(&by_data), 2);
  LVFINDINFO exact;
  exact.flags = LVFI_STRING;
  exact.psz = L"0001";
  EXPECT_EQ(rows_->FindItem(&exact, 0), -1);  // the start row itself is not searched
  exact.flags = LVFI_STRING | LVFI_WRAP;
  EXPECT_EQ(rows_->FindItem(&exact, 0), -1);
  EXPECT_EQ(rows_->FindItem(&exact, 1), 0);
}

// Columns: texts, widths given or computed, the last column filling the list, sort arrows.
TEST_F(ListCtrlTest, ColumnsAndWidths) {
  EXPECT_EQ(rows_->GetColumnCount(), 2);
  EXPECT_EQ(rows_->GetColumnText(0), L"Route");
  EXPECT_EQ(rows_->GetColumnWidth(0), 5 * 6 + 12);  // the heading's width
  EXPECT_EQ(rows_->GetColumnWidth(1), 80);
  // 150 dialog units are 225 pixels, less 4 of border: the last column takes what is left.
  EXPECT_TRUE(rows_->SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER));
  EXPECT_EQ(rows_->GetColumnWidth(1), 221 - 42);
  EXPECT_TRUE(rows_->SetColumnWidth(0, LVSCW_AUTOSIZE));
  EXPECT_EQ(rows_->GetColumnWidth(0), 4 * 6 + 12);
  EXPECT_FALSE(rows_->SetColumnWidth(2, 10));

  EXPECT_TRUE(rows_->SetColumnSortArrow(1, HDF_SORTDOWN));
  EXPECT_EQ(rows_->GetColumnSortArrow(1), HDF_SORTDOWN);
  EXPECT_EQ(rows_->GetColumnSortArrow(0), 0);
  EXPECT_FALSE(rows_->SetColumnSortArrow(0, 7));
  LVCOLUMN column;
  column.mask = LVCF_FMT | LVCF_WIDTH;
  ASSERT_TRUE(rows_->GetColumn(1, &column));
  EXPECT_EQ(column.fmt, LVCFMT_LEFT | HDF_SORTDOWN);

  // Inserting a column in front moves the rows' texts with their columns.
  rows_->InsertColumn(0, L"First", LVCFMT_RIGHT, 30);
  EXPECT_EQ(rows_->GetItemText(2, 1), L"0003");
  EXPECT_EQ(rows_->GetItemText(2, 2), L"for 0003");
  EXPECT_TRUE(rows_->DeleteColumn(0));
  EXPECT_EQ(rows_->GetItemText(2, 0), L"0003");
}

// Stored rows: insertion and deletion notify and move the selection mark; sorting orders by
// the compare function; deleting all rows sends LVN_DELETEALLITEMS, then one LVN_DELETEITEM
// per row unless the parent declines them.
TEST_F(ListCtrlTest, StoredRowsInsertDeleteSort) {
  EXPECT_EQ(rows_->InsertItem(1, L"0004"), 1);
  EXPECT_EQ(dialog_->Take(), (Events{"LVN_INSERTITEM 1016"}));
  EXPECT_EQ(rows_->GetItemText(2, 0), L"0002");
  EXPECT_TRUE(rows_->DeleteItem(1));
  EXPECT_EQ(dialog_->Take(), (Events{"LVN_DELETEITEM 1016"}));
  EXPECT_FALSE(rows_->DeleteItem(7));
  EXPECT_EQ(rows_->InsertItem(-1, L"x"), -1);
  EXPECT_EQ(users_->InsertItem(0, L"x"), -1);  // owner-data lists hold no rows

  rows_->SortItems([](LPARAM a, LPARAM b, LPARAM) -> int { return static_cast<int>(b - a); }, 0);
  EXPECT_EQ(rows_->GetItemText(0, 0), L"0003");
  EXPECT_EQ(rows_->GetItemText(2, 0), L"0001");
  const std::optional<std::vector<pw::ui::ListRow>> shown = pw::ui::ShowListRows(Rows(), 0, 9);
  ASSERT_TRUE(shown.has_value());
  ASSERT_EQ(shown->size(), 3u);
  EXPECT_EQ((*shown)[1].texts, (std::vector<std::wstring>{L"0002", L"for 0002"}));
  EXPECT_TRUE(dialog_->Take().empty());  // stored rows need no questions

  EXPECT_TRUE(rows_->DeleteAllItems());
  EXPECT_EQ(dialog_->Take(), (Events{"LVN_DELETEALLITEMS 1016", "LVN_DELETEITEM 1016",
                                     "LVN_DELETEITEM 1016", "LVN_DELETEITEM 1016"}));
  EXPECT_EQ(rows_->GetItemCount(), 0);
}

// Texts given as LPSTR_TEXTCALLBACK are asked for when shown, like owner data.
TEST_F(ListCtrlTest, CallbackTextsAreAskedFor) {
  LVITEM item;
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = 0;
  item.pszText = LPSTR_TEXTCALLBACK;
  item.lParam = 3;
  ASSERT_EQ(rows_->InsertItem(&item), 0);
  dialog_->Take();
  EXPECT_EQ(rows_->GetItemText(0, 0), L"");  // the recording dialog has no text for row 0/0
  EXPECT_EQ(dialog_->Take(), (Events{"LVN_GETDISPINFO 1016 0/0"}));
}

}  // namespace
}  // namespace pw::test
