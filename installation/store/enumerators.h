// The enumerators that the store hands out: rules, and the shared one of texts (users,
// lines, MSNs).
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "installation/common/module_state.h"
#include "installation/common/text_enum.h"
#include "installation/interfaces/ardent_db.h"
#include "installation/store/rule_data.h"

namespace pw::store {

using install::TextEnum;

// A snapshot of rules in store order. Each Next makes a new rule object from its copy, so a
// caller's changes to one rule object never show in another.
class RuleEnum final : public ComObject<IArdentRuleEnum> {
 public:
  explicit RuleEnum(std::vector<RuleData> rules) : rules_(std::move(rules)) {}

  HRESULT raw_Reset() override;
  HRESULT raw_Next(IArdentRule** rule) override;

 private:
  install::ModuleReference module_reference_;
  std::mutex mutex_;
  std::vector<RuleData> rules_;
  std::size_t next_ = 0;
};

}  // namespace pw::store
