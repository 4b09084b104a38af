// CValueRoutesBase: the route list whose values are picked from the server's configuration
// (the "Line" and "MSN" lists).
#pragma once

#include <memory>
#include <string>

#include "module/routing/new_value_route_dlg.h"
#include "module/routing/routing_delegation_base.h"
#include "module/snapin/node_texts.h"

// The per-kind texts of a value route list.
struct ValueRouteListTexts {
  UINT name;
  UINT description;
  UINT column;
  UINT new_status;
  UINT tooltip;
  UINT nothing_left;  // every configured value has a route
  UINT no_values;     // the server lists none (0: reported as nothing left)
  UINT error;         // the configuration could not be read
};

// Offers one "New..." command (menu and toolbar) that runs the kind's dialog of the values no
// route uses yet, and reports instead of opening it when there is nothing to offer. Made by
// its parent with the static tree and destroyed with it.
//
// Deriving: pass the rule type, list kind and texts; answer GetNodeType, GetBitmapIndex,
// CreateRuleNode and MakeNewDialog.
class CValueRoutesBase : public CRoutingDelegationBase {
 public:
  // The context menu command and the toolbar button of "New...".
  static constexpr long kNewCommand = 1;
  static constexpr long kNewButton = 32777;

  ~CValueRoutesBase() override;

  std::wstring GetDisplayName(int column) override;
  HRESULT OnAddMenuItems(IContextMenuCallback* callback, long* insertion_allowed) override;
  HRESULT OnMenuCommand(CComponent* component, IConsole* console, long command) override;
  HRESULT OnSetToolbar(CComponent* component, IControlbar* controlbar, BOOL scope,
                       BOOL select) override;
  HRESULT OnToolbarCommand(CComponent* component, IConsole* console, long command) override;
  std::wstring GetValueColumnTitle() override;

 protected:
  CValueRoutesBase(CDelegationBase* owner, std::wstring rule_type, ListKind list_kind,
                   const ValueRouteListTexts& texts);

  // The kind's dialog loaded with the values no route uses; null with the reason when none
  // can be offered.
  virtual std::unique_ptr<CNewValueRouteDlg> MakeNewDialog(ValueListFailure* failure) = 0;

 private:
  HRESULT OnNewRoute(CComponent* component, IConsole* console);
  void ReportFailure(ValueListFailure failure);

  const ValueRouteListTexts& texts_;
  pw::NodeTexts node_texts_;
};
