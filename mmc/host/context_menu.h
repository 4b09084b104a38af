// ContextMenuCallback: collects the items a snap-in adds to a context menu, checking them as
// the console does.
#pragma once

#include <set>
#include <vector>

#include "mmc/host/console_state.h"
#include "mmc/mmc.h"
#include "platform/com/com_ptr.h"

namespace pw::mmc {

// Lives for one AddMenuItems call (the snap-in may keep it; after Close it refuses items).
// `allowed` holds the CCM_INSERTIONALLOWED_ flags: items for the primary insertion points
// that are not allowed are refused with E_INVALIDARG, as are command ids with bits in the
// reserved top half, items without a name, and insertion points that nobody created.
class ContextMenuCallback final : public ComObject<IContextMenuCallback> {
 public:
  explicit ContextMenuCallback(LONG allowed) : allowed_(allowed) {}

  void Close() { closed_ = true; }
  std::vector<MenuItem>& items() { return items_; }

  HRESULT AddItem(CONTEXTMENUITEM* item) override;

 private:
  bool InsertionPointAllowed(LONG insertion_point) const;

  LONG allowed_;
  bool closed_ = false;
  std::vector<MenuItem> items_;
  std::set<LONG> created_points_;  // submenus and insertion points the snap-in added
};

}  // namespace pw::mmc
