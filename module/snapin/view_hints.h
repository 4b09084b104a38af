// The hints of IConsole::UpdateAllViews that the snap-in's lists and items send one another.
#pragma once

#include "platform/com/types.h"

// The list's number of rows changed: every view sets its item count afresh.
inline constexpr LONG_PTR kHintResetCount = 0;
// The row of the item passed as data is drawn again.
inline constexpr LONG_PTR kHintUpdateItem = 1003;
inline constexpr LONG_PTR kHintInsertItem = 1004;
inline constexpr LONG_PTR kHintDeleteItem = 1005;
// Row `data` (every row for -1) is selected or deselected.
inline constexpr LONG_PTR kHintSelectRow = 1007;
inline constexpr LONG_PTR kHintDeselectRow = 1008;
