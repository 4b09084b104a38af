// The server's stores as the snap-in holds them: the configuration store with its rule and
// settings interfaces, and the user database with its locator.
#pragma once

#include <string>

#include "installation/interfaces/ardent_db.h"
#include "installation/interfaces/ardent_userdb.h"

// Owned by the component data from its Initialize to its Destroy. The objects are created
// once; the configuration store is opened (and reopened on another computer) at a server path.
class CServerStores {
 public:
  // Creates the objects in the installation's order and queries their interfaces, logging each
  // step's line first. A configuration store that cannot be created shows its own plain
  // message box. Answers the first failure (logged as "FAILED: HRESULT = 0x…").
  HRESULT Create();
  // Opens the configuration store at `server_path`; the store's answer, S_OK when usable.
  HRESULT OpenConfiguration(const std::wstring& server_path);
  // Closes the configuration store and the user database. Store errors are caught and
  // ignored: the objects are going away.
  void Close();
  // Closes the configuration store only, before it is opened at another path.
  void CloseConfiguration();

  IArdentDB* configuration() const { return configuration_.Get(); }
  IArdentRULEDB* rules() const { return rules_.Get(); }
  IPagewell* settings() const { return settings_.Get(); }
  IArdentUserDB* user_db() const { return user_db_.Get(); }
  IArdentUserLocator* user_locator() const { return user_locator_.Get(); }

 private:
  IArdentDBPtr configuration_;
  IArdentRULEDBPtr rules_;
  IPagewellPtr settings_;
  pw::ComPtr<IArdentUserDB> user_db_;
  pw::ComPtr<IArdentUserLocator> user_locator_;
};
