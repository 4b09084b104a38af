// The sample content of the demo server: users, lines, MSNs, routes and coverpage rules.
#pragma once

#include <span>
#include <string>

#include "installation/setup/server_stores.h"

namespace pw::setup {

// A user or group of the demo's own user database.
struct DemoUser {
  const wchar_t* type;   // "user" or "group"
  const wchar_t* login;  // users only: the login ("ardentWindowsAccount")
  const wchar_t* name;   // "cn" and "displayName"
  const wchar_t* mail;   // the address by which a group is found again
};

// A demo route: its rule type, value, and the index into DemoUsers() of its receiver.
struct DemoRoute {
  const wchar_t* type;
  const wchar_t* value;
  std::size_t user;
};

std::span<const DemoUser> DemoUsers();
std::span<const DemoRoute> DemoRoutes();
// The demo's lines and MSNs, as the server's line configuration would list them.
std::span<const wchar_t* const> DemoLines();
std::span<const wchar_t* const> DemoMSNs();
// The sample coverpage that the demo makes the default one.
inline constexpr wchar_t kDemoDefaultCoverpage[] = L"Standard";

// Adds to an opened demo server what it lacks of the sample content: the users (registered as
// fax users), the lines and MSNs (only when the configuration lists none), the routes and the
// coverpage rules. Everything that exists already, matched by login, address, rule value or
// coverpage name, is kept as it is.
SetupStatus EnsureDemoContent(const ServerStores& stores, SetupReport* report);

// Puts a stand-in for the OCR engine into the demo server's folder, so that the console's OCR
// list is usable there; the console only checks that the engine file exists.
SetupStatus EnsureDemoOcrEngine(const std::string& server_folder, SetupReport* report);

}  // namespace pw::setup
