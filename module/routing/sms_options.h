// CSMSOptions: the "SMS" container of the static tree, with SMS routing and the SMS users.
#pragma once

#include <string>

#include "module/snapin/container_node.h"
#include "module/snapin/node_texts.h"

// Its own settings are edited by the gateway configuration program. Made by the root with the
// static tree and destroyed with it.
class CSMSOptions : public CContainerNode {
 public:
  explicit CSMSOptions(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

 private:
  pw::NodeTexts texts_;
};
