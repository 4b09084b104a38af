// CFAXServerSettings: the launcher node's name, description, image and node type.
#include "module/options/fax_server_settings.h"

CFAXServerSettings::CFAXServerSettings(CDelegationBase* owner, const LauncherRow& row)
    : CDelegationBase(owner), row_(row), texts_(row.name_id, row.description_id) {}

std::wstring CFAXServerSettings::GetDisplayName(int column) { return texts_.Column(column); }

GUID CFAXServerSettings::GetNodeType() { return row_.node_type; }

int CFAXServerSettings::GetBitmapIndex(BOOL) { return row_.image; }

HRESULT CFAXServerSettings::SetComponentData(CComponentData* component_data) {
  component_data_ = component_data;
  return S_OK;
}
