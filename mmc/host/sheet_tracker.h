// SheetTracker: the property sheets a console has open, by the item each belongs to, so that
// a second request for an item's properties brings its sheet to the front.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "mmc/host/console_ui.h"
#include "mmc/mmc.h"
#include "platform/com/com_ptr.h"

namespace pw::mmc {

struct OpenSheet {
  SheetId id = 0;
  std::wstring title;
  MMC_COOKIE cookie = 0;
  bool scope = false;  // made by the component data for a scope item
  ComPtr<IDataObject> data_object;
};

// Owned by the console. Sheets are added when shown and removed when the window layer reports
// them closed.
class SheetTracker {
 public:
  void Add(OpenSheet sheet) { sheets_.push_back(std::move(sheet)); }
  void Remove(SheetId id);
  // The open sheet of the item: the snap-in decides with CompareObjects (of `component` for a
  // result item, of `component_data` for a scope item) when a data object is given, else the
  // cookies must be equal. The snap-in is called with a copy of the list, so it may
  // open or close sheets meanwhile.
  std::optional<OpenSheet> Find(MMC_COOKIE cookie, IDataObject* data_object, IComponent* component,
                                IComponentData* component_data) const;
  const std::vector<OpenSheet>& sheets() const { return sheets_; }
  bool empty() const { return sheets_.empty(); }
  void Clear() { sheets_.clear(); }

 private:
  std::vector<OpenSheet> sheets_;
};

}  // namespace pw::mmc
