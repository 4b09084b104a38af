// ContextMenuCallback.
#include "mmc/host/context_menu.h"

namespace pw::mmc {
namespace {

// MF_SEPARATOR of a menu item's flags, as Windows defines it.
constexpr LONG kSeparatorFlag = 0x0800;

}  // namespace

bool ContextMenuCallback::InsertionPointAllowed(LONG insertion_point) const {
  switch (insertion_point) {
    case 0:
    case CCM_INSERTIONPOINTID_PRIMARY_TOP:
      return (allowed_ & CCM_INSERTIONALLOWED_TOP) != 0;
    case CCM_INSERTIONPOINTID_PRIMARY_NEW:
      return (allowed_ & CCM_INSERTIONALLOWED_NEW) != 0;
    case CCM_INSERTIONPOINTID_PRIMARY_TASK:
      return (allowed_ & CCM_INSERTIONALLOWED_TASK) != 0;
    case CCM_INSERTIONPOINTID_PRIMARY_VIEW:
      return (allowed_ & CCM_INSERTIONALLOWED_VIEW) != 0;
    default:
      return created_points_.count(insertion_point) != 0;
  }
}

HRESULT ContextMenuCallback::AddItem(CONTEXTMENUITEM* item) {
  if (item == nullptr) return E_POINTER;
  if (closed_) return E_UNEXPECTED;
  const bool separator =
      (item->fSpecialFlags & CCM_SPECIAL_SEPARATOR) != 0 || (item->fFlags & kSeparatorFlag) != 0;
  const bool creates_point =
      (item->fSpecialFlags & (CCM_SPECIAL_SUBMENU | CCM_SPECIAL_INSERTION_POINT)) != 0;
  if (!InsertionPointAllowed(item->lInsertionPointID)) return E_INVALIDARG;
  if (!separator && !creates_point && (item->lCommandID & CCM_COMMANDID_MASK_RESERVED) != 0) {
    return E_INVALIDARG;
  }
  if (!separator && (item->fSpecialFlags & CCM_SPECIAL_INSERTION_POINT) == 0 &&
      (item->strName == nullptr || item->strName[0] == L'\0')) {
    return E_INVALIDARG;
  }
  MenuItem added;
  if (item->strName != nullptr) added.name = item->strName;
  if (item->strStatusBarText != nullptr) added.status_text = item->strStatusBarText;
  added.command_id = item->lCommandID;
  added.insertion_point = item->lInsertionPointID;
  added.flags = item->fFlags;
  added.special_flags = item->fSpecialFlags;
  if (creates_point) created_points_.insert(item->lCommandID);
  items_.push_back(std::move(added));
  return S_OK;
}

}  // namespace pw::mmc
