// FindRow.
#include "console/row_finder.h"

#include <algorithm>

#include "mmc/host/host_strings.h"
#include "platform/com/strings.h"

namespace pw::console {

namespace {

// Rows are read in pieces so that a long list is never held whole.
constexpr int kReadPiece = 256;

bool Matches(const std::wstring& cell, const FindRequest& request) {
  if (!request.partial) return pw::EqualsIgnoreCase(cell, request.text);
  return cell.size() >= request.text.size() &&
         pw::EqualsIgnoreCase(std::wstring_view(cell).substr(0, request.text.size()), request.text);
}

// The first matching row of first..last of a list that the console holds; -1 for none.
int SearchHeldRows(pw::mmc::View& view, int first, int last, const FindRequest& request) {
  for (int from = first; from <= last; from += kReadPiece) {
    std::vector<pw::mmc::RowData> rows;
    if (FAILED(view.ReadRows(from, std::min(last, from + kReadPiece - 1), &rows))) return -1;
    for (const pw::mmc::RowData& row : rows) {
      if (!row.texts.empty() && Matches(row.texts.front(), request)) return row.index;
    }
  }
  return -1;
}

// The snap-in searches an owner-data list itself.
int SearchOwnerData(pw::mmc::View& view, int start, int count, const FindRequest& request) {
  pw::ComPtr<IResultOwnerData> owner_data;
  if (view.component() == nullptr ||
      FAILED(view.component()->QueryInterface(IID_IResultOwnerData,
                                              owner_data.ReleaseAndGetVoidAddressOf()))) {
    return -1;
  }
  std::wstring text = request.text;
  RESULTFINDINFO info;
  info.psz = text.data();
  info.nStart = start;
  info.dwOptions = (request.partial ? RFI_PARTIAL : 0) | (request.wrap ? RFI_WRAP : 0);
  int answer = -1;
  if (owner_data->FindItem(&info, &answer) != S_OK || answer < 0 || answer >= count) return -1;
  // A snap-in that ignores RFI_WRAP must not make the console wrap.
  if (!request.wrap && answer < start) return -1;
  return answer;
}

}  // namespace

std::optional<ApiFailure> FindRow(pw::mmc::View& view, const FindRequest& request, int* found) {
  *found = -1;
  const pw::mmc::ViewState state = view.State();
  const bool owner_data = state.kind == pw::mmc::ResultPaneKind::kVirtualList;
  if (!owner_data && state.kind != pw::mmc::ResultPaneKind::kList) {
    return ApiFailure{409, "refused",
                      pw::ToUtf8(pw::mmc::HostText(pw::mmc::HostString::kUnknownRow))};
  }
  const int count = state.row_count;
  if (request.start && (*request.start < 0 || (*request.start >= count && count > 0))) {
    return ApiFailure{400, "bad-request", "start must be a row of the list."};
  }
  if (request.text.empty()) return ApiFailure{400, "bad-request", "text must not be empty."};
  if (count == 0) return std::nullopt;
  const int start = request.start.value_or(std::max(state.focused_row, 0));
  int index = -1;
  if (owner_data) {
    index = SearchOwnerData(view, start, count, request);
  } else {
    index = SearchHeldRows(view, start, count - 1, request);
    if (index < 0 && request.wrap && start > 0) index = SearchHeldRows(view, 0, start - 1, request);
  }
  if (index < 0) return std::nullopt;
  if (FAILED(view.SelectRows({index}))) {
    return ApiFailure{409, "refused",
                      pw::ToUtf8(pw::mmc::HostText(pw::mmc::HostString::kUnknownRow))};
  }
  *found = index;
  return std::nullopt;
}

}  // namespace pw::console
