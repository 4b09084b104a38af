// Console: start-up, views, the scope tree's side effects, documents and shutdown.
#include "mmc/host/console.h"

#include <algorithm>

#include "mmc/host/data_objects.h"
#include "mmc/host/host_strings.h"
#include "mmc/host/notify_handles.h"
#include "mmc/host/property_sheet_provider.h"
#include "mmc/host/scope_console.h"
#include "mmc/host/view.h"
#include "platform/com/class_loader.h"
#include "platform/com/strings.h"
#include "platform/ui/ui_constants.h"
#include "platform/win/files.h"
#include "platform/win/format.h"
#include "platform/win/message_queue.h"

namespace pw::mmc {
namespace {

thread_local std::vector<Console*> consoles_of_thread;

std::wstring HexResult(HRESULT hr) { return FormatString(L"0x%08X", static_cast<DWORD>(hr)); }

HostString ReasonText(DocumentProblem problem) {
  switch (problem) {
    case DocumentProblem::kNotADocument:
      return HostString::kReasonNotADocument;
    case DocumentProblem::kTooLarge:
      return HostString::kReasonTooLarge;
    case DocumentProblem::kOtherVersion:
      return HostString::kReasonOtherVersion;
    case DocumentProblem::kChecksum:
      return HostString::kReasonChecksum;
    case DocumentProblem::kNone:
    case DocumentProblem::kDamaged:
      break;
  }
  return HostString::kReasonDamaged;
}

}  // namespace

Console::Console(ConsoleUi& ui)
    : ui_(ui),
      scope_console_(MakeComObject<ScopeConsole>(this)),
      scope_images_(MakeComObject<ConsoleImageList>()) {
  consoles_of_thread.push_back(this);
  // Snap-ins create property sheet providers through the registry.
  RegisterNodeManager();
}

Console::~Console() {
  // A console that goes away does not wait for its sheets; their pages end first.
  if (!sheets_.empty()) ui_.DestroyAllSheets();
  sheets_.Clear();
  if (has_snapin()) Close(ClosePolicy::kDiscard);
  FreeNotifyHandlesOf(this);
  scope_console_->Detach();
  std::erase(consoles_of_thread, this);
  alive_.reset();
}

const std::vector<Console*>& Console::OnThisThread() { return consoles_of_thread; }

std::wstring Console::TakeError() { return std::exchange(error_, {}); }

HRESULT Console::Fail(HRESULT hr, std::wstring error) {
  error_ = std::move(error);
  return hr;
}

// --- Start-up ------------------------------------------------------------------------------

HRESULT Console::AddSnapIn(REFCLSID clsid) { return StartSnapIn(clsid, nullptr); }

HRESULT Console::OpenDocument(const std::string& path) {
  if (has_snapin()) return Fail(E_UNEXPECTED, HostText(HostString::kConsoleNotEmpty));
  const std::wstring name = FromUtf8(path);
  auto refuse = [&](HRESULT hr, HostString reason) {
    return Fail(
        hr, FormatMessageString(HostText(HostString::kDocumentNotOpened), name, HostText(reason)));
  };
  std::string bytes;
  LONG error = ERROR_SUCCESS;
  if (!ReadFileBytes(path, &bytes, &error)) {
    return refuse(HRESULT_FROM_WIN32(error != ERROR_SUCCESS ? error : ERROR_CANTREAD),
                  HostString::kReasonUnreadable);
  }
  ConsoleDocument document;
  const DocumentProblem problem = DecodeConsoleDocument(bytes, &document);
  if (problem != DocumentProblem::kNone) {
    return refuse(HRESULT_FROM_WIN32(ERROR_INVALID_DATA), ReasonText(problem));
  }
  const HRESULT hr = StartSnapIn(document.snapin, &document);
  if (SUCCEEDED(hr)) document_path_ = path;
  return hr;
}

HRESULT Console::StartSnapIn(REFCLSID clsid, const ConsoleDocument* document) {
  if (has_snapin()) return Fail(E_UNEXPECTED, HostText(HostString::kConsoleNotEmpty));
  const std::wstring clsid_text = GuidToString(clsid);
  const std::optional<SnapInInfo> info = FindSnapIn(clsid);
  if (!info) {
    return Fail(REGDB_E_CLASSNOTREG,
                FormatMessageString(HostText(HostString::kSnapInNotRegistered), clsid_text));
  }
  ComPtr<IComponentData> component_data;
  HRESULT hr = CreateInstance(clsid, &component_data);
  if (FAILED(hr) || !component_data) {
    if (SUCCEEDED(hr)) hr = E_NOINTERFACE;
    return Fail(hr, FormatMessageString(HostText(HostString::kSnapInNotCreated), clsid_text,
                                        HexResult(hr)));
  }
  component_data_ = component_data;
  component_data_->QueryInterface(IID_IUnknown,
                                  component_data_identity_.ReleaseAndGetVoidAddressOf());
  snapin_clsid_ = clsid;
  snapin_name_ = info->name;
  if (document == nullptr) {
    hr = RunAddWizard(*info);
    if (hr != S_OK) {
      ReleaseSnapIn();
      if (FAILED(hr)) {
        return Fail(hr, FormatMessageString(HostText(HostString::kSnapInFailed), HexResult(hr)));
      }
      return Fail(kCancelledResult, HostText(HostString::kSnapInAddCancelled));
    }
  }
  component_data_.As(&persist_);
  hr = component_data_->Initialize(static_cast<IConsole2*>(scope_console_.Get()));
  if (FAILED(hr)) {
    ReleaseSnapIn();
    return Fail(hr,
                FormatMessageString(HostText(HostString::kSnapInNotInitialized), HexResult(hr)));
  }
  auto abandon = [this](HRESULT failure) {
    for (auto& view : views_) view->Destroy();
    views_.clear();
    FreeNotifyHandlesOf(this);
    component_data_->Destroy();
    ReleaseSnapIn();
    return Fail(failure,
                FormatMessageString(HostText(HostString::kSnapInFailed), HexResult(failure)));
  };
  if (document != nullptr) {
    if (persist_) {
      ComPtr<IStream> stream;
      hr = CreateMemoryStream(document->snapin_stream, stream.GetAddressOf());
      if (SUCCEEDED(hr)) hr = persist_->Load(stream.Get());
      if (FAILED(hr)) return abandon(hr);
    }
    column_data_.Replace(document->columns);
  }
  hr = InsertStaticNode();
  if (FAILED(hr)) return abandon(hr);
  const std::uint32_t view_count = document != nullptr ? document->views : 1;
  for (std::uint32_t i = 0; i < view_count; ++i) {
    int view_id = 0;
    hr = NewView(static_item_, &view_id);
    if (FAILED(hr)) {
      error_.clear();
      return abandon(hr);
    }
  }
  active_view_id_ = views_.front()->id();
  return S_OK;
}

HRESULT Console::RunAddWizard(const SnapInInfo& info) {
  ComPtr<IDataObject> data_object;
  if (FAILED(component_data_->QueryDataObject(0, CCT_SNAPIN_MANAGER,
                                              data_object.ReleaseAndGetAddressOf()))) {
    return S_OK;
  }
  ComPtr<IExtendPropertySheet> pages;
  component_data_.As(&pages);
  if (!pages || pages->QueryPagesFor(data_object.Get()) != S_OK) return S_OK;
  auto provider = MakeComObject<PropertySheetProvider>(this);
  if (!provider) return E_OUTOFMEMORY;
  HRESULT hr = provider->CreatePropertySheet(info.name.c_str(), FALSE, 0, data_object.Get(),
                                             MMC_PSO_NEWWIZARDTYPE);
  if (SUCCEEDED(hr)) hr = provider->AddPrimaryPages(component_data_.Get(), TRUE, nullptr, TRUE);
  if (FAILED(hr)) return hr;
  return provider->Show(reinterpret_cast<LONG_PTR>(ui_.MainWindow()), 0);
}

HRESULT Console::InsertStaticNode() {
  ComPtr<IDataObject> data_object;
  component_data_->QueryDataObject(0, CCT_SCOPE, data_object.ReleaseAndGetAddressOf());
  std::wstring name = data_object ? ReadDisplayName(data_object.Get()) : L"";
  if (name.empty()) name = snapin_name_;
  SCOPEDATAITEM item;
  item.mask = SDI_STR | SDI_IMAGE | SDI_OPENIMAGE | SDI_PARAM;
  item.displayname = name.data();
  item.lParam = 0;
  return tree_.Insert(item, &static_item_);
}

void Console::ReleaseSnapIn() {
  persist_ = nullptr;
  component_data_identity_ = nullptr;
  component_data_ = nullptr;
  snapin_clsid_ = GUID_NULL;
  snapin_name_.clear();
  tree_.Clear();
  static_item_ = 0;
  active_view_id_ = 0;
}

HRESULT Console::IsDirty() {
  if (!persist_) return S_FALSE;
  return persist_->IsDirty() == S_OK ? S_OK : S_FALSE;
}

// --- Views ---------------------------------------------------------------------------------

HRESULT Console::NewView(HSCOPEITEM root, int* view_id) {
  if (view_id != nullptr) *view_id = 0;
  if (!has_snapin()) return Fail(E_UNEXPECTED, HostText(HostString::kNoSnapIn));
  if (root == 0) root = static_item_;
  if (!tree_.Contains(root)) return Fail(E_INVALIDARG, HostText(HostString::kUnknownScopeItem));
  auto view = std::make_unique<View>(*this, next_view_id_++);
  View* created = view.get();
  views_.push_back(std::move(view));
  const HRESULT hr = created->Create(root);
  if (FAILED(hr)) {
    created->Destroy();
    std::erase_if(views_, [created](const auto& each) { return each.get() == created; });
    return Fail(hr, FormatMessageString(HostText(HostString::kSnapInFailed), HexResult(hr)));
  }
  if (view_id != nullptr) *view_id = created->id();
  return S_OK;
}

HRESULT Console::CloseView(int view_id) {
  View* view = FindView(view_id);
  if (view == nullptr) return Fail(E_INVALIDARG, HostText(HostString::kUnknownView));
  if (views_.size() == 1) return Fail(E_UNEXPECTED, HostText(HostString::kLastView));
  view->Deactivate();
  view->Destroy();
  std::erase_if(views_, [view](const auto& each) { return each.get() == view; });
  if (active_view_id_ == view_id) active_view_id_ = views_.front()->id();
  return S_OK;
}

View* Console::FindView(int view_id) const {
  for (const auto& view : views_) {
    if (view->id() == view_id) return view.get();
  }
  return nullptr;
}

View* Console::active_view() const {
  if (View* view = FindView(active_view_id_)) return view;
  return views_.empty() ? nullptr : views_.front().get();
}

void Console::set_active_view(const View* view) {
  if (view != nullptr) active_view_id_ = view->id();
}

// --- The scope tree ------------------------------------------------------------------------

std::wstring Console::ScopeItemName(HSCOPEITEM id) {
  const ScopeItem* item = tree_.Find(id);
  if (item == nullptr) return {};
  if (!item->name_by_callback) return item->name;
  if (!component_data_) return {};
  SCOPEDATAITEM asked;
  asked.mask = SDI_STR;
  asked.lParam = item->cookie;
  asked.ID = id;
  const ComPtr<IComponentData> component_data = component_data_;
  component_data->GetDisplayInfo(&asked);
  // The text stays the snap-in's, as in the management console.
  return asked.displayname != nullptr && asked.displayname != MMC_CALLBACK ? asked.displayname
                                                                           : L"";
}

ComPtr<IDataObject> Console::ScopeDataObject(HSCOPEITEM id, DATA_OBJECT_TYPES type) {
  ComPtr<IDataObject> object;
  const ScopeItem* item = tree_.Find(id);
  if (item == nullptr || !component_data_) return object;
  const ComPtr<IComponentData> component_data = component_data_;
  component_data->QueryDataObject(item->cookie, type, object.ReleaseAndGetAddressOf());
  return object;
}

HRESULT Console::EnsureExpanded(HSCOPEITEM id, IDataObject* data_object) {
  ScopeItem* item = tree_.Find(id);
  if (item == nullptr) return E_INVALIDARG;
  if (item->expanded_once || !component_data_) return S_OK;
  // Marked first, so that a snap-in asking again from inside MMCN_EXPAND is not told twice.
  item->expanded_once = true;
  ComPtr<IDataObject> object(data_object);
  if (!object) object = ScopeDataObject(id);
  const ComPtr<IComponentData> component_data = component_data_;
  ++expanding_;
  const HRESULT hr = component_data->Notify(object.Get(), MMCN_EXPAND, TRUE, id);
  --expanding_;
  return hr;
}

HRESULT Console::InsertScopeItem(SCOPEDATAITEM* item) {
  if (item == nullptr) return E_POINTER;
  // Only the console puts items at the top of the tree (the static node).
  const DWORD placement = item->mask & (SDI_PREVIOUS | SDI_NEXT | SDI_FIRST);
  if (item->relativeID == 0 && (placement == SDI_PARENT || placement == SDI_FIRST)) {
    return E_INVALIDARG;
  }
  HSCOPEITEM id = 0;
  const HRESULT hr = tree_.Insert(*item, &id);
  if (FAILED(hr)) return hr;
  item->ID = id;
  const HSCOPEITEM parent = tree_.Find(id)->parent;
  for (const auto& view : views_) view->OnScopeItemInserted(parent, id);
  return S_OK;
}

HRESULT Console::DeleteScopeItem(HSCOPEITEM id, bool delete_this) {
  const ScopeItem* item = tree_.Find(id);
  if (item == nullptr) return E_INVALIDARG;
  const HSCOPEITEM parent = item->parent;
  std::vector<HSCOPEITEM> removed;
  const HRESULT hr = tree_.Delete(id, delete_this, &removed);
  if (FAILED(hr)) return hr;
  if (std::find(removed.begin(), removed.end(), static_item_) != removed.end()) static_item_ = 0;
  const HSCOPEITEM survivor = delete_this ? parent : id;
  for (const auto& view : views_) view->OnScopeItemsDeleted(survivor, removed);
  return S_OK;
}

HRESULT Console::SetScopeItem(SCOPEDATAITEM* item) {
  if (item == nullptr) return E_POINTER;
  const HRESULT hr = tree_.Set(*item);
  if (SUCCEEDED(hr)) {
    for (const auto& view : views_) view->OnScopeItemChanged(item->ID);
  }
  return hr;
}

// --- Services --------------------------------------------------------------------------------

HRESULT Console::UpdateAllViews(IDataObject* data_object, LPARAM data, LONG_PTR hint) {
  std::vector<int> ids;
  for (const auto& view : views_) ids.push_back(view->id());
  // A view may go while another is told; each is looked up again.
  for (int id : ids) {
    if (View* view = FindView(id)) view->NotifyViewChange(data_object, data, hint);
  }
  return S_OK;
}

HRESULT Console::MessageBox(LPCWSTR text, LPCWSTR title, UINT style, int* result) {
  const int answer =
      ui_.MessageBox(text != nullptr ? text : L"", title != nullptr ? title : L"", style);
  if (result != nullptr) *result = answer;
  return S_OK;
}

bool Console::IsSnapinObject(IUnknown* object) const {
  if (object == nullptr) return false;
  ComPtr<IUnknown> identity;
  object->QueryInterface(IID_IUnknown, identity.ReleaseAndGetVoidAddressOf());
  if (!identity) return false;
  if (identity.Get() == component_data_identity_.Get()) return true;
  return std::any_of(views_.begin(), views_.end(), [&identity](const auto& view) {
    return view->component_identity() == identity.Get();
  });
}

LONG_PTR Console::CreateNotifyHandle(IUnknown* target, bool scope_item) {
  ComPtr<IUnknown> identity;
  if (target != nullptr) {
    target->QueryInterface(IID_IUnknown, identity.ReleaseAndGetVoidAddressOf());
  }
  // The handle names its target by identity only: it may outlive the object, which is then
  // no longer found among the console's snap-in objects and hears nothing.
  const IUnknown* target_identity = identity.Get();
  std::weak_ptr<int> alive = alive_;
  NotifyTarget notify;
  notify.owner = this;
  notify.deliver = [this, alive, target_identity, scope_item](LPARAM param) {
    if (!alive.expired())
      DeliverPropertyChange(const_cast<IUnknown*>(target_identity), scope_item, param);
  };
  return pw::mmc::CreateNotifyHandle(std::move(notify));
}

void Console::DeliverPropertyChange(IUnknown* target, bool scope_item, LPARAM param) {
  if (target == nullptr) return;
  if (target == component_data_identity_.Get()) {
    const ComPtr<IComponentData> component_data = component_data_;
    component_data->Notify(nullptr, MMCN_PROPERTY_CHANGE, scope_item ? TRUE : FALSE, param);
    return;
  }
  for (const auto& view : views_) {
    if (view->component_identity() == target) {
      view->NotifyPropertyChange(scope_item, param);
      return;
    }
  }
}

void Console::Defer(std::function<void(Console&)> task) {
  std::weak_ptr<int> alive = alive_;
  MessageQueue::Current().PostTask([this, alive, task = std::move(task)] {
    if (!alive.expired()) task(*this);
  });
}

// --- Documents and shutdown ------------------------------------------------------------------

HRESULT Console::WriteDocument(const std::string& path) {
  const std::wstring name = path.empty() ? HostText(HostString::kUntitledDocument) : FromUtf8(path);
  auto refuse = [&](HRESULT hr) {
    return Fail(hr, FormatMessageString(HostText(HostString::kDocumentNotSaved), name));
  };
  if (path.empty()) return refuse(E_INVALIDARG);
  ConsoleDocument document;
  document.snapin = snapin_clsid_;
  document.views =
      static_cast<std::uint32_t>(std::clamp<std::size_t>(views_.size(), 1, kMostViews));
  document.columns = column_data_.sets();
  if (persist_) {
    ComPtr<IStream> stream;
    HRESULT hr = CreateMemoryStream({}, stream.GetAddressOf());
    // The snap-in keeps its changes marked until the document is safely written.
    if (SUCCEEDED(hr)) hr = persist_->Save(stream.Get(), FALSE);
    if (SUCCEEDED(hr)) hr = stream->Seek(0, STREAM_SEEK_SET, nullptr);
    if (SUCCEEDED(hr)) hr = ReadStreamToEnd(stream.Get(), &document.snapin_stream);
    if (FAILED(hr)) return refuse(hr);
  }
  LONG error = ERROR_SUCCESS;
  if (!WriteFileAtomically(path, EncodeConsoleDocument(document), &error)) {
    return refuse(HRESULT_FROM_WIN32(error != ERROR_SUCCESS ? error : ERROR_CANTWRITE));
  }
  if (persist_) {
    ComPtr<IStream> scratch;
    if (SUCCEEDED(CreateMemoryStream({}, scratch.GetAddressOf()))) {
      persist_->Save(scratch.Get(), TRUE);
    }
  }
  return S_OK;
}

HRESULT Console::SaveDocument(const std::string& path) {
  if (!has_snapin()) return Fail(E_UNEXPECTED, HostText(HostString::kNoSnapIn));
  const HRESULT hr = WriteDocument(path);
  if (SUCCEEDED(hr)) document_path_ = path;
  return hr;
}

HRESULT Console::Close(ClosePolicy policy, const std::string& path) {
  if (!has_snapin()) return S_OK;
  if (!sheets_.empty()) {
    ui_.MessageBox(HostText(HostString::kSheetsOpen), HostText(HostString::kConsoleTitle),
                   MB_OK | MB_ICONWARNING);
    return Fail(kSheetsOpenResult, HostText(HostString::kSheetsOpen));
  }
  for (const auto& view : views_) view->Deactivate();
  auto reactivate = [this] {
    for (const auto& view : views_) view->Reactivate();
  };
  if (policy != ClosePolicy::kDiscard && IsDirty() == S_OK) {
    const std::string target = path.empty() ? document_path_ : path;
    bool save = policy == ClosePolicy::kSave;
    if (policy == ClosePolicy::kAsk) {
      const std::wstring name =
          target.empty() ? HostText(HostString::kUntitledDocument) : FromUtf8(target);
      const int answer =
          ui_.MessageBox(FormatMessageString(HostText(HostString::kSaveQuestion), name),
                         HostText(HostString::kConsoleTitle), MB_YESNOCANCEL | MB_ICONQUESTION);
      if (answer != IDYES && answer != IDNO) {
        reactivate();
        return S_FALSE;
      }
      save = answer == IDYES;
    }
    if (save) {
      const HRESULT hr = WriteDocument(target);
      if (FAILED(hr)) {
        const std::wstring error = TakeError();
        reactivate();
        return Fail(hr, error);
      }
    }
  }
  for (const auto& view : views_) view->Destroy();
  views_.clear();
  FreeNotifyHandlesOf(this);
  {
    const ComPtr<IComponentData> component_data = component_data_;
    component_data->Destroy();
  }
  ReleaseSnapIn();
  sheets_.Clear();
  column_data_.Replace({});
  document_path_.clear();
  CoFreeUnusedLibraries();
  return S_OK;
}

// --- State -----------------------------------------------------------------------------------

void Console::AppendTree(HSCOPEITEM id, ConsoleState* state) {
  const ScopeItem* item = tree_.Find(id);
  if (item == nullptr) return;
  ScopeItemState copy;
  copy.id = item->id;
  copy.parent = item->parent;
  copy.image = item->image;
  copy.open_image = item->open_image;
  copy.has_expand_marker = item->HasExpandMarker();
  copy.expanded_once = item->expanded_once;
  copy.children = item->children;
  const std::vector<HSCOPEITEM> children = item->children;
  copy.name = ScopeItemName(id);
  state->tree.push_back(std::move(copy));
  for (HSCOPEITEM child : children) AppendTree(child, state);
}

ConsoleState Console::State() {
  ConsoleState state;
  state.has_snapin = has_snapin();
  state.snapin = snapin_clsid_;
  state.snapin_name = snapin_name_;
  state.document_path = document_path_;
  const std::vector<HSCOPEITEM> top = tree_.TopLevel();
  for (HSCOPEITEM id : top) AppendTree(id, &state);
  for (const auto& view : views_) state.views.push_back(view->State());
  if (const View* view = active_view()) state.active_view = view->id();
  for (const OpenSheet& sheet : sheets_.sheets()) {
    state.sheets.push_back(SheetState{sheet.id, sheet.title, sheet.scope, sheet.cookie});
  }
  return state;
}

}  // namespace pw::mmc
