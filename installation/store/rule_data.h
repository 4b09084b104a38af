// A rule as the store keeps it in memory: type, identity, typed fields and users, with the
// conversions between field values and VARIANTs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/variant.h"

namespace pw::store {

inline constexpr std::wstring_view kObjectIdField = L"ObjectID";
inline constexpr std::wstring_view kObjectValueField = L"ObjectValue";
inline constexpr std::wstring_view kObjectDisplayField = L"ObjectDisplay";
// The tag of a printer record passed by reference.
inline constexpr VARTYPE kRecordType = VT_BYREF | VT_PTR;

// One field's value. Numbers keep their tag: a VT_UI4 5 is not a VT_I4 5.
struct FieldValue {
  VARTYPE vt = VT_EMPTY;
  std::wstring text;        // VT_BSTR
  std::int64_t number = 0;  // VT_I4, VT_UI4, and VT_BOOL as 0 or 1
  std::string bytes;        // the printer record of a kRecordType field

  friend bool operator==(const FieldValue&, const FieldValue&) = default;
};

// The value that a VARIANT given to the store stands for: E_POINTER for a record pointer that
// is null, DISP_E_BADVARTYPE for a tag that the store does not keep. VT_EMPTY is accepted
// (it removes a field).
[[nodiscard]] HRESULT FieldValueFromVariant(const VARIANT& variant, FieldValue* value);
// The VARIANT handed out for a value; a record points at `record_block`, which the caller has
// filled with the record's bytes.
VARIANT VariantFromFieldValue(const FieldValue& value, void* record_block);
// The value as text, as a caller that reads every field as a string sees it.
std::wstring FieldText(const FieldValue& value);

struct Field {
  std::wstring name;
  FieldValue value;

  friend bool operator==(const Field&, const Field&) = default;
};

struct RuleData {
  std::int64_t id = 0;  // 0 until the rule is first saved
  std::wstring type;
  std::vector<Field> fields;        // in the order they were first set
  std::vector<std::wstring> users;  // in the order they were added

  // Field names and user identifiers compare without regard to case.
  const FieldValue* FindField(std::wstring_view name) const;
  // Sets a field, or removes it for VT_EMPTY.
  void SetField(std::wstring_view name, FieldValue value);
  // False when the user was already there / was not there.
  bool AddUser(std::wstring_view user);
  bool RemoveUser(std::wstring_view user);

  // The text of a field, empty when the field is not set.
  std::wstring FieldTextOf(std::wstring_view name) const;

  friend bool operator==(const RuleData&, const RuleData&) = default;
};

// The form in which the store compares values, display texts and users without regard to
// case. SQLite's NOCASE folds only ASCII letters, so the store keeps these keys itself.
std::wstring FoldKey(std::wstring_view text);

// "ObjectID" values are the decimal text of a positive rule number.
std::wstring ObjectIdText(std::int64_t id);
std::optional<std::int64_t> ParseObjectId(std::wstring_view text);

}  // namespace pw::store
