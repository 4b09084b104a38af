// CComponent: result-side dispatch, owner-data rows, toolbars and multiple delete.
#include "module/snapin/component.h"

#include "module/resources/component.h"
#include "module/resources/resource.h"
#include "module/snapin/component_data.h"
#include "module/snapin/data_object.h"
#include "module/snapin/delegation_base.h"
#include "module/snapin/multiple_delete.h"
#include "module/snapin/node_types.h"
#include "module/snapin/result_node_types.h"
#include "module/snapin/static_node.h"
#include "module/snapin/view_hints.h"
#include "platform/win/resources.h"

namespace {

// The view hint that makes a scope item the selection.
constexpr LONG_PTR kHintSelectScopeItem = 1000;

// Toolbar strips: 16 x 16 images on the mask colour RGB(0, 128, 128).
constexpr COLORREF kToolbarMask = 0x00808000;
constexpr int kToolbarImageSize = 16;
constexpr UINT kToolbarBitmaps[kListKindCount] = {
    IDB_TOOLBAR_USERS,         IDB_TOOLBAR_ADMINISTRATORS,
    IDB_TOOLBAR_SMS_USERS,     IDB_TOOLBAR_DTMF,
    IDB_TOOLBAR_OCR,           IDB_TOOLBAR_CSID,
    IDB_TOOLBAR_LINE,          IDB_TOOLBAR_MSN,
    IDB_TOOLBAR_COVERPAGES,    IDB_TOOLBAR_COVERNOTES,
    IDB_TOOLBAR_CALL_BLOCKING, IDB_TOOLBAR_PRINTERS,
};

constexpr WORD LowWord(LPARAM value) { return static_cast<WORD>(value & 0xFFFF); }
constexpr WORD HighWord(LPARAM value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }

// The text of a row that names no node: empty, and valid for as long as the console keeps it.
constexpr wchar_t kNoText[] = L"";

}  // namespace

CComponent::CComponent(CComponentData* component_data)
    : title_(LoadModuleString(IDS_APP_TITLE)), component_data_(component_data) {}

CComponent::~CComponent() = default;

HRESULT CComponent::Initialize(IConsole* console) {
  if (console == nullptr) return E_POINTER;
  HRESULT hr = console->QueryInterface(IID_IConsole2, console_.ReleaseAndGetVoidAddressOf());
  if (SUCCEEDED(hr)) {
    hr = console->QueryInterface(IID_IColumnData, column_data_.ReleaseAndGetVoidAddressOf());
    console_version_ = SUCCEEDED(hr) ? 2 : 1;
  }
  if (FAILED(hr)) {
    console_ = nullptr;
    column_data_ = nullptr;
    const std::wstring text = LoadModuleString(IDS_MMC_TOO_OLD);
    int result = 0;
    console->MessageBox(text.c_str(), title_.c_str(), MB_OK | MB_ICONERROR, &result);
    return E_FAIL;
  }
  return S_OK;
}

IConsole* CComponent::ComponentDataConsole() const { return component_data_->console(); }

CDelegationBase* CComponent::RowNode(int row) const {
  if (!current_ || list_rows_ == nullptr) return nullptr;
  return list_rows_->NodeAtRow(row);
}

CDelegationBase* CComponent::NodeOf(IDataObject* data_object) const {
  CDataObject* ours = GetOurDataObject(data_object);
  if (ours == nullptr || ours->is_multi_select()) return nullptr;
  return ours->node();
}

HRESULT CComponent::ShowListButtons(ListKind kind, IControlbar* controlbar,
                                    const std::vector<ListButton>& buttons) {
  IToolbar* bar = toolbar(kind);
  if (bar == nullptr || controlbar == nullptr) return S_OK;
  // A toolbar holds few buttons; deleting stops at the first failure, when none are left.
  for (int old = 0; old < 64 && SUCCEEDED(bar->DeleteButton(0)); ++old) {
  }
  for (std::size_t index = 0; index < buttons.size(); ++index) {
    std::wstring text = buttons[index].text != 0 ? LoadModuleString(buttons[index].text) : L"";
    std::wstring tooltip =
        buttons[index].tooltip != 0 ? LoadModuleString(buttons[index].tooltip) : L"";
    MMCBUTTON button;
    button.nBitmap = buttons[index].bitmap;
    button.idCommand = static_cast<int>(buttons[index].command);
    button.fsState = buttons[index].enabled ? TBSTATE_ENABLED : 0;
    button.fsType = TBSTYLE_BUTTON;
    button.lpButtonText = text.data();
    button.lpTooltipText = tooltip.data();
    const HRESULT hr = bar->InsertButton(static_cast<int>(index), &button);
    if (FAILED(hr)) return hr;
  }
  return controlbar->Attach(TOOLBAR, bar);
}

void CComponent::SetListKind(ListKind kind, CDelegationBase* container, IOwnerDataRows* rows) {
  current_ = kind;
  list_container_ = container;
  list_rows_ = rows;
}

void CComponent::ClearListKind(ListKind kind) {
  if (!IsListKind(kind)) return;
  current_.reset();
  list_container_ = nullptr;
  list_rows_ = nullptr;
}

int CComponent::ShowMessage(UINT text_id, UINT style) const {
  const std::wstring text = LoadModuleString(text_id);
  int result = 0;
  if (console_) console_->MessageBox(text.c_str(), title_.c_str(), style, &result);
  return result;
}

HRESULT CComponent::Notify(IDataObject* data_object, MMC_NOTIFY_TYPE event, LPARAM arg,
                           LPARAM param) {
  if (event == MMCN_VIEW_CHANGE) {
    if (param == kHintSelectScopeItem) {
      return console_ ? console_->SelectScopeItem(static_cast<HSCOPEITEM>(arg)) : E_UNEXPECTED;
    }
    CDelegationBase* node = NodeOf(data_object);
    if (node == nullptr) return S_FALSE;
    return node->OnViewChange(this, console_.Get(), arg, param);
  }
  if (event == MMCN_PROPERTY_CHANGE && param != MMC_MULTI_SELECT_COOKIE) {
    auto* node = reinterpret_cast<CDelegationBase*>(param);
    if (IS_SPECIAL_COOKIE(param) || !CDelegationBase::IsLive(node)) return S_FALSE;
    return node->OnPropertyChange(this, ComponentDataConsole(), component_data_.Get());
  }
  if (IS_SPECIAL_DATAOBJECT(data_object)) return S_FALSE;
  if (event < MMCN_ADD_IMAGES || event > MMCN_SHOW) return S_FALSE;

  const bool multiple = IsMultiSelect(data_object);
  CDelegationBase* node = multiple ? nullptr : NodeOf(data_object);
  if (!multiple && node == nullptr) return S_FALSE;
  switch (event) {
    case MMCN_ADD_IMAGES:
      if (multiple) return S_FALSE;
      return node->OnAddImages(reinterpret_cast<IImageList*>(arg), static_cast<HSCOPEITEM>(param));
    case MMCN_DELETE:
      if (multiple) return MultipleDelete(data_object);
      return node->OnDelete(this, console_.Get(), 0);
    case MMCN_REFRESH:
      if (multiple) return S_FALSE;
      return node->OnRefresh(this, ComponentDataConsole());
    case MMCN_RENAME: {
      if (multiple) return S_FALSE;
      const HRESULT hr = node->OnRename(this, reinterpret_cast<const wchar_t*>(param));
      if (hr == S_OK && console_) console_->UpdateAllViews(data_object, 0, kHintUpdateItem);
      return hr;
    }
    case MMCN_SELECT:
      if (multiple) {
        if (LowWord(arg) == FALSE && HighWord(arg) != FALSE) return MultipleSelect(data_object);
        return S_FALSE;
      }
      return node->OnSelect(this, console_.Get(), LowWord(arg), HighWord(arg));
    case MMCN_SHOW:
      if (multiple) return S_FALSE;
      return node->OnShow(this, console_.Get(), component_data_.Get(), static_cast<BOOL>(arg),
                          static_cast<HSCOPEITEM>(param));
    default:
      return S_FALSE;
  }
}

HRESULT CComponent::MultipleSelect(IDataObject* data_object) {
  if (!SelectionIsDeletable(GetMultiSelectNodeTypes(data_object))) return S_OK;
  pw::ComPtr<IConsoleVerb> verbs;
  if (!console_ || FAILED(console_->QueryConsoleVerb(verbs.GetAddressOf())) || !verbs) {
    return S_OK;
  }
  return verbs->SetVerbState(MMC_VERB_DELETE, ENABLED, TRUE);
}

HRESULT CComponent::MultipleDelete(IDataObject* data_object) {
  const std::vector<CDelegationBase*> nodes = GetMultiSelectNodes(data_object);
  if (nodes.empty() || !console_) return S_FALSE;
  CDelegationBase* container = nodes.front()->owner();
  if (container == nullptr) return S_FALSE;

  if (container->GetNodeType() == kNodeTypeAdministrators &&
      static_cast<int>(nodes.size()) >= container->GetChildCount()) {
    ShowMessage(IDS_LAST_ADMINISTRATOR, MB_OK | MB_ICONINFORMATION);
    return S_FALSE;
  }
  if (ShowMessage(IDS_CONFIRM_REMOVE_ENTRIES, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
    return S_FALSE;
  }

  if (auto* container_object = new (std::nothrow) CDataObject(container, CCT_RESULT)) {
    pw::ComPtr<IDataObject> keep(container_object);
    console_->UpdateAllViews(container_object, -1, kHintDeselectRow);
  }

  IPagewell* settings = component_data_->settings_store();
  bool batch_open = false;
  if (settings != nullptr) {
    try {
      settings->BeginBulkUpdate();
      batch_open = true;
    } catch (const ComError& error) {
      WriteLog(L"BeginBulkUpdate FAILED: HRESULT = 0x%08X", static_cast<DWORD>(error.Error()));
    }
  }
  std::vector<HRESULT> answers;
  answers.reserve(nodes.size());
  // A deleted node is gone once OnDelete returns: nothing touches it afterwards.
  for (CDelegationBase* node : nodes) answers.push_back(node->OnDelete(this, console_.Get(), 1));
  if (batch_open) {
    try {
      settings->EndBulkUpdate();
    } catch (const ComError& error) {
      WriteLog(L"EndBulkUpdate FAILED: HRESULT = 0x%08X", static_cast<DWORD>(error.Error()));
    }
  }
  container->OnRefresh(this, console_.Get());

  for (const DeleteSummaryMessage& message : SummariseMultipleDelete(answers)) {
    ShowMessage(message.text_id, MB_OK | message.icon);
  }
  return S_OK;
}

HRESULT CComponent::Destroy(MMC_COOKIE) {
  console_ = nullptr;
  column_data_ = nullptr;
  return S_OK;
}

HRESULT CComponent::QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type,
                                    IDataObject** data_object) {
  if (data_object == nullptr) return E_POINTER;
  *data_object = nullptr;
  if (cookie == MMC_MULTI_SELECT_COOKIE) {
    CDataObject* selection = CDataObject::NewMultiSelect();
    if (selection == nullptr) return E_OUTOFMEMORY;
    pw::ComPtr<IDataObject> keep(selection);
    pw::ComPtr<IResultData> result_data;
    if (console_ && SUCCEEDED(console_.As(&result_data))) {
      RESULTDATAITEM item;
      item.mask = RDI_STATE | RDI_PARAM | RDI_INDEX;
      item.nIndex = -1;
      item.nState = LVIS_SELECTED;
      while (result_data->GetNextItem(&item) == S_OK && item.nIndex != -1) {
        selection->AddNode(current_ ? RowNode(item.nIndex)
                                    : reinterpret_cast<CDelegationBase*>(item.lParam));
        item.nState = LVIS_SELECTED;
      }
    }
    return keep.CopyTo(data_object);
  }
  if (IS_SPECIAL_COOKIE(cookie)) return E_FAIL;
  CDelegationBase* node = nullptr;
  if (type == CCT_RESULT && current_) {
    node = RowNode(static_cast<int>(cookie));
  } else if (cookie == 0) {
    node = component_data_->root();
  } else {
    node = reinterpret_cast<CDelegationBase*>(cookie);
  }
  auto* created = new (std::nothrow) CDataObject(node, type);
  if (created == nullptr) return E_OUTOFMEMORY;
  return created->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(data_object));
}

HRESULT CComponent::GetResultViewType(MMC_COOKIE cookie, LPOLESTR* view_type, LONG* view_options) {
  if (view_type == nullptr || view_options == nullptr) return E_POINTER;
  if (cookie == 0) {
    *view_type = nullptr;
    *view_options = MMC_VIEW_OPTIONS_NONE;
    return S_OK;
  }
  if (IS_SPECIAL_COOKIE(cookie)) return S_FALSE;
  return reinterpret_cast<CDelegationBase*>(cookie)->GetResultViewType(this, view_type,
                                                                       view_options);
}

HRESULT CComponent::GetDisplayInfo(RESULTDATAITEM* item) {
  if (item == nullptr) return E_POINTER;
  CDelegationBase* node = reinterpret_cast<CDelegationBase*>(item->lParam);
  if (node == nullptr && !item->bScopeItem) node = RowNode(item->nIndex);
  if ((item->mask & RDI_STR) != 0) {
    item->str = const_cast<LPOLESTR>(node != nullptr ? node->DisplayText(item->nCol) : kNoText);
  }
  if ((item->mask & RDI_IMAGE) != 0 && node != nullptr) item->nImage = node->GetBitmapIndex(TRUE);
  return S_OK;
}

HRESULT CComponent::CompareObjects(IDataObject* a, IDataObject* b) {
  CDelegationBase* node_a = NodeOf(a);
  CDelegationBase* node_b = NodeOf(b);
  if (node_a == nullptr || node_b == nullptr) return S_FALSE;
  return node_a->GetCookie() == node_b->GetCookie() ? S_OK : S_FALSE;
}

HRESULT CComponent::AddMenuItems(IDataObject* data_object, IContextMenuCallback* callback,
                                 LONG* insertion_allowed) {
  if (IsMultiSelect(data_object)) return S_OK;
  CDelegationBase* node = NodeOf(data_object);
  if (node == nullptr || insertion_allowed == nullptr) return S_FALSE;
  long allowed = *insertion_allowed;
  const HRESULT hr = node->OnAddMenuItems(callback, &allowed);
  *insertion_allowed = static_cast<LONG>(allowed);
  return hr;
}

HRESULT CComponent::Command(LONG command_id, IDataObject* data_object) {
  WriteLog(L"CComponent::Command (IExtendContextMenu)");
  if (IsMultiSelect(data_object)) return S_OK;
  CDelegationBase* node = NodeOf(data_object);
  if (node == nullptr) return S_FALSE;
  return node->OnMenuCommand(this, console_.Get(), command_id);
}

void CComponent::DetachToolbars() {
  if (!controlbar_) return;
  for (const auto& toolbar : toolbars_) {
    if (toolbar) controlbar_->Detach(toolbar.Get());
  }
}

HRESULT CComponent::SetControlbar(IControlbar* controlbar) {
  for (auto& toolbar : toolbars_) toolbar = nullptr;
  controlbar_ = controlbar;
  if (controlbar == nullptr) return S_OK;
  for (std::size_t kind = 0; kind < kListKindCount; ++kind) {
    pw::ComPtr<IUnknown> control;
    if (FAILED(controlbar->Create(TOOLBAR, this, control.GetAddressOf())) || !control) continue;
    if (FAILED(control.As(&toolbars_[kind]))) continue;
    const int images = kind == 0 ? 2 : 1;
    HBITMAP strip = LoadBitmap(AfxGetResourceHandle(), kToolbarBitmaps[kind]);
    toolbars_[kind]->AddBitmap(images, strip, kToolbarImageSize, kToolbarImageSize, kToolbarMask);
    // The toolbar keeps a copy of the images.
    if (strip != nullptr) DeleteObject(strip);
  }
  return S_OK;
}

HRESULT CComponent::ControlbarNotify(MMC_NOTIFY_TYPE event, LPARAM arg, LPARAM param) {
  if (event == MMCN_SELECT) {
    const bool select = HighWord(arg) != FALSE;
    if (select) DetachToolbars();
    auto* data_object = reinterpret_cast<IDataObject*>(param);
    if (IS_SPECIAL_DATAOBJECT(data_object)) return S_OK;
    if (IsMultiSelect(data_object)) {
      if (!select && !GetMultiSelectNodes(data_object).empty()) DetachToolbars();
      return S_OK;
    }
    CDelegationBase* node = NodeOf(data_object);
    if (node == nullptr) return S_FALSE;
    return node->OnSetToolbar(this, controlbar_.Get(), LowWord(arg), HighWord(arg));
  }
  if (event == MMCN_BTN_CLICK) {
    auto* data_object = reinterpret_cast<IDataObject*>(arg);
    if (IS_SPECIAL_DATAOBJECT(data_object)) return E_UNEXPECTED;
    if (IsMultiSelect(data_object)) {
      for (CDelegationBase* node : GetMultiSelectNodes(data_object)) {
        node->OnToolbarCommand(this, console_.Get(), static_cast<long>(param));
      }
      return S_OK;
    }
    CDelegationBase* node = NodeOf(data_object);
    if (node == nullptr) return S_FALSE;
    return node->OnToolbarCommand(this, console_.Get(), static_cast<long>(param));
  }
  return S_FALSE;
}

HRESULT CComponent::CreatePropertyPages(IPropertySheetCallback* callback, LONG_PTR handle,
                                        IDataObject* data_object) {
  CDelegationBase* node = NodeOf(data_object);
  if (node == nullptr) return E_UNEXPECTED;
  return node->CreatePropertyPages(this, component_data_.Get(), callback, handle);
}

HRESULT CComponent::QueryPagesFor(IDataObject* data_object) {
  CDelegationBase* node = NodeOf(data_object);
  if (node == nullptr) return S_FALSE;
  return node->HasPropertySheets();
}

HRESULT CComponent::GetWatermarks(IDataObject* data_object, HBITMAP* watermark, HBITMAP* header,
                                  HPALETTE* palette, BOOL* stretch) {
  CDelegationBase* node = NodeOf(data_object);
  if (node == nullptr) return E_NOTIMPL;
  return node->GetWatermarks(watermark, header, palette, stretch);
}

HRESULT CComponent::Compare(LPARAM user_param, MMC_COOKIE cookie_a, MMC_COOKIE cookie_b,
                            int* result) {
  if (result == nullptr) return E_POINTER;
  if (cookie_a == 0 || IS_SPECIAL_COOKIE(cookie_a)) return S_FALSE;
  return reinterpret_cast<CDelegationBase*>(cookie_a)->CompareResultItem(user_param, cookie_b,
                                                                         result);
}

HRESULT CComponent::FindItem(RESULTFINDINFO* find_info, int* found_index) {
  if (list_container_ == nullptr) return E_UNEXPECTED;
  return list_container_->FindItem(find_info, found_index);
}

HRESULT CComponent::CacheHint(int start, int end) {
  if (list_container_ == nullptr) return E_UNEXPECTED;
  return list_container_->CacheHint(start, end);
}

HRESULT CComponent::SortItems(int column, DWORD sort_options, LPARAM user_param) {
  if (list_container_ == nullptr) return E_UNEXPECTED;
  return list_container_->SortItems(column, sort_options, user_param);
}
