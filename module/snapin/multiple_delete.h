// The summary of deleting several selected items at once, from the answers of their OnDelete.
#pragma once

#include <vector>

#include "module/resources/component.h"
#include "platform/com/hresult.h"
#include "platform/ui/ui_constants.h"

// What OnDelete answers within a multiple delete, beside S_OK and failures.
inline constexpr HRESULT kDeleteKeptSheetOpen = 1;
inline constexpr HRESULT kDeleteKeptLastUser = 2;
inline constexpr HRESULT kDeleteKeptLastGroup = 3;

struct DeleteSummaryMessage {
  UINT text_id;
  UINT icon;
};

// The messages to show, in order: the internal-error one when any item failed, then at most
// one for the items that were kept.
inline std::vector<DeleteSummaryMessage> SummariseMultipleDelete(
    const std::vector<HRESULT>& answers) {
  bool failed = false, sheet_open = false, last_user = false, last_group = false;
  for (const HRESULT answer : answers) {
    failed |= FAILED(answer);
    sheet_open |= answer == kDeleteKeptSheetOpen;
    last_user |= answer == kDeleteKeptLastUser;
    last_group |= answer == kDeleteKeptLastGroup;
  }
  std::vector<DeleteSummaryMessage> messages;
  if (failed) messages.push_back({IDS_DELETE_INTERNAL_ERROR, MB_ICONERROR});
  if (sheet_open && last_user) {
    messages.push_back({IDS_UNREGISTER_SHEETS_LAST_USER, MB_ICONINFORMATION});
  } else if (sheet_open && last_group) {
    messages.push_back({IDS_UNREGISTER_SHEETS_LAST_GROUP, MB_ICONINFORMATION});
  } else if (sheet_open) {
    messages.push_back({IDS_DELETE_SHEETS_OPEN, MB_ICONWARNING});
  } else if (last_user) {
    messages.push_back({IDS_UNREGISTER_LAST_USER, MB_ICONINFORMATION});
  } else if (last_group) {
    messages.push_back({IDS_UNREGISTER_LAST_GROUP, MB_ICONINFORMATION});
  }
  return messages;
}
