// Reading snap-in data objects, and the composite data object of a multiple selection.
#include "mmc/host/data_objects.h"

#include <cstddef>
#include <cstring>
#include <set>

#include "platform/com/strings.h"

namespace pw::mmc {
namespace {

// The size of the block the console offers to GetDataHere; a snap-in that writes through a
// stream grows it when it needs more.
constexpr SIZE_T kDataHereBlock = 1024;
// A rendering larger than this is not something the console reads.
constexpr SIZE_T kLargestRendering = 16 * 1024 * 1024;

FORMATETC GlobalFormat(const wchar_t* format_name) {
  FORMATETC format;
  format.cfFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormat(format_name));
  format.tymed = TYMED_HGLOBAL;
  return format;
}

std::string BlockBytes(HGLOBAL block) {
  const SIZE_T size = GlobalSize(block);
  if (size == 0 || size > kLargestRendering) return {};
  const auto* data = static_cast<const char*>(GlobalLock(block));
  if (data == nullptr) return {};
  std::string bytes(data, size);
  GlobalUnlock(block);
  return bytes;
}

HGLOBAL BlockFromBytes(const std::string& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, bytes.size());
  if (block == nullptr) return nullptr;
  if (!bytes.empty()) {
    void* data = GlobalLock(block);
    std::memcpy(data, bytes.data(), bytes.size());
    GlobalUnlock(block);
  }
  return block;
}

}  // namespace

HRESULT ReadDataHere(IDataObject* data_object, const wchar_t* format_name, std::string* bytes) {
  if (bytes == nullptr) return E_POINTER;
  bytes->clear();
  if (IS_SPECIAL_DATAOBJECT(data_object)) return E_INVALIDARG;
  FORMATETC format = GlobalFormat(format_name);
  STGMEDIUM medium;
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, kDataHereBlock);
  if (medium.hGlobal == nullptr) return E_OUTOFMEMORY;
  const HRESULT hr = data_object->GetDataHere(&format, &medium);
  if (SUCCEEDED(hr)) *bytes = BlockBytes(medium.hGlobal);
  GlobalFree(medium.hGlobal);
  return hr;
}

HRESULT ReadData(IDataObject* data_object, const wchar_t* format_name, std::string* bytes) {
  if (bytes == nullptr) return E_POINTER;
  bytes->clear();
  if (IS_SPECIAL_DATAOBJECT(data_object)) return E_INVALIDARG;
  FORMATETC format = GlobalFormat(format_name);
  STGMEDIUM medium;
  const HRESULT hr = data_object->GetData(&format, &medium);
  if (FAILED(hr)) return hr;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != nullptr) {
    *bytes = BlockBytes(medium.hGlobal);
  }
  ReleaseStgMedium(&medium);
  return hr;
}

std::wstring ReadDisplayName(IDataObject* data_object) {
  std::string bytes;
  if (FAILED(ReadDataHere(data_object, CCF_DISPLAY_NAME, &bytes))) return {};
  std::size_t end = 0;
  while (end + 1 < bytes.size() && (bytes[end] != 0 || bytes[end + 1] != 0)) end += 2;
  return FromUtf16Le(std::string_view(bytes).substr(0, end));
}

std::optional<GUID> ReadNodeType(IDataObject* data_object) {
  std::string bytes;
  if (FAILED(ReadDataHere(data_object, CCF_NODETYPE, &bytes)) || bytes.size() < sizeof(GUID)) {
    return std::nullopt;
  }
  GUID guid;
  guid.Data1 = static_cast<DWORD>(static_cast<unsigned char>(bytes[0]) |
                                  static_cast<unsigned char>(bytes[1]) << 8 |
                                  static_cast<unsigned char>(bytes[2]) << 16 |
                                  static_cast<DWORD>(static_cast<unsigned char>(bytes[3])) << 24);
  guid.Data2 = static_cast<WORD>(static_cast<unsigned char>(bytes[4]) |
                                 static_cast<unsigned char>(bytes[5]) << 8);
  guid.Data3 = static_cast<WORD>(static_cast<unsigned char>(bytes[6]) |
                                 static_cast<unsigned char>(bytes[7]) << 8);
  for (int i = 0; i < 8; ++i) guid.Data4[i] = static_cast<BYTE>(bytes[8 + i]);
  return guid;
}

std::string ReadColumnSetId(IDataObject* data_object) {
  std::string bytes;
  if (SUCCEEDED(ReadDataHere(data_object, CCF_COLUMN_SET_ID, &bytes)) && bytes.size() >= 8) {
    DWORD length = 0;
    std::memcpy(&length, bytes.data() + offsetof(SColumnSetID, cBytes), sizeof(length));
    const std::size_t start = offsetof(SColumnSetID, id);
    if (length > 0 && length <= bytes.size() - start) return bytes.substr(start, length);
  }
  if (SUCCEEDED(ReadDataHere(data_object, CCF_NODETYPE, &bytes)) && bytes.size() >= 16) {
    return bytes.substr(0, 16);
  }
  return {};
}

bool IsMultiSelectDataObject(IDataObject* data_object) {
  std::string bytes;
  if (FAILED(ReadData(data_object, CCF_MMC_MULTISELECT_DATAOBJECT, &bytes))) return false;
  BOOL value = FALSE;
  if (bytes.size() < sizeof(value)) return false;
  std::memcpy(&value, bytes.data(), sizeof(value));
  return value != FALSE;
}

MultiSelectDataObject::MultiSelectDataObject(std::vector<ComPtr<IDataObject>> snapin_objects)
    : snapin_objects_(std::move(snapin_objects)) {}

HRESULT MultiSelectDataObject::Render(const FORMATETC& format, std::string* bytes) {
  if ((format.tymed & TYMED_HGLOBAL) == 0) return DV_E_TYMED;
  const std::wstring name = GetClipboardFormatName(format.cfFormat);
  if (EqualsIgnoreCase(name, CCF_MMC_MULTISELECT_DATAOBJECT)) {
    const BOOL value = TRUE;
    bytes->assign(reinterpret_cast<const char*>(&value), sizeof(value));
    return S_OK;
  }
  if (EqualsIgnoreCase(name, CCF_MULTI_SELECT_SNAPINS)) {
    constexpr std::size_t kFirst = offsetof(SMMCDataObjects, lpDataObject);
    bytes->assign(kFirst + snapin_objects_.size() * sizeof(IDataObject*), '\0');
    const auto count = static_cast<DWORD>(snapin_objects_.size());
    std::memcpy(bytes->data(), &count, sizeof(count));
    for (std::size_t i = 0; i < snapin_objects_.size(); ++i) {
      IDataObject* object = snapin_objects_[i].Get();
      std::memcpy(bytes->data() + kFirst + i * sizeof(object), &object, sizeof(object));
    }
    return S_OK;
  }
  if (EqualsIgnoreCase(name, CCF_OBJECT_TYPES_IN_MULTI_SELECT)) {
    std::vector<GUID> types;
    std::set<GUID> seen;
    for (const auto& object : snapin_objects_) {
      std::string part;
      if (FAILED(ReadData(object.Get(), CCF_OBJECT_TYPES_IN_MULTI_SELECT, &part))) continue;
      if (part.size() < sizeof(DWORD)) continue;
      DWORD count = 0;
      std::memcpy(&count, part.data(), sizeof(count));
      constexpr std::size_t kFirst = offsetof(SMMCObjectTypes, guid);
      for (DWORD i = 0; i < count && kFirst + (i + 1) * sizeof(GUID) <= part.size(); ++i) {
        GUID guid;
        std::memcpy(&guid, part.data() + kFirst + i * sizeof(GUID), sizeof(GUID));
        if (seen.insert(guid).second) types.push_back(guid);
      }
    }
    constexpr std::size_t kFirst = offsetof(SMMCObjectTypes, guid);
    bytes->assign(kFirst + types.size() * sizeof(GUID), '\0');
    const auto count = static_cast<DWORD>(types.size());
    std::memcpy(bytes->data(), &count, sizeof(count));
    if (!types.empty()) {
      std::memcpy(bytes->data() + kFirst, types.data(), types.size() * sizeof(GUID));
    }
    return S_OK;
  }
  return DV_E_FORMATETC;
}

HRESULT MultiSelectDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (format == nullptr || medium == nullptr) return E_POINTER;
  std::string bytes;
  const HRESULT hr = Render(*format, &bytes);
  if (FAILED(hr)) return hr;
  HGLOBAL block = BlockFromBytes(bytes);
  if (block == nullptr) return E_OUTOFMEMORY;
  *medium = STGMEDIUM{};
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = block;
  return S_OK;
}

HRESULT MultiSelectDataObject::GetDataHere(FORMATETC* format, STGMEDIUM* medium) {
  if (format == nullptr || medium == nullptr) return E_POINTER;
  if (medium->tymed != TYMED_HGLOBAL || medium->hGlobal == nullptr) return DV_E_TYMED;
  std::string bytes;
  const HRESULT hr = Render(*format, &bytes);
  if (FAILED(hr)) return hr;
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(medium->hGlobal, FALSE, stream.GetAddressOf()))) {
    return E_OUTOFMEMORY;
  }
  return stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
}

HRESULT MultiSelectDataObject::QueryGetData(FORMATETC* format) {
  if (format == nullptr) return E_POINTER;
  std::string bytes;
  const HRESULT hr = Render(*format, &bytes);
  return FAILED(hr) ? hr : S_OK;
}

HRESULT MultiSelectDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) { return E_NOTIMPL; }
HRESULT MultiSelectDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }
HRESULT MultiSelectDataObject::EnumFormatEtc(DWORD, IEnumFORMATETC** formats) {
  if (formats != nullptr) *formats = nullptr;
  return E_NOTIMPL;
}
HRESULT MultiSelectDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
  return OLE_E_ADVISENOTSUPPORTED;
}
HRESULT MultiSelectDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT MultiSelectDataObject::EnumDAdvise(IEnumSTATDATA** advises) {
  if (advises != nullptr) *advises = nullptr;
  return OLE_E_ADVISENOTSUPPORTED;
}

}  // namespace pw::mmc
