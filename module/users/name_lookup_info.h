// CNameLookupInfo: the record of one registered user, group or mailbox agent, resolved from the
// server's user database through a process-wide cache.
#pragma once

#include <map>
#include <string>

#include "installation/interfaces/ardent_userdb.h"
#include "platform/com/com_ptr.h"

// What the snap-in shows of one directory object, from the identity the configuration store
// keeps for it. Lifetime: owned by the node, page or dialog that made it; made unresolved, filled
// at most once by Lookup and once by LookupDetails. Copies go into the process-wide cache, which
// keeps the first successful answer for each identity until EraseFromCache.
//
// Every user database failure ends in fallback values (the identity as the name) and a log
// line; nothing is reported to the administrator and no exception leaves a lookup.
class CNameLookupInfo {
 public:
  // Directory modes, the numbering of the installation.
  static constexpr DWORD kActiveDirectory = 1;
  static constexpr DWORD kExchange55 = 2;
  static constexpr DWORD kOwnDatabase = 3;

  CNameLookupInfo(IArdentUserLocator* user_locator, DWORD user_mode, std::wstring guid);
  CNameLookupInfo(const CNameLookupInfo& other) = default;
  CNameLookupInfo& operator=(const CNameLookupInfo& other) = default;
  virtual ~CNameLookupInfo() = default;

  // The basic lookup: name, login, e-mail, distinguished name, object type and display text.
  void Lookup();
  bool IsResolved() const { return resolved_; }
  // The personal details the property pages show.
  void LookupDetails();
  bool HasDetails() const { return has_details_; }
  // Copies the cached record of this identity, if there is one, and marks this one resolved.
  // Answers whether the cache had it.
  bool LoadFromCache();

  // The cache, shared by every snap-in instance of the process.
  static void EraseFromCache(const std::wstring& guid);
  static void ClearCache();
  static bool IsCached(const std::wstring& guid);

  IArdentUserLocator* user_locator() const { return user_locator_.Get(); }
  DWORD user_mode() const { return user_mode_; }
  const std::wstring& guid() const { return guid_; }
  const std::wstring& name() const { return basic_.name; }
  const std::wstring& login() const { return basic_.login; }
  // "user", "group", "mailboxagent", or empty when the directory did not say.
  const std::wstring& object_type() const { return basic_.object_type; }
  const std::wstring& display_text() const { return basic_.display_text; }
  const std::wstring& email() const { return basic_.email; }
  const std::wstring& distinguished_name() const { return basic_.distinguished_name; }

  // Details, empty until LookupDetails.
  const std::wstring& first_name() const { return details_.first_name; }
  const std::wstring& last_name() const { return details_.last_name; }
  const std::wstring& initials() const { return details_.initials; }
  const std::wstring& description() const { return details_.description; }
  const std::wstring& office() const { return details_.office; }
  const std::wstring& telephone() const { return details_.telephone; }
  const std::wstring& web_page() const { return details_.web_page; }
  const std::wstring& uid() const { return details_.uid; }
  const std::wstring& street() const { return details_.street; }
  const std::wstring& city() const { return details_.city; }
  const std::wstring& state_or_province() const { return details_.state_or_province; }
  const std::wstring& postal_code() const { return details_.postal_code; }
  const std::wstring& country() const { return details_.country; }
  const std::wstring& post_office_box() const { return details_.post_office_box; }
  const std::wstring& title() const { return details_.title; }
  const std::wstring& department() const { return details_.department; }
  const std::wstring& company() const { return details_.company; }
  const std::wstring& home_phone() const { return details_.home_phone; }
  const std::wstring& pager() const { return details_.pager; }
  const std::wstring& mobile() const { return details_.mobile; }
  const std::wstring& fax() const { return details_.fax; }
  const std::wstring& ip_phone() const { return details_.ip_phone; }
  const std::wstring& notes() const { return details_.notes; }
  const std::wstring& computer_name() const { return details_.computer_name; }
  const std::wstring& secretary() const { return details_.secretary; }
  const std::wstring& manager() const { return details_.manager; }
  const std::wstring& internet_email() const { return details_.internet_email; }
  LONG custom_flags() const { return details_.custom_flags; }

 private:
  // What the basic lookup finds; the cache keeps these per identity.
  struct Basic {
    std::wstring name;
    std::wstring login;
    std::wstring object_type;
    std::wstring display_text;
    std::wstring email;
    std::wstring distinguished_name;
  };
  struct Details {
    std::wstring first_name;
    std::wstring last_name;
    std::wstring initials;
    std::wstring description;
    std::wstring office;
    std::wstring telephone;
    std::wstring web_page;
    std::wstring uid;
    std::wstring street;
    std::wstring city;
    std::wstring state_or_province;
    std::wstring postal_code;
    std::wstring country;
    std::wstring post_office_box;
    std::wstring title;
    std::wstring department;
    std::wstring company;
    std::wstring home_phone;
    std::wstring pager;
    std::wstring mobile;
    std::wstring fax;
    std::wstring ip_phone;
    std::wstring notes;
    std::wstring computer_name;
    std::wstring secretary;
    std::wstring manager;
    std::wstring internet_email;
    LONG custom_flags = 0;
  };

  // The user database's object for the identity, searched as the mode wants; null when the
  // mode is unknown (`known_mode` false) or the search failed (`failure` its result).
  IArdentUserPtr FindObject(bool* known_mode, HRESULT* failure);
  void ReadBasic(IArdentUser& user);
  void ReadObjectType(IArdentUser& user);
  void ComposeDisplayText();
  void ReadDetails(IArdentUser& user);
  void UseIdentityAsName();

  static std::map<std::wstring, Basic>& Cache();

  pw::ComPtr<IArdentUserLocator> user_locator_;
  DWORD user_mode_ = 0;
  bool resolved_ = false;
  bool has_details_ = false;
  std::wstring guid_;
  Basic basic_;
  Details details_;
};
