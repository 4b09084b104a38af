// The open user database that a user database object shares with the user objects it hands
// out.
#pragma once

#include <memory>
#include <mutex>

#include "installation/userdb/sqlite_file.h"

namespace pw::userdb {

// Made by Connect; Close empties it, so that user objects that outlive the connection fail
// cleanly instead of writing through a closed one. Lock `mutex` for every use of `database`.
struct SharedConnection {
  std::mutex mutex;
  std::unique_ptr<Database> database;
};

}  // namespace pw::userdb
