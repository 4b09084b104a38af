// The messaging profile library's export.
#include "installation/interfaces/exchange_profile.h"
#include "installation/profile/messaging_profile.h"
#include "platform/com/hresult.h"

extern "C" __attribute__((visibility("default"))) LONG CreateExchange55Profile(
    LPCWSTR profile, LPCWSTR server, LPCWSTR mailbox_prompt, DWORD flags) {
  // No exception may leave a library export.
  try {
    pw::profile::MessagingProfile values;
    values.server = server != nullptr ? server : L"";
    values.mailbox_prompt = mailbox_prompt != nullptr ? mailbox_prompt : L"";
    values.flags = flags;
    return pw::profile::WriteProfile(profile != nullptr ? profile : L"", values);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}
