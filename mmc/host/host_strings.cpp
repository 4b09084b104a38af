// The console host's texts, from its string tables.
#include "mmc/host/host_strings.h"

#include "mmc/resources/mmc_resource.h"
#include "platform/win/resources.h"

extern const pw::ResourceModule kMmcResources;

namespace pw::mmc {

std::wstring HostText(HostString id) {
  return LoadStringResource(kMmcResources.handle(), IDS_CONSOLE_TITLE + static_cast<UINT>(id));
}

}  // namespace pw::mmc
