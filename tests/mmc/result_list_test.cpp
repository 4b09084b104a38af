// Result lists: items, scope rows, states and sorting of regular lists; row counts and states
// of virtual ones.
#include "mmc/host/result_list.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pw::mmc {
namespace {

HRESULTITEM Add(ResultList* list, LPARAM cookie, const wchar_t* text = nullptr) {
  RESULTDATAITEM item;
  item.mask = RDI_STR | RDI_PARAM;
  std::wstring copy = text != nullptr ? text : L"";
  item.str = text != nullptr ? copy.data() : MMC_CALLBACK;
  item.lParam = cookie;
  HRESULTITEM id = 0;
  EXPECT_EQ(list->InsertItem(item, &id), S_OK);
  return id;
}

std::vector<LPARAM> Cookies(const ResultList& list) {
  std::vector<LPARAM> cookies;
  for (int i = 0; i < list.RowCount(); ++i) cookies.push_back(list.Row(i)->lparam);
  return cookies;
}

// Items get ids from 1, come after the scope rows, and are found, read, changed and deleted
// as IResultData does.
TEST(ResultList, KeepsItemsOfARegularList) {
  ResultList list;
  list.Reset(false);
  EXPECT_EQ(Add(&list, 10), 1);
  EXPECT_EQ(Add(&list, 20, L"twenty"), 2);
  list.InsertScopeRow(7, 70, 3);
  list.InsertScopeRow(8, 80, 3);
  list.InsertScopeRow(7, 70, 3);
  RESULTDATAITEM at_start;
  at_start.mask = RDI_PARAM | RDI_INDEX;
  at_start.lParam = 5;
  at_start.nIndex = 0;
  HRESULTITEM id = 0;
  ASSERT_EQ(list.InsertItem(at_start, &id), S_OK);
  EXPECT_EQ(Cookies(list), (std::vector<LPARAM>{70, 80, 5, 10, 20}));

  HRESULTITEM found = 0;
  EXPECT_EQ(list.FindItemByLParam(20, &found), S_OK);
  EXPECT_EQ(found, 2);
  EXPECT_EQ(list.FindItemByLParam(70, &found), S_FALSE);
  EXPECT_EQ(found, 0);

  RESULTDATAITEM read;
  read.mask = RDI_STR | RDI_PARAM;
  read.itemID = 2;
  ASSERT_EQ(list.GetItem(&read), S_OK);
  EXPECT_STREQ(read.str, L"twenty");
  EXPECT_EQ(read.nIndex, 4);
  read.itemID = 0;
  read.nIndex = 1;
  ASSERT_EQ(list.GetItem(&read), S_OK);
  EXPECT_TRUE(read.bScopeItem);
  EXPECT_EQ(read.itemID, 8);
  read.itemID = 1;
  ASSERT_EQ(list.GetItem(&read), S_OK);
  EXPECT_EQ(read.str, MMC_CALLBACK);

  RESULTDATAITEM changed;
  changed.mask = RDI_STR;
  changed.itemID = 1;
  std::wstring text = L"ten";
  changed.str = text.data();
  ASSERT_EQ(list.SetItem(changed), S_OK);
  EXPECT_EQ(list.Row(3)->text, L"ten");
  EXPECT_FALSE(list.Row(3)->text_by_callback);
  changed.itemID = 99;
  EXPECT_EQ(list.SetItem(changed), E_INVALIDARG);

  EXPECT_EQ(list.DeleteItem(1), S_OK);
  EXPECT_EQ(list.DeleteItem(1), E_INVALIDARG);
  EXPECT_EQ(list.DeleteAllItems(), S_OK);
  EXPECT_EQ(Cookies(list), (std::vector<LPARAM>{70, 80}));
  EXPECT_EQ(Add(&list, 30), 4);
  EXPECT_EQ(list.SetItemCount(3), E_UNEXPECTED);
}

// States: a single-selection list keeps one selected row, focus is on one row at most, index
// -1 changes every row, and GetNextItem walks rows by state.
TEST(ResultList, ChangesItemStates) {
  ResultList list;
  list.Reset(false);
  for (LPARAM cookie = 1; cookie <= 4; ++cookie) Add(&list, cookie);
  ASSERT_EQ(list.ModifyItemState(1, 0, LVIS_SELECTED | LVIS_FOCUSED, 0), S_OK);
  ASSERT_EQ(list.ModifyItemState(0, 3, LVIS_SELECTED, 0), S_OK);
  EXPECT_EQ(list.SelectedRows(), (std::vector<int>{2}));
  EXPECT_EQ(list.FocusedRow(), 1);
  EXPECT_EQ(list.ModifyItemState(4, 0, LVIS_SELECTED, 0), E_INVALIDARG);
  EXPECT_EQ(list.ModifyItemState(0, 99, LVIS_SELECTED, 0), E_INVALIDARG);

  list.set_single_select(false);
  ASSERT_EQ(list.ModifyItemState(-1, 0, LVIS_SELECTED, 0), S_OK);
  EXPECT_EQ(list.SelectedRows(), (std::vector<int>{0, 1, 2, 3}));
  ASSERT_EQ(list.ModifyItemState(2, 0, 0, LVIS_SELECTED), S_OK);
  RESULTDATAITEM walk;
  walk.nIndex = -1;
  std::vector<LPARAM> selected;
  for (walk.nState = LVIS_SELECTED; list.GetNextItem(&walk) == S_OK; walk.nState = LVIS_SELECTED) {
    selected.push_back(walk.lParam);
  }
  EXPECT_EQ(selected, (std::vector<LPARAM>{1, 2, 4}));
  EXPECT_EQ(walk.nIndex, -1);

  list.set_single_select(true);
  ASSERT_EQ(list.ModifyItemState(-1, 0, LVIS_SELECTED, 0), S_OK);
  EXPECT_EQ(list.SelectedRows(), (std::vector<int>{0}));
  list.SelectRows({3});
  EXPECT_EQ(list.RowState(3), LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_EQ(list.RowState(1), 0u);
  EXPECT_EQ(list.RowState(9), 0u);
}

// A virtual list is a count: item operations are refused, states go by index and a smaller
// count drops the states beyond it.
TEST(ResultList, KeepsRowCountsOfAVirtualList) {
  ResultList list;
  list.Reset(true);
  list.set_single_select(false);
  ASSERT_EQ(list.SetItemCount(100000), S_OK);
  EXPECT_EQ(list.RowCount(), 100000);
  EXPECT_EQ(list.SetItemCount(-1), E_INVALIDARG);
  RESULTDATAITEM item;
  item.mask = RDI_PARAM;
  HRESULTITEM id = 0;
  EXPECT_EQ(list.InsertItem(item, &id), E_UNEXPECTED);
  EXPECT_EQ(list.SetItem(item), E_UNEXPECTED);
  EXPECT_EQ(list.FindItemByLParam(1, &id), E_UNEXPECTED);
  EXPECT_EQ(list.DeleteItem(1), E_UNEXPECTED);
  EXPECT_EQ(list.Row(0), nullptr);

  ASSERT_EQ(list.ModifyItemState(99999, 0, LVIS_SELECTED | LVIS_FOCUSED, 0), S_OK);
  ASSERT_EQ(list.ModifyItemState(5, 0, LVIS_SELECTED, 0), S_OK);
  EXPECT_EQ(list.ModifyItemState(100000, 0, LVIS_SELECTED, 0), E_INVALIDARG);
  EXPECT_EQ(list.SelectedRows(), (std::vector<int>{5, 99999}));
  RESULTDATAITEM read;
  read.mask = RDI_STATE | RDI_PARAM;
  read.nIndex = 99999;
  read.lParam = 77;
  ASSERT_EQ(list.GetItem(&read), S_OK);
  EXPECT_EQ(read.nState, LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_EQ(read.lParam, 0);
  RESULTDATAITEM next;
  next.nIndex = 5;
  next.nState = LVIS_SELECTED;
  ASSERT_EQ(list.GetNextItem(&next), S_OK);
  EXPECT_EQ(next.nIndex, 99999);

  ASSERT_EQ(list.SetItemCount(50), S_OK);
  EXPECT_EQ(list.SelectedRows(), (std::vector<int>{5}));
  EXPECT_EQ(list.FocusedRow(), -1);
  const std::uint64_t before = list.revision();
  ASSERT_EQ(list.UpdateItem(0), S_OK);
  EXPECT_GT(list.revision(), before);
}

// Sorting keeps scope rows first and equal items in their order, reverses for descending, and
// survives a comparison that contradicts itself.
TEST(ResultList, SortsItems) {
  ResultList list;
  list.Reset(false);
  list.InsertScopeRow(9, 900, 0);
  for (LPARAM cookie : {30, 11, 20, 12, 31}) Add(&list, cookie);
  auto by_tens = [](const ResultRow& a, const ResultRow& b) {
    return static_cast<int>(a.lparam / 10 - b.lparam / 10);
  };
  list.SortItems(by_tens, false);
  EXPECT_EQ(Cookies(list), (std::vector<LPARAM>{900, 11, 12, 20, 30, 31}));
  list.SortItems(by_tens, true);
  EXPECT_EQ(Cookies(list), (std::vector<LPARAM>{900, 30, 31, 20, 11, 12}));

  for (LPARAM cookie = 100; cookie < 200; ++cookie) Add(&list, cookie);
  unsigned seed = 1;
  list.SortItems(
      [&seed](const ResultRow&, const ResultRow&) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>(seed >> 16) % 3 - 1;
      },
      false);
  std::vector<LPARAM> cookies = Cookies(list);
  ASSERT_EQ(cookies.size(), 106u);
  EXPECT_EQ(cookies.front(), 900);
  std::sort(cookies.begin(), cookies.end());
  EXPECT_EQ(std::adjacent_find(cookies.begin(), cookies.end()), cookies.end());
}

}  // namespace
}  // namespace pw::mmc
