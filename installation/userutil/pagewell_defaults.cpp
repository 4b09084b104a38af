// Installing the server's defaults.
#include "installation/userutil/pagewell_defaults.h"

#include <algorithm>
#include <optional>

#include "installation/interfaces/userutil.h"
#include "installation/userutil/list_members.h"
#include "installation/userutil/userutil_log.h"
#include "platform/com/strings.h"

namespace pw::userutil {
namespace {

constexpr const wchar_t* kRouterLists[] = {L"defrouters", L"smsdefrouters"};
constexpr wchar_t kAdminList[] = L"admins";
constexpr wchar_t kUserList[] = L"faxusers";

// The console's user database for the length of one call: connected here when it was not
// connected yet (and closed again at the end), so that the console's own connection attempt
// later finds it as it left it.
class BorrowedUserDatabase {
 public:
  BorrowedUserDatabase(IArdentUserDB* user_db, const DefaultsRequest& request) : user_db_(user_db) {
    if (user_db_ == nullptr) return;
    if (request.directory_mode == 3 && !request.user_db_argument.empty()) {
      const HRESULT hr =
          user_db_->raw_Connect(UDB_CONNECT_WRITE | UDB_CONNECT_CREATE | UDB_CONNECT_OPEN,
                                request.user_db_argument.c_str());
      connected_here_ = hr == S_OK;
      if (FAILED(hr) && hr != UDB_E_ALREADYCONNECTED) {
        Log(L"Cannot connect to the user database %s (0x%08X).", request.user_db_argument,
            static_cast<ULONG>(hr));
        return;
      }
    }
    IArdentUserDBPtr(user_db_).As(&locator_);
  }
  ~BorrowedUserDatabase() {
    locator_.Reset();
    if (connected_here_) (void)user_db_->raw_Close();
  }
  BorrowedUserDatabase(const BorrowedUserDatabase&) = delete;
  BorrowedUserDatabase& operator=(const BorrowedUserDatabase&) = delete;

  // Null when the directory cannot be searched.
  IArdentUserLocator* locator() const { return locator_.Get(); }

 private:
  IArdentUserDB* user_db_;
  IArdentUserLocatorPtr locator_;
  bool connected_here_ = false;
};

// The identity of the object that has the default login, when the directory can tell.
std::optional<std::wstring> FindDefaultUser(IArdentUserLocator* users) {
  if (users == nullptr) return std::nullopt;
  IArdentUser* raw = nullptr;
  if (users->raw_FindUser(udbSearchLogin, USERUTIL_DEFAULT_LOGIN, &raw) != S_OK) {
    return std::nullopt;
  }
  const IArdentUserPtr user = IArdentUserPtr::Adopt(raw);
  return user->GetIdentity();
}

// Makes the default user in the own database. Another object may hold the default address
// already (under another login): that object is the default user then.
std::wstring CreateDefaultUser(IArdentUserLocator& users, LONG mail_system) {
  const IArdentUserPtr user = users.CreateUser(L"user");
  user->SetAttribute(L"cn", VARIANT::FromBstr(USERUTIL_DEFAULT_LOGIN));
  user->SetAttribute(L"mail", VARIANT::FromBstr(USERUTIL_DEFAULT_ADDRESS));
  user->SetAttribute(L"ardentWindowsAccount", VARIANT::FromBstr(USERUTIL_DEFAULT_LOGIN));
  user->SetAttribute(L"ardentCustomFlags", VARIANT::FromI4(mail_system));
  const HRESULT hr = user->raw_Save();
  if (hr == UDB_E_DUPLICATEADDRESS) {
    IArdentUserPtr holder;
    if (users.FindUser(udbSearchMail, USERUTIL_DEFAULT_ADDRESS, &holder) == S_OK) {
      return holder->GetIdentity();
    }
  }
  CheckHresult(hr, IID_IArdentUser);
  Log(L"Created the default user %s.", user->GetIdentity());
  return user->GetIdentity();
}

bool Contains(const std::vector<std::wstring>& identities, const std::wstring& identity) {
  return std::any_of(identities.begin(), identities.end(), [&](const std::wstring& listed) {
    return EqualsIgnoreCase(listed, identity);
  });
}

}  // namespace

HRESULT InstallDefaults(IArdentRULEDB& rules, IArdentUserDB* user_db,
                        const DefaultsRequest& request) {
  const BorrowedUserDatabase directory(user_db, request);
  IArdentUserLocator* users = directory.locator();
  bool added = false;

  std::vector<std::wstring> registered = ListMembers(rules, kUserList);
  std::optional<std::wstring> default_user = FindDefaultUser(users);
  if ((request.what & USERUTIL_DEFAULTS_USERS) != 0 && registered.empty()) {
    // Only the own database is ours to add users to; a directory's users are its owner's.
    if (!default_user && request.directory_mode == 3 && users != nullptr) {
      default_user = CreateDefaultUser(*users, request.mail_system);
    }
    if (default_user) {
      AddToList(rules, kUserList, *default_user);
      Log(L"Registered the default user %s.", *default_user);
      registered.push_back(*default_user);
      added = true;
    } else {
      Log(L"No default user can be registered in directory mode %d.", request.directory_mode);
    }
  }

  std::optional<std::wstring> default_member;
  if (default_user && Contains(registered, *default_user)) {
    default_member = default_user;
  } else if (!registered.empty()) {
    default_member = registered.front();
  }
  std::vector<const wchar_t*> lists;
  if ((request.what & USERUTIL_DEFAULTS_ROUTERS) != 0) {
    lists.insert(lists.end(), std::begin(kRouterLists), std::end(kRouterLists));
  }
  if ((request.what & USERUTIL_DEFAULTS_ADMINS) != 0) lists.push_back(kAdminList);
  for (const wchar_t* list : lists) {
    if (!ListMembers(rules, list).empty()) continue;
    if (!default_member) {
      Log(L"The list %s stays empty: no user is registered.", list);
      continue;
    }
    AddToList(rules, list, *default_member);
    Log(L"Added %s to the list %s.", *default_member, list);
    added = true;
  }
  return added ? S_OK : S_FALSE;
}

}  // namespace pw::userutil
