// The enumerators that the store hands out: texts (users, lines, MSNs) and rules.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "installation/interfaces/ardent_db.h"
#include "installation/store/module_state.h"
#include "installation/store/rule_data.h"

namespace pw::store {

// A snapshot of texts, read from the first one on after Reset.
class TextEnum final : public ComObject<IArdentTextEnum> {
 public:
  explicit TextEnum(std::vector<std::wstring> texts) : texts_(std::move(texts)) {}

  HRESULT raw_Reset() override;
  HRESULT raw_Next(BSTR* text) override;

 private:
  ModuleReference module_reference_;
  std::mutex mutex_;
  std::vector<std::wstring> texts_;
  std::size_t next_ = 0;
};

// A snapshot of rules in store order. Each Next makes a new rule object from its copy, so a
// caller's changes to one rule object never show in another.
class RuleEnum final : public ComObject<IArdentRuleEnum> {
 public:
  explicit RuleEnum(std::vector<RuleData> rules) : rules_(std::move(rules)) {}

  HRESULT raw_Reset() override;
  HRESULT raw_Next(IArdentRule** rule) override;

 private:
  ModuleReference module_reference_;
  std::mutex mutex_;
  std::vector<RuleData> rules_;
  std::size_t next_ = 0;
};

}  // namespace pw::store
