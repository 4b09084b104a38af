// The user node's property pages.
#include "module/users/user_pages.h"

#include "installation/interfaces/ardent_db.h"
#include "module/resources/resource.h"
#include "module/resources/user_dialogs.h"
#include "module/snapin/component_data.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/com/strings.h"
#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/message_map.h"

namespace pw {

bool RegisteredUserHas(CComponentData* component_data, long search_type, const std::wstring& text,
                       const std::wstring& except_identity) {
  if (component_data == nullptr || component_data->user_locator() == nullptr ||
      component_data->rule_store() == nullptr || text.empty()) {
    return false;
  }
  try {
    IArdentUserPtr user;
    if (component_data->user_locator()->FindUser(search_type, text, &user) != S_OK || !user) {
      return false;
    }
    const std::wstring identity = user->GetIdentity();
    if (EqualsIgnoreCase(identity, except_identity)) return false;
    pw::ComPtr<IArdentRuleEnum> rules =
        component_data->rule_store()->EnumRules(identity, L"faxusers");
    pw::ComPtr<IArdentRule> rule;
    return rules && rules->Next(&rule) == S_OK && rule;
  } catch (const ComError& error) {
    WriteLog(L"FAILED raw_EnumRules. Return 0x%08X.", static_cast<DWORD>(error.Error()));
    return false;
  }
}

}  // namespace pw

// Directory pages.

CPropPageDirectoryBase::CPropPageDirectoryBase(UINT template_id, UINT caption_id)
    : CMMCPropertyPage(template_id, caption_id) {}

void CPropPageDirectoryBase::Fill(const CNameLookupInfo& record,
                                  std::vector<std::wstring> addresses) {
  record_ = std::make_unique<CNameLookupInfo>(record);
  addresses_ = std::move(addresses);
}

std::pair<std::wstring, std::wstring> CPropPageDirectoryBase::SplitAddress(
    const std::wstring& value, DWORD user_mode) {
  const wchar_t separator = user_mode == CNameLookupInfo::kExchange55 ? L'$' : L':';
  const std::size_t at = value.find(separator);
  if (at == std::wstring::npos) return {std::wstring(), value};
  return {value.substr(0, at), value.substr(at + 1)};
}

BOOL CPropPageDirectoryBase::OnInitDialog() {
  CMMCPropertyPage::OnInitDialog();
  // Every edit of a directory page only shows what the directory holds.
  for (CWnd* child : GetChildren()) {
    if (auto* edit = dynamic_cast<CEdit*>(child)) edit->SetReadOnly(TRUE);
  }
  if (record_) {
    for (const FieldText& field : Fields(*record_)) SetDlgItemText(field.control, field.text);
  }
  if (const UINT list_id = AddressListId(); list_id != 0) {
    auto* list = GetDlgItem<CListCtrl>(list_id);
    list->SetExtendedStyle(list->GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    list->InsertColumn(0, LoadModuleString(IDS_DP_COLUMN_TYPE), LVCFMT_LEFT, 100);
    list->InsertColumn(1, LoadModuleString(IDS_DP_COLUMN_ADDRESS), LVCFMT_LEFT, 100);
    list->SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER);
    const DWORD mode = record_ ? record_->user_mode() : CNameLookupInfo::kActiveDirectory;
    int row = 0;
    for (const std::wstring& value : addresses_) {
      const auto [type, address] = SplitAddress(value, mode);
      list->InsertItem(row, type);
      list->SetItemText(row, 1, address);
      ++row;
    }
  }
  return TRUE;
}

CPropPageUserGeneral::CPropPageUserGeneral()
    : CPropPageDirectoryBase(IDD_PROPPAGE_USER_GENERAL, IDS_PAGE_GENERAL) {}

std::vector<CPropPageDirectoryBase::FieldText> CPropPageUserGeneral::Fields(
    const CNameLookupInfo& r) const {
  return {{IDC_DP_HEADER, r.name()},       {IDC_DP_FIRST_NAME, r.first_name()},
          {IDC_DP_INITIALS, r.initials()}, {IDC_DP_LAST_NAME, r.last_name()},
          {IDC_DP_DISPLAY_NAME, r.name()}, {IDC_DP_DESCRIPTION, r.description()},
          {IDC_DP_OFFICE, r.office()},     {IDC_DP_TELEPHONE, r.telephone()},
          {IDC_DP_EMAIL, r.email()},       {IDC_DP_WEB_PAGE, r.web_page()}};
}

CPropPageUserAddress::CPropPageUserAddress()
    : CPropPageDirectoryBase(IDD_PROPPAGE_USER_ADDRESS, IDS_PAGE_ADDRESS) {}

std::vector<CPropPageDirectoryBase::FieldText> CPropPageUserAddress::Fields(
    const CNameLookupInfo& r) const {
  return {{IDC_DP_STREET, r.street()},
          {IDC_DP_PO_BOX, r.post_office_box()},
          {IDC_DP_CITY, r.city()},
          {IDC_DP_STATE, r.state_or_province()},
          {IDC_DP_POSTAL_CODE, r.postal_code()},
          {IDC_DP_COUNTRY, r.country()}};
}

CPropPageUserPhones::CPropPageUserPhones()
    : CPropPageDirectoryBase(IDD_PROPPAGE_USER_PHONES, IDS_PAGE_TELEPHONES) {}

std::vector<CPropPageDirectoryBase::FieldText> CPropPageUserPhones::Fields(
    const CNameLookupInfo& r) const {
  return {{IDC_DP_HOME, r.home_phone()},   {IDC_DP_PAGER, r.pager()},
          {IDC_DP_MOBILE, r.mobile()},     {IDC_DP_FAX, r.fax()},
          {IDC_DP_IP_PHONE, r.ip_phone()}, {IDC_DP_NOTES, r.notes()}};
}

CPropPageUserOrganization::CPropPageUserOrganization()
    : CPropPageDirectoryBase(IDD_PROPPAGE_USER_ORGANIZATION, IDS_PAGE_ORGANIZATION) {}

std::vector<CPropPageDirectoryBase::FieldText> CPropPageUserOrganization::Fields(
    const CNameLookupInfo& r) const {
  return {{IDC_DP_TITLE, r.title()},
          {IDC_DP_DEPARTMENT, r.department()},
          {IDC_DP_COMPANY, r.company()},
          {IDC_DP_MANAGER, r.manager()}};
}

UINT CPropPageUserOrganization::AddressListId() const { return IDC_DP_ADDRESSES; }

CPropPageGroupGeneral::CPropPageGroupGeneral()
    : CPropPageDirectoryBase(IDD_PROPPAGE_GROUP_GENERAL, IDS_PAGE_GENERAL) {}

std::vector<CPropPageDirectoryBase::FieldText> CPropPageGroupGeneral::Fields(
    const CNameLookupInfo& r) const {
  return {{IDC_DP_HEADER, r.name()},
          {IDC_DP_DESCRIPTION, r.description()},
          {IDC_DP_EMAIL, r.email()},
          {IDC_DP_NOTES, r.notes()}};
}

UINT CPropPageGroupGeneral::AddressListId() const { return IDC_DP_ADDRESSES; }

CPropPageMTAGeneral::CPropPageMTAGeneral()
    : CPropPageDirectoryBase(IDD_PROPPAGE_MTA_GENERAL, IDS_PAGE_GENERAL) {}

std::vector<CPropPageDirectoryBase::FieldText> CPropPageMTAGeneral::Fields(
    const CNameLookupInfo& r) const {
  return {{IDC_DP_HEADER, r.name()},
          {IDC_DP_DISPLAY_NAME, r.name()},
          {IDC_DP_COMPUTER_NAME, r.computer_name()},
          {IDC_DP_EMAIL, r.email()},
          {IDC_DP_NOTES, r.notes()}};
}

UINT CPropPageMTAGeneral::AddressListId() const { return IDC_DP_ADDRESSES; }

// The own-database page.

namespace {

struct FieldControl {
  pw::UserField field;
  UINT control;
};

constexpr FieldControl kPageFields[] = {
    {pw::UserField::kLogin, IDC_UP_LOGIN},
    {pw::UserField::kFullName, IDC_UP_FULL_NAME},
    {pw::UserField::kEmail, IDC_UP_EMAIL},
    {pw::UserField::kFirstName, IDC_UP_FIRST_NAME},
    {pw::UserField::kLastName, IDC_UP_LAST_NAME},
    {pw::UserField::kInternetEmail, IDC_UP_INTERNET_EMAIL},
};

UINT ControlOf(pw::UserField field) {
  for (const FieldControl& entry : kPageFields) {
    if (entry.field == field) return entry.control;
  }
  return 0;
}

constexpr UINT kPageEdits[] = {
    IDC_UP_LOGIN,   IDC_UP_FULL_NAME,  IDC_UP_EMAIL, IDC_UP_FIRST_NAME, IDC_UP_LAST_NAME,
    IDC_UP_COMPANY, IDC_UP_DEPARTMENT, IDC_UP_FAX,   IDC_UP_VOICE,      IDC_UP_INTERNET_EMAIL};

}  // namespace

CPropPageUserSmtp::CPropPageUserSmtp()
    : CMMCPropertyPage(IDD_PROPPAGE_USER_SMTP, IDS_PAGE_GENERAL) {}

CPropPageUserSmtp::~CPropPageUserSmtp() = default;

void CPropPageUserSmtp::Fill(const UserPageValues& values, const std::wstring& identity) {
  values_ = values;
  identity_ = identity;
}

const pw::ui::MessageMap* CPropPageUserSmtp::GetMessageMap() const {
  static const pw::ui::MessageMap map(
      CMMCPropertyPage::GetMessageMap(),
      {
          pw::ui::MapCommandRange(IDC_UP_EMAIL, IDC_UP_INTERNET_EMAIL, EN_CHANGE,
                                  &CPropPageUserSmtp::OnEditChange),
          pw::ui::MapCommandRange(IDC_UP_NETWORKS, IDC_UP_SMTP, BN_CLICKED,
                                  &CPropPageUserSmtp::OnMailSystem),
      });
  return &map;
}

BOOL CPropPageUserSmtp::OnInitDialog() {
  CMMCPropertyPage::OnInitDialog();
  filler_.reset();  // filling the controls is no typing
  {
    const std::wstring texts[] = {values_.login,         values_.full_name, values_.email,
                                  values_.first_name,    values_.last_name, values_.company,
                                  values_.department,    values_.fax,       values_.voice,
                                  values_.internet_email};
    int index = 0;
    for (UINT id : kPageEdits) SetDlgItemText(id, texts[index++]);
  }
  SetDlgItemText(IDC_UP_HEADER, values_.header);
  GetDlgItem<CEdit>(IDC_UP_HEADER)->SetReadOnly(TRUE);
  filler_ = std::make_unique<pw::UserFieldFiller>(
      [this](pw::UserField field) { return GetDlgItemText(ControlOf(field)); },
      [this](pw::UserField field, const std::wstring& text) {
        SetDlgItemText(ControlOf(field), text);
      });
  filler_->MarkFilledAsTyped();
  filler_->set_mail_system(values_.mail_system);
  CheckRadioButton(IDC_UP_NETWORKS, IDC_UP_SMTP,
                   values_.mail_system == pw::kMailSystemSmtp ? IDC_UP_SMTP : IDC_UP_NETWORKS);
  GetDlgItem<CEdit>(IDC_UP_EMAIL)->SetReadOnly(values_.mail_system != pw::kMailSystemSmtp);
  initial_login_ = values_.login;
  initial_email_ = values_.email;
  modified_ = FALSE;
  SetModified(FALSE);
  return TRUE;
}

void CPropPageUserSmtp::OnEditChange(UINT id) {
  if (!filler_) return;
  bool handled = false;
  for (const FieldControl& entry : kPageFields) {
    if (entry.control == id) {
      handled = true;
      if (!filler_->OnChanged(entry.field)) return;
    }
  }
  if (!handled && filler_->filling()) return;
  modified_ = TRUE;
  SetModified(TRUE);
}

void CPropPageUserSmtp::OnMailSystem(UINT id) {
  const long mail_system = id == IDC_UP_SMTP ? pw::kMailSystemSmtp : pw::kMailSystemNetworks;
  if (!filler_ || mail_system == filler_->mail_system()) return;
  filler_->set_mail_system(mail_system);
  GetDlgItem<CEdit>(IDC_UP_EMAIL)->SetReadOnly(mail_system != pw::kMailSystemSmtp);
  modified_ = TRUE;
  SetModified(TRUE);
}

void CPropPageUserSmtp::Refuse(UINT message_id, UINT control) {
  MessageBox(LoadModuleString(message_id), LoadModuleString(IDS_APP_TITLE), MB_OK | MB_ICONWARNING);
  auto* edit = GetDlgItem<CEdit>(control);
  edit->SetSel(0, -1);
  edit->SetFocus();
}

void CPropPageUserSmtp::ReadControls() {
  values_.login = GetDlgItemText(IDC_UP_LOGIN);
  values_.full_name = GetDlgItemText(IDC_UP_FULL_NAME);
  values_.email = GetDlgItemText(IDC_UP_EMAIL);
  values_.first_name = GetDlgItemText(IDC_UP_FIRST_NAME);
  values_.last_name = GetDlgItemText(IDC_UP_LAST_NAME);
  values_.company = GetDlgItemText(IDC_UP_COMPANY);
  values_.department = GetDlgItemText(IDC_UP_DEPARTMENT);
  values_.fax = GetDlgItemText(IDC_UP_FAX);
  values_.voice = GetDlgItemText(IDC_UP_VOICE);
  values_.internet_email = GetDlgItemText(IDC_UP_INTERNET_EMAIL);
  values_.mail_system = filler_ ? filler_->mail_system() : values_.mail_system;
}

BOOL CPropPageUserSmtp::OnKillActive() {
  if (GetSafeHwnd() == nullptr || !filler_) return CMMCPropertyPage::OnKillActive();
  // Trimming writes back into the fields; that is no typing.
  std::unique_ptr<pw::UserFieldFiller> filler = std::move(filler_);
  for (UINT id : kPageEdits) {
    const std::wstring text = GetDlgItemText(id);
    const std::wstring trimmed = pw::TrimBlanks(text);
    if (trimmed != text) SetDlgItemText(id, trimmed);
  }
  filler_ = std::move(filler);
  ReadControls();
  if (!pw::IsValidLogin(values_.login)) {
    Refuse(IDS_INVALID_LOGIN, IDC_UP_LOGIN);
    return FALSE;
  }
  if (values_.full_name.empty()) {
    Refuse(IDS_NO_DISPLAY_NAME, IDC_UP_FULL_NAME);
    return FALSE;
  }
  if (values_.mail_system == pw::kMailSystemSmtp && !pw::IsValidEmail(values_.email)) {
    Refuse(IDS_INVALID_EMAIL, IDC_UP_EMAIL);
    return FALSE;
  }
  if (!values_.internet_email.empty() && !pw::IsValidEmail(values_.internet_email)) {
    Refuse(IDS_INVALID_EMAIL, IDC_UP_INTERNET_EMAIL);
    return FALSE;
  }
  if (GetDlgItem<CEdit>(IDC_UP_EMAIL)->IsReadOnly()) {
    values_.email = pw::NetworksAddressOnOk(values_.login);
    if (values_.email != GetDlgItemText(IDC_UP_EMAIL)) SetDlgItemText(IDC_UP_EMAIL, values_.email);
  }
  return CMMCPropertyPage::OnKillActive();
}

BOOL CPropPageUserSmtp::OnApply() {
  if (GetSafeHwnd() != nullptr && filler_) ReadControls();
  if (!pw::EqualsIgnoreCase(values_.login, initial_login_) &&
      pw::RegisteredUserHas(component_data_, udbSearchLogin, values_.login, identity_)) {
    MessageBox(LoadModuleString(IDS_DUPLICATE_LOGIN), LoadModuleString(IDS_APP_TITLE),
               MB_OK | MB_ICONWARNING);
    return FALSE;
  }
  if (!pw::EqualsIgnoreCase(values_.email, initial_email_) &&
      pw::RegisteredUserHas(component_data_, udbSearchMail, values_.email, identity_)) {
    MessageBox(LoadModuleString(IDS_DUPLICATE_ADDRESS), LoadModuleString(IDS_APP_TITLE),
               MB_OK | MB_ICONWARNING);
    return FALSE;
  }
  initial_login_ = values_.login;
  initial_email_ = values_.email;
  return CMMCPropertyPage::OnApply();
}
