// CAddUserDlg: defaults, automatic filling, OK enabling, uniqueness checks and the creation of
// the user.
#include "module/users/add_user_dlg.h"

#include "installation/interfaces/ardent_db.h"
#include "module/resources/resource.h"
#include "module/resources/user_dialogs.h"
#include "module/snapin/component_data.h"
#include "module/snapin/pwconfig_app.h"
#include "module/users/user_pages.h"
#include "module/users/user_pages_fields.h"
#include "platform/ui/edit.h"
#include "platform/ui/message_map.h"
#include "platform/win/ini_file.h"

namespace {

struct FieldControl {
  pw::UserField field;
  UINT control;
};

constexpr FieldControl kDialogFields[] = {
    {pw::UserField::kLogin, IDC_AU_LOGIN},
    {pw::UserField::kFullName, IDC_AU_FULL_NAME},
    {pw::UserField::kEmail, IDC_AU_EMAIL},
    {pw::UserField::kFirstName, IDC_AU_FIRST_NAME},
    {pw::UserField::kLastName, IDC_AU_LAST_NAME},
    {pw::UserField::kInternetEmail, IDC_AU_INTERNET_EMAIL},
};

constexpr UINT kPersonalControls[] = {IDC_AU_PERSONAL_GROUP, IDC_AU_FIRST_NAME,    IDC_AU_LAST_NAME,
                                      IDC_AU_COMPANY,        IDC_AU_DEPARTMENT,    IDC_AU_FAX,
                                      IDC_AU_VOICE,          IDC_AU_INTERNET_EMAIL};

UINT ControlOf(pw::UserField field) {
  for (const FieldControl& entry : kDialogFields) {
    if (entry.field == field) return entry.control;
  }
  return 0;
}

// "&Personal >>" and "<< &Personal" share one string, separated by a line break.
std::wstring PersonalText(bool shown) {
  const std::wstring both = LoadModuleString(IDS_AU_PERSONAL);
  const std::size_t split = both.find(L'\n');
  if (split == std::wstring::npos) return both;
  return shown ? both.substr(split + 1) : both.substr(0, split);
}

}  // namespace

// The filler lives only while the dialog's window does.
struct CAddUserDlg::Filling {
  explicit Filling(CAddUserDlg* dialog)
      : filler([dialog](pw::UserField field) { return dialog->Text(ControlOf(field)); },
               [dialog](pw::UserField field, const std::wstring& text) {
                 dialog->SetText(ControlOf(field), text);
               }) {}
  pw::UserFieldFiller filler;
};

CAddUserDlg::CAddUserDlg(CComponentData* component_data, CWnd* parent)
    : CDialog(IDD_ADD_USER, parent, AfxGetResourceHandle()), component_data_(component_data) {}

CAddUserDlg::~CAddUserDlg() = default;

void CAddUserDlg::SetEditMode(const NewUserFields& fields) {
  edit_mode_ = true;
  fields_ = fields;
}

const pw::ui::MessageMap* CAddUserDlg::GetMessageMap() const {
  using T = CAddUserDlg;
  static const pw::ui::MessageMap map(
      CDialog::GetMessageMap(),
      {
          pw::ui::MapCommandRange(IDC_AU_FIRST_NAME, IDC_AU_INTERNET_EMAIL, EN_CHANGE,
                                  &T::OnFieldChange),
          pw::ui::MapCommandRange(IDC_AU_NETWORKS, IDC_AU_SMTP, BN_CLICKED, &T::OnMailSystem),
          pw::ui::MapCommand(IDC_AU_MORE, BN_CLICKED, &T::OnMoreLess),
      });
  return &map;
}

std::wstring CAddUserDlg::Text(UINT id) { return GetDlgItemText(id); }

void CAddUserDlg::SetText(UINT id, const std::wstring& text) {
  if (GetDlgItemText(id) != text) SetDlgItemText(id, text);
}

void CAddUserDlg::ReadDefaults() {
  if (component_data_ == nullptr) return;
  const std::wstring folder = component_data_->remote_kind() != 0 ? component_data_->server_path()
                                                                  : component_data_->install_path();
  if (folder.empty()) return;
  const std::wstring options = folder + L"\\options.ini";
  fields_.company = GetPrivateProfileString(L"Installation", L"Company", L"", options);
  fields_.fax = GetPrivateProfileString(L"Installation", L"LocalID", L"", options);
  const std::wstring smtp = GetPrivateProfileString(L"MailSystems", L"SMTP", L"", options);
  fields_.mail_system =
      smtp.find(L'*') != std::wstring::npos ? pw::kMailSystemSmtp : pw::kMailSystemNetworks;
}

BOOL CAddUserDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  filling_.reset();
  RECT window;
  GetWindowRect(&window);
  RECT short_line;
  RECT full_line;
  GetDlgItem(IDC_AU_SEPARATOR_SHORT)->GetWindowRect(&short_line);
  GetDlgItem(IDC_AU_SEPARATOR_FULL)->GetWindowRect(&full_line);
  full_height_ = window.bottom - window.top;
  short_height_ = full_height_ - (full_line.top - short_line.top);

  if (edit_mode_) {
    SetWindowText(LoadModuleString(IDS_AU_EDIT_CAPTION));
    GetDlgItem(IDC_AU_NETWORKS)->EnableWindow(FALSE);
    GetDlgItem(IDC_AU_SMTP)->EnableWindow(FALSE);
  } else {
    ReadDefaults();
  }
  SetText(IDC_AU_LOGIN, fields_.login);
  SetText(IDC_AU_FULL_NAME, fields_.full_name);
  SetText(IDC_AU_EMAIL, fields_.email);
  SetText(IDC_AU_FIRST_NAME, fields_.first_name);
  SetText(IDC_AU_LAST_NAME, fields_.last_name);
  SetText(IDC_AU_COMPANY, fields_.company);
  SetText(IDC_AU_DEPARTMENT, fields_.department);
  SetText(IDC_AU_FAX, fields_.fax);
  SetText(IDC_AU_VOICE, fields_.voice);
  SetText(IDC_AU_INTERNET_EMAIL, fields_.internet_email);
  CheckRadioButton(IDC_AU_NETWORKS, IDC_AU_SMTP,
                   fields_.mail_system == pw::kMailSystemSmtp ? IDC_AU_SMTP : IDC_AU_NETWORKS);
  GetDlgItem<CEdit>(IDC_AU_EMAIL)->SetReadOnly(fields_.mail_system != pw::kMailSystemSmtp);

  filling_ = std::make_unique<Filling>(this);
  filling_->filler.MarkFilledAsTyped();
  filling_->filler.set_mail_system(fields_.mail_system);
  ShowPersonal(false);
  UpdateOk();
  return TRUE;
}

void CAddUserDlg::ShowPersonal(bool show) {
  personal_shown_ = show;
  for (UINT id : kPersonalControls) GetDlgItem(id)->ShowWindow(show ? SW_SHOW : SW_HIDE);
  SetDlgItemText(IDC_AU_MORE, PersonalText(show));
  RECT window;
  GetWindowRect(&window);
  MoveWindow(window.left, window.top, window.right - window.left,
             show ? full_height_ : short_height_);
}

void CAddUserDlg::OnMoreLess() { ShowPersonal(!personal_shown_); }

void CAddUserDlg::OnFieldChange(UINT id) {
  if (!filling_) return;
  for (const FieldControl& entry : kDialogFields) {
    if (entry.control == id) filling_->filler.OnChanged(entry.field);
  }
  UpdateOk();
}

void CAddUserDlg::OnMailSystem(UINT id) {
  if (!filling_) return;
  const long mail_system = id == IDC_AU_SMTP ? pw::kMailSystemSmtp : pw::kMailSystemNetworks;
  if (mail_system == filling_->filler.mail_system()) return;
  filling_->filler.set_mail_system(mail_system);
  GetDlgItem<CEdit>(IDC_AU_EMAIL)->SetReadOnly(mail_system != pw::kMailSystemSmtp);
  if (mail_system == pw::kMailSystemNetworks) {
    filling_->filler.SetTyped(pw::UserField::kEmail, false);
    filling_->filler.FillNetworksAddress();
  }
  UpdateOk();
}

void CAddUserDlg::UpdateOk() {
  const std::wstring login = pw::TrimBlanks(Text(IDC_AU_LOGIN));
  const std::wstring email = pw::TrimBlanks(Text(IDC_AU_EMAIL));
  const std::wstring internet = pw::TrimBlanks(Text(IDC_AU_INTERNET_EMAIL));
  // With Networks the address is made from the login on OK; a login with a blank still gives
  // one.
  const bool networks = filling_ && filling_->filler.mail_system() == pw::kMailSystemNetworks;
  const bool email_ok =
      pw::IsValidEmail(email) || (networks && pw::IsValidEmail(pw::NetworksAddressOnOk(login)));
  const bool enable =
      pw::IsValidLogin(login) && email_ok && (internet.empty() || pw::IsValidEmail(internet));
  GetDlgItem(IDOK)->EnableWindow(enable ? TRUE : FALSE);
}

void CAddUserDlg::OnOK() {
  // Trimming and the final address are no typing.
  std::unique_ptr<Filling> filling = std::move(filling_);
  for (UINT id :
       {IDC_AU_LOGIN, IDC_AU_FULL_NAME, IDC_AU_EMAIL, IDC_AU_FIRST_NAME, IDC_AU_LAST_NAME,
        IDC_AU_COMPANY, IDC_AU_DEPARTMENT, IDC_AU_FAX, IDC_AU_VOICE, IDC_AU_INTERNET_EMAIL}) {
    SetText(id, pw::TrimBlanks(Text(id)));
  }
  if (GetDlgItem<CEdit>(IDC_AU_EMAIL)->IsReadOnly()) {
    SetText(IDC_AU_EMAIL, pw::NetworksAddressOnOk(Text(IDC_AU_LOGIN)));
  }
  filling_ = std::move(filling);
  fields_.login = Text(IDC_AU_LOGIN);
  fields_.full_name = Text(IDC_AU_FULL_NAME);
  fields_.email = Text(IDC_AU_EMAIL);
  fields_.first_name = Text(IDC_AU_FIRST_NAME);
  fields_.last_name = Text(IDC_AU_LAST_NAME);
  fields_.company = Text(IDC_AU_COMPANY);
  fields_.department = Text(IDC_AU_DEPARTMENT);
  fields_.fax = Text(IDC_AU_FAX);
  fields_.voice = Text(IDC_AU_VOICE);
  fields_.internet_email = Text(IDC_AU_INTERNET_EMAIL);
  fields_.mail_system = filling_ ? filling_->filler.mail_system() : fields_.mail_system;

  if (pw::RegisteredUserHas(component_data_, udbSearchLogin, fields_.login, L"")) {
    MessageBox(LoadModuleString(IDS_DUPLICATE_LOGIN), LoadModuleString(IDS_APP_TITLE),
               MB_OK | MB_ICONWARNING);
    return;
  }
  if (pw::RegisteredUserHas(component_data_, udbSearchMail, fields_.email, L"")) {
    MessageBox(LoadModuleString(IDS_DUPLICATE_ADDRESS), LoadModuleString(IDS_APP_TITLE),
               MB_OK | MB_ICONWARNING);
    return;
  }
  CDialog::OnOK();
}

std::wstring CAddUserDlg::CreateUser() {
  if (component_data_ == nullptr || component_data_->user_locator() == nullptr ||
      component_data_->rule_store() == nullptr) {
    throw ComError(E_POINTER, IID_IArdentUserLocator);
  }
  IArdentUserPtr user = component_data_->user_locator()->CreateUser(L"user");
  const std::pair<const wchar_t*, const std::wstring*> texts[] = {
      {L"cn", &fields_.full_name},
      {L"mail", &fields_.email},
      {L"givenName", &fields_.first_name},
      {L"sn", &fields_.last_name},
      {L"department", &fields_.department},
      {L"company", &fields_.company},
      {L"telephoneNumber", &fields_.voice},
      {L"facsimileTelephoneNumber", &fields_.fax},
      {L"ardentWindowsAccount", &fields_.login},
      {L"ardentInternetMail", &fields_.internet_email},
  };
  for (const auto& [name, text] : texts) user->SetAttribute(name, VARIANT::FromBstr(*text));
  user->SetAttribute(L"ardentCustomFlags", VARIANT::FromI4(fields_.mail_system));
  user->Save();
  const std::wstring identity = user->GetIdentity();

  IArdentRULEDB* rules = component_data_->rule_store();
  pw::ComPtr<IArdentRule> list;
  VARIANT_BOOL is_new = VARIANT_FALSE;
  try {
    pw::ComPtr<IArdentRuleEnum> lists = rules->EnumRules(L"", L"faxusers");
    lists->Next(&list);
  } catch (const ComError& error) {
    WriteLog(L"FAILED raw_EnumRules. Return 0x%08X.", static_cast<DWORD>(error.Error()));
    throw;
  }
  if (!list) {
    list = rules->CreateRule(L"faxusers");
    is_new = VARIANT_TRUE;
  }
  list->AddUser(identity);
  rules->SaveRule(list.Get(), is_new);
  return identity;
}
