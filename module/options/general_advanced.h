// GeneralAdvanced: the "General" container of the static tree, with version information and
// the maker's web links.
#pragma once

#include <string>

#include "module/snapin/container_node.h"
#include "module/snapin/node_texts.h"

// Made by the root with the static tree and destroyed with it.
class GeneralAdvanced : public CContainerNode {
 public:
  explicit GeneralAdvanced(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;
  HRESULT OnExpand(IConsoleNameSpace* name_space, IConsole* console, HSCOPEITEM parent,
                   BOOL expanding) override;

 private:
  pw::NodeTexts texts_;
};
