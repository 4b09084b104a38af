// Filling the demo server with sample users, lines, MSNs, routes and coverpages.
#include "installation/setup/demo_content.h"

#include <cwctype>
#include <string>
#include <vector>

#include "installation/setup/coverpage_samples.h"
#include "installation/setup/sample_files.h"
#include "platform/com/strings.h"

namespace pw::setup {
namespace {

constexpr DemoUser kUsers[] = {
    {L"user", L"aberger", L"Anna Berger", L"anna.berger@pagewell.demo"},
    {L"user", L"tfischer", L"Tom Fischer", L"tom.fischer@pagewell.demo"},
    {L"user", L"mkoenig", L"Maria Koenig", L"maria.koenig@pagewell.demo"},
    {L"group", nullptr, L"Sales", L"sales@pagewell.demo"},
};

constexpr DemoRoute kRoutes[] = {
    {L"csid", L"+49 89 1234567", 0},
    {L"csid", L"+44 20 7946 0321", 1},
    {L"csid", L"ACME SALES", 3},
    {L"did", L"0100", 0},
    {L"did", L"0101", 1},
    {L"did", L"0102", 2},
    {L"did", L"0200", 3},
    {L"line", L"1", 3},
    {L"msn", L"4711", 0},
    {L"ocr", L"Invoice", 2},
    {L"callblock", L"0900", 3},
};

constexpr const wchar_t* kLines[] = {L"1", L"2", L"3", L"4"};
constexpr const wchar_t* kMSNs[] = {L"4711", L"4712", L"4713"};

// Carries the step in progress so that a ComError from any wrapper call becomes a failure
// that names it.
class DemoWriter {
 public:
  DemoWriter(const ServerStores& stores, SetupReport* report) : stores_(stores), report_(report) {}

  SetupStatus Run() {
    try {
      std::vector<std::wstring> identities;
      for (const DemoUser& user : kUsers) identities.push_back(EnsureUser(user));
      RegisterFaxUsers(identities);
      EnsureTexts(L"lines", stores_.settings()->EnumLines(), kLines,
                  [this](const VARIANT& list) { stores_.setup()->SetLines(list); });
      EnsureTexts(L"MSNs", stores_.settings()->EnumMSNs(), kMSNs,
                  [this](const VARIANT& list) { stores_.setup()->SetMSNs(list); });
      for (const DemoRoute& route : kRoutes) EnsureRoute(route, identities[route.user]);
      for (const SampleCoverpage& sample : SampleCoverpages()) EnsureCoverpageRule(sample);
    } catch (const ComError& error) {
      return SetupStatus::Failure(file_, step_, error.Error());
    }
    return SetupStatus::Ok();
  }

 private:
  void Step(const std::string& file, std::string step) {
    file_ = file;
    step_ = std::move(step);
  }

  std::wstring EnsureUser(const DemoUser& demo) {
    const bool is_user = demo.login != nullptr;
    const std::string what =
        std::string(is_user ? "user " : "group ") + ToUtf8(is_user ? demo.login : demo.name);
    Step(stores_.user_db_file(), "adding the " + what);
    IArdentUserPtr user;
    const HRESULT found = is_user ? stores_.users()->FindUser(udbSearchLogin, demo.login, &user)
                                  : stores_.users()->FindUser(udbSearchMail, demo.mail, &user);
    if (found == S_OK) {
      report_->Kept(what);
      return user->GetIdentity();
    }
    user = stores_.users()->CreateUser(demo.type);
    user->SetAttribute(L"cn", VARIANT::FromBstr(demo.name));
    user->SetAttribute(L"displayName", VARIANT::FromBstr(demo.name));
    user->SetAttribute(L"mail", VARIANT::FromBstr(demo.mail));
    if (is_user) user->SetAttribute(L"ardentWindowsAccount", VARIANT::FromBstr(demo.login));
    user->Save();
    report_->Created(what);
    return user->GetIdentity();
  }

  // The first rule of `type` whose `field` equals `text` ignoring case, or null.
  IArdentRulePtr FindRule(const wchar_t* type, const wchar_t* field, std::wstring_view text) {
    const IArdentRuleEnumPtr rules = stores_.rules()->EnumRules(L"", type);
    IArdentRulePtr rule;
    while (rules->Next(&rule) == S_OK) {
      if (text.empty() || CompareNoCase(rule->GetField(field).ToString(), text)) return rule;
    }
    return nullptr;
  }

  static bool CompareNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    }
    return true;
  }

  // The demo's users join the list of registered users that the defaults began.
  void RegisterFaxUsers(const std::vector<std::wstring>& identities) {
    Step(stores_.configuration_file(), "registering the demo users as fax users");
    IArdentRulePtr list = FindRule(L"faxusers", L"ObjectValue", L"");
    const bool is_new = !list;
    if (is_new) list = stores_.rules()->CreateRule(L"faxusers");
    bool added = false;
    for (const std::wstring& identity : identities) {
      added = list->AddUser(identity) == S_OK || added;
    }
    if (added) stores_.rules()->SaveRule(list.Get(), is_new ? VARIANT_TRUE : VARIANT_FALSE);
    report_->Record(!added, "fax user registration of the demo users");
  }

  template <typename Setter>
  void EnsureTexts(const wchar_t* what, const IArdentTextEnumPtr& existing,
                   std::span<const wchar_t* const> texts, Setter set) {
    const std::string name = ToUtf8(what);
    Step(stores_.configuration_file(), "setting the " + name);
    _bstr_t first;
    if (existing->Next(&first) == S_OK) {
      report_->Kept("the configured " + name);
      return;
    }
    std::vector<VARIANT> items;
    for (const wchar_t* text : texts) items.push_back(VARIANT::FromBstr(text));
    set(VARIANT::FromArray(std::move(items)));
    report_->Created("the " + name + " " + JoinTexts(texts));
  }

  static std::string JoinTexts(std::span<const wchar_t* const> texts) {
    std::string joined;
    for (const wchar_t* text : texts) joined += (joined.empty() ? "" : ", ") + ToUtf8(text);
    return joined;
  }

  void EnsureRoute(const DemoRoute& route, const std::wstring& identity) {
    const std::string what = ToUtf8(route.type) + " route " + ToUtf8(route.value);
    Step(stores_.configuration_file(), "adding the " + what);
    if (FindRule(route.type, L"ObjectValue", route.value)) {
      report_->Kept(what);
      return;
    }
    const IArdentRulePtr rule = stores_.rules()->CreateRule(route.type);
    rule->SetField(L"ObjectValue", VARIANT::FromBstr(route.value));
    rule->SetField(L"ObjectDisplay", VARIANT::FromBstr(route.value));
    rule->SetField(L"ObjectFlags", VARIANT::FromI4(0));
    rule->AddUser(identity);
    stores_.rules()->SaveRule(rule.Get(), VARIANT_TRUE);
    report_->Created(what);
  }

  void EnsureCoverpageRule(const SampleCoverpage& sample) {
    const std::wstring display = FromUtf8(sample.display);
    const std::string what = std::string("coverpage ") + sample.display;
    Step(stores_.configuration_file(), "adding the " + what);
    if (FindRule(L"coverpage", L"ObjectDisplay", display)) {
      report_->Kept(what);
      return;
    }
    const IArdentRulePtr rule = stores_.rules()->CreateRule(L"coverpage");
    rule->SetField(L"ObjectValue", VARIANT::FromBstr(FromUtf8(sample.file)));
    rule->SetField(L"ObjectDisplay", VARIANT::FromBstr(display));
    // The default flag goes to the standard page only when no coverpage carries it yet.
    const bool is_default = display == kDemoDefaultCoverpage && !HasDefaultCoverpage();
    rule->SetField(L"ObjectFlags", VARIANT::FromI4(is_default ? kDefaultCoverpageFlag : 0));
    stores_.rules()->SaveRule(rule.Get(), VARIANT_TRUE);
    report_->Created(what);
  }

  bool HasDefaultCoverpage() {
    const IArdentRuleEnumPtr rules = stores_.rules()->EnumRules(L"", L"coverpage");
    IArdentRulePtr rule;
    while (rules->Next(&rule) == S_OK) {
      VARIANT flags;
      if (SUCCEEDED(rule->GetField(L"ObjectFlags").ChangeType(VT_I4, &flags)) &&
          (flags.lVal() & kDefaultCoverpageFlag) != 0) {
        return true;
      }
    }
    return false;
  }

  static constexpr LONG kDefaultCoverpageFlag = 0x100;

  const ServerStores& stores_;
  SetupReport* report_;
  std::string file_;
  std::string step_;
};

}  // namespace

std::span<const DemoUser> DemoUsers() { return kUsers; }
std::span<const DemoRoute> DemoRoutes() { return kRoutes; }
std::span<const wchar_t* const> DemoLines() { return kLines; }
std::span<const wchar_t* const> DemoMSNs() { return kMSNs; }

SetupStatus EnsureDemoOcrEngine(const std::string& server_folder, SetupReport* report) {
  static constexpr SampleFile kEngine[] = {
      {"faxtotxt.dll", "The demo server's stand-in for the OCR engine.\n"}};
  return EnsureSampleFiles(server_folder + "/OCR", "OCR engine", kEngine, report);
}

SetupStatus EnsureDemoContent(const ServerStores& stores, SetupReport* report) {
  return DemoWriter(stores, report).Run();
}

}  // namespace pw::setup
