// The rule object that the store hands out, and the module's private view of its data.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <mutex>

#include "installation/common/module_state.h"
#include "installation/interfaces/ardent_db.h"
#include "installation/store/rule_data.h"
#include "platform/com/strings.h"

namespace pw::store {

inline constexpr IID IID_IRuleAccess = GuidLiteral("C8A4F957-FC9F-4CEB-8244-C8F1CD740557");

// How the store reads and stamps a rule object of its own; a rule from anywhere else does not
// answer it, and SaveRule refuses such a rule.
struct IRuleAccess : IUnknown {
  static constexpr const IID& kIid = IID_IRuleAccess;

  // A copy of the rule as it is now.
  virtual HRESULT GetData(RuleData* data) = 0;
  // Records the identity that the rule's first save gave it.
  virtual void MarkSaved(std::int64_t id) = 0;

 protected:
  ~IRuleAccess() = default;
};

// One rule object: made empty by CreateRule or filled from the store by an enumerator or
// GetRule; lives as long as its holders keep it. Safe to call from several threads.
class Rule final : public ComObject<IArdentRule, IRuleAccess> {
 public:
  explicit Rule(RuleData data) : data_(std::move(data)) {}

  HRESULT raw_SetField(LPCWSTR name, const VARIANT& value) override;
  HRESULT raw_GetField(LPCWSTR name, VARIANT* value) override;
  HRESULT raw_EnumUsers(IArdentTextEnum** users) override;
  HRESULT raw_AddUser(LPCWSTR user) override;
  HRESULT raw_RemoveUser(LPCWSTR user) override;
  HRESULT raw_GetRuleType(BSTR* type) override;

  HRESULT GetData(RuleData* data) override;
  void MarkSaved(std::int64_t id) override;

 private:
  using RecordBlock = std::array<BYTE, ARDENTDB_PRINTER_RECORD_SIZE>;

  install::ModuleReference module_reference_;
  std::mutex mutex_;
  RuleData data_;
  // The blocks that reads of record fields point into: one per field name, never freed
  // before the rule, so that a pointer handed out stays valid.
  std::map<std::wstring, std::unique_ptr<RecordBlock>, LessIgnoreCase> record_blocks_;
};

}  // namespace pw::store
