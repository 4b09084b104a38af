// Resource ids of the server connection: start-up messages and the launcher's failure.
#pragma once

#include "platform/com/types.h"

inline constexpr UINT IDS_INVALID_USER_MODE = 76;
inline constexpr UINT IDS_LAUNCH_FAILED = 146;
inline constexpr UINT IDS_NOT_INSTALLED_FIXED = 369;
inline constexpr UINT IDS_CONFIGURATION_INACCESSIBLE = 370;
inline constexpr UINT IDS_NOT_INSTALLED_ANY = 371;
inline constexpr UINT IDS_REMOTE_SETTINGS_MISSING = 415;
