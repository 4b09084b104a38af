// CUserImport: the two passes over an import file, the questions they ask, and starting the
// server's import program.
#include "module/users/user_import.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <new>
#include <thread>

#include "installation/interfaces/ardent_db.h"
#include "installation/interfaces/ardent_userdb.h"
#include "module/resources/user_import.h"
#include "module/resources/users_list.h"
#include "module/server/server_location.h"
#include "module/snapin/component_data.h"
#include "module/snapin/data_object.h"
#include "module/snapin/pwconfig_app.h"
#include "module/snapin/static_node.h"
#include "module/snapin/view_hints.h"
#include "module/users/dup_fax_addr.h"
#include "module/users/users_node_delegation.h"
#include "platform/com/strings.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/wait_cursor.h"
#include "platform/win/files.h"
#include "platform/win/ini_file.h"
#include "platform/win/message_queue.h"
#include "platform/win/paths.h"
#include "platform/win/process.h"

namespace {

constexpr wchar_t kImportProgram[] = L"pwimport.exe";
constexpr wchar_t kImportResult[] = L"pwimport.uif";

UINT MessageOf(pw::ImportProblem problem) {
  switch (problem) {
    case pw::ImportProblem::kStringNotClosedAtEndOfFile:
      return IDS_UI_NOT_CLOSED_AT_EOF;
    case pw::ImportProblem::kStringNotClosedAtEndOfLine:
      return IDS_UI_NOT_CLOSED_AT_EOL;
    case pw::ImportProblem::kCommaExpected:
      return IDS_UI_COMMA_EXPECTED;
    case pw::ImportProblem::kNewLineExpected:
      return IDS_UI_NEW_LINE_EXPECTED;
    case pw::ImportProblem::kInvalidAddress:
      return IDS_UI_INVALID_ADDRESS;
    case pw::ImportProblem::kInvalidInternetMail:
      return IDS_UI_INVALID_INTERNET_MAIL;
  }
  return IDS_UI_COMMA_EXPECTED;
}

// Runs the console's messages until the process has ended: the program may show windows
// owned by the console, and the console must stay responsive meanwhile.
void WaitDispatching(HANDLE process) {
  pw::MessageQueue& queue = pw::MessageQueue::Current();
  auto ended = std::make_shared<std::atomic<bool>>(false);
  std::thread waiter = queue.StartWorker([process, ended, &queue] {
    WaitForSingleObject(process, INFINITE);
    queue.PostTask([ended] { ended->store(true); });
  });
  queue.RunUntil([&ended] { return ended->load(); });
  waiter.join();
}

void SetText(IArdentUser* user, const wchar_t* name, const std::wstring& text) {
  user->SetAttribute(name, VARIANT::FromBstr(text));
}

}  // namespace

CUserImport::CUserImport(CUsersNodeDelegation* list, IConsole* console)
    : list_(list), component_data_(list->component_data()), console_(console) {}

std::wstring CUserImport::ServerFolder() const {
  if (component_data_->remote_kind() != 0) {
    return ServerSharePath(component_data_->root()->computer_name()) + L"\\";
  }
  std::wstring folder = component_data_->install_path();
  if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
  return folder;
}

LONG CUserImport::ReadMailSystem() const {
  const std::wstring options = ServerFolder() + L"options.ini";
  const std::wstring smtp = GetPrivateProfileString(L"MailSystems", L"SMTP", L"", options);
  // "Networks" marked alone gives the same flag as nothing marked; SMTP wins over it.
  return smtp.find(L'*') != std::wstring::npos ? 1 : 0;
}

void CUserImport::UpdateViews(LPARAM data, LONG_PTR hint) const {
  IConsole2* console = component_data_->console();
  if (console == nullptr) return;
  auto* data_object = new (std::nothrow) CDataObject(list_, CCT_SCOPE);
  if (data_object == nullptr) return;
  pw::ComPtr<IDataObject> keep(data_object);
  console->UpdateAllViews(data_object, data, hint);
}

HRESULT CUserImport::ImportFromChosenFile() {
  if (component_data_ == nullptr) return E_POINTER;
  CFileDialog dialog(TRUE, {}, {},
                     OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING,
                     LoadModuleString(IDS_UI_FILE_FILTER));
  const std::wstring title = LoadModuleString(IDS_UI_FILE_TITLE);
  dialog.m_ofn.lpstrTitle = title.c_str();
  if (console_ != nullptr) console_->GetMainWindow(&dialog.m_ofn.hwndOwner);
  if (dialog.DoModal() != IDOK) {
    const DWORD error = CommDlgExtendedError();
    if (error != 0) {
      component_data_->ShowMessage(
          pw::FormatString(LoadModuleString(IDS_UI_FILE_DIALOG_FAILED), error),
          MB_OK | MB_ICONERROR);
    }
    return S_OK;
  }
  const HRESULT hr = ImportFile(dialog.GetPathName());
  return FAILED(hr) ? hr : S_OK;
}

HRESULT CUserImport::RunImportProgram() {
  if (component_data_ == nullptr) return E_POINTER;
  HWND main_window = nullptr;
  if (console_ != nullptr) console_->GetMainWindow(&main_window);
  const std::wstring folder = ServerFolder();
  const std::wstring program = folder + kImportProgram;
  WriteLog(L"Executing the application: %s", program);
  const std::wstring command_line = pw::FormatString(
      L" /hwnd:%lu", static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(main_window)));
  PROCESS_INFORMATION process;
  if (!CreateProcess(program, command_line, component_data_->install_path(), &process)) {
    component_data_->ShowMessage(pw::FormatString(LoadModuleString(IDS_UI_LAUNCH_FAILED), program),
                                 MB_OK | MB_ICONERROR);
    return S_OK;
  }
  WaitDispatching(process.hProcess);
  CloseHandle(process.hProcess);

  // The program's own failures are its business: without its file nothing is imported.
  const std::wstring result = folder + kImportResult;
  if (GetFileAttributes(result) == INVALID_FILE_ATTRIBUTES) return S_OK;
  WriteLog(L"Importing users from file: %s", result);
  const HRESULT hr = ImportFile(result);
  DeleteFile(result);
  return FAILED(hr) ? hr : S_OK;
}

HRESULT CUserImport::ImportFile(const std::wstring& path) {
  if (component_data_ == nullptr) return E_POINTER;
  std::string bytes;
  LONG error = 0;
  if (!pw::ReadFileBytes(pw::ToHostPath(path), &bytes, &error)) {
    WriteLog(L"Cannot read the import file %s (%d).", path, static_cast<int>(error));
    return S_FALSE;
  }
  std::wstring text;
  if (!pw::DecodeUserImportFile(bytes, &text)) {
    component_data_->ShowMessage(LoadModuleString(IDS_UI_UNSUPPORTED_FILE), MB_OK | MB_ICONERROR);
    return S_FALSE;
  }
  if (!component_data_->directory().IsConnected()) {
    CWaitCursor wait;
    component_data_->directory().ConnectDirectory();
  }
  if (!component_data_->directory().IsConnected() || component_data_->rule_store() == nullptr ||
      component_data_->user_locator() == nullptr) {
    component_data_->ShowMessage(LoadModuleString(IDS_INTERNAL_ERROR), MB_OK | MB_ICONERROR);
    return S_FALSE;
  }

  pw::UserImportReader reader(std::move(text));
  ignore_all_ = false;
  if (!ValidationPass(&reader)) return S_FALSE;

  reader.Rewind();
  mail_system_ = ReadMailSystem();
  overwrite_all_ = false;
  skip_all_ = false;
  added_.clear();
  added_count_ = 0;
  try {
    ImportPass(&reader);
  } catch (const ComError& failure) {
    WriteLog(L"FAILED importing users. Return 0x%08X.", static_cast<DWORD>(failure.Error()));
    return failure.Error();
  }

  // The refresh makes the new users' nodes; then their rows are the ones selected.
  list_->OnRefresh(nullptr, console_);
  UpdateViews(-1, kHintResetCount);
  UpdateViews(-1, kHintDeselectRow);
  for (const std::wstring& identity : added_) {
    for (int row = 0; row < list_->user_count(); ++row) {
      if (pw::EqualsIgnoreCase(list_->user_at(row)->guid(), identity)) {
        UpdateViews(row, kHintSelectRow);
        break;
      }
    }
  }
  return S_OK;
}

bool CUserImport::AskIgnore(const pw::ImportRecord& record, pw::ImportProblem problem) {
  const bool unclosed = problem == pw::ImportProblem::kStringNotClosedAtEndOfFile ||
                        problem == pw::ImportProblem::kStringNotClosedAtEndOfLine;
  // "Yes to all" covers the errors of a readable line, not a string that runs away.
  if (ignore_all_ && !unclosed) return true;
  const std::wstring& shown = problem == pw::ImportProblem::kInvalidInternetMail
                                  ? record.user.internet_mail
                                  : record.user.address;
  CInvalidEmailDlg dialog;
  dialog.SetMessage(
      pw::FormatString(LoadModuleString(MessageOf(problem)), record.line, pw::ToUtf8(shown)));
  switch (dialog.DoModal()) {
    case IDYES:
      return true;
    case kIdYesToAll:
      ignore_all_ = true;
      return true;
    default:
      return false;
  }
}

bool CUserImport::ValidationPass(pw::UserImportReader* reader) {
  pw::ImportRecord record;
  while (reader->Next(&record)) {
    for (const pw::ImportProblem problem : record.problems) {
      if (!AskIgnore(record, problem)) return false;
    }
  }
  return true;
}

bool CUserImport::ShouldOverwrite(const pw::ImportRecord& record) {
  if (overwrite_all_) return true;
  if (skip_all_) return false;
  CDupFaxAddr dialog;
  dialog.SetMessage(pw::FormatString(LoadModuleString(IDS_UI_ADDRESS_EXISTS), record.line,
                                     pw::ToUtf8(record.user.address)));
  switch (dialog.DoModal()) {
    case IDYES:
      return true;
    case kIdYesToAll:
      overwrite_all_ = true;
      return true;
    case kIdNoToAll:
      skip_all_ = true;
      return false;
    default:
      return false;
  }
}

void CUserImport::ImportPass(pw::UserImportReader* reader) {
  IArdentRULEDB* rules = component_data_->rule_store();
  IArdentUserLocator* users = component_data_->user_locator();
  IArdentRulePtr list;
  rules->EnumRules(L"", list_->list_rule())->Next(&list);
  const bool new_list = !list;
  if (new_list) list = rules->CreateRule(list_->list_rule());

  pw::ImportRecord record;
  while (reader->Next(&record)) {
    if (!record.problems.empty()) continue;
    const pw::ImportedUser& fields = record.user;
    IArdentUserPtr existing;
    if (users->FindUser(udbSearchMail, fields.address, &existing) == S_OK && existing) {
      if (!ShouldOverwrite(record)) continue;
      SetText(existing.Get(), L"cn", fields.full_name);
      SetText(existing.Get(), L"givenName", fields.first_name);
      SetText(existing.Get(), L"sn", fields.last_name);
      SetText(existing.Get(), L"department", fields.department);
      SetText(existing.Get(), L"company", fields.company);
      SetText(existing.Get(), L"telephoneNumber", fields.voice);
      SetText(existing.Get(), L"facsimileTelephoneNumber", fields.fax);
      SetText(existing.Get(), L"ardentWindowsAccount", fields.login);
      SetText(existing.Get(), L"ardentInternetMail", fields.internet_mail);
      existing->SetAttribute(L"ardentCustomFlags", VARIANT::FromI4(mail_system_));
      existing->Save();
      continue;
    }
    IArdentUserPtr user = users->CreateUser(L"user");
    SetText(user.Get(), L"cn", fields.full_name);
    SetText(user.Get(), L"mail", fields.address);
    SetText(user.Get(), L"givenName", fields.first_name);
    SetText(user.Get(), L"sn", fields.last_name);
    SetText(user.Get(), L"department", fields.department);
    SetText(user.Get(), L"company", fields.company);
    SetText(user.Get(), L"telephoneNumber", fields.voice);
    SetText(user.Get(), L"facsimileTelephoneNumber", fields.fax);
    SetText(user.Get(), L"ardentWindowsAccount", fields.login);
    SetText(user.Get(), L"ardentInternetMail", fields.internet_mail);
    user->SetAttribute(L"ardentCustomFlags", VARIANT::FromI4(mail_system_));
    user->Save();
    const std::wstring identity = user->GetIdentity();
    list->AddUser(identity);
    added_.push_back(identity);
    ++added_count_;
  }
  rules->SaveRule(list.Get(), new_list ? VARIANT_TRUE : VARIANT_FALSE);
}
