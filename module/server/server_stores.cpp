// Creating, opening and closing the server's stores.
#include "module/server/server_stores.h"

#include "module/snapin/pwconfig_app.h"
#include "platform/com/class_loader.h"
#include "platform/ui/message_box.h"

namespace {

HRESULT Failed(HRESULT hr) {
  WriteLog(L"FAILED: HRESULT = 0x%08X", static_cast<DWORD>(hr));
  return hr;
}

}  // namespace

HRESULT CServerStores::Create() {
  WriteLog(L"m_dbConfig.CreateInstance(__uuidof(ZAVUVURIre::ArdentDB));");
  HRESULT hr = pw::CreateInstance(CLSID_ArdentDB, &configuration_);
  if (FAILED(hr)) {
    Failed(hr);
    ::MessageBox(nullptr, L"Failed to create ZAVUVURIre object", L"", MB_OK);
    return hr;
  }
  WriteLog(L"m_dbRules = m_dbConfig;");
  if (hr = configuration_.As(&rules_); FAILED(hr)) return Failed(hr);
  WriteLog(L"m_dbSettings = m_dbConfig;");
  if (hr = configuration_.As(&settings_); FAILED(hr)) return Failed(hr);
  WriteLog(L"m_dbUsers.CreateInstance(__uuidof(ArdentUserDB));");
  if (hr = pw::CreateInstance(CLSID_ArdentUserDB, &user_db_); FAILED(hr)) return Failed(hr);
  WriteLog(L"m_dbLocator = m_dbUsers;");
  if (hr = user_db_.As(&user_locator_); FAILED(hr)) return Failed(hr);
  return S_OK;
}

HRESULT CServerStores::OpenConfiguration(const std::wstring& server_path) {
  if (!configuration_) return E_UNEXPECTED;
  try {
    return configuration_->Open(0, server_path);
  } catch (const ComError& error) {
    WriteLog(L"Open(%s) FAILED: HRESULT = 0x%08X", server_path, static_cast<DWORD>(error.Error()));
    return error.Error();
  }
}

void CServerStores::CloseConfiguration() {
  if (!configuration_) return;
  try {
    configuration_->Close();
  } catch (const ComError&) {
    // Nothing was open: there is nothing to close.
  }
}

void CServerStores::Close() {
  CloseConfiguration();
  if (!user_db_) return;
  try {
    user_db_->Close();
  } catch (const ComError&) {
    // The user database was never connected.
  }
}
