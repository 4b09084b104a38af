// CContainerNode: children owned in creation order and inserted under the node's scope item.
#include "module/snapin/container_node.h"

HRESULT CContainerNode::SetComponentData(CComponentData* component_data) {
  component_data_ = component_data;
  for (const auto& child : children_) child->SetComponentData(component_data);
  return S_OK;
}

HRESULT CContainerNode::OnExpand(IConsoleNameSpace* name_space, IConsole*, HSCOPEITEM parent,
                                 BOOL expanding) {
  if (!expanding) return S_OK;
  return InsertChildren(name_space, parent);
}

int CContainerNode::GetChildCount() { return static_cast<int>(children_.size()); }

int CContainerNode::IndexOfChild(CDelegationBase* child) {
  for (std::size_t i = 0; i < children_.size(); ++i) {
    if (children_[i].get() == child) return static_cast<int>(i);
  }
  return -1;
}

void CContainerNode::RemoveChildAt(int position) {
  if (position < 0 || position >= GetChildCount()) return;
  children_.erase(children_.begin() + position);
}

CDelegationBase* CContainerNode::ChildAt(int position) const {
  if (position < 0 || position >= static_cast<int>(children_.size())) return nullptr;
  return children_[position].get();
}

bool CContainerNode::IsChildShown(int) const { return true; }

HRESULT CContainerNode::InsertChildren(IConsoleNameSpace* name_space, HSCOPEITEM parent) {
  if (name_space == nullptr) return E_POINTER;
  for (int position = 0; position < GetChildCount(); ++position) {
    if (!IsChildShown(position)) continue;
    CDelegationBase* child = children_[position].get();
    SCOPEDATAITEM item;
    item.mask = SDI_STR | SDI_IMAGE | SDI_OPENIMAGE | SDI_PARAM | SDI_CHILDREN;
    item.displayname = MMC_CALLBACK;
    item.nImage = child->GetBitmapIndex(FALSE);
    item.nOpenImage = item.nImage;
    item.lParam = reinterpret_cast<LPARAM>(child);
    item.cChildren = child->GetChildCount();
    item.relativeID = parent;
    const HRESULT hr = name_space->InsertItem(&item);
    if (FAILED(hr)) return hr;
    child->set_scope_item(item.ID);
  }
  return S_OK;
}

HRESULT CContainerNode::SetItemText(IConsoleNameSpace* name_space, HSCOPEITEM item) {
  if (name_space == nullptr || item == 0) return S_FALSE;
  SCOPEDATAITEM text;
  text.mask = SDI_STR;
  text.ID = item;
  text.displayname = const_cast<LPOLESTR>(DisplayText(0));
  return name_space->SetItem(&text);
}
