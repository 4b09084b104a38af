// The scope tree: placement of inserted items, their fields, deletion and enumeration.
#include "mmc/host/scope_tree.h"

#include <gtest/gtest.h>

namespace pw::mmc {
namespace {

HSCOPEITEM Insert(ScopeTree* tree, DWORD placement, HSCOPEITEM relative, const wchar_t* name,
                  HRESULT expected = S_OK) {
  SCOPEDATAITEM item;
  item.mask = SDI_STR | placement;
  std::wstring text = name;
  item.displayname = text.data();
  item.relativeID = relative;
  HSCOPEITEM id = -1;
  EXPECT_EQ(tree->Insert(item, &id), expected) << name;
  return id;
}

std::vector<std::wstring> ChildNames(const ScopeTree& tree, HSCOPEITEM parent) {
  std::vector<std::wstring> names;
  for (HSCOPEITEM child = tree.FirstChild(parent); child != 0; child = tree.NextSibling(child)) {
    names.push_back(tree.Find(child)->name);
  }
  return names;
}

// SDI_PARENT appends, SDI_FIRST goes first, SDI_PREVIOUS names the sibling before the new
// item and SDI_NEXT the one after it; handles count up from 1.
TEST(ScopeTree, PlacesInsertedItems) {
  ScopeTree tree;
  const HSCOPEITEM root = Insert(&tree, SDI_PARENT, 0, L"root");
  EXPECT_EQ(root, 1);
  const HSCOPEITEM b = Insert(&tree, SDI_PARENT, root, L"b");
  Insert(&tree, SDI_PARENT, root, L"d");
  Insert(&tree, SDI_FIRST, root, L"a");
  const HSCOPEITEM c = Insert(&tree, SDI_PREVIOUS, b, L"c");
  Insert(&tree, SDI_NEXT, c, L"b2");
  EXPECT_EQ(ChildNames(tree, root), (std::vector<std::wstring>{L"a", L"b", L"b2", L"c", L"d"}));
  EXPECT_EQ(tree.Find(c)->parent, root);
  EXPECT_EQ(tree.TopLevel(), (std::vector<HSCOPEITEM>{root}));
  EXPECT_EQ(Insert(&tree, SDI_PARENT, 99, L"x", E_INVALIDARG), 0);
  EXPECT_EQ(Insert(&tree, SDI_NEXT, 99, L"x", E_INVALIDARG), 0);
  EXPECT_EQ(Insert(&tree, SDI_PREVIOUS | SDI_NEXT, c, L"x", E_INVALIDARG), 0);
  EXPECT_EQ(tree.size(), 6u);
}

// Names by callback, images, cookies, the children count and the "expanded once" state as
// GetItem answers them, and when an item shows its expand marker.
TEST(ScopeTree, KeepsItemFields) {
  ScopeTree tree;
  SCOPEDATAITEM item;
  item.mask = SDI_STR | SDI_IMAGE | SDI_OPENIMAGE | SDI_PARAM;
  item.displayname = MMC_CALLBACK;
  item.nImage = 4;
  item.nOpenImage = 5;
  item.lParam = 0x1234;
  HSCOPEITEM id = 0;
  ASSERT_EQ(tree.Insert(item, &id), S_OK);

  SCOPEDATAITEM asked;
  asked.mask = SDI_STR | SDI_IMAGE | SDI_OPENIMAGE | SDI_PARAM | SDI_STATE | SDI_CHILDREN;
  asked.ID = id;
  ASSERT_EQ(tree.Get(&asked), S_OK);
  EXPECT_EQ(asked.displayname, MMC_CALLBACK);
  EXPECT_EQ(asked.nImage, 4);
  EXPECT_EQ(asked.nOpenImage, 5);
  EXPECT_EQ(asked.lParam, 0x1234);
  EXPECT_EQ(asked.nState, 0u);
  EXPECT_EQ(asked.cChildren, 0);
  // Not told about children: the marker shows until the item has been expanded.
  EXPECT_TRUE(tree.Find(id)->HasExpandMarker());
  tree.Find(id)->expanded_once = true;
  EXPECT_FALSE(tree.Find(id)->HasExpandMarker());
  ASSERT_EQ(tree.Get(&asked), S_OK);
  EXPECT_EQ(asked.nState, static_cast<UINT>(MMC_SCOPE_ITEM_STATE_EXPANDEDONCE));

  SCOPEDATAITEM renamed;
  renamed.mask = SDI_STR | SDI_CHILDREN;
  std::wstring name = L"Named";
  renamed.displayname = name.data();
  renamed.cChildren = 3;
  renamed.ID = id;
  ASSERT_EQ(tree.Set(renamed), S_OK);
  name = L"changed afterwards";
  ASSERT_EQ(tree.Get(&asked), S_OK);
  EXPECT_STREQ(asked.displayname, L"Named");
  EXPECT_EQ(asked.cChildren, 3);
  EXPECT_TRUE(tree.Find(id)->HasExpandMarker());
  renamed.ID = 77;
  EXPECT_EQ(tree.Set(renamed), E_INVALIDARG);
  asked.ID = 77;
  EXPECT_EQ(tree.Get(&asked), E_INVALIDARG);
}

// DeleteItem always removes the children, the item itself only when asked; deleted handles
// are never given again.
TEST(ScopeTree, DeletesSubtrees) {
  ScopeTree tree;
  const HSCOPEITEM root = Insert(&tree, SDI_PARENT, 0, L"root");
  const HSCOPEITEM a = Insert(&tree, SDI_PARENT, root, L"a");
  const HSCOPEITEM a1 = Insert(&tree, SDI_PARENT, a, L"a1");
  const HSCOPEITEM a2 = Insert(&tree, SDI_PARENT, a, L"a2");
  const HSCOPEITEM a11 = Insert(&tree, SDI_PARENT, a1, L"a11");
  const HSCOPEITEM b = Insert(&tree, SDI_PARENT, root, L"b");
  EXPECT_TRUE(tree.IsSelfOrAncestor(a, a11));
  EXPECT_FALSE(tree.IsSelfOrAncestor(b, a11));

  std::vector<HSCOPEITEM> removed;
  ASSERT_EQ(tree.Delete(a, false, &removed), S_OK);
  EXPECT_EQ(removed, (std::vector<HSCOPEITEM>{a1, a2, a11}));
  EXPECT_TRUE(tree.Contains(a));
  EXPECT_EQ(tree.FirstChild(a), 0);

  Insert(&tree, SDI_PARENT, a, L"again");
  ASSERT_EQ(tree.Delete(a, true, &removed), S_OK);
  EXPECT_EQ(removed, (std::vector<HSCOPEITEM>{a, b + 1}));
  EXPECT_EQ(ChildNames(tree, root), (std::vector<std::wstring>{L"b"}));
  EXPECT_EQ(tree.Delete(a, true, &removed), E_INVALIDARG);
  EXPECT_EQ(Insert(&tree, SDI_PARENT, root, L"c"), b + 2);
  EXPECT_EQ(tree.size(), 3u);
}

}  // namespace
}  // namespace pw::mmc
