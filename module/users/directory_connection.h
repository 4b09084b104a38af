// CDirectoryConnection: the user database's connection to the directory of the installation's
// directory mode, and the console commands that make and break it.
#pragma once

#include <string>

#include "mmc/mmc.h"
#include "platform/com/hresult.h"

class CComponentData;

// One per component data (its member), living as long as it. Holds the connection flag of each
// directory mode (only the current mode's is ever set) and whether the automatic connection has
// been tried. Connection failures are not reported here: the callers show them.
class CDirectoryConnection {
 public:
  // The user database flags of the own database's connection, and of the second try.
  static constexpr LONG kOwnDatabaseFlags = 7;
  static constexpr LONG kOwnDatabaseRetryFlags = 4;

  explicit CDirectoryConnection(CComponentData* component_data) : component_data_(component_data) {}

  // The connection string of `mode`; `directory_server` counts in mode 2, `server_path` in 3.
  static std::wstring ConnectionString(DWORD mode, const std::wstring& directory_server,
                                       const std::wstring& server_path);

  // Shows the wait box and connects as the current mode wants; E_INVALIDARG in another mode.
  HRESULT ConnectDirectory();
  HRESULT ConnectToActiveDirectory();
  HRESULT ConnectToExchange();
  // Always marked connected afterwards: the own database may be created later.
  HRESULT ConnectToUserDatabase();
  HRESULT DisconnectDirectory();
  HRESULT DisconnectFromExchange();
  bool IsConnected() const;

  // The automatic connection of the first result view, once per snap-in instance; in mode 2
  // only with a directory server. Runs under a wait cursor.
  void ConnectAutomatically();
  bool connection_tried() const { return connection_tried_; }

  // The Licensed users node's commands: connect (Active Directory or the "Exchange DSA"
  // dialog) and disconnect from the DSA. `scope_item` is selected again when the state changed.
  HRESULT ConnectCommand(IConsole* console, HSCOPEITEM scope_item);
  HRESULT DisconnectCommand(IConsole* console, HSCOPEITEM scope_item);

 private:
  // The flag of `mode`; null for an unknown one.
  bool* FlagOf(DWORD mode);
  HRESULT Disconnect(DWORD mode);

  CComponentData* component_data_;
  bool exchange_connected_ = false;
  bool active_directory_connected_ = false;
  bool user_database_connected_ = false;
  bool connection_tried_ = false;
};
