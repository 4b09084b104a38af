// CFAXServerSettings: a launcher node, one settings group that a configuration program of the
// server edits.
#pragma once

#include <string>

#include "module/options/launcher_rows.h"
#include "module/snapin/delegation_base.h"
#include "module/snapin/node_texts.h"

// Its row (image, texts, program, arguments, message, node type) is fixed by the container that
// makes it. Made with the static tree and destroyed with it.
class CFAXServerSettings : public CDelegationBase {
 public:
  CFAXServerSettings(CDelegationBase* owner, const LauncherRow& row);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;
  HRESULT SetComponentData(CComponentData* component_data) override;

  const LauncherRow& row() const { return row_; }
  CComponentData* component_data() const { return component_data_; }

 private:
  LauncherRow row_;
  CComponentData* component_data_ = nullptr;
  pw::NodeTexts texts_;
};
