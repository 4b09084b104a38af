// The user database: registration, connecting with its flags and strings, finding users,
// attribute types, saving, uniqueness, groups, and files it must refuse without touching.
#include <filesystem>

#include "platform/win/registry.h"
#include "tests/userdb/userdb_fixture.h"

namespace pw::test {
namespace {

using UserDatabaseTest = UserDbTest;

void PatchBigEndian(std::string* bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) (*bytes)[offset + i] = static_cast<char>(value >> (24 - 8 * i));
}

// Self-registration names this module; the object answers its two interfaces and no other.
TEST_F(UserDatabaseTest, RegistersItselfAndAnswersItsInterfaces) {
  CRegKey server;
  ASSERT_EQ(server.Open(HKEY_CLASSES_ROOT,
                        L"CLSID\\" + GuidToString(CLSID_ArdentUserDB) + L"\\InprocServer32"),
            ERROR_SUCCESS);
  std::wstring text;
  ASSERT_EQ(server.QueryStringValue(L"", &text), ERROR_SUCCESS);
  EXPECT_TRUE(std::filesystem::equivalent(ToUtf8(text), BinDir() + "/pwuserdb.so"));
  EXPECT_EQ(server.QueryStringValue(L"ThreadingModel", &text), ERROR_SUCCESS);
  EXPECT_EQ(text, L"Both");

  const IArdentUserDBPtr user_db = NewUserDb();
  ASSERT_TRUE(user_db);
  const IArdentUserLocatorPtr users = user_db.As<IArdentUserLocator>();
  ASSERT_TRUE(users);
  EXPECT_FALSE(user_db.As<IArdentUser>());
  EXPECT_FALSE(user_db.As<IArdentDB>());
  // Nothing is connected yet: every locator call says so.
  IArdentUser* user = nullptr;
  EXPECT_EQ(users->raw_FindUser(udbSearchDefault, L"{00000000-0000-0000-0000-000000000001}", &user),
            UDB_E_NOTCONNECTED);
  EXPECT_EQ(users->raw_CreateUser(L"user", &user), UDB_E_NOTCONNECTED);
  EXPECT_EQ(user, nullptr);
  EXPECT_EQ(user_db->raw_Close(), S_FALSE);
}

// Flags 7 create a missing file and reopen it; 4 opens it read-only; other combinations and a
// missing file or folder are refused as documented.
TEST_F(UserDatabaseTest, ConnectFlagsOnMissingAndExistingFiles) {
  const std::wstring argument = DbArgument();
  IArdentUserDBPtr user_db = NewUserDb();
  EXPECT_EQ(user_db->raw_Connect(4, argument.c_str()), UDB_E_NODATABASE);
  EXPECT_FALSE(server_.Exists("pwdb_usr.fst"));
  for (const LONG flags : {0, 1, 2, 8, 6}) {
    EXPECT_EQ(user_db->raw_Connect(flags, argument.c_str()), E_INVALIDARG) << flags;
  }
  EXPECT_EQ(user_db->raw_Connect(
                7, (L"dbpath=" + FromUtf8(server_.Sub("gone")) + L"\\pwdb_usr.fst").c_str()),
            UDB_E_NOFOLDER);
  EXPECT_FALSE(server_.Exists("pwdb_usr.fst"));

  ASSERT_EQ(user_db->raw_Connect(7, argument.c_str()), S_OK);
  EXPECT_TRUE(server_.Exists("pwdb_usr.fst"));
  EXPECT_EQ(user_db->raw_Connect(7, argument.c_str()), UDB_E_ALREADYCONNECTED);
  const std::wstring identity = SaveUser(user_db.As<IArdentUserLocator>(), L"ann")->GetIdentity();
  EXPECT_EQ(user_db->raw_Close(), S_OK);
  EXPECT_EQ(user_db->raw_Close(), S_FALSE);

  // Creating without opening refuses the file that is there now.
  EXPECT_EQ(user_db->raw_Connect(3, argument.c_str()), UDB_E_DATABASEEXISTS);
  ASSERT_EQ(user_db->raw_Connect(7, argument.c_str()), S_OK);
  EXPECT_EQ(user_db.As<IArdentUserLocator>()->GetDisplayName(identity), L"ann");
  user_db->Close();

  ASSERT_EQ(user_db->raw_Connect(4, argument.c_str()), S_OK);
  const IArdentUserLocatorPtr users = user_db.As<IArdentUserLocator>();
  IArdentUserPtr ann;
  ASSERT_EQ(users->FindUser(udbSearchLogin, L"ANN", &ann), S_OK);
  ann->SetAttribute(L"department", VARIANT::FromBstr(L"Sales"));
  EXPECT_EQ(ann->raw_Save(), UDB_E_READONLY);
  IArdentUserPtr bob = users->CreateUser();
  EXPECT_EQ(bob->raw_Save(), UDB_E_READONLY);
  EXPECT_EQ(AllTexts(users->EnumObjects()), std::vector<std::wstring>{identity});
}

// A server path on the server's share resolves under the UNC root, as the console forms it.
TEST_F(UserDatabaseTest, ConnectsThroughAUncServerPath) {
  TempDir unc_root;
  ScopedEnv root("PAGEWELL_UNC_ROOT", unc_root.path());
  std::filesystem::create_directories(unc_root.Sub("faxsrv/PWSERVER$"));
  IArdentUserDBPtr user_db = NewUserDb();
  ASSERT_EQ(user_db->raw_Connect(7, L"dbpath=\\\\FAXSRV\\PWSERVER$\\pwdb_usr.fst"), S_OK);
  SaveUser(user_db.As<IArdentUserLocator>(), L"ann");
  EXPECT_TRUE(unc_root.Exists("faxsrv/PWSERVER$/pwdb_usr.fst"));
}

// The directory strings of the other directory modes reach the component and, with no server
// listening, are refused with their own code; malformed ones are invalid; the object stays
// usable.
TEST_F(UserDatabaseTest, DirectoryStringsFailCleanly) {
  IArdentUserDBPtr user_db = NewUserDb();
  EXPECT_EQ(user_db->raw_Connect(0, L"directorytype=ex55;directoryserver=127.0.0.1:1"),
            UDB_E_NODIRECTORYACCESS);
  EXPECT_EQ(user_db->raw_Connect(0, L"DirectoryType = EX55 ; DirectoryServer = 127.0.0.1:1 ;"),
            UDB_E_NODIRECTORYACCESS);
  EXPECT_EQ(user_db->raw_Connect(UDB_CONNECT_WRITE,
                                 L"directorytype=ex55;directoryserver=ldap://127.0.0.1:1"),
            UDB_E_NODIRECTORYACCESS);
  for (const wchar_t* malformed :
       {L"directorytype=ex55;directoryserver=", L"directorytype=ex55", L"directorytype=novell",
        L"directorytype=ad;searchscope=everywhere", L"directorytype=ad;directorytype=ad",
        L"directorytype=ad;colour=blue", L"searchbase=top", L"", L"dbpath=", L"dbpath=  "}) {
    EXPECT_EQ(user_db->raw_Connect(0, malformed), E_INVALIDARG) << ToUtf8(malformed);
  }
  EXPECT_EQ(user_db->raw_Connect(4, L"directorytype=ad"), E_INVALIDARG);
  EXPECT_EQ(user_db->raw_Connect(0, nullptr), E_POINTER);
  EXPECT_EQ(user_db.As<IArdentUserLocator>()->raw_EnumObjects(L"", nullptr), E_POINTER);
  IArdentTextEnum* objects = nullptr;
  EXPECT_EQ(user_db.As<IArdentUserLocator>()->raw_EnumObjects(L"", &objects), UDB_E_NOTCONNECTED);
  EXPECT_EQ(user_db->raw_Connect(7, DbArgument().c_str()), S_OK);
}

// A user made with the attributes the add-user dialog writes is found again by identity,
// address, login and distinguished name, with each attribute in its own VARIANT type.
TEST_F(UserDatabaseTest, CreatedUserIsFoundWithTypedAttributes) {
  const IArdentUserLocatorPtr users = Connected();
  const IArdentUserPtr created = users->CreateUser(L"user");
  const std::wstring identity = created->GetIdentity();
  ASSERT_EQ(identity.size(), 38u);
  EXPECT_EQ(identity, ToUpper(identity));
  EXPECT_TRUE(ParseGuid(std::wstring_view(identity)).has_value());
  const std::pair<const wchar_t*, const wchar_t*> texts[] = {
      {L"cn", L"Ann Lee"},
      {L"mail", L"ann@Pagewell"},
      {L"givenName", L"Ann"},
      {L"sn", L"Lee"},
      {L"department", L"Sales"},
      {L"company", L"Ardent"},
      {L"telephoneNumber", L"+49 89 1"},
      {L"facsimileTelephoneNumber", L"+49 89 2"},
      {L"ardentWindowsAccount", L"alee"},
      {L"ardentInternetMail", L"ann@example.com"}};
  for (const auto& [name, value] : texts) created->SetAttribute(name, VARIANT::FromBstr(value));
  created->SetAttribute(L"ardentCustomFlags", VARIANT::FromUI4(1));
  ASSERT_EQ(created->raw_Save(), S_OK);

  const IArdentUserLocatorPtr other = Connected();
  IArdentUserPtr found;
  ASSERT_EQ(other->FindUser(udbSearchDefault, ToLower(identity), &found), S_OK);
  EXPECT_EQ(found->GetIdentity(), identity);
  EXPECT_EQ(found->GetObjectType(), L"user");
  EXPECT_EQ(found->OpenUserObject(), S_OK);
  for (const auto& [name, value] : texts) {
    EXPECT_EQ(found->GetAttribute(name), VARIANT::FromBstr(value)) << ToUtf8(name);
  }
  EXPECT_EQ(found->GetAttribute(L"ARDENTCUSTOMFLAGS"), VARIANT::FromI4(1));
  EXPECT_TRUE(found->GetAttribute(L"initials").IsEmpty());
  EXPECT_TRUE(found->GetAttribute(L"proxyAddresses").IsEmpty());
  EXPECT_EQ(ArrayTexts(found->GetAttribute(L"ObjectClass")),
            (std::vector<std::wstring>{L"top", L"person", L"organizationalPerson", L"user"}));
  const std::wstring dn = L"CN=" + identity + L",OU=Users,O=Pagewell";
  EXPECT_EQ(found->GetAttribute(L"distinguishedName"), VARIANT::FromBstr(dn));
  EXPECT_EQ(other->GetDisplayName(identity), L"Ann Lee");

  for (const auto& [type, text] :
       std::vector<std::pair<LONG, std::wstring>>{{udbSearchMail, L" ANN@pagewell "},
                                                  {udbSearchLogin, L"ALEE"},
                                                  {udbSearchDN, ToLower(dn)}}) {
    IArdentUserPtr match;
    EXPECT_EQ(other->FindUser(type, text, &match), S_OK) << ToUtf8(text);
    EXPECT_EQ(match ? match->GetIdentity() : L"", identity);
  }
  for (const auto& [type, text] : std::vector<std::pair<LONG, std::wstring>>{
           {udbSearchDefault, L"{00000000-0000-0000-0000-000000000001}"},
           {udbSearchDefault, L"not a guid"},
           {udbSearchMail, L"alee"},
           {udbSearchLogin, L"ann@Pagewell"},
           {udbSearchDN, L"CN=" + identity + L",OU=Groups,O=Pagewell"}}) {
    IArdentUserPtr match;
    EXPECT_EQ(other->FindUser(type, text, &match), S_FALSE) << ToUtf8(text);
    EXPECT_FALSE(match);
  }
  IArdentUser* none = nullptr;
  EXPECT_EQ(other->raw_FindUser(3, L"ann", &none), E_INVALIDARG);
  EXPECT_EQ(other->raw_FindUser(udbSearchLogin, L" ", &none), E_INVALIDARG);
  BSTR name = nullptr;
  EXPECT_EQ(other->raw_GetDisplayName(L"{00000000-0000-0000-0000-000000000001}", &name),
            UDB_E_USERNOTFOUND);
  EXPECT_EQ(name, nullptr);
}

// Writes convert to the attribute's type or are refused; empty values remove an attribute;
// multi-valued ones drop empty and repeated values; the display name falls back in order.
TEST_F(UserDatabaseTest, AttributeWritesKeepTheirTypes) {
  const IArdentUserLocatorPtr users = Connected();
  const IArdentUserPtr user = SaveUser(users, L"ann");
  EXPECT_EQ(user->raw_SetAttribute(L"ardentCustomFlags", VARIANT::FromBstr(L"SMTP")),
            DISP_E_TYPEMISMATCH);
  EXPECT_EQ(user->raw_SetAttribute(L"ardentCustomFlags", VARIANT::FromBstr(L"1")), S_OK);
  EXPECT_EQ(user->GetAttribute(L"ardentCustomFlags"), VARIANT::FromI4(1));
  EXPECT_EQ(user->raw_SetAttribute(L"cn", VARIANT::FromArray({VARIANT::FromBstr(L"x")})),
            DISP_E_TYPEMISMATCH);
  EXPECT_EQ(user->raw_SetAttribute(L"favouriteColour", VARIANT::FromBstr(L"blue")),
            UDB_E_UNKNOWNATTRIBUTE);
  VARIANT unknown = VARIANT::FromI4(5);
  EXPECT_EQ(user->raw_GetAttribute(L"favouriteColour", &unknown), UDB_E_UNKNOWNATTRIBUTE);
  EXPECT_TRUE(unknown.IsEmpty());
  for (const wchar_t* computed : {L"ObjectClass", L"distinguishedName", L"member", L"memberOf"}) {
    EXPECT_EQ(user->raw_SetAttribute(computed, VARIANT::FromBstr(L"x")), UDB_E_READONLYATTRIBUTE);
  }
  user->SetAttribute(
      L"proxyAddresses",
      VARIANT::FromArray({VARIANT::FromBstr(L"SMTP:ann@example.com"), VARIANT::FromBstr(L""),
                          VARIANT::FromBstr(L"Pagewell:ann@Pagewell"),
                          VARIANT::FromBstr(L"smtp:ANN@example.com")}));
  user->SetAttribute(L"otherMailbox", VARIANT::FromBstr(L"Pagewell$ann2@Pagewell"));
  user->SetAttribute(L"cn", VARIANT::FromBstr(L""));
  ASSERT_EQ(user->raw_Save(), S_OK);

  IArdentUserPtr again;
  ASSERT_EQ(Connected()->FindUser(udbSearchMail, L"ann2@pagewell", &again), S_OK);
  EXPECT_EQ(ArrayTexts(again->GetAttribute(L"proxyAddresses")),
            (std::vector<std::wstring>{L"SMTP:ann@example.com", L"Pagewell:ann@Pagewell"}));
  EXPECT_EQ(ArrayTexts(again->GetAttribute(L"otherMailbox")),
            std::vector<std::wstring>{L"Pagewell$ann2@Pagewell"});
  EXPECT_TRUE(again->GetAttribute(L"cn").IsEmpty());
  EXPECT_EQ(again->GetAttribute(L"ardentCustomFlags"), VARIANT::FromI4(1));
  IArdentUserPtr by_proxy;
  EXPECT_EQ(users->FindUser(udbSearchMail, L"ann@example.com", &by_proxy), S_OK);

  // Without "cn" the address names the user, then the login, then the identity.
  EXPECT_EQ(users->GetDisplayName(user->GetIdentity()), L"ann@Pagewell");
  user->SetAttribute(L"mail", VARIANT());
  user->Save();
  EXPECT_EQ(users->GetDisplayName(user->GetIdentity()), L"ann");
  user->SetAttribute(L"displayName", VARIANT::FromBstr(L"Ann (Sales)"));
  user->Save();
  EXPECT_EQ(users->GetDisplayName(user->GetIdentity()), L"Ann (Sales)");
  const IArdentUserPtr bare = users->CreateUser(L"MailboxAgent");
  bare->Save();
  EXPECT_EQ(bare->GetObjectType(), L"mailboxagent");
  EXPECT_EQ(users->GetDisplayName(bare->GetIdentity()), bare->GetIdentity());
  EXPECT_EQ(ArrayTexts(bare->GetAttribute(L"ObjectClass")),
            (std::vector<std::wstring>{L"top", L"Mailbox-Agent"}));
  IArdentUser* none = nullptr;
  EXPECT_EQ(users->raw_CreateUser(L"computer", &none), E_INVALIDARG);
}

// Logins and addresses are unique ignoring case over all objects; a refused save writes
// nothing and can be corrected; saving an object again keeps its own keys.
TEST_F(UserDatabaseTest, UniquenessIsRefusedWithItsCodes) {
  const IArdentUserLocatorPtr users = Connected();
  const IArdentUserPtr ann = SaveUser(users, L"ann");
  ann->SetAttribute(L"proxyAddresses", VARIANT::FromBstr(L"SMTP:ann@example.com"));
  ASSERT_EQ(ann->raw_Save(), S_OK);

  const IArdentUserPtr copy = users->CreateUser();
  copy->SetAttribute(L"ardentWindowsAccount", VARIANT::FromBstr(L"ANN"));
  copy->SetAttribute(L"mail", VARIANT::FromBstr(L"ANN@pagewell"));
  EXPECT_EQ(copy->raw_Save(), UDB_E_DUPLICATELOGIN);
  copy->SetAttribute(L"ardentWindowsAccount", VARIANT::FromBstr(L"ann2"));
  EXPECT_EQ(copy->raw_Save(), UDB_E_DUPLICATEADDRESS);
  copy->SetAttribute(L"mail", VARIANT::FromBstr(L"Ann@Example.com"));
  EXPECT_EQ(copy->raw_Save(), UDB_E_DUPLICATEADDRESS);
  copy->SetAttribute(L"mail", VARIANT::FromBstr(L"ann2@Pagewell"));
  copy->SetAttribute(L"otherMailbox", VARIANT::FromBstr(L"Pagewell$ann@pagewell"));
  EXPECT_EQ(copy->raw_Save(), UDB_E_DUPLICATEADDRESS);
  EXPECT_EQ(AllTexts(users->EnumObjects()), std::vector<std::wstring>{ann->GetIdentity()});
  IArdentUserPtr nobody;
  EXPECT_EQ(users->FindUser(udbSearchLogin, L"ann2", &nobody), S_FALSE);

  copy->SetAttribute(L"otherMailbox", VARIANT());
  ASSERT_EQ(copy->raw_Save(), S_OK);
  ann->SetAttribute(L"mail", VARIANT::FromBstr(L"ANN@PAGEWELL"));
  EXPECT_EQ(ann->raw_Save(), S_OK);
  // Giving up an address frees it for another object.
  ann->SetAttribute(L"proxyAddresses", VARIANT());
  ASSERT_EQ(ann->raw_Save(), S_OK);
  copy->SetAttribute(L"ardentInternetMail", VARIANT::FromBstr(L"ann@example.com"));
  copy->SetAttribute(L"proxyAddresses", VARIANT::FromBstr(L"smtp:ann@example.com"));
  EXPECT_EQ(copy->raw_Save(), S_OK);
  IArdentUserPtr holder;
  ASSERT_EQ(users->FindUser(udbSearchMail, L"ann@example.com", &holder), S_OK);
  EXPECT_EQ(holder->GetIdentity(), copy->GetIdentity());
}

// Two consoles changing different attributes of one user keep both changes; opening the
// object again reads them and drops what was not saved.
TEST_F(UserDatabaseTest, SaveWritesOnlyWhatChanged) {
  const IArdentUserLocatorPtr first = Connected();
  const IArdentUserLocatorPtr second = Connected();
  const std::wstring identity = SaveUser(first, L"ann")->GetIdentity();
  IArdentUserPtr mine;
  IArdentUserPtr theirs;
  ASSERT_EQ(first->FindUser(udbSearchDefault, identity, &mine), S_OK);
  ASSERT_EQ(second->FindUser(udbSearchDefault, identity, &theirs), S_OK);
  mine->SetAttribute(L"department", VARIANT::FromBstr(L"Sales"));
  theirs->SetAttribute(L"company", VARIANT::FromBstr(L"Ardent"));
  ASSERT_EQ(mine->raw_Save(), S_OK);
  ASSERT_EQ(theirs->raw_Save(), S_OK);
  mine->SetAttribute(L"title", VARIANT::FromBstr(L"unsaved"));
  EXPECT_EQ(mine->OpenUserObject(), S_OK);
  EXPECT_EQ(mine->GetAttribute(L"department"), VARIANT::FromBstr(L"Sales"));
  EXPECT_EQ(mine->GetAttribute(L"company"), VARIANT::FromBstr(L"Ardent"));
  EXPECT_EQ(mine->GetAttribute(L"mail"), VARIANT::FromBstr(L"ann@Pagewell"));
  EXPECT_TRUE(mine->GetAttribute(L"title").IsEmpty());
  EXPECT_EQ(first->CreateUser()->raw_OpenUserObject(), S_FALSE);
}

// Groups hold users and groups; membership is saved with the group and seen from both sides;
// a member that names no object is refused at the save.
TEST_F(UserDatabaseTest, GroupsAndMembership) {
  const IArdentUserLocatorPtr users = Connected();
  const IArdentUserPtr ann = SaveUser(users, L"ann");
  const IArdentUserPtr bob = SaveUser(users, L"bob");
  const IArdentUserPtr sales = SaveUser(users, L"Sales", L"group");
  const IArdentUserPtr staff = SaveUser(users, L"Staff", L"Group");
  EXPECT_EQ(staff->GetObjectType(), L"group");
  EXPECT_EQ(ArrayTexts(sales->GetAttribute(L"ObjectClass")),
            (std::vector<std::wstring>{L"top", L"group", L"groupOfNames"}));
  EXPECT_EQ(sales->GetAttribute(L"distinguishedName"),
            VARIANT::FromBstr(L"CN=" + sales->GetIdentity() + L",OU=Groups,O=Pagewell"));

  EXPECT_EQ(sales->AddMember(ToLower(ann->GetIdentity())), S_OK);
  EXPECT_EQ(sales->AddMember(ann->GetIdentity()), S_FALSE);
  EXPECT_EQ(sales->AddMember(bob->GetIdentity()), S_OK);
  EXPECT_EQ(sales->raw_AddMember(sales->GetIdentity().c_str()), E_INVALIDARG);
  EXPECT_EQ(sales->raw_AddMember(L"bob"), E_INVALIDARG);
  EXPECT_EQ(ann->raw_AddMember(bob->GetIdentity().c_str()), UDB_E_NOTAGROUP);
  IArdentTextEnum* none = nullptr;
  EXPECT_EQ(ann->raw_EnumMembers(&none), UDB_E_NOTAGROUP);
  EXPECT_EQ(staff->AddMember(sales->GetIdentity()), S_OK);
  ASSERT_EQ(sales->raw_Save(), S_OK);
  ASSERT_EQ(staff->raw_Save(), S_OK);

  const IArdentUserLocatorPtr other = Connected();
  IArdentUserPtr group;
  ASSERT_EQ(other->FindUser(udbSearchDefault, sales->GetIdentity(), &group), S_OK);
  EXPECT_EQ(AllTexts(group->EnumMembers()),
            (std::vector<std::wstring>{ann->GetIdentity(), bob->GetIdentity()}));
  EXPECT_EQ(AllTexts(group->EnumGroups()), std::vector<std::wstring>{staff->GetIdentity()});
  EXPECT_EQ(ArrayTexts(group->GetAttribute(L"member")),
            (std::vector<std::wstring>{ann->GetIdentity(), bob->GetIdentity()}));
  IArdentUserPtr member;
  ASSERT_EQ(other->FindUser(udbSearchLogin, L"ann", &member), S_OK);
  EXPECT_EQ(AllTexts(member->EnumGroups()), std::vector<std::wstring>{sales->GetIdentity()});
  EXPECT_EQ(ArrayTexts(member->GetAttribute(L"memberOf")),
            std::vector<std::wstring>{sales->GetIdentity()});

  // Removing and adding back before a save is no change; a removal reaches the file.
  EXPECT_EQ(group->RemoveMember(bob->GetIdentity()), S_OK);
  EXPECT_EQ(group->RemoveMember(bob->GetIdentity()), S_FALSE);
  EXPECT_EQ(group->AddMember(bob->GetIdentity()), S_OK);
  EXPECT_EQ(group->RemoveMember(ann->GetIdentity()), S_OK);
  ASSERT_EQ(group->raw_Save(), S_OK);
  EXPECT_EQ(sales->OpenUserObject(), S_OK);
  EXPECT_EQ(AllTexts(sales->EnumMembers()), std::vector<std::wstring>{bob->GetIdentity()});

  // A member unknown to the database fails the whole save, attributes included.
  group->SetAttribute(L"description", VARIANT::FromBstr(L"sellers"));
  group->AddMember(L"{00000000-0000-0000-0000-000000000001}");
  EXPECT_EQ(group->raw_Save(), UDB_E_USERNOTFOUND);
  EXPECT_EQ(sales->OpenUserObject(), S_OK);
  EXPECT_TRUE(sales->GetAttribute(L"description").IsEmpty());
  EXPECT_EQ(AllTexts(users->EnumObjects(L"group")),
            (std::vector<std::wstring>{sales->GetIdentity(), staff->GetIdentity()}));
  EXPECT_EQ(AllTexts(users->EnumObjects(L"user")),
            (std::vector<std::wstring>{ann->GetIdentity(), bob->GetIdentity()}));
}

// After Close the user objects keep their copies but can neither read afresh nor save.
TEST_F(UserDatabaseTest, UserObjectsOutliveTheirConnection) {
  IArdentUserDBPtr user_db = NewUserDb();
  ASSERT_EQ(user_db->raw_Connect(7, DbArgument().c_str()), S_OK);
  const IArdentUserPtr ann = SaveUser(user_db.As<IArdentUserLocator>(), L"ann");
  user_db->Close();
  EXPECT_EQ(ann->GetAttribute(L"cn"), VARIANT::FromBstr(L"ann"));
  ann->SetAttribute(L"cn", VARIANT::FromBstr(L"Ann"));
  EXPECT_EQ(ann->raw_Save(), UDB_E_NOTCONNECTED);
  EXPECT_EQ(ann->raw_OpenUserObject(), UDB_E_NOTCONNECTED);
  // A new connection does not revive the old objects.
  ASSERT_EQ(user_db->raw_Connect(7, DbArgument().c_str()), S_OK);
  EXPECT_EQ(ann->raw_Save(), UDB_E_NOTCONNECTED);
}

// Files that are not a usable user database are refused with their code by both flag sets,
// and left byte for byte as they were.
TEST_F(UserDatabaseTest, UnusableFilesAreRefusedAndLeftUntouched) {
  {
    IArdentUserDBPtr maker = NewUserDb();
    ASSERT_EQ(maker->raw_Connect(7, DbArgument().c_str()), S_OK);
    SaveUser(maker.As<IArdentUserLocator>(), L"ann");
  }
  ASSERT_FALSE(server_.Exists("pwdb_usr.fst-wal"));
  const std::string valid = server_.ReadFile("pwdb_usr.fst");
  ASSERT_GT(valid.size(), 4096u * 3);

  std::string newer = valid;
  PatchBigEndian(&newer, 60, 2);
  std::string damaged = valid;
  for (std::size_t i = 4096 * 2; i < damaged.size(); ++i) damaged[i] = static_cast<char>(0xA5);
  std::string foreign = valid;
  PatchBigEndian(&foreign, 68, 0x50574346);
  const std::pair<std::string, HRESULT> cases[] = {
      {"", UDB_E_NOTUSERDATABASE},
      {"name,login\nann,ann\n", UDB_E_NOTUSERDATABASE},
      {std::string(8192, '\0'), UDB_E_NOTUSERDATABASE},
      {foreign, UDB_E_NOTUSERDATABASE},
      {newer, UDB_E_SCHEMAMISMATCH},
      {damaged, UDB_E_CORRUPT},
  };
  for (const auto& [bytes, expected] : cases) {
    server_.WriteFile("pwdb_usr.fst", bytes);
    for (const LONG flags : {7, 4}) {
      IArdentUserDBPtr user_db = NewUserDb();
      EXPECT_EQ(user_db->raw_Connect(flags, DbArgument().c_str()), expected)
          << bytes.size() << " bytes, flags " << flags;
      IArdentUser* user = nullptr;
      EXPECT_EQ(user_db.As<IArdentUserLocator>()->raw_CreateUser(L"", &user), UDB_E_NOTCONNECTED);
    }
    EXPECT_TRUE(server_.ReadFile("pwdb_usr.fst") == bytes) << bytes.size() << " bytes";
  }
  server_.WriteFile("pwdb_usr.fst", valid);
  IArdentUserDBPtr user_db = NewUserDb();
  ASSERT_EQ(user_db->raw_Connect(7, DbArgument().c_str()), S_OK);
  EXPECT_EQ(AllTexts(user_db.As<IArdentUserLocator>()->EnumObjects()).size(), 1u);
}

}  // namespace
}  // namespace pw::test
