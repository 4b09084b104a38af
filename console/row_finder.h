// FindRow: the search behind POST /views/{v}/find — a row of a view's list by the text of its
// first column, from a given row on, the whole text or its beginning, wrapping or not.
#pragma once

#include <optional>
#include <string>

#include "console/api_error.h"
#include "mmc/host/view.h"

namespace pw::console {

struct FindRequest {
  std::wstring text;
  std::optional<int> start;  // absent: the focused row (or the first)
  bool partial = true;       // the first column begins with the text (else equals it)
  bool wrap = true;          // goes on from the first row after the last
};

// Runs on the console thread. The row found becomes the selection and the focused row;
// `found` is -1 when no row matches. A failure when the view shows no list or `start` is not
// one of its rows.
std::optional<ApiFailure> FindRow(pw::mmc::View& view, const FindRequest& request, int* found);

}  // namespace pw::console
