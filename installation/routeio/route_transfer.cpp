// Import and export of route files.
#include "installation/routeio/route_transfer.h"

#include <sys/stat.h>

#include <map>
#include <utility>
#include <vector>

#include "installation/routeio/csv_text.h"
#include "installation/routeio/route_file.h"
#include "installation/routeio/routeio_log.h"
#include "installation/routeio/user_matcher.h"
#include "platform/com/strings.h"
#include "platform/win/files.h"
#include "platform/win/paths.h"

namespace pw::routeio {
namespace {

constexpr wchar_t kValueField[] = L"ObjectValue";
constexpr wchar_t kDisplayField[] = L"ObjectDisplay";
constexpr wchar_t kFlagsField[] = L"ObjectFlags";
constexpr wchar_t kAutoPrintField[] = L"AP_Assign";
// The fields an import may change, and so the ones an undo puts back.
constexpr const wchar_t* kImportedFields[] = {kValueField, kDisplayField, kFlagsField,
                                              kAutoPrintField};

// A route of the file with the identities of its users that the user database knows.
struct PlannedRoute {
  RouteRecord record;
  std::vector<std::wstring> identities;
};

// How to put back one route that the import changed.
struct UndoStep {
  std::wstring object_id;
  bool created = false;
  std::vector<std::pair<const wchar_t*, VARIANT>> fields;
  std::vector<std::wstring> users;
};

std::vector<std::wstring> UsersOf(IArdentRule& rule) {
  std::vector<std::wstring> users;
  const IArdentTextEnumPtr enumerator = rule.EnumUsers();
  if (!enumerator) return users;
  enumerator->Reset();
  _bstr_t user;
  while (enumerator->Next(&user) == S_OK) users.push_back(user.str());
  return users;
}

void ReplaceUsers(IArdentRule& rule, const std::vector<std::wstring>& users) {
  for (const std::wstring& user : UsersOf(rule)) rule.RemoveUser(user);
  for (const std::wstring& user : users) rule.AddUser(user);
}

bool ReadRoutes(std::wstring_view path, const std::wstring& rule_type,
                std::vector<RouteRecord>* routes) {
  const std::string host_path = ToHostPath(path);
  struct stat status {};
  if (::stat(host_path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
    Log(L"Route import: cannot open %s.", std::wstring(path));
    return false;
  }
  if (static_cast<std::uintmax_t>(status.st_size) > kMaxRouteFileSize) {
    Log(L"Route import: %s is larger than %u bytes.", std::wstring(path),
        static_cast<unsigned>(kMaxRouteFileSize));
    return false;
  }
  std::string bytes;
  if (!ReadFileBytes(host_path, &bytes)) {
    Log(L"Route import: cannot read %s.", std::wstring(path));
    return false;
  }
  std::wstring text;
  std::vector<CsvRecord> records;
  FileProblem problem;
  if (!DecodeFileText(bytes, &text, &problem) || !ParseCsv(text, &records, &problem) ||
      !ReadRouteRecords(records, rule_type, routes, &problem)) {
    if (problem.line == 0) {
      Log(L"Route import: %s is refused: %s.", std::wstring(path), problem.reason);
    } else {
      Log(L"Route import: %s is refused, line %u: %s.", std::wstring(path),
          static_cast<unsigned>(problem.line), problem.reason);
    }
    return false;
  }
  return true;
}

// The identities of the users each route names; unknown users are logged and counted.
bool PlanRoutes(std::vector<RouteRecord> routes, IArdentUserLocator* users, LONG directory_mode,
                std::vector<PlannedRoute>* planned, ImportSummary* summary) {
  UserMatcher matcher(users, directory_mode);
  for (RouteRecord& route : routes) {
    PlannedRoute plan;
    for (const RouteUser& user : route.users) {
      if (users == nullptr) {
        Log(L"Route import: line %u names users, but no user database was given.",
            static_cast<unsigned>(route.line));
        return false;
      }
      std::wstring reason;
      const std::optional<std::wstring> identity = matcher.Match(user, &reason);
      if (!identity) {
        Log(L"Route import: line %u: user \"%s\" (%s) is left out: %s.",
            static_cast<unsigned>(route.line), user.name, user.identity, reason);
        ++summary->users_left_out;
        continue;
      }
      bool known = false;
      for (const std::wstring& earlier : plan.identities)
        known = known || EqualsIgnoreCase(earlier, *identity);
      if (!known) plan.identities.push_back(*identity);
    }
    plan.record = std::move(route);
    planned->push_back(std::move(plan));
  }
  return true;
}

void WriteFields(IArdentRule& rule, const PlannedRoute& plan, bool is_new) {
  const RouteRecord& record = plan.record;
  rule.SetField(kValueField, VARIANT::FromBstr(record.value));
  if (record.display) {
    rule.SetField(kDisplayField, VARIANT::FromBstr(*record.display));
  } else if (is_new) {
    rule.SetField(kDisplayField, VARIANT::FromBstr(record.value));
  }
  if (record.flags) rule.SetField(kFlagsField, VARIANT::FromI4(static_cast<LONG>(*record.flags)));
  if (record.auto_print) {
    rule.SetField(kAutoPrintField,
                  record.auto_print->empty() ? VARIANT() : VARIANT::FromBstr(*record.auto_print));
  }
  if (record.has_users || is_new) ReplaceUsers(rule, plan.identities);
}

// Puts back what `steps` recorded, newest first, inside the same bulk update. An undo that
// fails is logged; the bulk update's own transaction is then the last line of defence.
void Undo(IArdentRULEDB& rules, const std::vector<UndoStep>& steps) {
  for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
    try {
      if (step->created) {
        const HRESULT hr = rules.raw_DeleteRule(step->object_id.c_str());
        if (FAILED(hr) && hr != ARDENTDB_E_RULENOTFOUND) throw ComError(hr, IID_IArdentRULEDB);
        continue;
      }
      const IArdentRulePtr rule = rules.GetRule(step->object_id);
      if (!rule) continue;
      for (const auto& [name, value] : step->fields) rule->SetField(name, value);
      ReplaceUsers(*rule, step->users);
      rules.SaveRule(rule.Get(), VARIANT_FALSE);
    } catch (const ComError& error) {
      Log(L"Route import: could not undo the change of rule %s (0x%08X).", step->object_id,
          static_cast<ULONG>(error.Error()));
    }
  }
}

// Stores the planned routes; on the first failure undoes what was stored and rethrows.
void StoreRoutes(IArdentRULEDB& rules, const std::wstring& rule_type,
                 const std::vector<PlannedRoute>& planned, ImportSummary* summary) {
  std::map<std::wstring, IArdentRulePtr> existing;
  {
    const IArdentRuleEnumPtr enumerator = rules.EnumRules(L"", rule_type);
    IArdentRulePtr rule;
    if (enumerator) enumerator->Reset();
    while (enumerator && enumerator->Next(&rule) == S_OK) {
      existing.emplace(ToUpper(rule->GetField(kValueField).ToString()), rule);
    }
  }
  std::vector<UndoStep> steps;
  try {
    for (const PlannedRoute& plan : planned) {
      const auto found = existing.find(ToUpper(plan.record.value));
      if (found != existing.end()) {
        IArdentRule& rule = *found->second;
        UndoStep step;
        step.object_id = rule.GetField(L"ObjectID").ToString();
        for (const wchar_t* name : kImportedFields)
          step.fields.emplace_back(name, rule.GetField(name));
        step.users = UsersOf(rule);
        WriteFields(rule, plan, false);
        rules.SaveRule(&rule, VARIANT_FALSE);
        steps.push_back(std::move(step));
        ++summary->updated;
      } else {
        const IArdentRulePtr rule = rules.CreateRule(rule_type);
        if (!rule) throw ComError(E_FAIL, IID_IArdentRULEDB);
        WriteFields(*rule, plan, true);
        rules.SaveRule(rule.Get(), VARIANT_TRUE);
        UndoStep step;
        step.object_id = rule->GetField(L"ObjectID").ToString();
        step.created = true;
        steps.push_back(std::move(step));
        ++summary->added;
      }
    }
  } catch (...) {
    Undo(rules, steps);
    throw;
  }
}

}  // namespace

bool ImportRouteFile(IArdentRULEDB& rules, IArdentUserLocator* users, LONG directory_mode,
                     const std::wstring& rule_type, std::wstring_view path,
                     ImportSummary* summary) {
  *summary = ImportSummary{};
  std::vector<RouteRecord> routes;
  if (!ReadRoutes(path, rule_type, &routes)) return false;
  std::vector<PlannedRoute> planned;
  if (!PlanRoutes(std::move(routes), users, directory_mode, &planned, summary)) return false;

  // The store object also offers the settings interface, whose bulk update makes the import
  // one transaction; a rule interface without it still gets the undo on failure.
  IPagewell* raw_settings = nullptr;
  if (FAILED(rules.QueryInterface(IID_IPagewell, reinterpret_cast<void**>(&raw_settings)))) {
    raw_settings = nullptr;
  }
  const IPagewellPtr settings = IPagewellPtr::Adopt(raw_settings);
  if (settings) settings->BeginBulkUpdate();
  bool bulk_open = static_cast<bool>(settings);
  try {
    ImportSummary counted;
    counted.users_left_out = summary->users_left_out;
    StoreRoutes(rules, rule_type, planned, &counted);
    bulk_open = false;
    if (settings) settings->EndBulkUpdate();
    *summary = counted;
  } catch (const ComError& error) {
    if (bulk_open) (void)settings->raw_EndBulkUpdate();
    Log(L"Route import: the store refused a change (0x%08X); nothing of %s was kept.",
        static_cast<ULONG>(error.Error()), std::wstring(path));
    return false;
  }
  Log(L"Route import: %s: %u routes added, %u updated, %u users left out.", std::wstring(path),
      summary->added, summary->updated, summary->users_left_out);
  return true;
}

bool ExportRouteFile(IArdentRULEDB& rules, IArdentUserLocator* users, LONG directory_mode,
                     const std::wstring& rule_type, std::wstring_view path) {
  UserMatcher matcher(users, directory_mode);
  std::vector<ExportedRoute> routes;
  const IArdentRuleEnumPtr enumerator = rules.EnumRules(L"", rule_type);
  IArdentRulePtr rule;
  if (enumerator) enumerator->Reset();
  while (enumerator && enumerator->Next(&rule) == S_OK) {
    ExportedRoute route;
    route.value = rule->GetField(kValueField).ToString();
    route.display = rule->GetField(kDisplayField).ToString();
    VARIANT flags;
    if (SUCCEEDED(rule->GetField(kFlagsField).ChangeType(VT_I4, &flags))) {
      route.flags = static_cast<ULONG>(flags.lVal());
    }
    route.auto_print = rule->GetField(kAutoPrintField).ToString();
    for (const std::wstring& identity : UsersOf(*rule)) {
      route.users.push_back(RouteUser{matcher.ReadableName(identity), identity});
    }
    routes.push_back(std::move(route));
  }
  const std::string bytes = EncodeText(FormatRouteFile(routes), TextEncoding::kUtf8Bom);
  LONG error = 0;
  if (!WriteFileAtomically(ToHostPath(path), bytes, &error)) {
    Log(L"Route export: cannot write %s (error %d).", std::wstring(path), error);
    return false;
  }
  Log(L"Route export: %u routes of type %s written to %s.", static_cast<unsigned>(routes.size()),
      rule_type, std::wstring(path));
  return true;
}

}  // namespace pw::routeio
