// ColumnDataStore: the column widths and sort orders a console keeps per column set (what
// IColumnData sets and answers), saved with the console document.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "mmc/mmc.h"

namespace pw::mmc {

struct ColumnSetData {
  std::vector<MMC_COLUMN_DATA> columns;
  std::vector<MMC_SORT_DATA> sort;
  bool has_columns = false;
  bool has_sort = false;
  friend bool operator==(const ColumnSetData& a, const ColumnSetData& b);
};

// Owned by the console. Column sets are named by the bytes of their id.
class ColumnDataStore {
 public:
  HRESULT SetColumnConfigData(const SColumnSetID* id, const MMC_COLUMN_SET_DATA* data);
  // One block of task memory (header and columns) that the caller frees; S_FALSE and null
  // when nothing was stored for the set.
  HRESULT GetColumnConfigData(const SColumnSetID* id, MMC_COLUMN_SET_DATA** data) const;
  HRESULT SetColumnSortData(const SColumnSetID* id, const MMC_SORT_SET_DATA* data);
  HRESULT GetColumnSortData(const SColumnSetID* id, MMC_SORT_SET_DATA** data) const;
  // The console's own record of a sort by the user.
  void RecordSort(const std::string& set_id, int column, DWORD options);

  const std::map<std::string, ColumnSetData>& sets() const { return sets_; }
  void Replace(std::map<std::string, ColumnSetData> sets) { sets_ = std::move(sets); }

  // The store as the bytes of the console document's column section, and back. Decode fails
  // (nullopt) on any inconsistency.
  std::string Encode() const;
  static std::optional<std::map<std::string, ColumnSetData>> Decode(std::string_view bytes);

 private:
  static std::optional<std::string> KeyOf(const SColumnSetID* id);

  std::map<std::string, ColumnSetData> sets_;
};

}  // namespace pw::mmc
