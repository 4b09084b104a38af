// Rule data and field value conversions.
#include "installation/store/rule_data.h"

#include <algorithm>

#include "installation/interfaces/ardent_db.h"
#include "platform/com/strings.h"

namespace pw::store {

HRESULT FieldValueFromVariant(const VARIANT& variant, FieldValue* value) {
  FieldValue result;
  result.vt = variant.vt();
  switch (variant.vt()) {
    case VT_EMPTY:
      break;
    case VT_BSTR:
      result.text = variant.bstrVal();
      break;
    case VT_I4:
      result.number = variant.lVal();
      break;
    case VT_UI4:
      result.number = variant.ulVal();
      break;
    case VT_BOOL:
      result.number = variant.boolVal() != VARIANT_FALSE ? 1 : 0;
      break;
    case kRecordType: {
      const void* block = variant.byref();
      if (block == nullptr) return E_POINTER;
      result.bytes.assign(static_cast<const char*>(block), ARDENTDB_PRINTER_RECORD_SIZE);
      break;
    }
    default:
      return DISP_E_BADVARTYPE;
  }
  *value = std::move(result);
  return S_OK;
}

VARIANT VariantFromFieldValue(const FieldValue& value, void* record_block) {
  switch (value.vt) {
    case VT_BSTR:
      return VARIANT::FromBstr(value.text);
    case VT_I4:
      return VARIANT::FromI4(static_cast<LONG>(value.number));
    case VT_UI4:
      return VARIANT::FromUI4(static_cast<ULONG>(value.number));
    case VT_BOOL:
      return VARIANT::FromBool(value.number != 0);
    case kRecordType:
      return VARIANT::FromPointer(record_block);
    default:
      return VARIANT();
  }
}

std::wstring FieldText(const FieldValue& value) {
  // A record has no text form; its pointer is not a value.
  if (value.vt == kRecordType) return {};
  return VariantFromFieldValue(value, nullptr).ToString();
}

const FieldValue* RuleData::FindField(std::wstring_view name) const {
  for (const Field& field : fields) {
    if (EqualsIgnoreCase(field.name, name)) return &field.value;
  }
  return nullptr;
}

void RuleData::SetField(std::wstring_view name, FieldValue value) {
  const auto found = std::find_if(fields.begin(), fields.end(), [&](const Field& field) {
    return EqualsIgnoreCase(field.name, name);
  });
  if (value.vt == VT_EMPTY) {
    if (found != fields.end()) fields.erase(found);
  } else if (found != fields.end()) {
    found->value = std::move(value);
  } else {
    fields.push_back(Field{std::wstring(name), std::move(value)});
  }
}

bool RuleData::AddUser(std::wstring_view user) {
  for (const std::wstring& existing : users) {
    if (EqualsIgnoreCase(existing, user)) return false;
  }
  users.emplace_back(user);
  return true;
}

bool RuleData::RemoveUser(std::wstring_view user) {
  const auto found = std::find_if(users.begin(), users.end(), [&](const std::wstring& existing) {
    return EqualsIgnoreCase(existing, user);
  });
  if (found == users.end()) return false;
  users.erase(found);
  return true;
}

std::wstring RuleData::FieldTextOf(std::wstring_view name) const {
  const FieldValue* value = FindField(name);
  return value != nullptr ? FieldText(*value) : std::wstring();
}

std::wstring FoldKey(std::wstring_view text) { return ToUpper(text); }

std::wstring ObjectIdText(std::int64_t id) { return std::to_wstring(id); }

std::optional<std::int64_t> ParseObjectId(std::wstring_view text) {
  if (text.empty() || text.size() > 18) return std::nullopt;
  std::int64_t id = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    id = id * 10 + (c - L'0');
  }
  if (id <= 0) return std::nullopt;
  return id;
}

}  // namespace pw::store
