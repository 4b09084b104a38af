// CContainerNode: the base of the scope nodes that own a fixed set of child scope nodes.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "module/snapin/delegation_base.h"

// Owns its children (made in the derived constructor with AddChild, destroyed with the node),
// passes the component data on to each, inserts them under its scope item in creation order
// when the console expands it, and answers the child operations. Children are scope nodes;
// result lists keep their items elsewhere.
//
// Lifetime: made by its owner with the rest of the static tree; lives until the owner goes.
//
// Deriving: create the children in the constructor with AddChild; override IsChildShown to keep
// a child out of the tree, and OnExpand to do more than insert the children (call InsertChildren).
class CContainerNode : public CDelegationBase {
 public:
  explicit CContainerNode(CDelegationBase* owner) : CDelegationBase(owner) {}

  // Stores it and hands it to every child.
  HRESULT SetComponentData(CComponentData* component_data) override;
  // Inserts the children when `expanding`; S_OK.
  HRESULT OnExpand(IConsoleNameSpace* name_space, IConsole* console, HSCOPEITEM parent,
                   BOOL expanding) override;
  int GetChildCount() override;
  int IndexOfChild(CDelegationBase* child) override;
  void RemoveChildAt(int position) override;

  // Null outside 0 to GetChildCount() - 1.
  CDelegationBase* ChildAt(int position) const;
  CComponentData* component_data() const { return component_data_; }

 protected:
  template <typename Node, typename... Args>
  Node* AddChild(Args&&... args) {
    auto child = std::make_unique<Node>(this, std::forward<Args>(args)...);
    Node* added = child.get();
    children_.push_back(std::move(child));
    return added;
  }

  // Whether the child at `position` is inserted when the node expands.
  virtual bool IsChildShown(int position) const;
  // Inserts each shown child under `parent` (text by callback, its image as closed and open
  // image, itself as lParam, its child count) and tells the child its new scope item.
  HRESULT InsertChildren(IConsoleNameSpace* name_space, HSCOPEITEM parent);
  // Gives the scope item `item` (0: none yet) the node's current name.
  HRESULT SetItemText(IConsoleNameSpace* name_space, HSCOPEITEM item);

 private:
  std::vector<std::unique_ptr<CDelegationBase>> children_;
  CComponentData* component_data_ = nullptr;
};
