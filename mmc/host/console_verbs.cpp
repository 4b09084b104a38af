// ConsoleVerbs.
#include "mmc/host/console_verbs.h"

namespace pw::mmc {

void ConsoleVerbs::Reset() {
  states_.fill(HIDDEN);
  default_verb_ = MMC_VERB_NONE;
}

DWORD ConsoleVerbs::State(MMC_CONSOLE_VERB verb) const {
  return IsVerb(verb) ? states_[verb - MMC_VERB_FIRST] : 0;
}

bool ConsoleVerbs::IsStateBit(MMC_BUTTON_STATE state) {
  switch (state) {
    case ENABLED:
    case CHECKED:
    case HIDDEN:
    case INDETERMINATE:
    case BUTTONPRESSED:
      return true;
  }
  return false;
}

HRESULT ConsoleVerbs::GetVerbState(MMC_CONSOLE_VERB verb, MMC_BUTTON_STATE state, BOOL* value) {
  if (value == nullptr) return E_POINTER;
  *value = FALSE;
  if (!IsVerb(verb) || !IsStateBit(state)) return E_INVALIDARG;
  *value = Has(verb, state) ? TRUE : FALSE;
  return S_OK;
}

HRESULT ConsoleVerbs::SetVerbState(MMC_CONSOLE_VERB verb, MMC_BUTTON_STATE state, BOOL value) {
  if (!IsVerb(verb) || !IsStateBit(state)) return E_INVALIDARG;
  DWORD& bits = states_[verb - MMC_VERB_FIRST];
  if (value != FALSE) {
    bits |= state;
    if (state == ENABLED) bits &= ~static_cast<DWORD>(HIDDEN);
  } else {
    bits &= ~static_cast<DWORD>(state);
  }
  return S_OK;
}

HRESULT ConsoleVerbs::SetDefaultVerb(MMC_CONSOLE_VERB verb) {
  if (verb != MMC_VERB_NONE && !IsVerb(verb)) return E_INVALIDARG;
  default_verb_ = verb;
  return S_OK;
}

HRESULT ConsoleVerbs::GetDefaultVerb(MMC_CONSOLE_VERB* verb) {
  if (verb == nullptr) return E_POINTER;
  *verb = default_verb_;
  return S_OK;
}

}  // namespace pw::mmc
