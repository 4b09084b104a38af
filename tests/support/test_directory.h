// The test directory that the directory tests share: our own small LDAP schema of the
// attributes the console reads, users, nested groups and a mailbox agent in one slapd per test
// process, and the LDAP client settings that point the user database at a slapd.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "tests/support/slapd_server.h"
#include "tests/support/temp_installation.h"

namespace pw::test {

// Our own object identifiers, under the UUID arc (2.25), which needs no registration.
// "otherMailbox" is the cosine schema's, which has no matching rules: servers cannot search it.
// "ipPhone" holds raw bytes and "ardentCustomFlags" text, so that values that do not fit the
// console's types can be stored.
inline constexpr char kDirectorySchema[] = R"(
attributetype ( 2.25.282820823117062557128890254096015989693.1.1 NAME 'objectGUID'
  EQUALITY octetStringMatch SYNTAX 1.3.6.1.4.1.1466.115.121.1.40 SINGLE-VALUE )
attributetype ( 2.25.282820823117062557128890254096015989693.1.2 NAME 'sAMAccountName'
  EQUALITY caseIgnoreMatch SYNTAX 1.3.6.1.4.1.1466.115.121.1.15 SINGLE-VALUE )
attributetype ( 2.25.282820823117062557128890254096015989693.1.3 NAME 'proxyAddresses'
  EQUALITY caseIgnoreMatch SUBSTR caseIgnoreSubstringsMatch
  SYNTAX 1.3.6.1.4.1.1466.115.121.1.15 )
attributetype ( 2.25.282820823117062557128890254096015989693.1.5 NAME 'wWWHomePage'
  EQUALITY caseIgnoreMatch SYNTAX 1.3.6.1.4.1.1466.115.121.1.15 SINGLE-VALUE )
attributetype ( 2.25.282820823117062557128890254096015989693.1.6 NAME 'ipPhone'
  EQUALITY octetStringMatch SYNTAX 1.3.6.1.4.1.1466.115.121.1.40 )
attributetype ( 2.25.282820823117062557128890254096015989693.1.7 NAME 'Computer-Name'
  EQUALITY caseIgnoreMatch SYNTAX 1.3.6.1.4.1.1466.115.121.1.15 )
attributetype ( 2.25.282820823117062557128890254096015989693.1.8 NAME 'company'
  EQUALITY caseIgnoreMatch SYNTAX 1.3.6.1.4.1.1466.115.121.1.15 )
attributetype ( 2.25.282820823117062557128890254096015989693.1.9 NAME 'department'
  EQUALITY caseIgnoreMatch SYNTAX 1.3.6.1.4.1.1466.115.121.1.15 )
attributetype ( 2.25.282820823117062557128890254096015989693.1.10 NAME 'ardentCustomFlags'
  EQUALITY caseIgnoreMatch SYNTAX 1.3.6.1.4.1.1466.115.121.1.15 SINGLE-VALUE )
objectclass ( 2.25.282820823117062557128890254096015989693.2.1 NAME 'pagewellUser' AUXILIARY
  MAY ( objectGUID $ sAMAccountName $ proxyAddresses $ otherMailbox $ wWWHomePage $ ipPhone $
        Computer-Name $ company $ department $ ardentCustomFlags $ mail $ displayName ) )
objectclass ( 2.25.282820823117062557128890254096015989693.2.2 NAME 'user'
  SUP inetOrgPerson STRUCTURAL )
objectclass ( 2.25.282820823117062557128890254096015989693.2.3 NAME 'group'
  SUP top STRUCTURAL MUST cn MAY ( member $ description ) )
objectclass ( 2.25.282820823117062557128890254096015989693.2.4 NAME 'Mailbox-Agent' AUXILIARY )
)";

inline constexpr char kDirectorySuffix[] = "dc=pagewell,dc=test";

// Ann has an "objectGUID" ({00112233-4455-6677-8899-AABBCCDDEEFF}); the others are known by
// their "entryUUID". Sales lists Ann, the agent, an entry that is no object and a name that
// does not exist; Everyone lists Sales and Bob. Broken's "objectGUID" has 3 bytes.
inline constexpr char kDirectoryLdif[] = R"(dn: dc=pagewell,dc=test
objectClass: dcObject
objectClass: organization
o: Pagewell Test
dc: pagewell
entryUUID: 0a000000-0000-4000-8000-000000000001

dn: cn=reader,dc=pagewell,dc=test
objectClass: organizationalRole
objectClass: simpleSecurityObject
cn: reader
userPassword: reader-secret
entryUUID: 0a000000-0000-4000-8000-000000000002

dn: ou=Users,dc=pagewell,dc=test
objectClass: organizationalUnit
ou: Users
entryUUID: 0a000000-0000-4000-8000-000000000003

dn: ou=Groups,dc=pagewell,dc=test
objectClass: organizationalUnit
ou: Groups
entryUUID: 0a000000-0000-4000-8000-000000000004

dn: cn=Ann Archer,ou=Users,dc=pagewell,dc=test
objectClass: top
objectClass: person
objectClass: organizationalPerson
objectClass: inetOrgPerson
objectClass: user
objectClass: pagewellUser
cn: Ann Archer
sn: Archer
givenName: Ann
mail: ann@pagewell.test
sAMAccountName: ann
uid: ann.archer
proxyAddresses: SMTP:ann@pagewell.test
proxyAddresses: Pagewell:ann.fax@pagewell.test
telephoneNumber: +44 20 7946 0001
department: Sales
company: Pagewell Ltd
ardentCustomFlags: 1
objectGUID:: MyIRAFVEd2aImaq7zN3u/w==
entryUUID: 0a000000-0000-4000-8000-000000000005

dn: cn=Bob Baker,ou=Users,dc=pagewell,dc=test
objectClass: inetOrgPerson
objectClass: user
objectClass: pagewellUser
cn: Bob Baker
sn: Baker
displayName: Bobby Baker
mail: bob@pagewell.test
sAMAccountName: bob
uid: bob
otherMailbox: Pagewell$bob.fax@pagewell.test
street: 1 High Street
ipPhone:: KzQ0IP/+IDk5
ardentCustomFlags: 4294967295
entryUUID: 6a1f0c2e-3b4d-4e5f-8a9b-0c1d2e3f4a5b

dn: cn=Cid Carter,ou=Users,dc=pagewell,dc=test
objectClass: inetOrgPerson
objectClass: user
objectClass: pagewellUser
cn: Cid Carter
sn: Carter
sAMAccountName: cid
ardentCustomFlags: many
entryUUID: 7b2e1d3f-4c5e-4f60-9bac-1d2e3f4a5b6c

dn: cn=Fax Agent,ou=Users,dc=pagewell,dc=test
objectClass: inetOrgPerson
objectClass: Mailbox-Agent
objectClass: pagewellUser
cn: Fax Agent
sn: Agent
mail: agent@pagewell.test
entryUUID: 8c3f2e40-5d6f-4071-8cbd-2e3f4a5b6c7d

dn: cn=Broken,ou=Users,dc=pagewell,dc=test
objectClass: inetOrgPerson
objectClass: user
objectClass: pagewellUser
cn: Broken
sn: Broken
objectGUID:: AQID
entryUUID: 0a000000-0000-4000-8000-000000000009

dn: cn=Sales,ou=Groups,dc=pagewell,dc=test
objectClass: group
objectClass: pagewellUser
cn: Sales
mail: sales@pagewell.test
member: cn=Ann Archer,ou=Users,dc=pagewell,dc=test
member: cn=Fax Agent,ou=Users,dc=pagewell,dc=test
member: cn=reader,dc=pagewell,dc=test
member: cn=Gone,ou=Users,dc=pagewell,dc=test
entryUUID: 9d403f51-6e70-4182-9dce-3f4a5b6c7d8e

dn: cn=Everyone,ou=Groups,dc=pagewell,dc=test
objectClass: group
cn: Everyone
member: cn=Sales,ou=Groups,dc=pagewell,dc=test
member: cn=Bob Baker,ou=Users,dc=pagewell,dc=test
entryUUID: ae514062-7f81-4293-adef-4a5b6c7d8e9f
)";

// The identities of the directory's objects in Active Directory mode.
inline constexpr wchar_t kAnn[] = L"{00112233-4455-6677-8899-AABBCCDDEEFF}";
inline constexpr wchar_t kBob[] = L"{6A1F0C2E-3B4D-4E5F-8A9B-0C1D2E3F4A5B}";
inline constexpr wchar_t kCid[] = L"{7B2E1D3F-4C5E-4F60-9BAC-1D2E3F4A5B6C}";
inline constexpr wchar_t kAgent[] = L"{8C3F2E40-5D6F-4071-8CBD-2E3F4A5B6C7D}";
inline constexpr wchar_t kSales[] = L"{9D403F51-6E70-4182-9DCE-3F4A5B6C7D8E}";
inline constexpr wchar_t kEveryone[] = L"{AE514062-7F81-4293-ADEF-4A5B6C7D8E9F}";
inline constexpr wchar_t kAnnDn[] = L"cn=Ann Archer,ou=Users,dc=pagewell,dc=test";
inline constexpr wchar_t kSalesDn[] = L"cn=Sales,ou=Groups,dc=pagewell,dc=test";
inline constexpr wchar_t kEveryoneDn[] = L"cn=Everyone,ou=Groups,dc=pagewell,dc=test";
inline constexpr wchar_t kActiveDirectory[] =
    L"directorytype=ad;searchscope=children;searchbase=top";

// The server of this test process. The LDAP client library reads its configuration once per
// process, so every directory test of a process uses this one server; ctest runs each test in
// a process of its own, so parallel tests never share one.
inline SlapdServer& TestDirectory() {
  static SlapdServer server(kDirectorySchema, kDirectorySuffix, kDirectoryLdif);
  return server;
}

// Restarts a directory when a test that stopped it ends, also after a failed assertion.
class RestartDirectoryOnExit {
 public:
  explicit RestartDirectoryOnExit(SlapdServer& server = TestDirectory()) : server_(server) {}
  ~RestartDirectoryOnExit() { server_.Start(); }
  RestartDirectoryOnExit(const RestartDirectoryOnExit&) = delete;
  RestartDirectoryOnExit& operator=(const RestartDirectoryOnExit&) = delete;

 private:
  SlapdServer& server_;
};

// The LDAP client settings of a test: the client configuration names `server` (URI and base;
// make it after the server started, when its port is known)
// and the user database binds as `bind_dn` with `password`; nothing of the machine's or the
// user's own configuration takes part. Everything is restored when the object goes. The LDAP
// client library reads its configuration once per process: the first connection of a process
// decides the server of Active Directory mode.
class LdapClientSettings {
 public:
  LdapClientSettings(const SlapdServer& server, const std::string& bind_dn,
                     const std::string& password)
      : configuration_("LDAPCONF",
                       server.folder().WriteFile("ldap.conf", "URI " + server.uri() + "\nBASE " +
                                                                  server.suffix() + "\n")),
        no_ldaprc_("LDAPRC", "pagewell-test-no-ldaprc"),
        no_uri_("LDAPURI", std::nullopt),
        no_base_("LDAPBASE", std::nullopt),
        bind_dn_("PAGEWELL_LDAP_BINDDN", bind_dn),
        password_file_("PAGEWELL_LDAP_PASSWORD_FILE",
                       secrets_.WriteFile("password", password + "\n")) {}

 private:
  TempDir secrets_;
  ScopedEnv configuration_;
  ScopedEnv no_ldaprc_;
  ScopedEnv no_uri_;
  ScopedEnv no_base_;
  ScopedEnv bind_dn_;
  ScopedEnv password_file_;
};

}  // namespace pw::test
