// ScopeTree: the console's scope items — their order, names, images, children markers and
// the "expanded once" state — as IConsoleNameSpace manipulates them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "mmc/mmc.h"

namespace pw::mmc {

struct ScopeItem {
  HSCOPEITEM id = 0;
  HSCOPEITEM parent = 0;  // 0 for a top-level item (a snap-in's static node)
  std::vector<HSCOPEITEM> children;
  bool name_by_callback = false;  // the name comes from IComponentData::GetDisplayInfo
  std::wstring name;
  int image = 0;
  int open_image = 0;
  UINT state = 0;
  // cChildren as the snap-in gave it; -1 when it did not say, which shows the expand marker
  // until the item has been expanded.
  int children_count = -1;
  LPARAM cookie = 0;
  bool expanded_once = false;

  bool HasExpandMarker() const {
    if (!children.empty()) return true;
    if (children_count >= 0) return children_count > 0;
    return !expanded_once;
  }
};

// Owned by the console; lives as long as it. Item handles count from 1 and are never reused,
// so that a handle kept after its item was deleted finds nothing.
class ScopeTree {
 public:
  // Inserts as IConsoleNameSpace::InsertItem does: the placement flags of the mask say where
  // relative to `item.relativeID` (SDI_PARENT/SDI_FIRST: a parent, SDI_PREVIOUS: the sibling
  // before, SDI_NEXT: the sibling after). A relativeID of 0 with SDI_PARENT inserts at the top.
  // E_INVALIDARG for an unknown relative item.
  HRESULT Insert(const SCOPEDATAITEM& item, HSCOPEITEM* id);
  // Deletes the children of `id` and, with `delete_this`, the item. `removed` gets every
  // handle that went, parents before children.
  HRESULT Delete(HSCOPEITEM id, bool delete_this, std::vector<HSCOPEITEM>* removed);
  // The fields of the mask; placement flags and relativeID are ignored.
  HRESULT Set(const SCOPEDATAITEM& item);
  // Fills the fields of the mask from the item `item->ID`. A name by callback answers
  // MMC_CALLBACK, a text a pointer that stays valid until the item changes. SDI_STATE answers
  // MMC_SCOPE_ITEM_STATE_EXPANDEDONCE once the item has been expanded.
  HRESULT Get(SCOPEDATAITEM* item) const;

  const ScopeItem* Find(HSCOPEITEM id) const;
  ScopeItem* Find(HSCOPEITEM id);
  bool Contains(HSCOPEITEM id) const { return items_.count(id) != 0; }
  // 0 when there is none.
  HSCOPEITEM FirstChild(HSCOPEITEM id) const;
  HSCOPEITEM NextSibling(HSCOPEITEM id) const;
  const std::vector<HSCOPEITEM>& TopLevel() const { return top_level_; }
  // Whether `ancestor` is `id` or one of its parents.
  bool IsSelfOrAncestor(HSCOPEITEM ancestor, HSCOPEITEM id) const;
  std::size_t size() const { return items_.size(); }
  void Clear();

 private:
  std::vector<HSCOPEITEM>* SiblingsOf(const ScopeItem& item);

  std::map<HSCOPEITEM, ScopeItem> items_;
  std::vector<HSCOPEITEM> top_level_;
  HSCOPEITEM next_id_ = 1;
};

}  // namespace pw::mmc
