// The attributes that the user database keeps: their names, their types and which of them
// must be unique among all objects.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/com/variant.h"

namespace pw::userdb {

enum class AttributeKind {
  kText,      // one VT_BSTR
  kInteger,   // one VT_I4
  kTextList,  // VT_ARRAY|VT_VARIANT of VT_BSTR
  kComputed,  // made by the database from the object itself; cannot be set
};

// What an attribute's values contribute to the uniqueness checks.
enum class UniqueKind {
  kNone,
  kLogin,    // the whole value is a login
  kAddress,  // the value is an address, after `address_prefix_end` when that occurs in it
};

struct AttributeInfo {
  const wchar_t* name;
  AttributeKind kind;
  UniqueKind unique = UniqueKind::kNone;
  // The character that ends a type prefix ("SMTP:", "Pagewell$"); 0 for none.
  wchar_t address_prefix_end = 0;
};

// The attribute of that name, ignoring case; null for a name the database does not know.
const AttributeInfo* FindAttribute(std::wstring_view name);
// Every attribute whose values take part in the uniqueness checks.
std::vector<const AttributeInfo*> UniqueAttributes();

// The value `value` given for `info` in the form the database keeps: VT_EMPTY when the
// attribute is to be removed, else the attribute's type. DISP_E_TYPEMISMATCH (or the
// conversion's own code) for a value that does not fit.
[[nodiscard]] HRESULT NormalizeValue(const AttributeInfo& info, const VARIANT& value,
                                     VARIANT* normalized);

// The uniqueness key of one value of `info`, folded to capitals; empty when the value has
// none.
std::wstring UniqueKey(const AttributeInfo& info, std::wstring_view value);

}  // namespace pw::userdb
