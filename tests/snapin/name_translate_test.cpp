// CNameTranslate: the domain taken from a distinguished name, and the calls it refuses before
// asking the user database.
#include <gtest/gtest.h>

#include "module/users/name_translate.h"

namespace pw::test {
namespace {

// The first DC part in capitals, whatever the spacing and case of its type; escaped commas
// stay inside their part; a name without a DC part has no domain.
TEST(NameTranslateTest, DomainIsTheFirstDomainComponent) {
  EXPECT_EQ(CNameTranslate::DomainOf(L"CN=Ann Archer,OU=Staff,DC=example,DC=test"), L"EXAMPLE");
  EXPECT_EQ(CNameTranslate::DomainOf(L"cn=x, dc = Sales-EU , dc=corp"), L"SALES-EU");
  EXPECT_EQ(CNameTranslate::DomainOf(L"CN=Baker\\, Bob,DC=b\\,c,DC=d"), L"B,C");
  EXPECT_EQ(CNameTranslate::DomainOf(L"CN=DC=fake,O=Org"), L"");
  EXPECT_EQ(CNameTranslate::DomainOf(L"CN=Ann,O=Pagewell"), L"");
  EXPECT_EQ(CNameTranslate::DomainOf(L""), L"");
  EXPECT_EQ(CNameTranslate::DomainOf(L"\\"), L"");
}

// Only the global catalog, the RFC 1779 name in and the NT 4 name out are served; calls out
// of order fail without a user database.
TEST(NameTranslateTest, RefusesWhatItDoesNotServe) {
  CNameTranslate translate;
  std::wstring name = L"left over";
  EXPECT_EQ(translate.Set(CNameTranslate::ADS_NAME_TYPE_1779, L"CN=a,DC=b"), E_UNEXPECTED);
  EXPECT_EQ(translate.Get(CNameTranslate::ADS_NAME_TYPE_NT4, &name), E_UNEXPECTED);
  EXPECT_EQ(name, L"");
  EXPECT_EQ(translate.Init(CNameTranslate::ADS_NAME_INITTYPE_GC, L"", nullptr), E_INVALIDARG);
  EXPECT_EQ(translate.Init(1, L"", nullptr), E_INVALIDARG);
  EXPECT_EQ(translate.Get(CNameTranslate::ADS_NAME_TYPE_1779, &name), E_INVALIDARG);
  EXPECT_EQ(translate.Get(CNameTranslate::ADS_NAME_TYPE_NT4, nullptr), E_POINTER);
}

}  // namespace
}  // namespace pw::test
