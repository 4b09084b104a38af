// The module's four exports, serving class ArdentDB.
#include "installation/common/module_exports.h"
#include "installation/interfaces/ardent_db.h"
#include "installation/store/configuration_store.h"

namespace {

const pw::install::ModuleClass kServed{CLSID_ArdentDB, L"ArdentDB Class",
                                       &pw::install::CreateObject<pw::store::ConfigurationStore>};

}  // namespace

PW_DEFINE_MODULE_EXPORTS(kServed)
