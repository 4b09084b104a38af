// The store object: registration, opening and creating configurations, settings, lines and
// MSNs, bulk updates and the restart-pending flag.
#include <algorithm>
#include <filesystem>
#include <random>

#include "platform/win/registry.h"
#include "tests/store/store_fixture.h"

namespace pw::test {
namespace {

std::vector<std::string> FolderListing(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Writes a 32-bit big-endian number into the SQLite file header bytes.
void PatchHeader(std::string* bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) (*bytes)[offset + i] = static_cast<char>(value >> (24 - 8 * i));
}

using ConfigurationStoreTest = StoreTest;

// Self-registration names this module with threading model "Both"; unregistration undoes it.
TEST_F(ConfigurationStoreTest, RegistersAndUnregistersItself) {
  const std::wstring class_key = L"CLSID\\" + GuidToString(CLSID_ArdentDB);
  CRegKey key;
  ASSERT_EQ(key.Open(HKEY_CLASSES_ROOT, class_key), ERROR_SUCCESS);
  std::wstring text;
  EXPECT_EQ(key.QueryStringValue(L"", &text), ERROR_SUCCESS);
  EXPECT_EQ(text, L"ArdentDB Class");
  CRegKey server;
  ASSERT_EQ(server.Open(HKEY_CLASSES_ROOT, class_key + L"\\InprocServer32"), ERROR_SUCCESS);
  ASSERT_EQ(server.QueryStringValue(L"", &text), ERROR_SUCCESS);
  EXPECT_TRUE(std::filesystem::equivalent(ToUtf8(text), StoreModulePath())) << ToUtf8(text);
  EXPECT_EQ(server.QueryStringValue(L"ThreadingModel", &text), ERROR_SUCCESS);
  EXPECT_EQ(text, L"Both");
  server.Close();
  key.Close();

  IArdentDBPtr store = NewStore();
  ASSERT_TRUE(store);
  EXPECT_TRUE(store.As<IPagewell>());
  EXPECT_TRUE(store.As<IArdentRULEDB>());
  EXPECT_TRUE(store.As<IArdentDBSetup>());
  EXPECT_TRUE(store.As<IUnknown>());
  EXPECT_FALSE(store.As<IArdentRule>());
  store.Reset();

  EXPECT_EQ(CallStoreExport("DllUnregisterServer"), S_OK);
  EXPECT_EQ(key.Open(HKEY_CLASSES_ROOT, class_key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(CreateInstance(CLSID_ArdentDB, &store), REGDB_E_CLASSNOTREG);
  // Unregistering what is not registered is not an error.
  EXPECT_EQ(CallStoreExport("DllUnregisterServer"), S_OK);
}

// The class object exists for ArdentDB only, and refuses aggregation.
TEST_F(ConfigurationStoreTest, ClassObjectServesOnlyItsClass) {
  void* module = ::dlopen(StoreModulePath().c_str(), RTLD_NOW);
  ASSERT_NE(module, nullptr);
  auto* get_class_object =
      reinterpret_cast<DllGetClassObjectFunction>(::dlsym(module, "DllGetClassObject"));
  ASSERT_NE(get_class_object, nullptr);
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(get_class_object(IID_IArdentDB, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
  ASSERT_EQ(get_class_object(CLSID_ArdentDB, IID_IClassFactory, &object), S_OK);
  auto factory = ComPtr<IClassFactory>::Adopt(static_cast<IClassFactory*>(object));
  IArdentDBPtr outer = NewStore();
  void* aggregated = nullptr;
  EXPECT_EQ(factory->CreateInstance(outer.Get(), IID_IUnknown, &aggregated), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(aggregated, nullptr);
  factory.Reset();
  ::dlclose(module);
}

// Open refuses each kind of unusable folder with its own code and never touches the file.
TEST_F(ConfigurationStoreTest, OpenRefusesWhatIsNoConfiguration) {
  IArdentDBPtr store = NewStore();
  ASSERT_TRUE(store);
  EXPECT_EQ(store->raw_Open(1, ServerPath().c_str()), E_INVALIDARG);
  EXPECT_EQ(store->raw_Open(0, L""), E_INVALIDARG);
  EXPECT_EQ(store->raw_Open(0, nullptr), E_POINTER);
  EXPECT_EQ(store->raw_Open(0, (ServerPath() + L"/missing").c_str()), ARDENTDB_E_NOFOLDER);
  EXPECT_EQ(store->raw_Open(0, ServerPath().c_str()), ARDENTDB_E_NOCONFIGURATION);
  EXPECT_TRUE(FolderListing(server_.path()).empty());

  const auto expect_refused = [&](const std::string& bytes, HRESULT expected) {
    server_.WriteFile("pwconfig.db", bytes);
    const std::vector<std::string> before = FolderListing(server_.path());
    EXPECT_EQ(store->raw_Open(0, ServerPath().c_str()), expected);
    EXPECT_EQ(server_.ReadFile("pwconfig.db"), bytes);
    EXPECT_EQ(FolderListing(server_.path()), before);
  };
  expect_refused("", ARDENTDB_E_EMPTYFILE);
  std::mt19937 random(7);
  std::string noise(8192, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  expect_refused(noise, ARDENTDB_E_NOTCONFIGURATION);
  expect_refused("SQLite format 3", ARDENTDB_E_NOTCONFIGURATION);

  // A real configuration, then the same file changed the ways another program or a newer
  // store would have it.
  ASSERT_EQ(std::filesystem::remove(ConfigurationFile()), true);
  ASSERT_EQ(store.As<IArdentDBSetup>()->raw_CreateConfiguration(ServerPath().c_str()), S_OK);
  const std::string valid = server_.ReadFile("pwconfig.db");
  ASSERT_GE(valid.size(), 4096u);
  std::string other_program = valid;
  PatchHeader(&other_program, 68, 0x12345678);
  expect_refused(other_program, ARDENTDB_E_NOTCONFIGURATION);
  std::string newer = valid;
  PatchHeader(&newer, 60, 2);
  expect_refused(newer, ARDENTDB_E_NEWERSCHEMA);
  std::string older = valid;
  PatchHeader(&older, 60, 0);
  expect_refused(older, ARDENTDB_E_OLDERSCHEMA);
  std::string damaged = valid.substr(0, 100) + noise;
  expect_refused(damaged, ARDENTDB_E_CORRUPT);

  // After all that the object still opens a good configuration.
  server_.WriteFile("pwconfig.db", valid);
  EXPECT_EQ(store->raw_Open(0, ServerPath().c_str()), S_OK);
}

// Methods need an open configuration; Open twice is refused; Close frees the object for reuse.
TEST_F(ConfigurationStoreTest, OpenAndCloseFollowTheObjectsState) {
  IArdentDBPtr store = NewStore();
  ASSERT_TRUE(store);
  const IPagewellPtr settings = store.As<IPagewell>();
  const IArdentRULEDBPtr rules = store.As<IArdentRULEDB>();
  VARIANT value;
  EXPECT_EQ(settings->raw_GetValue(L"IPW_Flags", &value), ARDENTDB_E_NOTOPEN);
  IArdentRule* rule = nullptr;
  EXPECT_EQ(rules->raw_CreateRule(L"csid", &rule), ARDENTDB_E_NOTOPEN);
  IArdentRuleEnum* enumerator = nullptr;
  EXPECT_EQ(rules->raw_EnumRules(L"", L"csid", &enumerator), ARDENTDB_E_NOTOPEN);
  EXPECT_EQ(enumerator, nullptr);
  EXPECT_EQ(settings->raw_BeginBulkUpdate(), ARDENTDB_E_NOTOPEN);
  EXPECT_EQ(settings->raw_EndBulkUpdate(), S_FALSE);
  EXPECT_EQ(store->raw_Close(), S_FALSE);

  ASSERT_EQ(store.As<IArdentDBSetup>()->raw_CreateConfiguration(ServerPath().c_str()), S_OK);
  TempDir second;
  ASSERT_EQ(store.As<IArdentDBSetup>()->raw_CreateConfiguration(FromUtf8(second.path()).c_str()),
            S_OK);
  ASSERT_EQ(store->raw_Open(0, ServerPath().c_str()), S_OK);
  EXPECT_EQ(store->raw_Open(0, FromUtf8(second.path()).c_str()), ARDENTDB_E_ALREADYOPEN);
  rules->SaveRule(MakeRule(rules, L"csid", L"FIRST").Get(), VARIANT_TRUE);
  EXPECT_EQ(store->raw_Close(), S_OK);
  ASSERT_EQ(store->raw_Open(0, FromUtf8(second.path()).c_str()), S_OK);
  EXPECT_TRUE(ValuesOfType(rules, L"csid").empty());
  EXPECT_EQ(store->raw_Close(), S_OK);
  ASSERT_EQ(store->raw_Open(0, ServerPath().c_str()), S_OK);
  EXPECT_EQ(ValuesOfType(rules, L"csid"), std::vector<std::wstring>{L"FIRST"});
}

// A configuration is created only where none exists, in WAL mode with the store's header.
TEST_F(ConfigurationStoreTest, CreatesConfigurationsOnlyOnce) {
  IArdentDBPtr store = NewStore();
  ASSERT_TRUE(store);
  const IArdentDBSetupPtr setup = store.As<IArdentDBSetup>();
  EXPECT_EQ(setup->raw_CreateConfiguration((ServerPath() + L"/missing").c_str()),
            ARDENTDB_E_NOFOLDER);
  EXPECT_EQ(setup->raw_CreateConfiguration(L""), E_INVALIDARG);
  ASSERT_EQ(setup->raw_CreateConfiguration(ServerPath().c_str()), S_OK);
  EXPECT_EQ(FolderListing(server_.path()), std::vector<std::string>{"pwconfig.db"});
  const std::string header = server_.ReadFile("pwconfig.db").substr(0, 100);
  ASSERT_EQ(header.size(), 100u);
  EXPECT_EQ(header.substr(0, 16), std::string("SQLite format 3\0", 16));
  EXPECT_EQ(header[18], 2) << "write version: WAL";
  EXPECT_EQ(header[19], 2) << "read version: WAL";
  EXPECT_EQ(header.substr(60, 4), std::string("\0\0\0\1", 4)) << "schema version";
  EXPECT_EQ(header.substr(68, 4), "PWCF") << "application id";

  ASSERT_EQ(store->raw_Open(0, ServerPath().c_str()), S_OK);
  const IArdentRULEDBPtr rules = store.As<IArdentRULEDB>();
  rules->SaveRule(MakeRule(rules, L"csid", L"KEPT").Get(), VARIANT_TRUE);
  EXPECT_EQ(setup->raw_CreateConfiguration(ServerPath().c_str()), ARDENTDB_E_CONFIGURATIONEXISTS);
  EXPECT_EQ(ValuesOfType(rules, L"csid"), std::vector<std::wstring>{L"KEPT"});

  // An empty file of the name is not replaced either.
  TempDir other;
  other.WriteFile("pwconfig.db", "");
  EXPECT_EQ(setup->raw_CreateConfiguration(FromUtf8(other.path()).c_str()),
            ARDENTDB_E_CONFIGURATIONEXISTS);
  EXPECT_EQ(other.ReadFile("pwconfig.db"), "");
}

// Settings have types and defaults; unknown names and unconvertible values are refused.
TEST_F(ConfigurationStoreTest, SettingsHaveTypesAndDefaults) {
  const IArdentDBPtr store = OpenStore();
  ASSERT_TRUE(store);
  const IPagewellPtr settings = store.As<IPagewell>();
  const std::pair<const wchar_t*, VARIANT> defaults[] = {
      {L"IPW_Flags", VARIANT::FromI4(1)},
      {L"IPW_Exc_DSAorDOM", VARIANT::FromBstr(L"")},
      {L"IPW_OcrRatio", VARIANT::FromI4(70)},
      {L"IPW_OCR_ScnPgs", VARIANT::FromI4(1)},
      {L"IPW_NPQ_Fld_To", VARIANT::FromBstr(L"To:")},
      {L"IPW_NPQ_Fld_Cmp", VARIANT::FromBstr(L"Company:")},
      {L"IPW_NPQ_Fld_Fax", VARIANT::FromBstr(L"Fax:")},
      {L"IPW_NPQ_EOFT", VARIANT::FromBstr(L";")},
      {L"IPW_PaperSize", VARIANT::FromI4(1)},
      {L"IPW_Mrgn_Left", VARIANT::FromI4(500)},
      {L"IPW_Mrgn_Right", VARIANT::FromI4(500)},
      {L"IPW_Mrgn_Top", VARIANT::FromI4(500)},
      {L"IPW_Mrgn_Bottom", VARIANT::FromI4(500)},
  };
  for (const auto& [name, expected] : defaults) {
    EXPECT_EQ(settings->GetValue(name), expected) << ToUtf8(name);
  }
  EXPECT_EQ(settings->GetValue(L"ipw_flags"), VARIANT::FromI4(1));

  VARIANT value = VARIANT::FromI4(99);
  EXPECT_EQ(settings->raw_GetValue(L"IPW_Unknown", &value), ARDENTDB_E_UNKNOWNSETTING);
  EXPECT_TRUE(value.IsEmpty());
  EXPECT_EQ(settings->raw_PutValue(L"Flags", VARIANT::FromI4(1)), ARDENTDB_E_UNKNOWNSETTING);
  try {
    settings->GetValue(L"IPW_Unknown");
    ADD_FAILURE() << "no COM error";
  } catch (const ComError& error) {
    EXPECT_EQ(error.Error(), ARDENTDB_E_UNKNOWNSETTING);
    EXPECT_EQ(error.Iid(), IID_IPagewell);
  }

  EXPECT_EQ(settings->raw_PutValue(L"IPW_Flags", VARIANT::FromBstr(L"many")), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(settings->raw_PutValue(L"IPW_Flags", VARIANT::FromUI4(0x80000000u)), DISP_E_OVERFLOW);
  EXPECT_EQ(settings->raw_PutValue(L"IPW_Flags", VARIANT()), DISP_E_BADVARTYPE);
  EXPECT_EQ(settings->raw_PutValue(L"IPW_Flags", VARIANT::FromArray({VARIANT::FromI4(1)})),
            DISP_E_BADVARTYPE);
  EXPECT_EQ(settings->GetValue(L"IPW_Flags"), VARIANT::FromI4(1));

  // Values are kept in the setting's type, whatever type they came in.
  settings->PutValue(L"IPW_Flags", VARIANT::FromUI4(0x2041));
  settings->PutValue(L"IPW_NPQ_EOFT", VARIANT::FromI4(12));
  settings->PutValue(L"IPW_Mrgn_Top", VARIANT::FromBstr(L" -250 "));
  EXPECT_EQ(settings->GetValue(L"IPW_Flags"), VARIANT::FromI4(0x2041));
  EXPECT_EQ(settings->GetValue(L"IPW_NPQ_EOFT"), VARIANT::FromBstr(L"12"));
  EXPECT_EQ(settings->GetValue(L"IPW_Mrgn_Top"), VARIANT::FromI4(-250));
}

// A put value shows at once in its object, reaches others by SaveValues, and dies with Close.
TEST_F(ConfigurationStoreTest, SaveValuesMakesSettingsLast) {
  const IArdentDBPtr first = OpenStore();
  const IArdentDBPtr second = OpenStore();
  ASSERT_TRUE(first && second);
  const IPagewellPtr mine = first.As<IPagewell>();
  const IPagewellPtr theirs = second.As<IPagewell>();

  mine->PutValue(L"IPW_NPQ_Fld_Fax", VARIANT::FromBstr(L"Telefax:"));
  mine->PutValue(L"IPW_PaperSize", VARIANT::FromI4(3));
  EXPECT_EQ(mine->GetValue(L"IPW_NPQ_Fld_Fax"), VARIANT::FromBstr(L"Telefax:"));
  EXPECT_EQ(theirs->GetValue(L"IPW_NPQ_Fld_Fax"), VARIANT::FromBstr(L"Fax:"));
  EXPECT_EQ(mine->SaveValues(), S_OK);
  EXPECT_EQ(theirs->GetValue(L"IPW_NPQ_Fld_Fax"), VARIANT::FromBstr(L"Telefax:"));
  EXPECT_EQ(theirs->GetValue(L"IPW_PaperSize"), VARIANT::FromI4(3));

  // The other object's saved change is read afresh here.
  theirs->PutValue(L"IPW_PaperSize", VARIANT::FromI4(5));
  theirs->SaveValues();
  EXPECT_EQ(mine->GetValue(L"IPW_PaperSize"), VARIANT::FromI4(5));

  mine->PutValue(L"IPW_Mrgn_Left", VARIANT::FromI4(1000));
  EXPECT_EQ(first->Close(), S_OK);
  ASSERT_EQ(first->raw_Open(0, ServerPath().c_str()), S_OK);
  EXPECT_EQ(mine->GetValue(L"IPW_Mrgn_Left"), VARIANT::FromI4(500));
  EXPECT_EQ(theirs->GetValue(L"IPW_Mrgn_Left"), VARIANT::FromI4(500));
}

// Only a saved change of a start-up setting marks a restart as pending, until it is cleared.
TEST_F(ConfigurationStoreTest, RestartPendingFollowsStartupSettings) {
  const IArdentDBPtr first = OpenStore();
  const IArdentDBPtr second = OpenStore();
  ASSERT_TRUE(first && second);
  const IPagewellPtr mine = first.As<IPagewell>();
  const IPagewellPtr theirs = second.As<IPagewell>();
  EXPECT_EQ(mine->IsRestartPending(), VARIANT_FALSE);

  mine->PutValue(L"IPW_Flags", VARIANT::FromI4(0x7F));
  mine->PutValue(L"IPW_NPQ_Fld_To", VARIANT::FromBstr(L"An:"));
  mine->SaveValues();
  EXPECT_EQ(theirs->IsRestartPending(), VARIANT_FALSE);

  mine->PutValue(L"IPW_OcrRatio", VARIANT::FromI4(70));
  mine->PutValue(L"IPW_Exc_DSAorDOM", VARIANT::FromBstr(L""));
  mine->SaveValues();
  EXPECT_EQ(theirs->IsRestartPending(), VARIANT_FALSE) << "the values were already stored";

  mine->PutValue(L"IPW_Exc_DSAorDOM", VARIANT::FromBstr(L"MAILHOST"));
  EXPECT_EQ(theirs->IsRestartPending(), VARIANT_FALSE) << "not saved yet";
  mine->SaveValues();
  EXPECT_EQ(theirs->IsRestartPending(), VARIANT_TRUE);
  EXPECT_EQ(mine->IsRestartPending(), VARIANT_TRUE);

  EXPECT_EQ(second.As<IArdentDBSetup>()->ClearRestartPending(), S_OK);
  EXPECT_EQ(mine->IsRestartPending(), VARIANT_FALSE);
  mine->PutValue(L"IPW_OCR_ScnPgs", VARIANT::FromI4(4));
  mine->SaveValues();
  EXPECT_EQ(theirs->IsRestartPending(), VARIANT_TRUE);
}

// Lines and MSNs list in the order set; bad lists are refused and keep the previous one.
TEST_F(ConfigurationStoreTest, ListsConfiguredLinesAndMsns) {
  const IArdentDBPtr store = OpenStore();
  ASSERT_TRUE(store);
  const IPagewellPtr settings = store.As<IPagewell>();
  const IArdentDBSetupPtr setup = store.As<IArdentDBSetup>();
  const IArdentTextEnumPtr none = settings->EnumMSNs();
  ASSERT_TRUE(none);
  BSTR stale = SysAllocString(L"stale");
  BSTR text = stale;
  EXPECT_EQ(none->raw_Next(&text), S_FALSE);
  EXPECT_EQ(text, nullptr);
  SysFreeString(stale);

  setup->SetLines(VARIANT::FromArray(
      {VARIANT::FromBstr(L"2"), VARIANT::FromBstr(L"10"), VARIANT::FromBstr(L"1")}));
  setup->SetMSNs(VARIANT::FromArray({VARIANT::FromBstr(L"4711"), VARIANT::FromBstr(L"4712")}));
  const IArdentTextEnumPtr lines = settings->EnumLines();
  EXPECT_EQ(AllTexts(lines), (std::vector<std::wstring>{L"2", L"10", L"1"}));
  EXPECT_EQ(AllTexts(lines), (std::vector<std::wstring>{L"2", L"10", L"1"})) << "after Reset";
  EXPECT_EQ(AllTexts(settings->EnumMSNs()), (std::vector<std::wstring>{L"4711", L"4712"}));

  EXPECT_EQ(setup->raw_SetMSNs(VARIANT::FromBstr(L"4711")), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(setup->raw_SetMSNs(VARIANT::FromArray({VARIANT::FromI4(4711)})), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(setup->raw_SetMSNs(VARIANT::FromArray({VARIANT::FromBstr(L"")})), E_INVALIDARG);
  EXPECT_EQ(setup->raw_SetLines(
                VARIANT::FromArray({VARIANT::FromBstr(L"Line A"), VARIANT::FromBstr(L"LINE a")})),
            E_INVALIDARG);
  EXPECT_EQ(AllTexts(settings->EnumMSNs()), (std::vector<std::wstring>{L"4711", L"4712"}));
  EXPECT_EQ(AllTexts(settings->EnumLines()), (std::vector<std::wstring>{L"2", L"10", L"1"}));
  setup->SetMSNs(VARIANT::FromArray({}));
  EXPECT_TRUE(AllTexts(settings->EnumMSNs()).empty());
}

// A bulk update is one transaction committed by the outermost End and abandoned by Close.
TEST_F(ConfigurationStoreTest, BulkUpdateIsOneTransaction) {
  const IArdentDBPtr writer = OpenStore();
  const IArdentDBPtr reader = OpenStore();
  ASSERT_TRUE(writer && reader);
  const IPagewellPtr bulk = writer.As<IPagewell>();
  const IArdentRULEDBPtr mine = writer.As<IArdentRULEDB>();
  const IArdentRULEDBPtr theirs = reader.As<IArdentRULEDB>();

  EXPECT_EQ(bulk->EndBulkUpdate(), S_FALSE) << "End without Begin";
  EXPECT_EQ(bulk->BeginBulkUpdate(), S_OK);
  mine->SaveRule(MakeRule(mine, L"did", L"100").Get(), VARIANT_TRUE);
  EXPECT_EQ(bulk->BeginBulkUpdate(), S_OK);
  mine->SaveRule(MakeRule(mine, L"did", L"101").Get(), VARIANT_TRUE);
  // A duplicate inside the bulk update fails alone and keeps what came before.
  EXPECT_EQ(mine->raw_SaveRule(MakeRule(mine, L"did", L"100").Get(), VARIANT_TRUE),
            ARDENTDB_E_DUPLICATEVALUE);
  bulk->PutValue(L"IPW_PaperSize", VARIANT::FromI4(2));
  bulk->SaveValues();
  EXPECT_EQ(ValuesOfType(mine, L"did"), (std::vector<std::wstring>{L"100", L"101"}));
  EXPECT_EQ(bulk->EndBulkUpdate(), S_OK);
  EXPECT_TRUE(ValuesOfType(theirs, L"did").empty()) << "inner End does not commit";
  EXPECT_EQ(reader.As<IPagewell>()->GetValue(L"IPW_PaperSize"), VARIANT::FromI4(1));
  EXPECT_EQ(bulk->EndBulkUpdate(), S_OK);
  EXPECT_EQ(ValuesOfType(theirs, L"did"), (std::vector<std::wstring>{L"100", L"101"}));
  EXPECT_EQ(reader.As<IPagewell>()->GetValue(L"IPW_PaperSize"), VARIANT::FromI4(2));
  EXPECT_EQ(bulk->EndBulkUpdate(), S_FALSE);

  EXPECT_EQ(bulk->BeginBulkUpdate(), S_OK);
  mine->SaveRule(MakeRule(mine, L"did", L"102").Get(), VARIANT_TRUE);
  EXPECT_EQ(
      mine->DeleteRule(AllRules(mine->EnumRules(L"", L"did"))[0]->GetField(L"ObjectID").ToString()),
      S_OK);
  EXPECT_EQ(writer->Close(), S_OK);
  EXPECT_EQ(ValuesOfType(theirs, L"did"), (std::vector<std::wstring>{L"100", L"101"}));
  EXPECT_EQ(bulk->raw_EndBulkUpdate(), S_FALSE) << "closed with the object";
}

}  // namespace
}  // namespace pw::test
