// CRoutesOCR: the engine check, the message view without it, the new phrase command and the
// OCR settings sheet.
#include "module/routing/routes_ocr.h"

#include "module/resources/routes_ocr.h"
#include "module/resources/routing.h"
#include "module/routing/new_phrase_dlg.h"
#include "module/routing/search_phrase_node.h"
#include "module/server/server_location.h"
#include "module/snapin/component.h"
#include "module/snapin/component_data.h"
#include "module/snapin/node_types.h"
#include "module/snapin/pwconfig_app.h"
#include "module/snapin/static_node.h"
#include "platform/com/memory.h"
#include "platform/com/strings.h"
#include "platform/ui/wait_cursor.h"
#include "platform/win/files.h"

namespace {

constexpr int kImage = 37;
constexpr wchar_t kEngineFile[] = L"OCR\\faxtotxt.dll";
// Longer engine paths are not looked for, as the server's own file functions could not open
// them either.
constexpr std::size_t kMaxPath = 260;

// A setting as a 32-bit number; a value that does not convert is the settings' COM error.
LONG ReadNumber(IPagewell& settings, const wchar_t* name) {
  const VARIANT value = settings.GetValue(name);
  VARIANT number;
  const HRESULT hr = value.ChangeType(VT_I4, &number);
  if (FAILED(hr)) throw ComError(hr, IID_IPagewell);
  return number.lVal();
}

LONG WithFlag(LONG flags, LONG flag, bool set) { return set ? (flags | flag) : (flags & ~flag); }

}  // namespace

CRoutesOCR::CRoutesOCR(CDelegationBase* owner)
    : CRoutingDelegationBase(owner, L"ocr", ListKind::kOcrPhrases),
      texts_(IDS_ROUTES_OCR, IDS_ROUTES_OCR_DESCRIPTION) {}

CRoutesOCR::~CRoutesOCR() = default;

std::wstring CRoutesOCR::GetDisplayName(int column) { return texts_.Column(column); }

GUID CRoutesOCR::GetNodeType() { return kNodeTypeRoutesOCR; }

int CRoutesOCR::GetBitmapIndex(BOOL) { return kImage; }

std::wstring CRoutesOCR::GetValueColumnTitle() { return LoadModuleString(IDS_OCR_COLUMN); }

std::unique_ptr<CRouteNode> CRoutesOCR::CreateRuleNode(const std::wstring& display,
                                                       const std::wstring& value,
                                                       IArdentRulePtr rule) {
  return std::make_unique<CSearchPhraseNode>(this, display, value, std::move(rule));
}

std::wstring CRoutesOCR::EnginePath() const {
  if (component_data_ == nullptr) return {};
  if (component_data_->remote_kind() == 0) {
    std::wstring folder = component_data_->install_path();
    if (folder.empty()) return {};
    if (folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    return folder + kEngineFile;
  }
  const CStaticNode* root = component_data_->root();
  if (root == nullptr || root->computer_name().empty()) return {};
  return ServerSharePath(root->computer_name()) + L"\\" + kEngineFile;
}

bool CRoutesOCR::FindEngine() const {
  const std::wstring path = EnginePath();
  if (path.empty() || path.size() >= kMaxPath) return false;
  WIN32_FIND_DATA found;
  HANDLE search = FindFirstFile(path, &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

HRESULT CRoutesOCR::GetResultViewType(CComponent* component, LPOLESTR* view_type, LONG* options) {
  if (view_type == nullptr || options == nullptr) return E_POINTER;
  engine_present_ = FindEngine();
  if (!engine_present_) {
    *view_type = pw::CoTaskMemDupString(pw::GuidToString(CLSID_MessageView));
    *options = MMC_VIEW_OPTIONS_NOLISTVIEWS;
    return S_OK;
  }
  return CRoutingDelegationBase::GetResultViewType(component, view_type, options);
}

HRESULT CRoutesOCR::FillEngineMessage(CComponent* component) {
  if (component == nullptr || component->console() == nullptr) return E_POINTER;
  pw::ComPtr<IUnknown> view;
  HRESULT hr = component->console()->QueryResultView(view.GetAddressOf());
  if (FAILED(hr) || !view) return FAILED(hr) ? hr : E_UNEXPECTED;
  pw::ComPtr<IMessageView> message_view;
  hr = view.As(&message_view);
  if (FAILED(hr)) return hr;
  const std::wstring title = LoadModuleString(IDS_OCR_VIEW_TITLE);
  const std::wstring body = LoadModuleString(IDS_OCR_ENGINE_MISSING);
  message_view->SetTitleText(title.c_str());
  message_view->SetBodyText(body.c_str());
  message_view->SetIcon(Icon_Information);
  return S_OK;
}

HRESULT CRoutesOCR::OnShow(CComponent* component, IConsole* console, CComponentData* component_data,
                           BOOL show, HSCOPEITEM item) {
  if (engine_present_ || !show) {
    return CRoutingDelegationBase::OnShow(component, console, component_data, show, item);
  }
  // No list is shown, so the list's own view updates must not reach this view.
  SetListShown(component, false);
  FillEngineMessage(component);
  return S_FALSE;
}

HRESULT CRoutesOCR::UpdateDescriptionBar(IConsole* console) {
  if (engine_present_) return CRoutingDelegationBase::UpdateDescriptionBar(console);
  if (console == nullptr) return E_POINTER;
  pw::ComPtr<IResultData> result_data;
  const HRESULT hr =
      console->QueryInterface(IID_IResultData, result_data.ReleaseAndGetVoidAddressOf());
  if (FAILED(hr)) return hr;
  std::wstring empty;
  return result_data->SetDescBarText(empty.data());
}

HRESULT CRoutesOCR::OnAddMenuItems(IContextMenuCallback* callback, long* insertion_allowed) {
  if (!engine_present_) return S_OK;
  return AddTopMenuItems(callback, insertion_allowed,
                         {{kNewCommand, IDS_OCR_NEW, IDS_OCR_NEW_STATUS}});
}

HRESULT CRoutesOCR::OnMenuCommand(CComponent* component, IConsole* console, long command) {
  if (command == kNewCommand && engine_present_) OnNewPhrase(component, console);
  return S_FALSE;
}

HRESULT CRoutesOCR::OnSetToolbar(CComponent* component, IControlbar* controlbar, BOOL,
                                 BOOL select) {
  if (!engine_present_) return S_OK;
  return AttachNewButton(component, controlbar, select, kNewButton, IDS_OCR_NEW, IDS_OCR_TOOLTIP);
}

HRESULT CRoutesOCR::OnToolbarCommand(CComponent* component, IConsole* console, long command) {
  if (command != kNewButton || !engine_present_) return S_FALSE;
  return OnNewPhrase(component, console);
}

HRESULT CRoutesOCR::OnNewPhrase(CComponent* component, IConsole* console) {
  return AddEntry(component, console, [&]() -> std::optional<std::wstring> {
    CNewPhraseDlg dialog(this, component_data_, component);
    if (dialog.DoModal() != IDOK) return std::nullopt;
    return dialog.value();
  });
}

HRESULT CRoutesOCR::CreatePropertyPages(CComponent*, CComponentData* component_data,
                                        IPropertySheetCallback* callback, LONG_PTR handle) {
  if (callback == nullptr) return E_POINTER;
  if (component_data_ == nullptr) component_data_ = component_data;
  if (component_data_ == nullptr || component_data_->settings_store() == nullptr) {
    return E_UNEXPECTED;
  }
  notify_handle_ = handle;
  try {
    IPagewell& settings = *component_data_->settings_store();
    settings_.pages = ReadNumber(settings, L"IPW_OCR_ScnPgs");
    settings_.ratio = ReadNumber(settings, L"IPW_OcrRatio");
    const LONG flags = ReadNumber(settings, L"IPW_Flags");
    settings_.route_by_names = (flags & kRouteByNamesFlag) != 0;
    settings_.attach_text = (flags & kAttachTextFlag) != 0;
    settings_.append_text = (flags & kAppendTextFlag) != 0;
  } catch (const ComError& error) {
    notify_handle_ = 0;
    return error.Error();
  }
  HPROPSHEETPAGE page = nullptr;
  {
    CWaitCursor wait;
    page_global_.SetComponentData(component_data_);
    page_global_.SetPropertyObject(this);
    page_global_.SetSettings(&settings_);
    page = CreatePropertySheetPage(&page_global_.m_psp);
  }
  if (page == nullptr) return E_UNEXPECTED;
  if (FAILED(callback->AddPage(page))) {
    DestroyPropertySheetPage(page);
    return E_UNEXPECTED;
  }
  return S_OK;
}

HRESULT CRoutesOCR::OnPropertyChange(CComponent*, IConsole* console, CComponentData*) {
  if (component_data_ == nullptr || component_data_->settings_store() == nullptr) {
    return E_UNEXPECTED;
  }
  try {
    IPagewell& settings = *component_data_->settings_store();
    settings.PutValue(L"IPW_OCR_ScnPgs", VARIANT::FromI4(settings_.pages));
    settings.PutValue(L"IPW_OcrRatio", VARIANT::FromI4(settings_.ratio));
    // Read afresh: the other bits belong to other settings and may have changed meanwhile.
    LONG flags = ReadNumber(settings, L"IPW_Flags");
    flags = WithFlag(flags, kRouteByNamesFlag, settings_.route_by_names);
    flags = WithFlag(flags, kAttachTextFlag, settings_.attach_text);
    flags = WithFlag(flags, kAppendTextFlag, settings_.append_text);
    settings.PutValue(L"IPW_Flags", VARIANT::FromI4(flags));
    settings.SaveValues();
  } catch (const ComError& error) {
    if (console != nullptr) {
      component_data_->ShowMessage(pw::FromUtf8(error.what()), MB_ICONERROR);
    }
    return error.Error();
  }
  return S_OK;
}
