// The module's four exports, serving class ArdentUserDB.
#include "installation/common/module_exports.h"
#include "installation/interfaces/ardent_userdb.h"
#include "installation/userdb/user_database.h"

namespace {

const pw::install::ModuleClass kServed{CLSID_ArdentUserDB, L"ArdentUserDB Class",
                                       &pw::install::CreateObject<pw::userdb::UserDatabase>};

}  // namespace

PW_DEFINE_MODULE_EXPORTS(kServed)
