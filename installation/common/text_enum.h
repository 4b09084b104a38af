// The text enumerator (IArdentTextEnum) that the modules hand out for lists of users, lines,
// MSNs, identities, members and groups.
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

#include "installation/common/module_state.h"
#include "installation/interfaces/ardent_db.h"

namespace pw::install {

// A snapshot of texts, read from the first one on after Reset. Keeps its module loaded while
// it lives.
class TextEnum final : public ComObject<IArdentTextEnum> {
 public:
  explicit TextEnum(std::vector<std::wstring> texts) : texts_(std::move(texts)) {}

  HRESULT raw_Reset() override;
  HRESULT raw_Next(BSTR* text) override;

  // Hands a new enumerator of `texts` out through `out`.
  [[nodiscard]] static HRESULT HandOut(std::vector<std::wstring> texts, IArdentTextEnum** out);

 private:
  ModuleReference module_reference_;
  std::mutex mutex_;
  std::vector<std::wstring> texts_;
  std::size_t next_ = 0;
};

}  // namespace pw::install
