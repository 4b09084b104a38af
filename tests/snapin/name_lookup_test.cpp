// CNameLookupInfo against a user database that answers from a table: search types per mode,
// attribute reads, object types, display texts, fallbacks and the process-wide cache.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "module/users/name_lookup_info.h"

namespace pw::test {
namespace {

using Attributes = std::map<std::wstring, VARIANT>;

VARIANT Texts(std::vector<std::wstring> texts) {
  std::vector<VARIANT> items;
  for (const std::wstring& text : texts) items.push_back(VARIANT::FromBstr(text));
  return VARIANT::FromArray(std::move(items));
}

class FakeUser final : public pw::ComObject<IArdentUser> {
 public:
  FakeUser(Attributes attributes, HRESULT open_result)
      : attributes_(std::move(attributes)), open_result_(open_result) {}

  HRESULT raw_OpenUserObject() override { return open_result_; }
  HRESULT raw_GetAttribute(LPCWSTR name, VARIANT* value) override {
    const auto found = attributes_.find(name);
    if (found == attributes_.end()) {
      *value = VARIANT();
      return S_OK;
    }
    *value = found->second;
    return S_OK;
  }
  HRESULT raw_SetAttribute(LPCWSTR, const VARIANT&) override { return E_NOTIMPL; }
  HRESULT raw_Save() override { return E_NOTIMPL; }
  HRESULT raw_GetIdentity(BSTR*) override { return E_NOTIMPL; }
  HRESULT raw_GetObjectType(BSTR*) override { return E_NOTIMPL; }
  HRESULT raw_AddMember(LPCWSTR) override { return E_NOTIMPL; }
  HRESULT raw_RemoveMember(LPCWSTR) override { return E_NOTIMPL; }
  HRESULT raw_EnumMembers(IArdentTextEnum**) override { return E_NOTIMPL; }
  HRESULT raw_EnumGroups(IArdentTextEnum**) override { return E_NOTIMPL; }

 private:
  Attributes attributes_;
  HRESULT open_result_;
};

// Answers FindUser from `objects`; records every search as "type:text".
class FakeLocator final : public pw::ComObject<IArdentUserLocator> {
 public:
  HRESULT raw_FindUser(LONG search_type, LPCWSTR text, IArdentUser** user) override {
    searches.push_back(std::to_wstring(search_type) + L":" + text);
    *user = nullptr;
    if (find_result != S_OK) return find_result;
    const auto found = objects.find(text);
    if (found == objects.end()) return S_FALSE;
    *user = pw::MakeComObject<FakeUser>(found->second, open_result).Detach();
    return S_OK;
  }
  HRESULT raw_GetDisplayName(LPCWSTR, BSTR*) override { return E_NOTIMPL; }
  HRESULT raw_CreateUser(LPCWSTR, IArdentUser**) override { return E_NOTIMPL; }
  HRESULT raw_EnumObjects(LPCWSTR, IArdentTextEnum**) override { return E_NOTIMPL; }

  std::map<std::wstring, Attributes> objects;
  std::vector<std::wstring> searches;
  HRESULT find_result = S_OK;
  HRESULT open_result = S_OK;
};

class NameLookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CNameLookupInfo::ClearCache();
    locator_ = pw::MakeComObject<FakeLocator>();
  }
  void TearDown() override { CNameLookupInfo::ClearCache(); }

  CNameLookupInfo Resolved(DWORD mode, const std::wstring& guid) {
    CNameLookupInfo info(locator_.Get(), mode, guid);
    info.Lookup();
    return info;
  }

  pw::ComPtr<FakeLocator> locator_;
};

// The display text: name with e-mail, else with login, else alone; a missing name falls back
// to the e-mail, the login, then the identity.
TEST_F(NameLookupTest, DisplayTextCombinesNameWithEmailOrLogin) {
  locator_->objects[L"{A}"] = {{L"cn", VARIANT::FromBstr(L"Anna Berger")},
                               {L"mail", VARIANT::FromBstr(L"anna@demo")},
                               {L"ardentWindowsAccount", VARIANT::FromBstr(L"aberger")},
                               {L"distinguishedName", VARIANT::FromBstr(L"CN={A},OU=Users")}};
  locator_->objects[L"{B}"] = {{L"cn", VARIANT::FromBstr(L"Tom")},
                               {L"ardentWindowsAccount", VARIANT::FromBstr(L"tom")}};
  locator_->objects[L"{C}"] = {{L"mail", VARIANT::FromBstr(L"only@demo")}};
  locator_->objects[L"{D}"] = {{L"ardentWindowsAccount", VARIANT::FromBstr(L"login")}};
  locator_->objects[L"{E}"] = {{L"cn", VARIANT::FromI4(5)}};

  const CNameLookupInfo anna = Resolved(3, L"{A}");
  EXPECT_TRUE(anna.IsResolved());
  EXPECT_EQ(anna.display_text(), L"Anna Berger (anna@demo)");
  EXPECT_EQ(anna.name(), L"Anna Berger");
  EXPECT_EQ(anna.login(), L"aberger");
  EXPECT_EQ(anna.email(), L"anna@demo");
  EXPECT_EQ(anna.distinguished_name(), L"CN={A},OU=Users");
  EXPECT_EQ(anna.object_type(), L"user");
  EXPECT_EQ(Resolved(3, L"{B}").display_text(), L"Tom (tom)");
  const CNameLookupInfo mail_only = Resolved(3, L"{C}");
  EXPECT_EQ(mail_only.name(), L"only@demo");
  EXPECT_EQ(mail_only.display_text(), L"only@demo");
  EXPECT_EQ(Resolved(3, L"{D}").display_text(), L"login");
  // A name that is not a text does not count.
  EXPECT_EQ(Resolved(3, L"{E}").display_text(), L"{E}");
  EXPECT_EQ(locator_->searches,
            (std::vector<std::wstring>{L"0:{A}", L"0:{B}", L"0:{C}", L"0:{D}", L"0:{E}"}));
}

// Object types: mode 3 always "user"; mode 1 by "user"/"group"; mode 2 prefers
// "Mailbox-Agent", then "organizationalPerson"/"groupOfNames"; case is ignored.
TEST_F(NameLookupTest, ObjectTypeFollowsTheClassesOfEachMode) {
  locator_->objects[L"group"] = {{L"cn", VARIANT::FromBstr(L"Sales")},
                                 {L"ObjectClass", Texts({L"top", L"GROUP", L"groupOfNames"})}};
  locator_->objects[L"person"] = {
      {L"cn", VARIANT::FromBstr(L"P")},
      {L"ObjectClass", Texts({L"top", L"organizationalPerson", L"User"})}};
  locator_->objects[L"agent"] = {
      {L"cn", VARIANT::FromBstr(L"Agent")},
      {L"ObjectClass", Texts({L"top", L"organizationalPerson", L"mailbox-agent"})}};
  locator_->objects[L"other"] = {{L"cn", VARIANT::FromBstr(L"X")},
                                 {L"ObjectClass", Texts({L"top", L"computer"})}};

  EXPECT_EQ(Resolved(3, L"group").object_type(), L"user");
  CNameLookupInfo::ClearCache();
  EXPECT_EQ(Resolved(1, L"group").object_type(), L"group");
  EXPECT_EQ(Resolved(1, L"person").object_type(), L"user");
  EXPECT_EQ(Resolved(1, L"other").object_type(), L"");
  CNameLookupInfo::ClearCache();
  EXPECT_EQ(Resolved(2, L"agent").object_type(), L"mailboxagent");
  EXPECT_EQ(Resolved(2, L"person").object_type(), L"user");
  EXPECT_EQ(Resolved(2, L"group").object_type(), L"group");
  // Exchange searches by distinguished name, and neither directory mode reads a login.
  EXPECT_EQ(locator_->searches.back(), L"5:group");
  EXPECT_EQ(Resolved(2, L"person").login(), L"");
}

// Failures: nothing found or unopenable objects show the identity and are not cached; an
// empty identity or an unknown mode never searches.
TEST_F(NameLookupTest, FailuresFallBackToTheIdentityAndAreRetried) {
  CNameLookupInfo empty(locator_.Get(), 3, L"");
  empty.Lookup();
  EXPECT_FALSE(empty.IsResolved());
  CNameLookupInfo bad_mode(locator_.Get(), 7, L"{X}");
  bad_mode.Lookup();
  EXPECT_EQ(bad_mode.display_text(), L"");
  EXPECT_TRUE(locator_->searches.empty());

  const CNameLookupInfo missing = Resolved(3, L"{GONE}");
  EXPECT_TRUE(missing.IsResolved());
  EXPECT_EQ(missing.name(), L"{GONE}");
  EXPECT_EQ(missing.display_text(), L"{GONE}");
  EXPECT_FALSE(CNameLookupInfo::IsCached(L"{GONE}"));

  locator_->objects[L"{GONE}"] = {{L"cn", VARIANT::FromBstr(L"Back")}};
  locator_->open_result = UDB_E_USERNOTFOUND;
  EXPECT_EQ(Resolved(3, L"{GONE}").display_text(), L"{GONE}");
  locator_->open_result = S_OK;
  EXPECT_EQ(Resolved(3, L"{GONE}").display_text(), L"Back");
  EXPECT_EQ(locator_->searches.size(), 3u);
}

// The cache answers later records without a search until the identity is erased; other
// identities keep their cached answers.
TEST_F(NameLookupTest, CacheServesLaterRecordsUntilErased) {
  locator_->objects[L"{A}"] = {{L"cn", VARIANT::FromBstr(L"Anna")}};
  locator_->objects[L"{B}"] = {{L"cn", VARIANT::FromBstr(L"Ben")}};
  Resolved(3, L"{A}");
  Resolved(3, L"{B}");
  locator_->objects[L"{A}"] = {{L"cn", VARIANT::FromBstr(L"Anna Renamed")}};
  locator_->objects[L"{B}"] = {{L"cn", VARIANT::FromBstr(L"Ben Renamed")}};
  EXPECT_EQ(Resolved(3, L"{A}").name(), L"Anna");
  EXPECT_EQ(locator_->searches.size(), 2u);

  CNameLookupInfo::EraseFromCache(L"{A}");
  EXPECT_EQ(Resolved(3, L"{A}").name(), L"Anna Renamed");
  EXPECT_EQ(Resolved(3, L"{B}").name(), L"Ben");
  EXPECT_EQ(locator_->searches.size(), 3u);

  CNameLookupInfo copy(locator_.Get(), 3, L"{B}");
  EXPECT_FALSE(copy.IsResolved());
  EXPECT_TRUE(copy.LoadFromCache());
  EXPECT_TRUE(copy.IsResolved());
  EXPECT_EQ(copy.name(), L"Ben");
  CNameLookupInfo unknown(locator_.Get(), 3, L"{Z}");
  EXPECT_FALSE(unknown.LoadFromCache());
  EXPECT_FALSE(unknown.IsResolved());
}

// Details: the own database's eight attributes (flags only as a 32-bit integer), the
// directories' street by mode, and copying the cache keeps details already read.
TEST_F(NameLookupTest, DetailsReadTheAttributesOfTheMode) {
  Attributes attributes = {{L"givenName", VARIANT::FromBstr(L"Anna")},
                           {L"sn", VARIANT::FromBstr(L"Berger")},
                           {L"company", VARIANT::FromBstr(L"Demo")},
                           {L"department", VARIANT::FromBstr(L"Sales")},
                           {L"facsimileTelephoneNumber", VARIANT::FromBstr(L"+49 1")},
                           {L"telephoneNumber", VARIANT::FromBstr(L"+49 2")},
                           {L"ardentCustomFlags", VARIANT::FromI4(1)},
                           {L"ardentInternetMail", VARIANT::FromBstr(L"a@b")},
                           {L"initials", VARIANT::FromBstr(L"AB")},
                           {L"streetAddress", VARIANT::FromBstr(L"Main St")},
                           {L"postalAddress", VARIANT::FromBstr(L"PO Street")},
                           {L"info", VARIANT::FromBstr(L"notes")}};
  locator_->objects[L"{A}"] = attributes;

  CNameLookupInfo own(locator_.Get(), 3, L"{A}");
  own.LookupDetails();
  EXPECT_TRUE(own.HasDetails());
  EXPECT_EQ(own.first_name(), L"Anna");
  EXPECT_EQ(own.last_name(), L"Berger");
  EXPECT_EQ(own.company(), L"Demo");
  EXPECT_EQ(own.department(), L"Sales");
  EXPECT_EQ(own.fax(), L"+49 1");
  EXPECT_EQ(own.telephone(), L"+49 2");
  EXPECT_EQ(own.custom_flags(), 1);
  EXPECT_EQ(own.internet_email(), L"a@b");
  EXPECT_EQ(own.initials(), L"");
  EXPECT_EQ(own.street(), L"");
  own.Lookup();
  own.LoadFromCache();
  EXPECT_EQ(own.first_name(), L"Anna");

  CNameLookupInfo active(locator_.Get(), 1, L"{A}");
  active.LookupDetails();
  EXPECT_EQ(active.street(), L"Main St");
  EXPECT_EQ(active.initials(), L"AB");
  EXPECT_EQ(active.notes(), L"notes");
  EXPECT_EQ(active.internet_email(), L"");
  EXPECT_EQ(active.custom_flags(), 0);
  CNameLookupInfo exchange(locator_.Get(), 2, L"{A}");
  exchange.LookupDetails();
  EXPECT_EQ(exchange.street(), L"PO Street");

  locator_->objects[L"{F}"] = {{L"ardentCustomFlags", VARIANT::FromUI4(1)}};
  CNameLookupInfo wrong_type(locator_.Get(), 3, L"{F}");
  wrong_type.LookupDetails();
  EXPECT_EQ(wrong_type.custom_flags(), 0);
  CNameLookupInfo missing(locator_.Get(), 3, L"{NONE}");
  missing.LookupDetails();
  EXPECT_TRUE(missing.HasDetails());
  EXPECT_EQ(missing.first_name(), L"");
}

}  // namespace
}  // namespace pw::test
