// CDirectoryConnection: connection strings, connect and disconnect per directory mode, the
// wait box, and the connect and disconnect commands.
#include "module/users/directory_connection.h"

#include "module/resources/users_list.h"
#include "module/snapin/component_data.h"
#include "module/snapin/pwconfig_app.h"
#include "module/users/select_dsa_dlg.h"
#include "platform/ui/dialog.h"
#include "platform/ui/wait_cursor.h"

namespace {

constexpr DWORD kActiveDirectory = 1;
constexpr DWORD kExchange55 = 2;
constexpr DWORD kOwnDatabase = 3;

// The modeless "Connecting to directory store..." box, centred on the console's window, for
// the length of one connection attempt.
class ConnectingBox {
 public:
  explicit ConnectingBox(IConsole* console)
      : box_(IDD_CONNECTING_DIRECTORY, nullptr, AfxGetResourceHandle()) {
    HWND main_window = nullptr;
    if (console != nullptr) console->GetMainWindow(&main_window);
    box_.Create(0, CWnd::FromHandle(main_window));
  }
  ~ConnectingBox() {
    if (box_.GetSafeHwnd() != nullptr) box_.DestroyWindow();
  }

 private:
  CDialog box_;
};

}  // namespace

std::wstring CDirectoryConnection::ConnectionString(DWORD mode,
                                                    const std::wstring& directory_server,
                                                    const std::wstring& server_path) {
  switch (mode) {
    case kActiveDirectory:
      return L"directorytype=ad;searchscope=children;searchbase=top";
    case kExchange55:
      return L"directorytype=ex55;directoryserver=" + directory_server;
    case kOwnDatabase: {
      std::wstring file = server_path;
      if (!file.empty() && file.back() != L'\\' && file.back() != L'/') file += L'\\';
      return L"dbpath=" + file + ARDENTUSERDB_FILE_NAME;
    }
    default:
      return {};
  }
}

bool* CDirectoryConnection::FlagOf(DWORD mode) {
  switch (mode) {
    case kActiveDirectory:
      return &active_directory_connected_;
    case kExchange55:
      return &exchange_connected_;
    case kOwnDatabase:
      return &user_database_connected_;
    default:
      return nullptr;
  }
}

bool CDirectoryConnection::IsConnected() const {
  switch (component_data_->directory_mode()) {
    case kActiveDirectory:
      return active_directory_connected_;
    case kExchange55:
      return exchange_connected_;
    case kOwnDatabase:
      return user_database_connected_;
    default:
      return false;
  }
}

HRESULT CDirectoryConnection::ConnectDirectory() {
  const DWORD mode = component_data_->directory_mode();
  if (FlagOf(mode) == nullptr) return E_INVALIDARG;
  ConnectingBox box(component_data_->console());
  switch (mode) {
    case kActiveDirectory:
      return ConnectToActiveDirectory();
    case kExchange55:
      return ConnectToExchange();
    default:
      return ConnectToUserDatabase();
  }
}

HRESULT CDirectoryConnection::ConnectToActiveDirectory() {
  if (component_data_->directory_mode() != kActiveDirectory) return E_INVALIDARG;
  if (active_directory_connected_) return S_FALSE;
  IArdentUserDB* user_db = component_data_->user_db();
  if (user_db == nullptr) return E_POINTER;
  const std::wstring connection = ConnectionString(kActiveDirectory, {}, {});
  const HRESULT hr = user_db->raw_Connect(0, connection.c_str());
  if (SUCCEEDED(hr)) active_directory_connected_ = true;
  return hr;
}

HRESULT CDirectoryConnection::ConnectToExchange() {
  if (component_data_->directory_mode() != kExchange55) return E_INVALIDARG;
  if (exchange_connected_) return S_FALSE;
  if (component_data_->directory_server().empty()) return E_INVALIDARG;
  IArdentUserDB* user_db = component_data_->user_db();
  if (user_db == nullptr) return E_POINTER;
  const std::wstring connection =
      ConnectionString(kExchange55, component_data_->directory_server(), {});
  const HRESULT hr = user_db->raw_Connect(0, connection.c_str());
  if (SUCCEEDED(hr)) exchange_connected_ = true;
  return hr;
}

HRESULT CDirectoryConnection::ConnectToUserDatabase() {
  if (component_data_->directory_mode() != kOwnDatabase) return E_INVALIDARG;
  if (user_database_connected_) return S_FALSE;
  if (IArdentUserDB* user_db = component_data_->user_db()) {
    const std::wstring connection =
        ConnectionString(kOwnDatabase, {}, component_data_->server_path());
    if (FAILED(user_db->raw_Connect(kOwnDatabaseFlags, connection.c_str()))) {
      user_db->raw_Connect(kOwnDatabaseRetryFlags, connection.c_str());
    }
  }
  user_database_connected_ = true;
  return S_OK;
}

HRESULT CDirectoryConnection::Disconnect(DWORD mode) {
  bool* flag = FlagOf(mode);
  if (flag == nullptr) return E_INVALIDARG;
  if (!*flag) return S_FALSE;
  IArdentUserDB* user_db = component_data_->user_db();
  if (user_db == nullptr) return E_POINTER;
  const HRESULT hr = user_db->raw_Close();
  if (SUCCEEDED(hr)) *flag = false;
  return hr;
}

HRESULT CDirectoryConnection::DisconnectDirectory() {
  return Disconnect(component_data_->directory_mode());
}

HRESULT CDirectoryConnection::DisconnectFromExchange() {
  WriteLog(L">> CComponentData::DisconnectFromExchange");
  if (component_data_->directory_mode() != kExchange55) return E_INVALIDARG;
  return Disconnect(kExchange55);
}

void CDirectoryConnection::ConnectAutomatically() {
  if (connection_tried_) return;
  connection_tried_ = true;
  if (component_data_->directory_mode() == kExchange55 &&
      component_data_->directory_server().empty()) {
    return;
  }
  CWaitCursor wait;
  ConnectDirectory();
}

HRESULT CDirectoryConnection::ConnectCommand(IConsole* console, HSCOPEITEM scope_item) {
  switch (component_data_->directory_mode()) {
    case kActiveDirectory: {
      HRESULT hr = S_OK;
      {
        CWaitCursor wait;
        hr = ConnectDirectory();
      }
      if (hr == S_OK && console != nullptr) console->SelectScopeItem(scope_item);
      return S_OK;
    }
    case kExchange55: {
      CSelectDsaDlg dialog(component_data_);
      if (dialog.DoModal() == IDOK && console != nullptr) console->SelectScopeItem(scope_item);
      return S_OK;
    }
    default:
      return S_FALSE;
  }
}

HRESULT CDirectoryConnection::DisconnectCommand(IConsole* console, HSCOPEITEM scope_item) {
  if (component_data_->directory_mode() != kExchange55) return S_FALSE;
  const std::wstring question = pw::FormatString(LoadModuleString(IDS_CONFIRM_DISCONNECT_DSA),
                                                 component_data_->directory_server());
  if (component_data_->ShowMessage(question, MB_YESNO | MB_ICONQUESTION) != IDYES) return S_OK;
  HRESULT hr = S_OK;
  {
    CWaitCursor wait;
    hr = DisconnectFromExchange();
  }
  if (hr == S_OK && console != nullptr) console->SelectScopeItem(scope_item);
  return S_OK;
}
