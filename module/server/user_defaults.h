// The user utility library as the snap-in uses it: its log file and the server's default
// users, routers and administrators.
#pragma once

#include <string>

#include "installation/interfaces/userutil.h"

// What the defaults are installed for.
struct UserDefaultsRequest {
  IArdentRULEDB* rules = nullptr;
  IArdentUserDB* user_db = nullptr;
  DWORD directory_mode = 0;
  std::wstring mapi_profile;      // directory mode 2 only
  std::wstring directory_server;  // directory mode 2 only
  std::wstring server_path;
};

// Hands the library the diagnostic log's path (or turns its log off), logging the choice.
void SetUserUtilLogFile();
// Makes sure the server's defaults exist for the directory in use. The library's answer is
// not used: a server without defaults still opens.
void InstallUserDefaults(const UserDefaultsRequest& request);
// The user database's connection argument: "dbpath=" with the server path and the file name.
std::string UserDatabaseArgument(const std::wstring& server_path);
