// The configuration file: its schema, how one is created, and the checks that an existing
// file passes before the store uses it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "installation/store/sqlite_database.h"

namespace pw::store {

// Kept in the file header's "user_version". A store refuses a file of another version: it
// never changes a file it does not understand.
inline constexpr std::int64_t kSchemaVersion = 1;
// Kept in the file header's "application_id" ("PWCF"), so that another program's SQLite file
// is not taken for a configuration.
inline constexpr std::int64_t kApplicationId = 0x50574346;

// The configuration file of a server path folder (a POSIX path).
std::string ConfigurationFile(const std::string& folder);

// Opens the configuration in `folder` for use: ARDENTDB_E_NOFOLDER, ARDENTDB_E_NOCONFIGURATION,
// ARDENTDB_E_EMPTYFILE, ARDENTDB_E_NOTCONFIGURATION, ARDENTDB_E_NEWERSCHEMA,
// ARDENTDB_E_OLDERSCHEMA or ARDENTDB_E_CORRUPT when it is not one this store can use. Nothing
// is written to a file that fails.
[[nodiscard]] HRESULT OpenConfiguration(const std::string& folder,
                                        std::unique_ptr<Database>* database);

// Creates a configuration in the existing `folder`: ARDENTDB_E_NOFOLDER without the folder,
// ARDENTDB_E_CONFIGURATIONEXISTS when a configuration file (or anything of its name) is there.
// A creation that fails removes what it made.
[[nodiscard]] HRESULT CreateConfiguration(const std::string& folder);

}  // namespace pw::store
