// SheetTracker.
#include "mmc/host/sheet_tracker.h"

namespace pw::mmc {

void SheetTracker::Remove(SheetId id) {
  std::erase_if(sheets_, [id](const OpenSheet& sheet) { return sheet.id == id; });
}

std::optional<OpenSheet> SheetTracker::Find(MMC_COOKIE cookie, IDataObject* data_object,
                                            IComponent* component,
                                            IComponentData* component_data) const {
  const bool scope = component == nullptr;
  const std::vector<OpenSheet> open = sheets_;
  for (const OpenSheet& sheet : open) {
    if (sheet.scope != scope) continue;
    if (data_object == nullptr || !sheet.data_object) {
      if (sheet.cookie == cookie) return sheet;
      continue;
    }
    HRESULT same = S_FALSE;
    if (component != nullptr) {
      same = component->CompareObjects(sheet.data_object.Get(), data_object);
    } else if (component_data != nullptr) {
      same = component_data->CompareObjects(sheet.data_object.Get(), data_object);
    }
    if (same == S_OK) return sheet;
  }
  return std::nullopt;
}

}  // namespace pw::mmc
