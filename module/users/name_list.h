// The name lists of the user lists' summary messages.
#pragma once

#include <string>
#include <vector>

namespace pw {

// The names joined by ", ", at most ten of them, then ", ..." when more remain.
std::wstring JoinNameList(const std::vector<std::wstring>& names);

}  // namespace pw
