// The stores of a server installation: its configuration and its own user database, made when
// missing and opened for the setup steps that fill them.
#pragma once

#include <memory>
#include <string>

#include "installation/interfaces/ardent_db.h"
#include "installation/interfaces/ardent_userdb.h"
#include "installation/setup/setup_status.h"

namespace pw::setup {

// Owns the open configuration store and the connected user database of one server folder for
// the duration of a setup run; closes both when destroyed. Made by Open, which needs the
// store and user database modules registered in the registry in use.
class ServerStores {
 public:
  // Creates the configuration and the user database "pwdb_usr.fst" in `folder` unless they
  // exist (an existing one is kept as it is, and must open), then opens both.
  static SetupStatus Open(const std::string& folder, SetupReport* report,
                          std::unique_ptr<ServerStores>* stores);
  // An object with nothing open yet; Open is the way to get a usable one.
  explicit ServerStores(std::string folder);
  ~ServerStores();
  ServerStores(const ServerStores&) = delete;
  ServerStores& operator=(const ServerStores&) = delete;

  // Makes sure of the server's default users, routers and administrators through the user
  // utility library in `program_folder`, as the console does after connecting.
  SetupStatus InstallDefaults(LONG directory_mode, const std::string& program_folder,
                              SetupReport* report);

  const std::string& folder() const { return folder_; }
  const std::string& configuration_file() const { return configuration_file_; }
  const std::string& user_db_file() const { return user_db_file_; }
  IArdentRULEDB* rules() const { return rules_.Get(); }
  IPagewell* settings() const { return settings_.Get(); }
  IArdentDBSetup* setup() const { return setup_.Get(); }
  IArdentUserLocator* users() const { return users_.Get(); }

 private:
  SetupStatus OpenConfiguration(SetupReport* report);
  SetupStatus ConnectUserDb(SetupReport* report);

  std::string folder_;
  std::string configuration_file_;
  std::string user_db_file_;
  IArdentDBPtr store_;
  IArdentRULEDBPtr rules_;
  IPagewellPtr settings_;
  IArdentDBSetupPtr setup_;
  IArdentUserDBPtr user_db_;
  IArdentUserLocatorPtr users_;
};

}  // namespace pw::setup
