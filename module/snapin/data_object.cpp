// CDataObject and the routines that recognise the snap-in's data objects.
#include "module/snapin/data_object.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <mutex>
#include <random>
#include <string>
#include <unordered_map>

#include "module/snapin/delegation_base.h"
#include "module/snapin/guids.h"
#include "platform/com/com_ptr.h"
#include "platform/com/strings.h"

namespace {

// The private format's name, shared by convention with the console's sample snap-ins: only
// the handle inside tells whose object it is.
constexpr wchar_t kPrivateFormatName[] = L"{2479DB32-5276-11d2-94F5-00C04FB92EC2}";

// Handles of the live data objects. Handles start at a random value per process, so that a
// handle rendered by another module's objects under the same private format name is unlikely
// to name one of ours.
class HandleTable {
 public:
  uint32_t Add(CDataObject* object) {
    std::lock_guard lock(mutex_);
    if (next_ == 0) next_ = std::random_device{}() | 1u;
    uint32_t handle;
    do {
      handle = next_++;
    } while (handle == 0 || objects_.contains(handle));
    objects_[handle] = object;
    return handle;
  }
  void Remove(uint32_t handle) {
    std::lock_guard lock(mutex_);
    objects_.erase(handle);
  }
  CDataObject* Find(uint32_t handle) {
    std::lock_guard lock(mutex_);
    const auto found = objects_.find(handle);
    return found == objects_.end() ? nullptr : found->second;
  }

 private:
  std::mutex mutex_;
  uint32_t next_ = 0;
  std::unordered_map<uint32_t, CDataObject*> objects_;
};

HandleTable& Handles() {
  static HandleTable table;
  return table;
}

template <typename T>
void AppendValue(std::string* bytes, const T& value) {
  bytes->append(reinterpret_cast<const char*>(&value), sizeof(value));
}

// "CCF_OBJECT_TYPES_IN_MULTI_SELECT": a count followed by the GUIDs.
std::string ObjectTypesBlock(const std::vector<GUID>& types) {
  std::string bytes;
  AppendValue(&bytes, static_cast<DWORD>(types.size()));
  bytes.resize(offsetof(SMMCObjectTypes, guid), '\0');
  for (const GUID& type : types) AppendValue(&bytes, type);
  return bytes;
}

HGLOBAL SharedBlock(const std::string& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_SHARE | GMEM_MOVEABLE, bytes.size());
  if (block == nullptr) return nullptr;
  if (!bytes.empty()) {
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
  }
  return block;
}

// The bytes a global block holds (at most `limit` of them).
std::string BlockBytes(HGLOBAL block, std::size_t limit) {
  const std::size_t size = std::min<std::size_t>(GlobalSize(block), limit);
  std::string bytes(size, '\0');
  if (size > 0) {
    std::memcpy(bytes.data(), GlobalLock(block), size);
    GlobalUnlock(block);
  }
  return bytes;
}

HRESULT ReadWithGetData(IDataObject* data_object, UINT format_id, std::string* bytes) {
  FORMATETC format;
  format.cfFormat = static_cast<CLIPFORMAT>(format_id);
  format.tymed = TYMED_HGLOBAL;
  STGMEDIUM medium;
  const HRESULT hr = data_object->GetData(&format, &medium);
  if (FAILED(hr)) return hr;
  if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal == nullptr) {
    ReleaseStgMedium(&medium);
    return DV_E_TYMED;
  }
  *bytes = BlockBytes(medium.hGlobal, static_cast<std::size_t>(-1));
  ReleaseStgMedium(&medium);
  return S_OK;
}

}  // namespace

const DataObjectFormats& ClipboardFormats() {
  static const DataObjectFormats formats{
      RegisterClipboardFormat(CCF_DISPLAY_NAME),
      RegisterClipboardFormat(CCF_NODETYPE),
      RegisterClipboardFormat(CCF_SZNODETYPE),
      RegisterClipboardFormat(CCF_SNAPIN_CLASSID),
      RegisterClipboardFormat(kPrivateFormatName),
      RegisterClipboardFormat(CCF_MMC_MULTISELECT_DATAOBJECT),
      RegisterClipboardFormat(CCF_OBJECT_TYPES_IN_MULTI_SELECT),
      RegisterClipboardFormat(CCF_MULTI_SELECT_SNAPINS),
      RegisterClipboardFormat(CCF_COLUMN_SET_ID),
  };
  return formats;
}

CDataObject::CDataObject(CDelegationBase* node, DATA_OBJECT_TYPES context)
    : cookie_(node != nullptr ? node->GetCookie() : MMC_MULTI_SELECT_COOKIE),
      node_(node),
      context_(context),
      handle_(Handles().Add(this)) {}

CDataObject* CDataObject::NewMultiSelect() {
  return new (std::nothrow) CDataObject(nullptr, CCT_RESULT);
}

CDataObject::~CDataObject() { Handles().Remove(handle_); }

CDataObject* CDataObject::FromHandle(uint32_t handle) { return Handles().Find(handle); }

void CDataObject::AddNode(CDelegationBase* node) {
  if (node == nullptr) return;
  nodes_.push_back(node);
  const GUID type = node->GetNodeType();
  if (std::find(node_types_.begin(), node_types_.end(), type) == node_types_.end()) {
    node_types_.push_back(type);
  }
}

std::vector<CDelegationBase*> CDataObject::nodes() const {
  std::vector<CDelegationBase*> live;
  for (CDelegationBase* node : nodes_) {
    if (CDelegationBase::IsLive(node)) live.push_back(node);
  }
  return live;
}

HRESULT CDataObject::GetDataHere(FORMATETC* format, STGMEDIUM* medium) {
  if (format == nullptr || medium == nullptr) return E_POINTER;
  const DataObjectFormats& formats = ClipboardFormats();
  const UINT id = format->cfFormat;
  std::string bytes;
  if (id == formats.display_name) {
    bytes = pw::ToUtf16Le(node() != nullptr ? node()->GetDisplayName(0) : std::wstring());
    bytes.append(2, '\0');
  } else if (id == formats.node_type) {
    AppendValue(&bytes, node() != nullptr ? node()->GetNodeType() : GUID_NULL);
  } else if (id == formats.sz_node_type) {
    bytes = pw::ToUtf16Le(pw::GuidToString(node() != nullptr ? node()->GetNodeType() : GUID_NULL));
    bytes.append(2, '\0');
  } else if (id == formats.snapin_class_id) {
    AppendValue(&bytes, CLSID_PagewellSnapin);
  } else if (id == formats.private_data) {
    AppendValue(&bytes, handle_);
  } else if (id == formats.multi_select_flag) {
    AppendValue(&bytes, static_cast<BOOL>(is_multi_select() ? TRUE : FALSE));
  } else if (id == formats.object_types && is_multi_select()) {
    bytes = ObjectTypesBlock(node_types_);
  } else {
    return DV_E_FORMATETC;
  }
  if (medium->tymed != TYMED_HGLOBAL || medium->hGlobal == nullptr) return DV_E_TYMED;
  pw::ComPtr<IStream> stream;
  HRESULT hr = CreateStreamOnHGlobal(medium->hGlobal, FALSE, stream.GetAddressOf());
  if (FAILED(hr)) return hr;
  ULONG written = 0;
  hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
  return FAILED(hr) ? hr : S_OK;
}

HRESULT CDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (format == nullptr || medium == nullptr) return E_POINTER;
  const DataObjectFormats& formats = ClipboardFormats();
  std::string bytes;
  if (format->cfFormat == formats.multi_select_flag) {
    AppendValue(&bytes, static_cast<BOOL>(is_multi_select() ? TRUE : FALSE));
  } else if (format->cfFormat == formats.object_types && is_multi_select()) {
    bytes = ObjectTypesBlock(node_types_);
  } else {
    return DV_E_FORMATETC;
  }
  HGLOBAL block = SharedBlock(bytes);
  if (block == nullptr) return E_OUTOFMEMORY;
  *medium = STGMEDIUM{};
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = block;
  return S_OK;
}

HRESULT CDataObject::QueryGetData(FORMATETC*) { return E_NOTIMPL; }
HRESULT CDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) { return E_NOTIMPL; }
HRESULT CDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }
HRESULT CDataObject::EnumFormatEtc(DWORD, IEnumFORMATETC**) { return E_NOTIMPL; }
HRESULT CDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) { return E_NOTIMPL; }
HRESULT CDataObject::DUnadvise(DWORD) { return E_NOTIMPL; }
HRESULT CDataObject::EnumDAdvise(IEnumSTATDATA**) { return E_NOTIMPL; }

CDataObject* GetOurDataObject(IDataObject* data_object) {
  if (IS_SPECIAL_DATAOBJECT(data_object)) return nullptr;
  HGLOBAL block = GlobalAlloc(GMEM_SHARE | GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(uint32_t));
  if (block == nullptr) return nullptr;
  FORMATETC format;
  format.cfFormat = static_cast<CLIPFORMAT>(ClipboardFormats().private_data);
  format.tymed = TYMED_HGLOBAL;
  STGMEDIUM medium;
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = block;
  CDataObject* result = nullptr;
  if (SUCCEEDED(data_object->GetDataHere(&format, &medium)) && medium.hGlobal != nullptr) {
    const std::string bytes = BlockBytes(medium.hGlobal, sizeof(uint32_t));
    if (bytes.size() == sizeof(uint32_t)) {
      uint32_t handle = 0;
      std::memcpy(&handle, bytes.data(), sizeof(handle));
      result = CDataObject::FromHandle(handle);
    }
  }
  GlobalFree(medium.hGlobal != nullptr ? medium.hGlobal : block);
  return result;
}

bool IsMultiSelect(IDataObject* data_object) {
  if (IS_SPECIAL_DATAOBJECT(data_object)) return false;
  std::string bytes;
  if (FAILED(ReadWithGetData(data_object, ClipboardFormats().multi_select_flag, &bytes))) {
    return false;
  }
  BOOL value = FALSE;
  if (bytes.size() < sizeof(value)) return false;
  std::memcpy(&value, bytes.data(), sizeof(value));
  return value != FALSE;
}

std::vector<CDelegationBase*> GetMultiSelectNodes(IDataObject* data_object) {
  if (CDataObject* ours = GetOurDataObject(data_object)) {
    return ours->is_multi_select() ? ours->nodes() : std::vector<CDelegationBase*>{};
  }
  std::vector<CDelegationBase*> nodes;
  if (IS_SPECIAL_DATAOBJECT(data_object)) return nodes;
  std::string bytes;
  if (FAILED(ReadWithGetData(data_object, ClipboardFormats().multi_select_snapins, &bytes))) {
    return nodes;
  }
  constexpr std::size_t kFirst = offsetof(SMMCDataObjects, lpDataObject);
  DWORD count = 0;
  if (bytes.size() < sizeof(count)) return nodes;
  std::memcpy(&count, bytes.data(), sizeof(count));
  for (DWORD i = 0; i < count && kFirst + (i + 1) * sizeof(IDataObject*) <= bytes.size(); ++i) {
    IDataObject* contained = nullptr;
    std::memcpy(&contained, bytes.data() + kFirst + i * sizeof(contained), sizeof(contained));
    CDataObject* ours = GetOurDataObject(contained);
    if (ours == nullptr || !ours->is_multi_select()) continue;
    const std::vector<CDelegationBase*> selected = ours->nodes();
    nodes.insert(nodes.end(), selected.begin(), selected.end());
  }
  return nodes;
}

std::vector<GUID> GetMultiSelectNodeTypes(IDataObject* data_object) {
  std::vector<GUID> types;
  if (IS_SPECIAL_DATAOBJECT(data_object)) return types;
  std::string bytes;
  if (FAILED(ReadWithGetData(data_object, ClipboardFormats().object_types, &bytes))) {
    return types;
  }
  constexpr std::size_t kFirst = offsetof(SMMCObjectTypes, guid);
  DWORD count = 0;
  if (bytes.size() < sizeof(count)) return types;
  std::memcpy(&count, bytes.data(), sizeof(count));
  for (DWORD i = 0; i < count && kFirst + (i + 1) * sizeof(GUID) <= bytes.size(); ++i) {
    GUID type;
    std::memcpy(&type, bytes.data() + kFirst + i * sizeof(GUID), sizeof(GUID));
    types.push_back(type);
  }
  return types;
}
