// CRouteNode and CRouteNodeEx: attach, users text, property pages, apply, rename and delete of
// one stored rule.
#include "module/routing/route_node.h"

#include <algorithm>
#include <cwctype>

#include "module/resources/resource.h"
#include "module/resources/routes.h"
#include "module/routing/page_rule_value.h"
#include "module/routing/page_users.h"
#include "module/routing/prop_route_print.h"
#include "module/routing/routing_delegation_base.h"
#include "module/snapin/component.h"
#include "module/snapin/component_data.h"
#include "module/snapin/data_object.h"
#include "module/snapin/pwconfig_app.h"
#include "module/users/name_lookup_info.h"
#include "platform/com/strings.h"

namespace {

constexpr std::size_t kUsersShown = 10;
constexpr std::size_t kMaxValueLength = 255;

std::wstring TrimBlanks(const std::wstring& text) {
  const std::size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

// The name of a user record, falling back through its other names when one is empty.
std::wstring RecordName(const CNameLookupInfo& info) {
  for (const std::wstring* name :
       {&info.name(), &info.display_text(), &info.login(), &info.email(), &info.guid()}) {
    if (!name->empty()) return *name;
  }
  return {};
}

}  // namespace

CRouteNode::CRouteNode(CRoutingDelegationBase* list, std::wstring rule_type, std::wstring display,
                       std::wstring value, IArdentRulePtr rule, const RouteItemTexts& texts)
    : CDelegationBase(list),
      texts_(texts),
      display_(std::move(display)),
      rule_type_(std::move(rule_type)),
      value_(std::move(value)),
      rule_(std::move(rule)),
      list_(list) {}

int CRouteNode::CompareTexts(const std::wstring& a, const std::wstring& b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t index = 0; index < common; ++index) {
    const wint_t x = std::towlower(a[index]);
    const wint_t y = std::towlower(b[index]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

CRouteNode::~CRouteNode() = default;

std::wstring CRouteNode::GetDisplayName(int column) {
  if (column == 0) return display_;
  if (column == 1) return UsersText();
  return {};
}

HRESULT CRouteNode::GetResultViewType(CComponent*, LPOLESTR* view_type, LONG* options) {
  if (view_type == nullptr || options == nullptr) return E_POINTER;
  *view_type = nullptr;
  *options = MMC_VIEW_OPTIONS_MULTISELECT;
  return S_FALSE;
}

HRESULT CRouteNode::OnAddImages(IImageList*, HSCOPEITEM) { return S_OK; }

std::wstring CRouteNode::object_id() const {
  if (!rule_) return {};
  try {
    return rule_->GetField(L"ObjectID").ToString();
  } catch (const ComError&) {
    return {};
  }
}

void CRouteNode::ReloadUsers(IArdentRule& rule) {
  users_.clear();
  IArdentTextEnumPtr found = rule.EnumUsers();
  if (found) {
    found->Reset();
    _bstr_t user;
    while (found->Next(&user) == S_OK) users_.insert(std::wstring(user.c_str()));
  }
  users_text_built_ = false;
}

HRESULT CRouteNode::SetComponentData(CComponentData* component_data) {
  component_data_ = component_data;
  if (component_data == nullptr) return E_POINTER;
  rules_ = component_data->rule_store();
  if (!rules_) return E_POINTER;
  try {
    if (!rule_) {
      IArdentRulePtr created = rules_->CreateRule(rule_type_);
      if (!created) return E_FAIL;
      created->SetField(L"ObjectDisplay", VARIANT::FromBstr(display_));
      created->SetField(L"ObjectValue", VARIANT::FromBstr(value_));
      const HRESULT hr = rules_->raw_SaveRule(created.Get(), VARIANT_TRUE);
      if (hr != S_OK) return hr;
      rule_ = created;
      users_.clear();
      users_text_built_ = false;
      return S_OK;
    }
    value_ = rule_->GetField(L"ObjectValue").ToString();
    display_ = rule_->GetField(L"ObjectDisplay").ToString();
    ReloadUsers(*rule_);
  } catch (const ComError& error) {
    return error.Error();
  }
  return S_OK;
}

void CRouteNode::SetRule(IArdentRulePtr rule) {
  rule_ = std::move(rule);
  if (rule_) ReloadUsers(*rule_);
}

const std::wstring& CRouteNode::UsersText() {
  if (!users_text_built_) BuildUsersText();
  return users_text_;
}

void CRouteNode::BuildUsersText() {
  users_text_built_ = true;
  users_text_.clear();
  std::vector<std::wstring> names;
  for (const std::wstring& identity : users_) {
    if (names.size() == kUsersShown) break;
    if (component_data_ == nullptr) {
      names.push_back(identity);
      continue;
    }
    CNameLookupInfo info(component_data_->user_locator(), component_data_->directory_mode(),
                         identity);
    if (!info.LoadFromCache()) info.Lookup();
    names.push_back(RecordName(info));
  }
  std::sort(names.begin(), names.end());
  for (const std::wstring& name : names) {
    if (!users_text_.empty()) users_text_ += L",";
    users_text_ += name;
  }
  if (users_.size() > kUsersShown) users_text_ += L",...";
}

HRESULT CRouteNode::OnSelect(CComponent*, IConsole* console, BOOL, BOOL select) {
  if (!select) return S_OK;
  if (console == nullptr) return E_POINTER;
  pw::ComPtr<IConsoleVerb> verbs;
  const HRESULT hr = console->QueryConsoleVerb(verbs.ReleaseAndGetAddressOf());
  if (FAILED(hr) || !verbs) return hr;
  verbs->SetVerbState(MMC_VERB_PROPERTIES, ENABLED, TRUE);
  if (CanRename()) verbs->SetVerbState(MMC_VERB_RENAME, ENABLED, TRUE);
  verbs->SetVerbState(MMC_VERB_DELETE, ENABLED, TRUE);
  verbs->SetVerbState(MMC_VERB_REFRESH, ENABLED, TRUE);
  verbs->SetDefaultVerb(MMC_VERB_PROPERTIES);
  return S_OK;
}

int CRouteNode::ShowMessage(IConsole* console, UINT text_id, UINT style) {
  const std::wstring text = LoadModuleString(text_id);
  const std::wstring title = LoadModuleString(IDS_APP_TITLE);
  int result = 0;
  if (console != nullptr) console->MessageBox(text.c_str(), title.c_str(), style, &result);
  return result;
}

bool CRouteNode::ValidateValue(IConsole*, const std::wstring&) { return true; }

void CRouteNode::SaveTypeFields(IArdentRule&) {}

void CRouteNode::SaveExtraFields(IArdentRule&) {}

HRESULT CRouteNode::AddValuePage(IPropertySheetCallback* callback,
                                 std::vector<CPropertyPage*>* pages, CPageRuleValue& page) {
  page_users_->SetDescription(LoadModuleString(texts_.users_text));
  page_users_->Setup(component_data_);
  page.SetComponentData(component_data_);
  page.SetPropertyObject(this);
  page.SetValue(value_);
  const HRESULT hr = AddPage(callback, page);
  if (FAILED(hr)) return hr;
  pages->push_back(&page);
  return S_OK;
}

void CRouteNode::SaveValuePageFields(IArdentRule& rule, const CPageRuleValue& page) {
  if (page.value().empty()) return;
  rule.SetField(L"ObjectValue", VARIANT::FromBstr(page.value()));
  rule.SetField(L"ObjectDisplay", VARIANT::FromBstr(page.value()));
  value_ = page.value();
  display_ = rule.GetField(L"ObjectDisplay").ToString();
}

IArdentRulePtr CRouteNode::FetchRule(CComponent* component, IConsole* console,
                                     const std::wstring& value, const std::wstring& display,
                                     bool with_type_fields) {
  const std::wstring id = object_id();
  IArdentRulePtr stored = id.empty() ? IArdentRulePtr() : rules_->GetRule(id);
  if (stored) return stored;
  if (ShowMessage(console, IDS_RULES_DELETED_ELSEWHERE, MB_YESNO | MB_ICONQUESTION) != IDYES) {
    list_->OnRefresh(component, console);
    return nullptr;
  }
  IArdentRulePtr created = rules_->CreateRule(rule_type_);
  if (!created) throw ComError(E_FAIL, IID_IArdentRULEDB);
  created->SetField(L"ObjectValue", VARIANT::FromBstr(value));
  created->SetField(L"ObjectDisplay", VARIANT::FromBstr(display));
  for (const std::wstring& user : users_) created->AddUser(user);
  if (with_type_fields) SaveTypeFields(*created);
  rules_->SaveRule(created.Get(), VARIANT_TRUE);
  rule_ = created;
  return created;
}

HRESULT CRouteNode::AddPage(IPropertySheetCallback* callback, CPropertyPage& page) {
  HPROPSHEETPAGE handle = CreatePropertySheetPage(&page.m_psp);
  if (handle == nullptr) return E_UNEXPECTED;
  if (FAILED(callback->AddPage(handle))) {
    DestroyPropertySheetPage(handle);
    return E_UNEXPECTED;
  }
  return S_OK;
}

HRESULT CRouteNode::AddTypePages(IPropertySheetCallback*, std::vector<CPropertyPage*>*) {
  return S_OK;
}

HRESULT CRouteNode::CreatePropertyPages(CComponent* component, CComponentData* component_data,
                                        IPropertySheetCallback* callback, LONG_PTR handle) {
  if (callback == nullptr) return E_POINTER;
  if (component_data_ == nullptr) component_data_ = component_data;
  IConsole* console = component_data_ != nullptr ? component_data_->console() : nullptr;
  try {
    IArdentRulePtr stored = FetchRule(component, console, value_, display_, false);
    if (!stored) return E_FAIL;
    rule_ = stored;
    ReloadUsers(*stored);
  } catch (const ComError& error) {
    return error.Error();
  }

  WriteLog(L"Called CRouteNode::CreatePropertyPages to assign m_pPageUsers...");
  if (!page_users_) {
    page_users_ = std::make_unique<CPageUsers>();
    WriteLog(L"Memory allocated successfully for m_pPageUsers. Pointer is %u",
             static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(page_users_.get())));
  }
  page_users_->SetUsers(users_);
  page_users_->SetPropertyObject(this);
  std::vector<CPropertyPage*> pages;
  if (users_page_flag_ == 1) {
    const HRESULT hr = AddPage(callback, *page_users_);
    if (FAILED(hr)) return hr;
    pages.push_back(page_users_.get());
  }
  notify_handle_ = handle;
  const HRESULT hr = AddTypePages(callback, &pages);
  for (CPropertyPage* page : pages) {
    if (auto* ours = dynamic_cast<CMMCPropertyPage*>(page)) ours->SetSiblings(pages);
  }
  return hr;
}

HRESULT CRouteNode::OnPropertyChange(CComponent* component, IConsole* console, CComponentData*) {
  if (page_users_) users_ = page_users_->users();
  try {
    const std::wstring id = object_id();
    IArdentRulePtr stored = id.empty() ? IArdentRulePtr() : rules_->GetRule(id);
    if (!stored) {
      // FetchRule asks, and stores the type fields with the new rule.
      stored = FetchRule(component, console, value_, display_, true);
      if (!stored) return E_FAIL;
    } else {
      IArdentTextEnumPtr old_users = stored->EnumUsers();
      std::vector<std::wstring> previous;
      if (old_users) {
        old_users->Reset();
        _bstr_t user;
        while (old_users->Next(&user) == S_OK) previous.emplace_back(user.c_str());
      }
      for (const std::wstring& user : previous) stored->RemoveUser(user);
      for (const std::wstring& user : users_) stored->AddUser(user);
      SaveTypeFields(*stored);
      SaveExtraFields(*stored);
      rules_->SaveRule(stored.Get(), VARIANT_FALSE);
      rule_ = stored;
    }
  } catch (const ComError& error) {
    return error.Error();
  }
  BuildUsersText();
  if (console != nullptr) {
    pw::ComPtr<IDataObject> scope(new CDataObject(list_, CCT_SCOPE));
    console->UpdateAllViews(scope.Get(), reinterpret_cast<LPARAM>(this), kHintUpdateItem);
  }
  return S_OK;
}

HRESULT CRouteNode::OnViewChange(CComponent* component, IConsole* console, LPARAM, LONG_PTR hint) {
  if (console == nullptr) return S_FALSE;
  pw::ComPtr<IResultData> result_data;
  if (FAILED(console->QueryInterface(IID_IResultData, result_data.ReleaseAndGetVoidAddressOf()))) {
    return S_FALSE;
  }
  const bool owner_data = list_->IsListShown(component);
  const int row = list_->IndexOfChild(this);
  HRESULTITEM item_id = 0;
  const bool found =
      owner_data
          ? row >= 0
          : SUCCEEDED(result_data->FindItemByLParam(reinterpret_cast<LPARAM>(this), &item_id));
  if (owner_data) item_id = row;
  switch (hint) {
    case kHintUpdateItem:
      if (found) result_data->UpdateItem(item_id);
      return S_OK;
    case kHintInsertItem: {
      RESULTDATAITEM item;
      item.mask = RDI_STR | RDI_IMAGE | RDI_PARAM;
      item.str = MMC_CALLBACK;
      item.nImage = GetBitmapIndex(TRUE);
      item.lParam = reinterpret_cast<LPARAM>(this);
      return result_data->InsertItem(&item);
    }
    case kHintDeleteItem:
      if (found) result_data->DeleteItem(item_id, 0);
      return S_OK;
    case kHintSelectRow:
      if (owner_data && row >= 0) {
        result_data->ModifyItemState(row, 0, LVIS_SELECTED | LVIS_FOCUSED, 0);
      } else if (found) {
        result_data->ModifyItemState(0, item_id, LVIS_SELECTED | LVIS_FOCUSED, 0);
      }
      return S_OK;
    default:
      return S_FALSE;
  }
}

HRESULT CRouteNode::OnRename(CComponent* component, const wchar_t* new_name) {
  IConsole* console = component != nullptr ? static_cast<IConsole*>(component->console()) : nullptr;
  std::wstring text = TrimBlanks(new_name != nullptr ? new_name : L"");
  if (text.size() > kMaxValueLength) text.resize(kMaxValueLength);
  if (text.empty()) {
    ShowMessage(console, texts_.empty_value, MB_ICONEXCLAMATION);
    return E_FAIL;
  }
  if (UppercasesValue()) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  }
  if (text == display_) return S_FALSE;
  if (GetNotifyHandle() != 0) {
    ShowMessage(console, texts_.rename_sheet_open, MB_ICONEXCLAMATION);
    return S_FALSE;
  }
  if (!ValidateValue(console, text)) return S_FALSE;
  IConsole* list_console = component_data_ != nullptr ? component_data_->console() : console;
  try {
    const bool display_only = RenamesDisplayOnly();
    const std::wstring& current = display_only ? display_ : value_;
    if (!pw::EqualsIgnoreCase(text, current) &&
        (display_only ? list_->IsDisplayInDB(text) : list_->IsRuleInDB(text))) {
      list_->OnRefresh(component, list_console);
      ShowMessage(console, texts_.duplicate, MB_ICONEXCLAMATION);
      return E_FAIL;
    }
    IArdentRulePtr stored =
        FetchRule(component, list_console, display_only ? value_ : text, text, false);
    if (!stored) return E_FAIL;
    if (!display_only) stored->SetField(L"ObjectValue", VARIANT::FromBstr(text));
    stored->SetField(L"ObjectDisplay", VARIANT::FromBstr(text));
    rules_->SaveRule(stored.Get(), VARIANT_FALSE);
    rule_ = stored;
    if (!display_only) value_ = text;
    display_ = stored->GetField(L"ObjectDisplay").ToString();
  } catch (const ComError& error) {
    return error.Error();
  }
  return S_OK;
}

HRESULT CRouteNode::OnRefresh(CComponent* component, IConsole* console) {
  return list_->OnRefresh(component, console);
}

HRESULT CRouteNode::OnDelete(CComponent* component, IConsole* console, int flag) {
  if (GetNotifyHandle() != 0) {
    if (flag == 0) ShowMessage(console, texts_.delete_sheet_open, MB_ICONEXCLAMATION);
    return S_FALSE;
  }
  return list_->DeleteRuleNode(component, console, this, flag != 0 ? TRUE : FALSE);
}

HRESULT CRouteNode::CompareResultItem(LPARAM, MMC_COOKIE other, int* result) {
  if (result == nullptr) return E_POINTER;
  auto* other_node = reinterpret_cast<CRouteNode*>(other);
  if (other_node == nullptr || *result != 0) {
    *result = 0;
    return S_OK;
  }
  try {
    const std::wstring a = rule_ ? rule_->GetField(L"ObjectDisplay").ToString() : display_;
    const std::wstring b = other_node->rule_
                               ? other_node->rule_->GetField(L"ObjectDisplay").ToString()
                               : other_node->display_;
    *result = CompareTexts(a, b);
  } catch (const ComError& error) {
    return error.Error();
  }
  return S_OK;
}

CRouteNodeEx::CRouteNodeEx(CRoutingDelegationBase* list, std::wstring rule_type,
                           std::wstring display, std::wstring value, IArdentRulePtr rule,
                           const RouteItemTexts& texts)
    : CRouteNode(list, std::move(rule_type), std::move(display), std::move(value), std::move(rule),
                 texts) {}

CRouteNodeEx::~CRouteNodeEx() = default;

HRESULT CRouteNodeEx::AddPrintPage(IPropertySheetCallback* callback,
                                   std::vector<CPropertyPage*>* pages) {
  LONG flags = 0;
  std::wstring assigned;
  try {
    VARIANT converted;
    if (SUCCEEDED(rule_->GetField(L"ObjectFlags").ChangeType(VT_I4, &converted))) {
      flags = converted.lVal();
    }
    if ((flags & kAutoPrintFlag) != 0) assigned = rule_->GetField(L"AP_Assign").ToString();
  } catch (const ComError& error) {
    return error.Error();
  }
  if (!print_page_) print_page_ = std::make_unique<CPropRoutePrint>();
  print_page_->SetComponentData(component_data_);
  print_page_->SetPropertyObject(this);
  print_page_->SetRouteState(LoadModuleString(IDS_ROUTE_PRINT_HEADING),
                             (flags & kAutoPrintFlag) != 0, assigned);
  const HRESULT hr = AddPage(callback, *print_page_);
  if (SUCCEEDED(hr)) pages->push_back(print_page_.get());
  return hr;
}

void CRouteNodeEx::SaveExtraFields(IArdentRule& rule) {
  // Without a sheet so far there is no choice to write.
  if (!print_page_) return;
  LONG flags = 0;
  VARIANT converted;
  if (SUCCEEDED(rule.GetField(L"ObjectFlags").ChangeType(VT_I4, &converted))) {
    flags = converted.lVal();
  }
  std::wstring assigned;
  const std::wstring& name = print_page_->selected_name();
  if (name.empty()) {
    WriteLog(L"APS entry name could not be obtained from combo box.");
  } else {
    IArdentRuleEnumPtr settings = rules_->EnumRules(L"", L"apsettings");
    if (settings) {
      settings->Reset();
      IArdentRulePtr setting;
      while (settings->Next(&setting) == S_OK && setting) {
        if (setting->GetField(L"ObjectDisplay").ToString() == name) {
          assigned = setting->GetField(L"ObjectValue").ToString();
          break;
        }
      }
    }
    if (assigned.empty()) WriteLog(L"The set APS entry was not found in the database.");
  }
  if (!print_page_->was_shown()) return;
  if (print_page_->enabled() && !assigned.empty()) {
    rule.SetField(L"ObjectFlags", VARIANT::FromI4(flags | kAutoPrintFlag));
    rule.SetField(L"AP_Assign", VARIANT::FromBstr(assigned));
  } else {
    rule.SetField(L"ObjectFlags", VARIANT::FromI4(flags & ~kAutoPrintFlag));
  }
}
