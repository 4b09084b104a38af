// The user database's objects in an LDAP directory.
#include "installation/userdb/directory_objects.h"

#include <charconv>
#include <limits>

#include "installation/interfaces/ardent_userdb.h"
#include "installation/userdb/attribute_catalog.h"
#include "platform/com/strings.h"

namespace pw::userdb {
namespace {

// Every stored attribute, and the two operational ones that may carry the identity.
const std::vector<std::string> kObjectNames = {"*", "objectGUID", "entryUUID"};
const std::vector<std::string> kIdentityNames = {"objectClass", "objectGUID", "entryUUID"};

HRESULT Text(std::string_view bytes, std::wstring* text) {
  if (!IsUtf8(bytes)) return UDB_E_BADDIRECTORYVALUE;
  *text = FromUtf8(bytes);
  return S_OK;
}

std::vector<std::wstring> Classes(const DirectoryEntry& entry) {
  std::vector<std::wstring> classes;
  if (const std::vector<std::string>* values = entry.Find("objectClass")) {
    for (const std::string& value : *values) classes.push_back(FromUtf8(value));
  }
  return classes;
}

// The entry as one of our objects: `made` false when it is none (no type of ours).
HRESULT MakeObject(DirectoryKind kind, DirectoryEntry entry, DirectoryObject* object, bool* made) {
  *made = false;
  std::wstring type = ObjectTypeOfClasses(Classes(entry));
  if (type.empty()) return S_OK;
  std::wstring identity;
  const HRESULT hr = IdentityOfEntry(kind, entry, &identity);
  if (FAILED(hr)) return hr;
  object->identity = std::move(identity);
  object->type = std::move(type);
  object->entry = std::move(entry);
  *made = true;
  return S_OK;
}

// The first entry that is an object and passes `accept`; a bad entry's failure is answered
// only when no good one follows.
template <typename Accept>
HRESULT FirstObject(DirectoryKind kind, std::vector<DirectoryEntry>& entries, Accept&& accept,
                    DirectoryObject* object, bool* found) {
  HRESULT failure = S_OK;
  for (DirectoryEntry& entry : entries) {
    DirectoryObject candidate;
    bool made = false;
    const HRESULT hr = MakeObject(kind, std::move(entry), &candidate, &made);
    if (FAILED(hr)) {
      if (SUCCEEDED(failure)) failure = hr;
      continue;
    }
    if (made && accept(candidate)) {
      *object = std::move(candidate);
      *found = true;
      return S_OK;
    }
  }
  return failure;
}

bool HasAddress(const DirectoryObject& object, std::wstring_view address) {
  const std::wstring key = ToUpper(Trim(address));
  for (const AttributeInfo* info : UniqueAttributes()) {
    if (info->unique != UniqueKind::kAddress) continue;
    const std::vector<std::string>* values = object.entry.Find(ToUtf8(info->name));
    if (values == nullptr) continue;
    for (const std::string& value : *values) {
      if (IsUtf8(value) && UniqueKey(*info, FromUtf8(value)) == key) return true;
    }
  }
  return false;
}

std::string And(const std::string& classes, const std::string& term) {
  return "(&" + classes + term + ")";
}

VARIANT TextArray(std::vector<std::wstring> texts) {
  if (texts.empty()) return VARIANT();
  std::vector<VARIANT> items;
  for (const std::wstring& text : texts) items.push_back(VARIANT::FromBstr(text));
  return VARIANT::FromArray(std::move(items));
}

}  // namespace

HRESULT IdentityOfEntry(DirectoryKind kind, const DirectoryEntry& entry, std::wstring* identity) {
  identity->clear();
  if (kind == DirectoryKind::kExchange55) {
    return Text(entry.dn, identity);
  }
  if (const std::vector<std::string>* values = entry.Find("objectGUID")) {
    const std::optional<GUID> guid =
        values->size() == 1 ? GuidFromObjectGuid(values->front()) : std::nullopt;
    if (!guid) return UDB_E_BADDIRECTORYVALUE;
    *identity = GuidToString(*guid);
    return S_OK;
  }
  if (const std::vector<std::string>* values = entry.Find("entryUUID")) {
    const std::optional<GUID> guid =
        values->size() == 1 ? GuidFromEntryUuid(values->front()) : std::nullopt;
    if (!guid) return UDB_E_BADDIRECTORYVALUE;
    *identity = GuidToString(*guid);
    return S_OK;
  }
  return UDB_E_BADDIRECTORYVALUE;
}

HRESULT FindDirectoryObject(DirectorySession& session, LONG search_type, std::wstring_view text,
                            DirectoryObject* object, bool* found) {
  *found = false;
  const DirectoryKind kind = session.kind();
  text = Trim(text);
  const std::string classes = ObjectClassFilter(L"");
  const std::string value = EscapeFilterValue(ToUtf8(text));
  const auto any = [](const DirectoryObject&) { return true; };
  std::vector<DirectoryEntry> entries;
  HRESULT hr = S_OK;

  if (search_type == udbSearchDN ||
      (search_type == udbSearchDefault && kind == DirectoryKind::kExchange55)) {
    entries.emplace_back();
    bool read = false;
    hr = session.Read(ToUtf8(text), classes, kObjectNames, &entries.back(), &read);
    if (FAILED(hr) || !read) return hr;
    return FirstObject(kind, entries, any, object, found);
  }
  switch (search_type) {
    case udbSearchDefault: {
      const std::optional<GUID> guid = ParseGuid(text);
      if (!guid) return S_OK;
      hr = session.Search(And(classes, "(|(objectGUID=" + ObjectGuidFilterValue(*guid) +
                                           ")(entryUUID=" + EntryUuidText(*guid) + "))"),
                          kObjectNames, &entries);
      if (FAILED(hr)) return hr;
      const std::wstring wanted = GuidToString(*guid);
      return FirstObject(
          kind, entries,
          [&](const DirectoryObject& candidate) { return candidate.identity == wanted; }, object,
          found);
    }
    case udbSearchMail:
      hr = session.Search(And(classes, "(|(mail=" + value + ")(proxyAddresses=*:" + value +
                                           ")(otherMailbox=*$" + value + "))"),
                          kObjectNames, &entries);
      if (FAILED(hr)) return hr;
      // The server's matching rules are its own: the address rules are ours.
      return FirstObject(
          kind, entries,
          [&](const DirectoryObject& candidate) { return HasAddress(candidate, text); }, object,
          found);
    case udbSearchLogin: {
      if (AccountOfLogin(text).empty()) return S_OK;
      const std::string account = EscapeFilterValue(ToUtf8(AccountOfLogin(text)));
      hr = session.Search(
          And(classes, std::string("(") + LoginAttribute(kind) + "=" + account + ")"), kObjectNames,
          &entries);
      if (FAILED(hr)) return hr;
      return FirstObject(kind, entries, any, object, found);
    }
    default:
      return E_INVALIDARG;
  }
}

HRESULT ListDirectoryObjects(DirectorySession& session, std::wstring_view type,
                             std::vector<std::wstring>* identities) {
  identities->clear();
  std::vector<DirectoryEntry> entries;
  const HRESULT hr = session.Search(ObjectClassFilter(type), kIdentityNames, &entries);
  if (FAILED(hr)) return hr;
  for (DirectoryEntry& entry : entries) {
    DirectoryObject object;
    bool made = false;
    if (FAILED(MakeObject(session.kind(), std::move(entry), &object, &made)) || !made) continue;
    if (type.empty() || object.type == type) identities->push_back(std::move(object.identity));
  }
  return S_OK;
}

HRESULT DirectoryMembers(DirectorySession& session, const DirectoryObject& group,
                         std::vector<std::wstring>* identities) {
  identities->clear();
  const std::vector<std::string>* members = group.entry.Find("member");
  if (members == nullptr) return S_OK;
  const std::string classes = ObjectClassFilter(L"");
  for (const std::string& dn : *members) {
    DirectoryEntry entry;
    bool read = false;
    const HRESULT hr = session.Read(dn, classes, kIdentityNames, &entry, &read);
    if (FAILED(hr)) return hr;
    if (!read) continue;
    DirectoryObject member;
    bool made = false;
    // A member that is no object of ours (or has no identity) is not listed.
    if (SUCCEEDED(MakeObject(session.kind(), std::move(entry), &member, &made)) && made) {
      identities->push_back(std::move(member.identity));
    }
  }
  return S_OK;
}

HRESULT DirectoryGroups(DirectorySession& session, const DirectoryObject& object,
                        std::vector<std::wstring>* identities) {
  identities->clear();
  std::vector<DirectoryEntry> entries;
  const HRESULT hr = session.Search(
      And(ObjectClassFilter(L"group"), "(member=" + EscapeFilterValue(object.entry.dn) + ")"),
      kIdentityNames, &entries);
  if (FAILED(hr)) return hr;
  for (DirectoryEntry& entry : entries) {
    DirectoryObject group;
    bool made = false;
    if (SUCCEEDED(MakeObject(session.kind(), std::move(entry), &group, &made)) && made &&
        group.type == L"group") {
      identities->push_back(std::move(group.identity));
    }
  }
  return S_OK;
}

std::wstring DirectoryDisplayName(DirectoryKind kind, const DirectoryObject& object) {
  for (const char* name : {"displayName", "cn", "mail", LoginAttribute(kind)}) {
    const std::vector<std::string>* values = object.entry.Find(name);
    if (values == nullptr) continue;
    for (const std::string& value : *values) {
      if (!value.empty() && IsUtf8(value)) return FromUtf8(value);
    }
  }
  return object.identity;
}

HRESULT DirectoryAttribute(DirectoryKind kind, const DirectoryObject& object,
                           std::wstring_view name, VARIANT* value) {
  *value = VARIANT();
  const AttributeInfo* info = FindAttribute(name);
  if (info == nullptr) return UDB_E_UNKNOWNATTRIBUTE;
  const std::wstring_view canonical = info->name;
  if (canonical == L"distinguishedName") {
    std::wstring dn;
    const HRESULT hr = Text(object.entry.dn, &dn);
    if (SUCCEEDED(hr)) *value = VARIANT::FromBstr(dn);
    return hr;
  }
  if (canonical == L"member" || canonical == L"memberOf") return E_UNEXPECTED;
  const std::string source = canonical == L"ardentWindowsAccount" ? LoginAttribute(kind)
                             : canonical == L"ObjectClass"        ? "objectClass"
                                                                  : ToUtf8(canonical);
  const std::vector<std::string>* values = object.entry.Find(source);
  // Standard LDAP schemas name the street "street", with "streetAddress" as its second name,
  // which servers do not use in their answers.
  if (values == nullptr && canonical == L"streetAddress") values = object.entry.Find("street");
  if (values == nullptr || values->empty()) return S_OK;
  switch (info->kind) {
    case AttributeKind::kText: {
      std::wstring text;
      const HRESULT hr = Text(values->front(), &text);
      if (SUCCEEDED(hr) && !text.empty()) *value = VARIANT::FromBstr(text);
      return hr;
    }
    case AttributeKind::kInteger: {
      const std::string& text = values->front();
      long long number = 0;
      const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
      if (error != std::errc() || end != text.data() + text.size() ||
          number < std::numeric_limits<std::int32_t>::min() ||
          number > std::numeric_limits<std::uint32_t>::max()) {
        return UDB_E_BADDIRECTORYVALUE;
      }
      // Directories keep flags as signed or unsigned decimal text; both are the same 32 bits.
      *value = VARIANT::FromI4(static_cast<LONG>(static_cast<std::uint32_t>(number)));
      return S_OK;
    }
    case AttributeKind::kTextList:
    case AttributeKind::kComputed: {
      std::vector<std::wstring> texts;
      for (const std::string& item : *values) {
        std::wstring text;
        const HRESULT hr = Text(item, &text);
        if (FAILED(hr)) return hr;
        if (!text.empty()) texts.push_back(std::move(text));
      }
      *value = TextArray(std::move(texts));
      return S_OK;
    }
  }
  return E_UNEXPECTED;
}

}  // namespace pw::userdb
