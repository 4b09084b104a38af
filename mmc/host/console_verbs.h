// ConsoleVerbs: the state of the console's verbs (Open, Delete, Properties…) in one view, as
// the snap-in sets it through IConsoleVerb for the current selection.
#pragma once

#include <array>

#include "mmc/mmc.h"
#include "platform/com/com_ptr.h"

namespace pw::mmc {

// One per view, for its whole life. Reset before every selection: every verb disabled and
// hidden, no default verb. Enabling a verb also shows it; a snap-in that wants an enabled verb
// without a menu item or button hides it afterwards.
class ConsoleVerbs final : public ComObject<IConsoleVerb> {
 public:
  static constexpr int kVerbCount = MMC_VERB_MAX - MMC_VERB_FIRST;

  void Reset();
  bool IsEnabled(MMC_CONSOLE_VERB verb) const { return Has(verb, ENABLED); }
  bool IsHidden(MMC_CONSOLE_VERB verb) const { return Has(verb, HIDDEN); }
  // The MMC_BUTTON_STATE bits of a verb; 0 for one that does not exist.
  DWORD State(MMC_CONSOLE_VERB verb) const;
  MMC_CONSOLE_VERB default_verb() const { return default_verb_; }

  HRESULT GetVerbState(MMC_CONSOLE_VERB verb, MMC_BUTTON_STATE state, BOOL* value) override;
  HRESULT SetVerbState(MMC_CONSOLE_VERB verb, MMC_BUTTON_STATE state, BOOL value) override;
  HRESULT SetDefaultVerb(MMC_CONSOLE_VERB verb) override;
  HRESULT GetDefaultVerb(MMC_CONSOLE_VERB* verb) override;

 private:
  static bool IsVerb(MMC_CONSOLE_VERB verb) {
    return verb >= MMC_VERB_FIRST && verb <= MMC_VERB_LAST;
  }
  static bool IsStateBit(MMC_BUTTON_STATE state);
  bool Has(MMC_CONSOLE_VERB verb, MMC_BUTTON_STATE bit) const { return (State(verb) & bit) != 0; }

  std::array<DWORD, kVerbCount> states_ = [] {
    std::array<DWORD, kVerbCount> initial{};
    initial.fill(HIDDEN);
    return initial;
  }();
  MMC_CONSOLE_VERB default_verb_ = MMC_VERB_NONE;
};

}  // namespace pw::mmc
