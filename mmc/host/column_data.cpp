// ColumnDataStore.
#include "mmc/host/column_data.h"

#include <cstddef>
#include <cstring>
#include <new>

#include "mmc/host/byte_codec.h"

namespace pw::mmc {
namespace {

constexpr std::size_t kLargestId = 4096;
constexpr std::uint32_t kMostColumns = 1024;
constexpr std::uint32_t kMostSets = 65536;
constexpr std::uint32_t kHasColumns = 0x1;
constexpr std::uint32_t kHasSort = 0x2;

}  // namespace

bool operator==(const ColumnSetData& a, const ColumnSetData& b) {
  if (a.has_columns != b.has_columns || a.has_sort != b.has_sort) return false;
  if (a.columns.size() != b.columns.size() || a.sort.size() != b.sort.size()) return false;
  for (std::size_t i = 0; i < a.columns.size(); ++i) {
    if (a.columns[i].nColIndex != b.columns[i].nColIndex ||
        a.columns[i].dwFlags != b.columns[i].dwFlags ||
        a.columns[i].nWidth != b.columns[i].nWidth) {
      return false;
    }
  }
  for (std::size_t i = 0; i < a.sort.size(); ++i) {
    if (a.sort[i].nColIndex != b.sort[i].nColIndex ||
        a.sort[i].dwSortOptions != b.sort[i].dwSortOptions) {
      return false;
    }
  }
  return true;
}

std::optional<std::string> ColumnDataStore::KeyOf(const SColumnSetID* id) {
  if (id == nullptr || id->cBytes == 0 || id->cBytes > kLargestId) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(id->id), id->cBytes);
}

HRESULT ColumnDataStore::SetColumnConfigData(const SColumnSetID* id,
                                             const MMC_COLUMN_SET_DATA* data) {
  const auto key = KeyOf(id);
  if (!key || data == nullptr || data->nNumCols < 0 ||
      static_cast<std::uint32_t>(data->nNumCols) > kMostColumns ||
      (data->nNumCols > 0 && data->pColData == nullptr)) {
    return E_INVALIDARG;
  }
  ColumnSetData& set = sets_[*key];
  set.columns.assign(data->pColData, data->pColData + data->nNumCols);
  for (auto& column : set.columns) column.ulReserved = 0;
  set.has_columns = true;
  return S_OK;
}

HRESULT ColumnDataStore::GetColumnConfigData(const SColumnSetID* id,
                                             MMC_COLUMN_SET_DATA** data) const {
  if (data == nullptr) return E_POINTER;
  *data = nullptr;
  const auto key = KeyOf(id);
  if (!key) return E_INVALIDARG;
  const auto found = sets_.find(*key);
  if (found == sets_.end() || !found->second.has_columns) return S_FALSE;
  const auto& columns = found->second.columns;
  const std::size_t size = sizeof(MMC_COLUMN_SET_DATA) + columns.size() * sizeof(MMC_COLUMN_DATA);
  auto* block = static_cast<unsigned char*>(CoTaskMemAlloc(size));
  if (block == nullptr) return E_OUTOFMEMORY;
  auto* header = new (block) MMC_COLUMN_SET_DATA;
  header->nNumCols = static_cast<int>(columns.size());
  header->pColData = reinterpret_cast<MMC_COLUMN_DATA*>(block + sizeof(MMC_COLUMN_SET_DATA));
  for (std::size_t i = 0; i < columns.size(); ++i)
    new (&header->pColData[i]) MMC_COLUMN_DATA(columns[i]);
  *data = header;
  return S_OK;
}

HRESULT ColumnDataStore::SetColumnSortData(const SColumnSetID* id, const MMC_SORT_SET_DATA* data) {
  const auto key = KeyOf(id);
  if (!key || data == nullptr || data->nNumItems < 0 ||
      static_cast<std::uint32_t>(data->nNumItems) > kMostColumns ||
      (data->nNumItems > 0 && data->pSortData == nullptr)) {
    return E_INVALIDARG;
  }
  ColumnSetData& set = sets_[*key];
  set.sort.assign(data->pSortData, data->pSortData + data->nNumItems);
  for (auto& sort : set.sort) sort.ulReserved = 0;
  set.has_sort = true;
  return S_OK;
}

HRESULT ColumnDataStore::GetColumnSortData(const SColumnSetID* id, MMC_SORT_SET_DATA** data) const {
  if (data == nullptr) return E_POINTER;
  *data = nullptr;
  const auto key = KeyOf(id);
  if (!key) return E_INVALIDARG;
  const auto found = sets_.find(*key);
  if (found == sets_.end() || !found->second.has_sort) return S_FALSE;
  const auto& sort = found->second.sort;
  const std::size_t size = sizeof(MMC_SORT_SET_DATA) + sort.size() * sizeof(MMC_SORT_DATA);
  auto* block = static_cast<unsigned char*>(CoTaskMemAlloc(size));
  if (block == nullptr) return E_OUTOFMEMORY;
  auto* header = new (block) MMC_SORT_SET_DATA;
  header->nNumItems = static_cast<int>(sort.size());
  header->pSortData = reinterpret_cast<MMC_SORT_DATA*>(block + sizeof(MMC_SORT_SET_DATA));
  for (std::size_t i = 0; i < sort.size(); ++i) new (&header->pSortData[i]) MMC_SORT_DATA(sort[i]);
  *data = header;
  return S_OK;
}

void ColumnDataStore::RecordSort(const std::string& set_id, int column, DWORD options) {
  if (set_id.empty() || set_id.size() > kLargestId) return;
  ColumnSetData& set = sets_[set_id];
  MMC_SORT_DATA sort;
  sort.nColIndex = column;
  sort.dwSortOptions = options;
  set.sort = {sort};
  set.has_sort = true;
}

std::string ColumnDataStore::Encode() const {
  ByteWriter out;
  out.U32(static_cast<std::uint32_t>(sets_.size()));
  for (const auto& [id, set] : sets_) {
    out.Block(id);
    out.U32((set.has_columns ? kHasColumns : 0) | (set.has_sort ? kHasSort : 0));
    out.U32(static_cast<std::uint32_t>(set.columns.size()));
    for (const auto& column : set.columns) {
      out.I32(column.nColIndex);
      out.U32(column.dwFlags);
      out.I32(column.nWidth);
    }
    out.U32(static_cast<std::uint32_t>(set.sort.size()));
    for (const auto& sort : set.sort) {
      out.I32(sort.nColIndex);
      out.U32(sort.dwSortOptions);
    }
  }
  return out.Take();
}

std::optional<std::map<std::string, ColumnSetData>> ColumnDataStore::Decode(
    std::string_view bytes) {
  ByteReader in(bytes);
  std::map<std::string, ColumnSetData> sets;
  std::uint32_t count = 0;
  if (!in.U32(&count) || count > kMostSets) return std::nullopt;
  for (std::uint32_t i = 0; i < count; ++i) {
    std::string_view id;
    std::uint32_t flags = 0;
    std::uint32_t columns = 0;
    if (!in.Block(kLargestId, &id) || id.empty() || !in.U32(&flags) ||
        (flags & ~(kHasColumns | kHasSort)) != 0 || !in.U32(&columns) || columns > kMostColumns) {
      return std::nullopt;
    }
    ColumnSetData set;
    set.has_columns = (flags & kHasColumns) != 0;
    set.has_sort = (flags & kHasSort) != 0;
    for (std::uint32_t c = 0; c < columns; ++c) {
      MMC_COLUMN_DATA column;
      if (!in.I32(&column.nColIndex) || !in.U32(&column.dwFlags) || !in.I32(&column.nWidth)) {
        return std::nullopt;
      }
      set.columns.push_back(column);
    }
    std::uint32_t sorts = 0;
    if (!in.U32(&sorts) || sorts > kMostColumns) return std::nullopt;
    for (std::uint32_t s = 0; s < sorts; ++s) {
      MMC_SORT_DATA sort;
      if (!in.I32(&sort.nColIndex) || !in.U32(&sort.dwSortOptions)) return std::nullopt;
      set.sort.push_back(sort);
    }
    if (!sets.emplace(std::string(id), std::move(set)).second) return std::nullopt;
  }
  if (!in.AtEnd()) return std::nullopt;
  return sets;
}

}  // namespace pw::mmc
