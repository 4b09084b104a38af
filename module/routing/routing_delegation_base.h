// CRoutingDelegationBase: the scope node of every list of stored rules (routes, and the rule
// lists of the document settings), shown as an owner-data result list of its item nodes.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "installation/interfaces/ardent_db.h"
#include "module/snapin/component.h"
#include "module/snapin/delegation_base.h"
#include "module/snapin/view_hints.h"

class CRouteNode;

// Keeps one item node per stored rule of its type, in the order of the result list's rows,
// and re-synchronises them with the store by "ObjectID" on every refresh, so that an item with
// an open property sheet survives a refresh. Duplicate checks always ask the store.
//
// Lifetime: made with the static tree by its parent; the children live from the first show or
// refresh until the list goes.
//
// Deriving: pass the rule type and the view's list kind to the constructor, answer
// GetDisplayName, GetNodeType, GetBitmapIndex, GetValueColumnTitle and CreateRuleNode; a "New"
// command runs AddEntry with its dialog. Lists with other texts override GetDescriptionFormat.
class CRoutingDelegationBase : public CDelegationBase, public IOwnerDataRows {
 public:
  CRoutingDelegationBase(CDelegationBase* owner, std::wstring rule_type, ListKind list_kind);
  ~CRoutingDelegationBase() override;

  HRESULT GetResultViewType(CComponent* component, LPOLESTR* view_type, LONG* options) override;
  HRESULT SetComponentData(CComponentData* component_data) override;
  HRESULT OnShow(CComponent* component, IConsole* console, CComponentData* component_data,
                 BOOL show, HSCOPEITEM item) override;
  HRESULT OnSelect(CComponent* component, IConsole* console, BOOL scope, BOOL select) override;
  HRESULT OnRefresh(CComponent* component, IConsole* console) override;
  HRESULT OnViewChange(CComponent* component, IConsole* console, LPARAM data,
                       LONG_PTR hint) override;
  HRESULT FindItem(RESULTFINDINFO* find_info, int* found_index) override;
  HRESULT CacheHint(int first, int last) override;
  HRESULT SortItems(int column, DWORD options, LPARAM user_param) override;
  int IndexOfChild(CDelegationBase* child) override;
  void RemoveChildAt(int position) override;

  // IOwnerDataRows
  CDelegationBase* NodeAtRow(int row) override;

  // Deletes the child's rule and, when the store deleted it (or it was gone), the child.
  // `silent` within a multiple delete: no question, no view updates, no error message.
  virtual HRESULT DeleteRuleNode(CComponent* component, IConsole* console, CRouteNode* child,
                                 BOOL silent);
  // A new item of the list's class; `rule` null for an entry not stored yet.
  virtual std::unique_ptr<CRouteNode> CreateRuleNode(const std::wstring& display,
                                                     const std::wstring& value,
                                                     IArdentRulePtr rule) = 0;
  virtual bool IsListShown(CComponent* component);
  virtual void SetListShown(CComponent* component, bool shown);
  virtual std::wstring GetValueColumnTitle() = 0;
  virtual HRESULT UpdateDescriptionBar(IConsole* console);
  // The description bar's text, with the number of entries for its "%d".
  virtual UINT GetDescriptionFormat();

  // Whether a rule of the list's type has this "ObjectValue" (or "ObjectDisplay", or either),
  // ignoring case. Throws ComError when the store fails.
  bool IsRuleInDB(const std::wstring& value);
  bool IsDisplayInDB(const std::wstring& display);
  bool IsRuleOrDisplayInDB(const std::wstring& value, const std::wstring& display);

  const std::wstring& rule_type() const { return rule_type_; }
  CComponentData* component_data() const { return component_data_; }
  int child_count() const { return static_cast<int>(children_.size()); }
  CRouteNode* child_at(int row) const;

 protected:
  // The common part of the "New..." commands: directory check, the dialog (`run_dialog` answers
  // the entered value, or nothing when cancelled), the new stored entry selected in every view
  // and its property sheet opened.
  HRESULT AddEntry(CComponent* component, IConsole* console,
                   const std::function<std::optional<std::wstring>()>& run_dialog);
  // Opens the property sheet of `child` as the console does for the Properties verb.
  HRESULT OpenPropertySheet(IConsole* console, CRouteNode* child);
  // Whether the directory can be searched now; tries to connect once per snap-in instance.
  bool EnsureDirectoryConnection(bool show_error, IConsole* console);
  // The directory error text of the current mode.
  UINT DirectoryErrorMessage() const;
  // IConsole::UpdateAllViews with a scope data object of this list.
  void UpdateAll(IConsole* console, LPARAM data, LONG_PTR hint);

  // One item of a list's context menu.
  struct MenuEntry {
    long command;
    UINT name;
    UINT status;
  };
  // Adds `entries` at the top of the context menu, when the console allows items there.
  static HRESULT AddTopMenuItems(IContextMenuCallback* callback, long* insertion_allowed,
                                 std::initializer_list<MenuEntry> entries);
  // On select: the view's toolbar of this list gets its one enabled "New" button (bitmap 0,
  // `command`) and is attached to the control bar.
  HRESULT AttachNewButton(CComponent* component, IControlbar* controlbar, BOOL select, long command,
                          UINT text, UINT tooltip);

  CComponentData* component_data_ = nullptr;
  std::vector<std::unique_ptr<CRouteNode>> children_;

 private:
  bool MatchesInDB(const std::function<bool(IArdentRule&)>& matches);
  HRESULT FillMessageView(CComponent* component);
  void ShowColumns(CComponent* component);
  void SelectRow(CComponent* component, int row, bool select);

  // Items removed from the list. An item may be removed from within its own OnDelete, and a
  // view still tells it of the deselection afterwards: they live until the list is shown again.
  std::vector<std::unique_ptr<CRouteNode>> removed_;
  std::wstring rule_type_;
  ListKind list_kind_;
  std::wstring description_text_;
};
