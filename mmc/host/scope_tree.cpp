// ScopeTree.
#include "mmc/host/scope_tree.h"

#include <algorithm>

namespace pw::mmc {
namespace {

constexpr DWORD kPlacementMask = SDI_PREVIOUS | SDI_NEXT | SDI_FIRST;

void ApplyFields(const SCOPEDATAITEM& from, ScopeItem* to) {
  if ((from.mask & SDI_STR) != 0) {
    to->name_by_callback = from.displayname == MMC_CALLBACK;
    to->name = to->name_by_callback || from.displayname == nullptr ? L"" : from.displayname;
  }
  if ((from.mask & SDI_IMAGE) != 0) to->image = from.nImage;
  if ((from.mask & SDI_OPENIMAGE) != 0) to->open_image = from.nOpenImage;
  if ((from.mask & SDI_STATE) != 0) to->state = from.nState;
  if ((from.mask & SDI_PARAM) != 0) to->cookie = from.lParam;
  if ((from.mask & SDI_CHILDREN) != 0) to->children_count = std::max(from.cChildren, 0);
}

}  // namespace

std::vector<HSCOPEITEM>* ScopeTree::SiblingsOf(const ScopeItem& item) {
  if (item.parent == 0) return &top_level_;
  ScopeItem* parent = Find(item.parent);
  return parent != nullptr ? &parent->children : nullptr;
}

HRESULT ScopeTree::Insert(const SCOPEDATAITEM& item, HSCOPEITEM* id) {
  if (id == nullptr) return E_POINTER;
  *id = 0;
  const DWORD placement = item.mask & kPlacementMask;
  if (placement != 0 && placement != SDI_FIRST && placement != SDI_PREVIOUS &&
      placement != SDI_NEXT) {
    return E_INVALIDARG;
  }
  ScopeItem created;
  std::vector<HSCOPEITEM>* siblings = nullptr;
  std::size_t position = 0;
  if (placement == SDI_PREVIOUS || placement == SDI_NEXT) {
    const ScopeItem* sibling = Find(item.relativeID);
    if (sibling == nullptr) return E_INVALIDARG;
    created.parent = sibling->parent;
    siblings = SiblingsOf(*sibling);
    if (siblings == nullptr) return E_UNEXPECTED;
    position = static_cast<std::size_t>(std::find(siblings->begin(), siblings->end(), sibling->id) -
                                        siblings->begin());
    // SDI_PREVIOUS names the sibling that comes before the new item.
    if (placement == SDI_PREVIOUS) ++position;
  } else {
    if (item.relativeID == 0) {
      siblings = &top_level_;
    } else {
      ScopeItem* parent = Find(item.relativeID);
      if (parent == nullptr) return E_INVALIDARG;
      siblings = &parent->children;
    }
    created.parent = item.relativeID;
    position = placement == SDI_FIRST ? 0 : siblings->size();
  }
  created.id = next_id_++;
  ApplyFields(item, &created);
  siblings->insert(siblings->begin() + static_cast<std::ptrdiff_t>(position), created.id);
  *id = created.id;
  items_.emplace(created.id, std::move(created));
  return S_OK;
}

HRESULT ScopeTree::Delete(HSCOPEITEM id, bool delete_this, std::vector<HSCOPEITEM>* removed) {
  ScopeItem* item = Find(id);
  if (item == nullptr) return E_INVALIDARG;
  std::vector<HSCOPEITEM> gone;
  // Breadth first, so that parents come before their children.
  std::vector<HSCOPEITEM> pending = item->children;
  if (delete_this) pending.insert(pending.begin(), id);
  item->children.clear();
  for (std::size_t next = 0; next < pending.size(); ++next) {
    const ScopeItem* current = Find(pending[next]);
    if (current == nullptr) continue;
    pending.insert(pending.end(), current->children.begin(), current->children.end());
    gone.push_back(current->id);
  }
  if (delete_this) {
    if (std::vector<HSCOPEITEM>* siblings = SiblingsOf(*item)) {
      std::erase(*siblings, id);
    }
  }
  for (HSCOPEITEM each : gone) items_.erase(each);
  if (removed != nullptr) *removed = std::move(gone);
  return S_OK;
}

HRESULT ScopeTree::Set(const SCOPEDATAITEM& item) {
  ScopeItem* found = Find(item.ID);
  if (found == nullptr) return E_INVALIDARG;
  ApplyFields(item, found);
  return S_OK;
}

HRESULT ScopeTree::Get(SCOPEDATAITEM* item) const {
  if (item == nullptr) return E_POINTER;
  const ScopeItem* found = Find(item->ID);
  if (found == nullptr) return E_INVALIDARG;
  if ((item->mask & SDI_STR) != 0) {
    item->displayname =
        found->name_by_callback ? MMC_CALLBACK : const_cast<LPOLESTR>(found->name.c_str());
  }
  if ((item->mask & SDI_IMAGE) != 0) item->nImage = found->image;
  if ((item->mask & SDI_OPENIMAGE) != 0) item->nOpenImage = found->open_image;
  if ((item->mask & SDI_STATE) != 0) {
    item->nState = found->expanded_once ? MMC_SCOPE_ITEM_STATE_EXPANDEDONCE : found->state;
  }
  if ((item->mask & SDI_PARAM) != 0) item->lParam = found->cookie;
  if ((item->mask & SDI_CHILDREN) != 0) {
    item->cChildren = found->children_count >= 0 ? found->children_count
                                                 : static_cast<int>(found->children.size());
  }
  return S_OK;
}

const ScopeItem* ScopeTree::Find(HSCOPEITEM id) const {
  const auto found = items_.find(id);
  return found == items_.end() ? nullptr : &found->second;
}

ScopeItem* ScopeTree::Find(HSCOPEITEM id) {
  const auto found = items_.find(id);
  return found == items_.end() ? nullptr : &found->second;
}

HSCOPEITEM ScopeTree::FirstChild(HSCOPEITEM id) const {
  const ScopeItem* item = Find(id);
  return item == nullptr || item->children.empty() ? 0 : item->children.front();
}

HSCOPEITEM ScopeTree::NextSibling(HSCOPEITEM id) const {
  const ScopeItem* item = Find(id);
  if (item == nullptr) return 0;
  const std::vector<HSCOPEITEM>* siblings = &top_level_;
  if (item->parent != 0) {
    const ScopeItem* parent = Find(item->parent);
    if (parent == nullptr) return 0;
    siblings = &parent->children;
  }
  const auto at = std::find(siblings->begin(), siblings->end(), id);
  if (at == siblings->end() || at + 1 == siblings->end()) return 0;
  return *(at + 1);
}

bool ScopeTree::IsSelfOrAncestor(HSCOPEITEM ancestor, HSCOPEITEM id) const {
  for (const ScopeItem* item = Find(id); item != nullptr; item = Find(item->parent)) {
    if (item->id == ancestor) return true;
  }
  return false;
}

void ScopeTree::Clear() {
  items_.clear();
  top_level_.clear();
}

}  // namespace pw::mmc
