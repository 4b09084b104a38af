// CRoutesDTMF: the "DTMF/DID" route list under "Routing".
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "module/routing/dtmf_ranges.h"
#include "module/routing/routing_delegation_base.h"
#include "module/snapin/node_texts.h"

// Lists the routes chosen by the dialled extension (DTMF digits or DID number), adds many of
// them at once from a list of numbers and ranges, and imports and exports them through the
// installation's route files. Made by its parent with the static tree and destroyed with it.
class CRoutesDTMF : public CRoutingDelegationBase {
 public:
  // Commands of the context menu, and the toolbar's "New" button.
  static constexpr long kNewCommand = 1;
  static constexpr long kImportCommand = 2;
  static constexpr long kExportCommand = 3;
  static constexpr long kNewButton = 32777;

  explicit CRoutesDTMF(CDelegationBase* owner);

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
  HRESULT OnNewRoutes(CComponent* component, IConsole* console);
  // Stores one route per text of the entries inside one bulk update of the store; the added
  // items are appended to the children, the texts the store already had are collected.
  void AddRoutes(const std::vector<pw::DtmfEntry>& entries, const pw::DtmfFormat& format,
                 std::vector<CRouteNode*>* added, std::vector<std::wstring>* duplicates);
  // Selects, in every view, the rows of the existing routes that `duplicates` name.
  void SelectExisting(IConsole* console, const std::vector<std::wstring>& duplicates);

  pw::NodeTexts texts_;
};
