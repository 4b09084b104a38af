// Group membership of registered objects, asked of the user utility library that is installed
// beside the snap-in module.
#pragma once

#include <string>
#include <vector>

#include "installation/interfaces/userutil.h"

namespace pw {

// S_OK when `identity` already belongs to `list_rule` through a registered group, S_FALSE when
// not; the library's failure, or E_FAIL when the library is missing.
HRESULT IsListMemberThroughGroups(const std::wstring& identity, IArdentRULEDB* rules,
                                  IArdentUserLocator* users, DWORD directory_mode,
                                  const std::wstring& list_rule);

// The names of the registered groups through which `identity` belongs to `list_rule`, in the
// library's order; its failure (or E_FAIL without the library) otherwise.
HRESULT ListGroupsOfMember(const std::wstring& list_rule, IArdentRULEDB* rules,
                           IArdentUserLocator* users, const std::wstring& identity,
                           std::vector<std::wstring>* groups);

}  // namespace pw
