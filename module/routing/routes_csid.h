// CRoutesCSID: the "CSID" route list under "Routing".
#pragma once

#include <memory>
#include <string>

#include "module/routing/routing_delegation_base.h"
#include "module/snapin/node_texts.h"

// Lists the routes chosen by the sending station's identifier, adds them through the "New CSID
// Route" dialog and imports and exports them through the installation's route files. Made by
// its parent with the static tree and destroyed with it.
class CRoutesCSID : public CRoutingDelegationBase {
 public:
  // Commands of the context menu, and the toolbar's "New" button.
  static constexpr long kNewCommand = 1;
  static constexpr long kImportCommand = 2;
  static constexpr long kExportCommand = 3;
  static constexpr long kNewButton = 32777;

  explicit CRoutesCSID(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;
  HRESULT OnAddMenuItems(IContextMenuCallback* callback, long* insertion_allowed) override;
  HRESULT OnMenuCommand(CComponent* component, IConsole* console, long command) override;
  HRESULT OnSetToolbar(CComponent* component, IControlbar* controlbar, BOOL scope,
                       BOOL select) override;
  HRESULT OnToolbarCommand(CComponent* component, IConsole* console, long command) override;

  std::unique_ptr<CRouteNode> CreateRuleNode(const std::wstring& display, const std::wstring& value,
                                             IArdentRulePtr rule) override;
  std::wstring GetValueColumnTitle() override;

 private:
  HRESULT OnNewRoute(CComponent* component, IConsole* console);
  HRESULT OnImport(CComponent* component, IConsole* console);
  HRESULT OnExport();

  pw::NodeTexts texts_;
};
