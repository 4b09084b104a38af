// JoinNameList: a message's list of names, cut after the tenth.
#include "module/users/name_list.h"

namespace {
// A message box stays readable with this many names.
constexpr std::size_t kMaxListedNames = 10;
}  // namespace

namespace pw {

std::wstring JoinNameList(const std::vector<std::wstring>& names) {
  std::wstring joined;
  for (std::size_t i = 0; i < names.size() && i < kMaxListedNames; ++i) {
    if (i != 0) joined += L", ";
    joined += names[i];
  }
  if (names.size() > kMaxListedNames) joined += L", ...";
  return joined;
}

}  // namespace pw
