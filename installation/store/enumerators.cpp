// The rule enumerator.
#include "installation/store/enumerators.h"

#include "installation/store/rule.h"

namespace pw::store {

HRESULT RuleEnum::raw_Reset() {
  std::lock_guard lock(mutex_);
  next_ = 0;
  return S_OK;
}

HRESULT RuleEnum::raw_Next(IArdentRule** rule) {
  return install::Guarded([&]() -> HRESULT {
    if (rule == nullptr) return E_POINTER;
    *rule = nullptr;
    std::lock_guard lock(mutex_);
    if (next_ >= rules_.size()) return S_FALSE;
    auto object = MakeComObject<Rule>(rules_[next_]);
    if (!object) return E_OUTOFMEMORY;
    ++next_;
    *rule = object.Detach();
    return S_OK;
  });
}

}  // namespace pw::store
