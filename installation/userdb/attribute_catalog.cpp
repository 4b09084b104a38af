// The attribute catalogue and the conversion of written values.
#include "installation/userdb/attribute_catalog.h"

#include <iterator>

#include "platform/com/strings.h"

namespace pw::userdb {
namespace {

using enum AttributeKind;

// Every attribute that the console reads or writes in any directory mode, so that a console
// working on the own database finds each one with its type.
constexpr AttributeInfo kAttributes[] = {
    {L"cn", kText},
    {L"displayName", kText},
    {L"mail", kText, UniqueKind::kAddress},
    {L"givenName", kText},
    {L"sn", kText},
    {L"initials", kText},
    {L"description", kText},
    {L"physicalDeliveryOfficeName", kText},
    {L"telephoneNumber", kText},
    {L"wWWHomePage", kText},
    {L"uid", kText},
    {L"streetAddress", kText},
    {L"postalAddress", kText},
    {L"l", kText},
    {L"st", kText},
    {L"postalCode", kText},
    {L"co", kText},
    {L"postOfficeBox", kText},
    {L"title", kText},
    {L"department", kText},
    {L"company", kText},
    {L"homePhone", kText},
    {L"pager", kText},
    {L"mobile", kText},
    {L"facsimileTelephoneNumber", kText},
    {L"ipPhone", kText},
    {L"info", kText},
    {L"Computer-Name", kText},
    {L"secretary", kText},
    {L"manager", kText},
    {L"ardentWindowsAccount", kText, UniqueKind::kLogin},
    {L"ardentInternetMail", kText},
    {L"ardentCustomFlags", kInteger},
    {L"proxyAddresses", kTextList, UniqueKind::kAddress, L':'},
    {L"otherMailbox", kTextList, UniqueKind::kAddress, L'$'},
    {L"ObjectClass", kComputed},
    {L"distinguishedName", kComputed},
    {L"member", kComputed},
    {L"memberOf", kComputed},
};

}  // namespace

const AttributeInfo* FindAttribute(std::wstring_view name) {
  for (const AttributeInfo& info : kAttributes) {
    if (EqualsIgnoreCase(info.name, name)) return &info;
  }
  return nullptr;
}

std::vector<const AttributeInfo*> UniqueAttributes() {
  std::vector<const AttributeInfo*> result;
  for (const AttributeInfo& info : kAttributes) {
    if (info.unique != UniqueKind::kNone) result.push_back(&info);
  }
  return result;
}

HRESULT NormalizeValue(const AttributeInfo& info, const VARIANT& value, VARIANT* normalized) {
  *normalized = VARIANT();
  if (value.IsEmpty()) return S_OK;
  switch (info.kind) {
    case kText: {
      VARIANT text;
      const HRESULT hr = value.ChangeType(VT_BSTR, &text);
      if (FAILED(hr)) return hr;
      if (!text.bstrVal().empty()) *normalized = std::move(text);
      return S_OK;
    }
    case kInteger:
      return value.ChangeType(VT_I4, normalized);
    case kTextList: {
      std::vector<VARIANT> given;
      if (value.vt() == (VT_ARRAY | VT_VARIANT)) {
        given = value.Array();
      } else {
        given.push_back(value);
      }
      std::vector<VARIANT> kept;
      for (const VARIANT& item : given) {
        VARIANT text;
        const HRESULT hr = item.ChangeType(VT_BSTR, &text);
        if (FAILED(hr)) return hr;
        if (text.bstrVal().empty()) continue;
        bool repeated = false;
        for (const VARIANT& earlier : kept) {
          repeated = repeated || EqualsIgnoreCase(earlier.bstrVal(), text.bstrVal());
        }
        if (!repeated) kept.push_back(std::move(text));
      }
      if (!kept.empty()) *normalized = VARIANT::FromArray(std::move(kept));
      return S_OK;
    }
    case kComputed:
      break;
  }
  return E_UNEXPECTED;
}

std::wstring UniqueKey(const AttributeInfo& info, std::wstring_view value) {
  if (info.unique == UniqueKind::kAddress && info.address_prefix_end != 0) {
    const std::size_t end = value.find(info.address_prefix_end);
    if (end != std::wstring_view::npos) value.remove_prefix(end + 1);
  }
  return ToUpper(Trim(value));
}

}  // namespace pw::userdb
