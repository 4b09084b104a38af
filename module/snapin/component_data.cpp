// CComponentData: initialisation against the server, scope-side dispatch, persistence and
// shutdown.
#include "module/snapin/component_data.h"

#include <atomic>
#include <cstring>

#include "module/options/launcher.h"
#include "module/resources/component.h"
#include "module/resources/resource.h"
#include "module/resources/server.h"
#include "module/server/select_computer.h"
#include "module/server/user_defaults.h"
#include "module/snapin/component.h"
#include "module/snapin/data_object.h"
#include "module/snapin/image_strip.h"
#include "module/snapin/static_node.h"
#include "platform/com/strings.h"
#include "platform/ui/message_box.h"

namespace {

// Set by the first instance that gets past the check in Initialize; never cleared, so a
// second snap-in instance in the same console process refuses to initialise.
std::atomic<bool> g_process_initialized{false};

CDelegationBase* NodeFromCookie(CStaticNode* root, MMC_COOKIE cookie) {
  if (cookie == 0) return root;
  return reinterpret_cast<CDelegationBase*>(cookie);
}

}  // namespace

CComponentData::CComponentData() {
  WriteLog(L">> CComponentData::CComponentData");
  root_ = std::make_unique<CStaticNode>();
  WriteLog(L"<< CComponentData::CComponentData");
}

CComponentData::~CComponentData() = default;

bool CComponentData::process_initialized() { return g_process_initialized.load(); }

HRESULT CComponentData::Initialize(IUnknown* console) {
  SetDisplayLanguage();
  WriteLog(L">> CComponentData::Initialize");
  if (g_process_initialized.exchange(true)) return E_FAIL;
  if (console == nullptr) return E_POINTER;

  HRESULT hr = stores_.Create();
  if (FAILED(hr)) return hr;

  if (hr =
          console->QueryInterface(IID_IConsoleNameSpace2, name_space_.ReleaseAndGetVoidAddressOf());
      FAILED(hr)) {
    return hr;
  }
  if (hr = console->QueryInterface(IID_IConsole2, console_.ReleaseAndGetVoidAddressOf());
      FAILED(hr)) {
    return hr;
  }
  pw::ComPtr<IImageList> images;
  if (SUCCEEDED(console_->QueryScopeImageList(images.GetAddressOf())) && images) {
    RegisterImageStrip(images.Get());
  }

  SetUserUtilLogFile();
  std::optional<std::wstring> page_computer;
  if (root_->select_computer_page_created()) page_computer = root_->computer_name();
  std::wstring message;
  if (!LocateServer(page_computer, &location_, &message)) {
    ShowMessage(message, MB_OK | MB_ICONWARNING);
    return E_FAIL;
  }
  if (location_.computer_name) {
    root_->set_computer_name(*location_.computer_name);
    root_->set_computer_chosen(true);
  }
  if (location_.server_path.empty()) return S_OK;

  if (FAILED(stores_.OpenConfiguration(location_.server_path))) {
    ReportConnectionFailure();
    return E_FAIL;
  }
  CompleteConnection();
  WriteLog(L"<< CComponentData::CComponentData");
  return S_OK;
}

void CComponentData::ReportConnectionFailure() const {
  std::wstring text;
  switch (location_.remote_kind) {
    case 0:
      text = LoadModuleString(IDS_CONFIGURATION_INACCESSIBLE);
      break;
    case 1:
      text = pw::FormatString(LoadModuleString(IDS_NOT_INSTALLED_FIXED), root_->computer_name());
      break;
    default:
      text = pw::FormatString(LoadModuleString(IDS_NOT_INSTALLED_ANY), root_->computer_name());
      break;
  }
  WriteLog(L"%s", text);
  ShowMessage(text, MB_OK | MB_ICONWARNING);
}

HRESULT CComponentData::ConnectTo(const std::wstring& server_path) {
  stores_.CloseConfiguration();
  const HRESULT hr = stores_.OpenConfiguration(server_path);
  if (SUCCEEDED(hr)) location_.server_path = server_path;
  return hr;
}

void CComponentData::CompleteConnection() {
  directory_server_.clear();
  if (location_.directory_mode == 2 && stores_.settings() != nullptr) {
    try {
      directory_server_ = stores_.settings()->GetValue(L"IPW_Exc_DSAorDOM").ToString();
    } catch (const ComError& error) {
      WriteLog(L"Reading IPW_Exc_DSAorDOM FAILED: HRESULT = 0x%08X",
               static_cast<DWORD>(error.Error()));
    }
  }
  root_->SetComponentData(this);
  UserDefaultsRequest request;
  request.rules = stores_.rules();
  request.user_db = stores_.user_db();
  request.directory_mode = location_.directory_mode;
  if (location_.directory_mode == 2) {
    request.mapi_profile = location_.mapi_profile;
    request.directory_server = directory_server_;
  }
  request.server_path = location_.server_path;
  InstallUserDefaults(request);
}

int CComponentData::ShowMessage(const std::wstring& text, UINT style) const {
  const std::wstring title = LoadModuleString(IDS_APP_TITLE);
  if (!console_) return ::MessageBox(nullptr, text, title, style);
  int result = 0;
  console_->MessageBox(text.c_str(), title.c_str(), style, &result);
  return result;
}

HRESULT CComponentData::CreateComponent(IComponent** component) {
  if (component == nullptr) return E_POINTER;
  *component = nullptr;
  CComponent* created = new (std::nothrow) CComponent(this);
  if (created == nullptr) return E_OUTOFMEMORY;
  return created->QueryInterface(IID_IComponent, reinterpret_cast<void**>(component));
}

CDelegationBase* CComponentData::NodeOf(IDataObject* data_object) const {
  CDataObject* ours = GetOurDataObject(data_object);
  if (ours == nullptr || ours->is_multi_select()) return nullptr;
  return ours->node();
}

HRESULT CComponentData::Notify(IDataObject* data_object, MMC_NOTIFY_TYPE event, LPARAM arg,
                               LPARAM param) {
  if (event == MMCN_PROPERTY_CHANGE) {
    auto* node = reinterpret_cast<CDelegationBase*>(param);
    if (IS_SPECIAL_COOKIE(param) || !CDelegationBase::IsLive(node)) return S_FALSE;
    return node->OnPropertyChange(nullptr, console_.Get(), this);
  }
  CDataObject* ours = GetOurDataObject(data_object);
  if (ours == nullptr) return S_FALSE;
  if (IS_SPECIAL_COOKIE(ours->cookie()) || ours->node() == nullptr) return E_FAIL;
  if (event == MMCN_EXPAND) {
    return ours->node()->OnExpand(name_space_.Get(), console_.Get(), static_cast<HSCOPEITEM>(param),
                                  static_cast<BOOL>(arg));
  }
  return S_FALSE;
}

HRESULT CComponentData::Destroy() {
  LaunchServerProgram(this, L"pwgwconf.exe", L" -close", true, true);
  LaunchServerProgram(this, L"pwgwinet.exe", L" -setup:close", true, true);
  bool restart = restart_server_;
  if (!restart && stores_.settings() != nullptr) {
    try {
      restart = stores_.settings()->IsRestartPending() != VARIANT_FALSE;
    } catch (const ComError& error) {
      WriteLog(L"IsRestartPending FAILED: HRESULT = 0x%08X", static_cast<DWORD>(error.Error()));
    }
  }
  if (restart) LaunchServerProgram(this, L"pwgwconf.exe", L" -serverrestart", true, true);
  name_space_ = nullptr;
  console_ = nullptr;
  stores_.Close();
  return S_OK;
}

HRESULT CComponentData::QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type,
                                        IDataObject** data_object) {
  if (data_object == nullptr) return E_POINTER;
  *data_object = nullptr;
  if (IS_SPECIAL_COOKIE(cookie)) return E_FAIL;
  CDataObject* created = new (std::nothrow) CDataObject(NodeFromCookie(root_.get(), cookie), type);
  if (created == nullptr) return E_OUTOFMEMORY;
  return created->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(data_object));
}

HRESULT CComponentData::GetDisplayInfo(SCOPEDATAITEM* item) {
  if (item == nullptr) return E_POINTER;
  auto* node = reinterpret_cast<CDelegationBase*>(item->lParam);
  if (node == nullptr) return S_FALSE;
  // The console keeps the pointer without freeing it; the node keeps the text alive.
  if ((item->mask & SDI_STR) != 0) item->displayname = const_cast<LPOLESTR>(node->DisplayText(0));
  if ((item->mask & SDI_IMAGE) != 0) item->nImage = node->GetBitmapIndex(FALSE);
  if ((item->mask & SDI_OPENIMAGE) != 0) item->nOpenImage = node->GetBitmapIndex(FALSE);
  return S_FALSE;
}

HRESULT CComponentData::CompareObjects(IDataObject* a, IDataObject* b) {
  CDelegationBase* node_a = NodeOf(a);
  CDelegationBase* node_b = NodeOf(b);
  if (node_a == nullptr || node_b == nullptr) return S_FALSE;
  return node_a->GetCookie() == node_b->GetCookie() ? S_OK : S_FALSE;
}

HRESULT CComponentData::CreatePropertyPages(IPropertySheetCallback* callback, LONG_PTR handle,
                                            IDataObject* data_object) {
  CDelegationBase* node = NodeOf(data_object);
  if (node == nullptr) return E_UNEXPECTED;
  return node->CreatePropertyPages(nullptr, this, callback, handle);
}

HRESULT CComponentData::QueryPagesFor(IDataObject* data_object) {
  CDelegationBase* node = NodeOf(data_object);
  if (node == nullptr) return S_FALSE;
  return node->HasPropertySheets();
}

HRESULT CComponentData::GetWatermarks(IDataObject* data_object, HBITMAP* watermark, HBITMAP* header,
                                      HPALETTE* palette, BOOL* stretch) {
  CDelegationBase* node = NodeOf(data_object);
  if (node == nullptr) return E_NOTIMPL;
  return node->GetWatermarks(watermark, header, palette, stretch);
}

HRESULT CComponentData::AddMenuItems(IDataObject* data_object, IContextMenuCallback* callback,
                                     LONG* insertion_allowed) {
  CDelegationBase* node = NodeOf(data_object);
  if (node == nullptr || insertion_allowed == nullptr) return S_FALSE;
  long allowed = *insertion_allowed;
  const HRESULT hr = node->OnAddMenuItems(callback, &allowed);
  *insertion_allowed = static_cast<LONG>(allowed);
  return hr;
}

HRESULT CComponentData::Command(LONG command_id, IDataObject* data_object) {
  CDelegationBase* node = NodeOf(data_object);
  if (node == nullptr) return S_FALSE;
  return node->OnMenuCommand(nullptr, console_.Get(), command_id);
}

HRESULT CComponentData::GetClassID(CLSID* class_id) {
  if (class_id == nullptr) return E_POINTER;
  *class_id = root_->GetNodeType();
  return S_OK;
}

HRESULT CComponentData::IsDirty() { return root_->computer_chosen() ? S_OK : S_FALSE; }

HRESULT CComponentData::Save(IStream* stream, BOOL clear_dirty) {
  if (stream == nullptr) return E_POINTER;
  if (clear_dirty) root_->set_computer_chosen(false);
  std::string bytes = pw::ToUtf16Le(root_->computer_name());
  // The last unit stays a terminator however long the name is.
  bytes.resize(kPersistedBytes - 2);
  bytes.resize(kPersistedBytes, '\0');
  ULONG written = 0;
  return stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
}

HRESULT CComponentData::GetSizeMax(ULONGLONG* size) {
  if (size == nullptr) return E_POINTER;
  *size = kPersistedBytes;
  return S_OK;
}

HRESULT CComponentData::LoadComputerName(IStream* stream, std::wstring* name) {
  std::string bytes(kPersistedBytes, '\0');
  ULONG read = 0;
  const HRESULT hr = stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
  if (FAILED(hr)) return hr;
  std::size_t units = 0;
  while (units < kComputerNameUnits && (bytes[2 * units] != 0 || bytes[2 * units + 1] != 0)) {
    ++units;
  }
  *name = pw::FromUtf16Le(std::string_view(bytes).substr(0, 2 * units));
  return S_OK;
}

HRESULT CComponentData::Load(IStream* stream) {
  if (location_.remote_kind != 2) return S_OK;
  if (!root_->computer_name().empty()) return S_OK;
  if (stream == nullptr) return E_POINTER;
  std::wstring name;
  if (const HRESULT hr = LoadComputerName(stream, &name); FAILED(hr)) return hr;
  root_->set_computer_name(name);

  for (;;) {
    if (name.empty()) {
      std::optional<std::wstring> chosen = AskForComputerToManage(console_.Get(), name);
      if (!chosen) break;
      name = *chosen;
      root_->set_computer_name(name);
      root_->set_computer_chosen(true);
      continue;
    }
    if (SUCCEEDED(ConnectTo(ServerSharePath(name)))) {
      CompleteConnection();
      return S_OK;
    }
    ShowMessage(LoadModuleString(IDS_RECONNECT_FAILED), MB_OK | MB_ICONWARNING);
    std::optional<std::wstring> chosen = AskForComputerToManage(console_.Get(), name);
    if (!chosen) break;
    name = *chosen;
    root_->set_computer_name(name);
    root_->set_computer_chosen(true);
  }
  ShowMessage(LoadModuleString(IDS_SNAPIN_NOT_INITIALIZED), MB_OK | MB_ICONWARNING);
  return E_FAIL;
}
