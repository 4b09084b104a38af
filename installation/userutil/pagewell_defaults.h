// The server's defaults: a registered user, default routers and an administrator.
#pragma once

#include <string>

#include "installation/interfaces/ardent_db.h"
#include "installation/interfaces/ardent_userdb.h"

namespace pw::userutil {

struct DefaultsRequest {
  LONG directory_mode = 3;
  LONG what = 0;         // USERUTIL_DEFAULTS_* bits
  LONG mail_system = 0;  // "ardentCustomFlags" of a default user made here
  std::wstring user_db_argument;
};

// What UserUtil_InstallPagewellDefaults does once its arguments are checked: S_OK when
// something was added, S_FALSE when nothing was missing. Throws ComError on a failed store or
// database call.
HRESULT InstallDefaults(IArdentRULEDB& rules, IArdentUserDB* user_db,
                        const DefaultsRequest& request);

}  // namespace pw::userutil
