// The user database in directory modes 1 and 2 against a real slapd: connecting and binding,
// finding objects by every key, their attributes, types and memberships, refused writes, bad
// directory values, and a server that goes away.
#include "tests/userdb/directory_fixture.h"

namespace pw::test {
namespace {

// The client configuration's server and base with the account of the environment connect;
// a wrong password, an unreadable password file, an anonymous bind that sees nothing, a
// missing search base and a server that does not answer each give their own code.
TEST_F(DirectoryTest, ConnectsWithTheClientConfigurationAndRefusesCleanly) {
  IArdentUserDBPtr user_db = NewUserDb();
  ASSERT_EQ(user_db->raw_Connect(0, kActiveDirectory), S_OK) << TestDirectory().Log();
  EXPECT_EQ(user_db->raw_Connect(0, kActiveDirectory), UDB_E_ALREADYCONNECTED);
  EXPECT_EQ(user_db->raw_Close(), S_OK);
  EXPECT_EQ(user_db->raw_Close(), S_FALSE);
  // The write flag is accepted (writes are refused later); the file flags are not.
  EXPECT_EQ(user_db->raw_Connect(UDB_CONNECT_WRITE, ExchangeString().c_str()), S_OK);
  user_db->Close();
  EXPECT_EQ(user_db->raw_Connect(UDB_CONNECT_OPEN, kActiveDirectory), E_INVALIDARG);
  EXPECT_EQ(user_db->raw_Connect(7, ExchangeString().c_str()), E_INVALIDARG);
  EXPECT_EQ(user_db->raw_Connect(0, L"directorytype=ex55"), E_INVALIDARG);

  UseAccount("cn=reader," + TestDirectory().suffix(), "wrong");
  EXPECT_EQ(user_db->raw_Connect(0, kActiveDirectory), UDB_E_DIRECTORYLOGON);
  UseAccount("cn=reader," + TestDirectory().suffix(), std::nullopt);
  EXPECT_EQ(user_db->raw_Connect(0, kActiveDirectory), UDB_E_DIRECTORYLOGON);
  {
    const ScopedEnv unreadable("PAGEWELL_LDAP_PASSWORD_FILE", secrets_.Sub("missing"));
    EXPECT_EQ(user_db->raw_Connect(0, kActiveDirectory), UDB_E_DIRECTORYLOGON);
  }
  UseAccount("", std::nullopt);
  EXPECT_EQ(user_db->raw_Connect(0, kActiveDirectory), UDB_E_DIRECTORYERROR);

  UseAccount("cn=reader," + TestDirectory().suffix(), "reader-secret");
  EXPECT_EQ(user_db->raw_Connect(0, L"directorytype=ad;searchbase=ou=Missing,dc=pagewell,dc=test"),
            UDB_E_DIRECTORYERROR);
  // Nothing listens on port 1 of the loopback.
  EXPECT_EQ(user_db->raw_Connect(0, L"directorytype=ex55;directoryserver=127.0.0.1:1"),
            UDB_E_NODIRECTORYACCESS);
  // After all the refusals the object still connects.
  EXPECT_EQ(user_db->raw_Connect(0, kActiveDirectory), S_OK);
}

// Active Directory mode finds an object by its objectGUID or entryUUID identity (in any case,
// with or without braces), address, login and name; texts that match nothing, also those
// shaped like filters, find nothing.
TEST_F(DirectoryTest, FindsActiveDirectoryObjectsByEveryKey) {
  const IArdentUserLocatorPtr users = ConnectedTo(kActiveDirectory);
  ASSERT_TRUE(users);
  const std::vector<std::pair<LONG, std::wstring>> finds_ann = {
      {udbSearchDefault, kAnn},
      {udbSearchDefault, L" 00112233-4455-6677-8899-aabbccddeeff "},
      {udbSearchMail, L"ANN@pagewell.test"},
      {udbSearchMail, L"ann.fax@pagewell.test"},  // the part of "Pagewell:..." after ':'
      {udbSearchLogin, L"Ann"},
      {udbSearchLogin, L"PAGEWELL\\ann"},
      {udbSearchDN, L"CN=Ann Archer,OU=Users,DC=pagewell,DC=test"},
  };
  for (const auto& [type, text] : finds_ann) {
    const IArdentUserPtr user = Find(users, type, text);
    ASSERT_TRUE(user) << type << " " << ToUtf8(text);
    EXPECT_EQ(user->GetIdentity(), kAnn) << ToUtf8(text);
    EXPECT_EQ(user->GetObjectType(), L"user");
  }
  EXPECT_EQ(Find(users, udbSearchDefault, kBob)->GetIdentity(), kBob);
  EXPECT_EQ(Find(users, udbSearchMail, L"Bob@Pagewell.Test")->GetIdentity(), kBob);
  EXPECT_EQ(Find(users, udbSearchMail, L"sales@pagewell.test")->GetIdentity(), kSales);

  const std::vector<std::pair<LONG, std::wstring>> finds_nothing = {
      {udbSearchDefault, L"{00000000-0000-0000-0000-000000000001}"},
      {udbSearchDefault, L"ann"},
      {udbSearchDefault, L"{0A000000-0000-4000-8000-000000000002}"},  // the reader: no object
      {udbSearchDN, L"cn=reader,dc=pagewell,dc=test"},
      {udbSearchDN, L"ou=Users,dc=pagewell,dc=test"},
      {udbSearchDN, L"cn=Gone,ou=Users,dc=pagewell,dc=test"},
      {udbSearchDN, L"no name at all"},
      {udbSearchMail, L"ann.fax"},
      {udbSearchMail, L"*"},
      {udbSearchMail, L"x)(mail=*"},
      {udbSearchLogin, L"a*"},
      {udbSearchLogin, L"PAGEWELL\\"},
      {udbSearchLogin, L"ann.archer"},  // the uid is Exchange's login, not this mode's
  };
  for (const auto& [type, text] : finds_nothing) {
    IArdentUser* user = nullptr;
    EXPECT_EQ(users->raw_FindUser(type, text.c_str(), &user), S_FALSE) << ToUtf8(text);
    EXPECT_EQ(user, nullptr);
  }
  IArdentUser* user = nullptr;
  EXPECT_EQ(users->raw_FindUser(udbSearchDefault, L"  ", &user), E_INVALIDARG);
  EXPECT_EQ(users->raw_FindUser(3, L"ann", &user), E_INVALIDARG);
  EXPECT_EQ(users->raw_FindUser(udbSearchDefault, nullptr, &user), E_POINTER);
  // An object whose objectGUID is not 16 bytes has no identity.
  EXPECT_EQ(users->raw_FindUser(udbSearchDN, L"cn=Broken,ou=Users,dc=pagewell,dc=test", &user),
            UDB_E_BADDIRECTORYVALUE);
  EXPECT_EQ(user, nullptr);
}

// Attributes come with the types the console relies on: texts, the flags as a 32-bit number,
// lists, the classes in the directory's order, the entry's name and the login; missing ones
// are empty, values that do not fit and unknown names are refused.
TEST_F(DirectoryTest, ReadsAttributesWithTheirTypes) {
  const IArdentUserLocatorPtr users = ConnectedTo(kActiveDirectory);
  ASSERT_TRUE(users);
  const IArdentUserPtr ann = Find(users, udbSearchDefault, kAnn);
  ASSERT_TRUE(ann);
  EXPECT_EQ(TextOf(ann, L"cn"), L"Ann Archer");
  EXPECT_EQ(TextOf(ann, L"MAIL"), L"ann@pagewell.test");
  EXPECT_EQ(TextOf(ann, L"distinguishedName"), kAnnDn);
  EXPECT_EQ(TextOf(ann, L"givenName"), L"Ann");
  EXPECT_EQ(TextOf(ann, L"sn"), L"Archer");
  EXPECT_EQ(TextOf(ann, L"telephoneNumber"), L"+44 20 7946 0001");
  EXPECT_EQ(TextOf(ann, L"department"), L"Sales");
  EXPECT_EQ(TextOf(ann, L"company"), L"Pagewell Ltd");
  EXPECT_EQ(TextOf(ann, L"ardentWindowsAccount"), L"ann");
  EXPECT_EQ(TextOf(ann, L"uid"), L"ann.archer");
  EXPECT_EQ(ArrayTexts(ann->GetAttribute(L"ObjectClass")),
            (std::vector<std::wstring>{L"top", L"person", L"organizationalPerson", L"inetOrgPerson",
                                       L"user", L"pagewellUser"}));
  EXPECT_EQ(
      ArrayTexts(ann->GetAttribute(L"proxyAddresses")),
      (std::vector<std::wstring>{L"SMTP:ann@pagewell.test", L"Pagewell:ann.fax@pagewell.test"}));
  VARIANT value = ann->GetAttribute(L"ardentCustomFlags");
  ASSERT_EQ(value.vt(), VT_I4);
  EXPECT_EQ(value.lVal(), 1);
  for (const wchar_t* missing : {L"initials", L"otherMailbox", L"displayName", L"member"}) {
    EXPECT_TRUE(ann->GetAttribute(missing).IsEmpty()) << ToUtf8(missing);
  }
  EXPECT_EQ(ann->raw_GetAttribute(L"objectGUID", &value), UDB_E_UNKNOWNATTRIBUTE);
  EXPECT_EQ(ann->raw_GetAttribute(L"userPassword", &value), UDB_E_UNKNOWNATTRIBUTE);

  const IArdentUserPtr bob = Find(users, udbSearchLogin, L"bob");
  ASSERT_TRUE(bob);
  EXPECT_EQ(TextOf(bob, L"streetAddress"), L"1 High Street");
  EXPECT_EQ(ArrayTexts(bob->GetAttribute(L"otherMailbox")),
            std::vector<std::wstring>{L"Pagewell$bob.fax@pagewell.test"});
  value = bob->GetAttribute(L"ardentCustomFlags");
  ASSERT_EQ(value.vt(), VT_I4);
  EXPECT_EQ(value.lVal(), -1);
  EXPECT_EQ(bob->raw_GetAttribute(L"ipPhone", &value), UDB_E_BADDIRECTORYVALUE);
  EXPECT_TRUE(value.IsEmpty());
  const IArdentUserPtr cid = Find(users, udbSearchLogin, L"cid");
  ASSERT_TRUE(cid);
  EXPECT_EQ(cid->raw_GetAttribute(L"ardentCustomFlags", &value), UDB_E_BADDIRECTORYVALUE);
  EXPECT_EQ(TextOf(cid, L"cn"), L"Cid Carter");
}

// Display names fall back from displayName to cn; object types come from the classes; the
// listing by type holds every object of ours and nothing else, in the directory's order.
TEST_F(DirectoryTest, NamesTypesAndListings) {
  const IArdentUserLocatorPtr users = ConnectedTo(kActiveDirectory);
  ASSERT_TRUE(users);
  EXPECT_EQ(users->GetDisplayName(kAnn), L"Ann Archer");
  EXPECT_EQ(users->GetDisplayName(kBob), L"Bobby Baker");
  EXPECT_EQ(users->GetDisplayName(L"{6a1f0c2e-3b4d-4e5f-8a9b-0c1d2e3f4a5b}"), L"Bobby Baker");
  EXPECT_EQ(users->GetDisplayName(kSales), L"Sales");
  BSTR name = nullptr;
  EXPECT_EQ(users->raw_GetDisplayName(L"{00000000-0000-0000-0000-000000000001}", &name),
            UDB_E_USERNOTFOUND);
  EXPECT_EQ(users->raw_GetDisplayName(L"", &name), UDB_E_USERNOTFOUND);
  EXPECT_EQ(name, nullptr);

  EXPECT_EQ(Find(users, udbSearchDefault, kAgent)->GetObjectType(), L"mailboxagent");
  EXPECT_EQ(Find(users, udbSearchDefault, kEveryone)->GetObjectType(), L"group");

  // Broken has no identity and is left out of every listing.
  EXPECT_EQ(AllTexts(users->EnumObjects(L"user")), (std::vector<std::wstring>{kAnn, kBob, kCid}));
  EXPECT_EQ(AllTexts(users->EnumObjects(L"GROUP")), (std::vector<std::wstring>{kSales, kEveryone}));
  EXPECT_EQ(AllTexts(users->EnumObjects(L"mailboxagent")), std::vector<std::wstring>{kAgent});
  EXPECT_EQ(AllTexts(users->EnumObjects(L"")),
            (std::vector<std::wstring>{kAnn, kBob, kCid, kAgent, kSales, kEveryone}));
  IArdentTextEnum* listing = nullptr;
  EXPECT_EQ(users->raw_EnumObjects(L"computer", &listing), E_INVALIDARG);
  EXPECT_EQ(listing, nullptr);
}

// Members are the objects a group's "member" names (other names are dropped), nested groups
// included; an object's groups are those whose "member" names it.
TEST_F(DirectoryTest, GroupMembershipFollowsMember) {
  const IArdentUserLocatorPtr users = ConnectedTo(kActiveDirectory);
  ASSERT_TRUE(users);
  const IArdentUserPtr sales = Find(users, udbSearchDefault, kSales);
  ASSERT_TRUE(sales);
  EXPECT_EQ(AllTexts(sales->EnumMembers()), (std::vector<std::wstring>{kAnn, kAgent}));
  EXPECT_EQ(ArrayTexts(sales->GetAttribute(L"member")), (std::vector<std::wstring>{kAnn, kAgent}));
  EXPECT_EQ(AllTexts(sales->EnumGroups()), std::vector<std::wstring>{kEveryone});
  const IArdentUserPtr everyone = Find(users, udbSearchDefault, kEveryone);
  EXPECT_EQ(AllTexts(everyone->EnumMembers()), (std::vector<std::wstring>{kSales, kBob}));
  EXPECT_TRUE(AllTexts(everyone->EnumGroups()).empty());

  const IArdentUserPtr ann = Find(users, udbSearchDefault, kAnn);
  EXPECT_EQ(AllTexts(ann->EnumGroups()), std::vector<std::wstring>{kSales});
  EXPECT_EQ(ArrayTexts(ann->GetAttribute(L"memberOf")), std::vector<std::wstring>{kSales});
  EXPECT_TRUE(ann->GetAttribute(L"member").IsEmpty());
  IArdentTextEnum* members = nullptr;
  EXPECT_EQ(ann->raw_EnumMembers(&members), UDB_E_NOTAGROUP);
  EXPECT_EQ(AllTexts(Find(users, udbSearchDefault, kBob)->EnumGroups()),
            std::vector<std::wstring>{kEveryone});
}

// A directory is never written: every write answers UDB_E_READONLY and changes nothing, and
// reading the object again still works.
TEST_F(DirectoryTest, WritesAreRefused) {
  const IArdentUserLocatorPtr users = ConnectedTo(kActiveDirectory);
  ASSERT_TRUE(users);
  IArdentUser* made = nullptr;
  EXPECT_EQ(users->raw_CreateUser(L"user", &made), UDB_E_READONLY);
  EXPECT_EQ(made, nullptr);
  const IArdentUserPtr sales = Find(users, udbSearchDefault, kSales);
  ASSERT_TRUE(sales);
  EXPECT_EQ(sales->raw_SetAttribute(L"cn", VARIANT::FromBstr(L"Marketing")), UDB_E_READONLY);
  EXPECT_EQ(sales->raw_SetAttribute(L"nonsense", VARIANT::FromBstr(L"x")), UDB_E_UNKNOWNATTRIBUTE);
  EXPECT_EQ(sales->raw_AddMember(kBob), UDB_E_READONLY);
  EXPECT_EQ(sales->raw_RemoveMember(kAnn), UDB_E_READONLY);
  EXPECT_EQ(sales->raw_Save(), UDB_E_READONLY);
  EXPECT_EQ(sales->raw_OpenUserObject(), S_OK);
  EXPECT_EQ(TextOf(sales, L"cn"), L"Sales");
  EXPECT_EQ(AllTexts(sales->EnumMembers()), (std::vector<std::wstring>{kAnn, kAgent}));
}

// The Exchange 5.5 directory is reached by its server name; identities are distinguished
// names, the login is "uid", and a mailbox agent that is also a person is a mailbox agent.
TEST_F(DirectoryTest, ExchangeDirectoryUsesDistinguishedNames) {
  const IArdentUserLocatorPtr users = ConnectedTo(ExchangeString());
  ASSERT_TRUE(users);
  const IArdentUserPtr ann =
      Find(users, udbSearchDN, L"cn=ann archer, ou=users,dc=pagewell,dc=test");
  ASSERT_TRUE(ann);
  EXPECT_EQ(ann->GetIdentity(), kAnnDn);
  EXPECT_EQ(TextOf(ann, L"ardentWindowsAccount"), L"ann.archer");
  EXPECT_EQ(Find(users, udbSearchLogin, L"ann.archer")->GetIdentity(), kAnnDn);
  EXPECT_EQ(Find(users, udbSearchDefault, kAnnDn)->GetIdentity(), kAnnDn);
  EXPECT_EQ(AllTexts(ann->EnumGroups()), std::vector<std::wstring>{kSalesDn});
  // Broken is found here: its name is its identity.
  EXPECT_EQ(Find(users, udbSearchDN, L"cn=Broken,ou=Users,dc=pagewell,dc=test")->GetObjectType(),
            L"user");

  const IArdentUserPtr agent = Find(users, udbSearchMail, L"agent@pagewell.test");
  ASSERT_TRUE(agent);
  EXPECT_EQ(agent->GetObjectType(), L"mailboxagent");
  EXPECT_EQ(ArrayTexts(agent->GetAttribute(L"ObjectClass")),
            (std::vector<std::wstring>{L"inetOrgPerson", L"Mailbox-Agent", L"pagewellUser"}));
  EXPECT_EQ(users->GetDisplayName(kEveryoneDn), L"Everyone");
  EXPECT_EQ(AllTexts(Find(users, udbSearchDN, kEveryoneDn)->EnumMembers()),
            (std::vector<std::wstring>{kSalesDn, L"cn=Bob Baker,ou=Users,dc=pagewell,dc=test"}));
  IArdentUser* user = nullptr;
  EXPECT_EQ(users->raw_FindUser(udbSearchDefault, kAnn, &user), S_FALSE);
}

// The search scope and base of the connection string limit what is found.
TEST_F(DirectoryTest, SearchBaseAndScopeLimitTheSearch) {
  const IArdentUserLocatorPtr users = ConnectedTo(
      L"directorytype=ad;searchscope=onelevel;searchbase=ou=Groups,dc=pagewell,dc=test");
  ASSERT_TRUE(users);
  EXPECT_EQ(AllTexts(users->EnumObjects(L"")), (std::vector<std::wstring>{kSales, kEveryone}));
  IArdentUser* user = nullptr;
  EXPECT_EQ(users->raw_FindUser(udbSearchLogin, L"ann", &user), S_FALSE);
  // A name is read where it is, whatever the base.
  EXPECT_EQ(Find(users, udbSearchDN, kAnnDn)->GetIdentity(), kAnn);
  // Only the groups below the base count, but Ann's group is one of them.
  EXPECT_EQ(AllTexts(Find(users, udbSearchDN, kAnnDn)->EnumGroups()),
            std::vector<std::wstring>{kSales});
}

// A server that goes away fails every call that needs it with UDB_E_NODIRECTORYACCESS, keeps
// what objects already read, and is used again as soon as it is back, without a new Connect.
TEST_F(DirectoryTest, ServerGoingAwayGivesCleanCodesAndComesBack) {
  const IArdentUserLocatorPtr users = ConnectedTo(kActiveDirectory);
  ASSERT_TRUE(users);
  const IArdentUserPtr ann = Find(users, udbSearchDefault, kAnn);
  const IArdentUserPtr sales = Find(users, udbSearchDefault, kSales);
  ASSERT_TRUE(ann && sales);
  {
    const RestartDirectoryOnExit restart;
    TestDirectory().Stop();
    IArdentUser* user = nullptr;
    EXPECT_EQ(users->raw_FindUser(udbSearchDefault, kBob, &user), UDB_E_NODIRECTORYACCESS);
    EXPECT_EQ(users->raw_FindUser(udbSearchLogin, L"bob", &user), UDB_E_NODIRECTORYACCESS);
    EXPECT_EQ(user, nullptr);
    BSTR name = nullptr;
    EXPECT_EQ(users->raw_GetDisplayName(kAnn, &name), UDB_E_NODIRECTORYACCESS);
    IArdentTextEnum* texts = nullptr;
    EXPECT_EQ(users->raw_EnumObjects(L"", &texts), UDB_E_NODIRECTORYACCESS);
    EXPECT_EQ(ann->raw_OpenUserObject(), UDB_E_NODIRECTORYACCESS);
    EXPECT_EQ(ann->raw_EnumGroups(&texts), UDB_E_NODIRECTORYACCESS);
    EXPECT_EQ(sales->raw_EnumMembers(&texts), UDB_E_NODIRECTORYACCESS);
    EXPECT_EQ(texts, nullptr);
    EXPECT_EQ(TextOf(ann, L"cn"), L"Ann Archer");
    EXPECT_EQ(NewUserDb()->raw_Connect(0, kActiveDirectory), UDB_E_NODIRECTORYACCESS);
    ASSERT_TRUE(TestDirectory().Start()) << TestDirectory().Log();
  }
  EXPECT_EQ(Find(users, udbSearchLogin, L"bob")->GetIdentity(), kBob);
  EXPECT_EQ(ann->raw_OpenUserObject(), S_OK);
  EXPECT_EQ(AllTexts(ann->EnumGroups()), std::vector<std::wstring>{kSales});
}

// After Close the locator and the objects it handed out answer UDB_E_NOTCONNECTED for what
// needs the directory; the objects keep their copies.
TEST_F(DirectoryTest, CloseEndsTheSessionForHandedOutObjects) {
  const IArdentUserLocatorPtr users = ConnectedTo(kActiveDirectory);
  ASSERT_TRUE(users);
  const IArdentUserPtr ann = Find(users, udbSearchDefault, kAnn);
  ASSERT_TRUE(ann);
  ASSERT_EQ(user_db_->raw_Close(), S_OK);
  IArdentUser* user = nullptr;
  EXPECT_EQ(users->raw_FindUser(udbSearchDefault, kAnn, &user), UDB_E_NOTCONNECTED);
  EXPECT_EQ(ann->raw_OpenUserObject(), UDB_E_NOTCONNECTED);
  IArdentTextEnum* groups = nullptr;
  EXPECT_EQ(ann->raw_EnumGroups(&groups), UDB_E_NOTCONNECTED);
  EXPECT_EQ(ann->GetIdentity(), kAnn);
  EXPECT_EQ(TextOf(ann, L"mail"), L"ann@pagewell.test");
  // The same object connects again, to the other directory kind.
  ASSERT_EQ(user_db_->raw_Connect(0, ExchangeString().c_str()), S_OK);
  EXPECT_EQ(Find(users, udbSearchDN, kAnnDn)->GetIdentity(), kAnnDn);
  EXPECT_EQ(ann->raw_OpenUserObject(), UDB_E_NOTCONNECTED);
}

// Objects are copies: changes made in the directory meanwhile (an attribute, a membership, a
// deletion) show only after OpenUserObject reads the object again. A server of the test's own,
// reached in Exchange mode, so that its changes reach no other test.
TEST_F(DirectoryTest, OpenUserObjectReadsChangesMadeMeanwhile) {
  SlapdServer own(kDirectorySchema, kDirectorySuffix, kDirectoryLdif);
  ASSERT_TRUE(own.Start()) << own.Log();
  const IArdentUserLocatorPtr users =
      ConnectedTo(L"directorytype=ex55;directoryserver=" + FromUtf8(own.host()));
  ASSERT_TRUE(users);
  const IArdentUserPtr ann = Find(users, udbSearchDN, kAnnDn);
  const IArdentUserPtr cid =
      Find(users, udbSearchDN, L"cn=Cid Carter,ou=Users,dc=pagewell,dc=test");
  ASSERT_TRUE(ann && cid);
  EXPECT_EQ(AllTexts(ann->EnumGroups()), std::vector<std::wstring>{kSalesDn});

  ASSERT_TRUE(own.Modify(std::string("dn: ") + ToUtf8(kAnnDn) +
                         "\nchangetype: modify\nreplace: department\ndepartment: Support\n\n"
                         "dn: cn=Sales,ou=Groups,dc=pagewell,dc=test\nchangetype: modify\n"
                         "delete: member\nmember: " +
                         ToUtf8(kAnnDn) +
                         "\n\n"
                         "dn: cn=Cid Carter,ou=Users,dc=pagewell,dc=test\nchangetype: delete\n"))
      << own.Log();
  EXPECT_EQ(TextOf(ann, L"department"), L"Sales");
  EXPECT_EQ(AllTexts(ann->EnumGroups()), std::vector<std::wstring>{kSalesDn});
  ASSERT_EQ(ann->raw_OpenUserObject(), S_OK);
  EXPECT_EQ(TextOf(ann, L"department"), L"Support");
  EXPECT_TRUE(AllTexts(ann->EnumGroups()).empty());
  EXPECT_EQ(cid->raw_OpenUserObject(), UDB_E_USERNOTFOUND);
  EXPECT_EQ(TextOf(cid, L"cn"), L"Cid Carter");
  BSTR name = nullptr;
  EXPECT_EQ(users->raw_GetDisplayName(L"cn=Cid Carter,ou=Users,dc=pagewell,dc=test", &name),
            UDB_E_USERNOTFOUND);
}

}  // namespace
}  // namespace pw::test
