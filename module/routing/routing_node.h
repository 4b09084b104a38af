// CRoutingNode: the "Routing" container of the static tree, with the five route lists and the
// server-wide default routers and receive-all users.
#pragma once

#include <set>
#include <string>

#include "module/routing/page_users.h"
#include "module/snapin/container_node.h"
#include "module/snapin/node_texts.h"

// Owns the five route lists (CSID, DTMF/DID, OCR, line, MSN) and shows them as its result rows.
// Its own sheet edits two routing-wide user lists: the default routers ("defrouters", who get
// every fax no rule routed; at least one must stay) and the receive-all users ("cpyrouters").
// The store may hold several rules of each type; the node shows their union and an apply
// replaces them with one rule per type. Made by the root with the static tree and destroyed
// with it; its two pages live as long as the node and serve one sheet after the other.
class CRoutingNode : public CContainerNode {
 public:
  explicit CRoutingNode(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;
  HRESULT SetComponentData(CComponentData* component_data) override;
  HRESULT OnShow(CComponent* component, IConsole* console, CComponentData* component_data,
                 BOOL show, HSCOPEITEM item) override;
  HRESULT OnSelect(CComponent* component, IConsole* console, BOOL scope, BOOL select) override;
  HRESULT HasPropertySheets() override { return S_OK; }
  HRESULT CreatePropertyPages(CComponent* component, CComponentData* component_data,
                              IPropertySheetCallback* callback, LONG_PTR handle) override;
  HRESULT OnPropertyChange(CComponent* component, IConsole* console,
                           CComponentData* component_data) override;

 private:
  // The connection message of the directory mode; the routing sheet knows no "no server" case.
  UINT DirectoryErrorMessage() const;

  pw::NodeTexts texts_;
  CPageUsers default_routers_page_;
  CPageUsers receive_all_page_;
  std::set<std::wstring> default_routers_;
  std::set<std::wstring> receive_all_;
};
