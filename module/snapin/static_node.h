// CStaticNode: the root of the snap-in's tree, named after the administered computer, which
// builds the whole static tree.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "module/snapin/container_node.h"

class CAdvancedNode;
class CLicencedUsers;
class CSelectComputerPage;

// Made by CComponentData's constructor and destroyed with it, and with it every node of the
// tree. Its twelve children are made in its constructor in tree order.
class CStaticNode : public CContainerNode {
 public:
  // The menu command that chooses another computer to administer.
  static constexpr long kConnectCommand = 1;
  static constexpr std::size_t kMaxComputerNameChars = 260;

  CStaticNode();
  ~CStaticNode() override;

  // The title; once the component data is set, followed by the computer in parentheses.
  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;
  // Names its item, has the console select it and inserts the children.
  HRESULT OnExpand(IConsoleNameSpace* name_space, IConsole* console, HSCOPEITEM parent,
                   BOOL expanding) override;
  // The two columns of the console's listing of the children.
  HRESULT OnShow(CComponent* component, IConsole* console, CComponentData* component_data,
                 BOOL show, HSCOPEITEM item) override;
  // Open is the default verb, so that a double click opens a child.
  HRESULT OnSelect(CComponent* component, IConsole* console, BOOL scope, BOOL select) override;
  // "Connect to another computer..." on a remote console for any server.
  HRESULT OnAddMenuItems(IContextMenuCallback* callback, long* insertion_allowed) override;
  HRESULT OnMenuCommand(CComponent* component, IConsole* console, long command) override;
  // The select-computer page of the console's "add snap-in" wizard, for a console for any
  // server that is being added (before initialisation).
  HRESULT HasPropertySheets() override;
  HRESULT CreatePropertyPages(CComponent* component, CComponentData* component_data,
                              IPropertySheetCallback* callback, LONG_PTR handle) override;

  // Quick references for the nodes that others reach directly.
  CAdvancedNode* advanced() const { return advanced_; }
  CLicencedUsers* licensed_users() const { return licensed_users_; }

  // The administered server's computer name; empty for the local computer.
  const std::wstring& computer_name() const { return computer_name_; }
  // Longer names are cut to kMaxComputerNameChars.
  void set_computer_name(std::wstring name);
  // Set when the name has been decided (and the console file has something to save).
  bool computer_chosen() const { return computer_chosen_ != 0; }
  void set_computer_chosen(bool chosen) { computer_chosen_ = chosen ? 1 : 0; }
  // Set once the root has made its select-computer wizard page.
  bool select_computer_page_created() const { return select_computer_page_created_; }
  bool shown() const { return shown_; }

 private:
  // Lets the administrator choose another computer and reconnects the tree to it; a computer
  // without the server leaves the previous one in place.
  void SelectAnotherComputer(IConsole* console);
  // Deletes the children's scope items and inserts them again, so that every node reads the
  // new computer's stores when it is next shown.
  void RebuildTree(IConsoleNameSpace* name_space, IConsole* console);

  CAdvancedNode* advanced_ = nullptr;
  CLicencedUsers* licensed_users_ = nullptr;
  bool select_computer_page_created_ = false;
  bool shown_ = false;
  std::wstring computer_name_;
  BYTE computer_chosen_ = 0;
  // Made for the add wizard and kept until the root goes, which is after the wizard's window.
  std::unique_ptr<CSelectComputerPage> select_computer_page_;
  // "MACHINE" as HasPropertySheets found it: the page starts with it.
  std::optional<std::wstring> page_start_name_;
};
