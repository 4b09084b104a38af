// The property pages of a user node: six read-only pages for Active Directory and Exchange 5.5
// objects, and the editable page of a user of the server's own user database.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "module/snapin/mmc_property_page.h"
#include "module/users/name_lookup_info.h"
#include "module/users/user_pages_fields.h"

// A read-only page that shows fields of a directory object. Members of the user node, alive as
// long as the node; Fill copies the record before the sheet shows the page.
//
// Deriving: pass the template and caption, and list the (control, field) pairs in Fields(); a
// page with an address list names its list control.
class CPropPageDirectoryBase : public CMMCPropertyPage {
 public:
  struct FieldText {
    UINT control;
    std::wstring text;
  };

  CPropPageDirectoryBase(UINT template_id, UINT caption_id);

  void Fill(const CNameLookupInfo& record, std::vector<std::wstring> addresses);

  // "Type" and "Address" of one address value: the text before the first separator (':' in
  // Active Directory, '$' in Exchange 5.5) and the rest; the whole value without one.
  static std::pair<std::wstring, std::wstring> SplitAddress(const std::wstring& value,
                                                            DWORD user_mode);

 protected:
  BOOL OnInitDialog() override;
  virtual std::vector<FieldText> Fields(const CNameLookupInfo& record) const = 0;
  // 0 when the page has no address list.
  virtual UINT AddressListId() const { return 0; }

 private:
  std::unique_ptr<CNameLookupInfo> record_;
  std::vector<std::wstring> addresses_;
};

class CPropPageUserGeneral : public CPropPageDirectoryBase {
 public:
  CPropPageUserGeneral();

 protected:
  std::vector<FieldText> Fields(const CNameLookupInfo& record) const override;
};

class CPropPageUserAddress : public CPropPageDirectoryBase {
 public:
  CPropPageUserAddress();

 protected:
  std::vector<FieldText> Fields(const CNameLookupInfo& record) const override;
};

class CPropPageUserPhones : public CPropPageDirectoryBase {
 public:
  CPropPageUserPhones();

 protected:
  std::vector<FieldText> Fields(const CNameLookupInfo& record) const override;
};

class CPropPageUserOrganization : public CPropPageDirectoryBase {
 public:
  CPropPageUserOrganization();

 protected:
  std::vector<FieldText> Fields(const CNameLookupInfo& record) const override;
  UINT AddressListId() const override;
};

class CPropPageGroupGeneral : public CPropPageDirectoryBase {
 public:
  CPropPageGroupGeneral();

 protected:
  std::vector<FieldText> Fields(const CNameLookupInfo& record) const override;
  UINT AddressListId() const override;
};

class CPropPageMTAGeneral : public CPropPageDirectoryBase {
 public:
  CPropPageMTAGeneral();

 protected:
  std::vector<FieldText> Fields(const CNameLookupInfo& record) const override;
  UINT AddressListId() const override;
};

// The values of the own-database page: what it shows and, after apply, what the node writes.
struct UserPageValues {
  std::wstring header;
  std::wstring login;
  std::wstring full_name;
  std::wstring email;
  long mail_system = pw::kMailSystemNetworks;
  std::wstring first_name;
  std::wstring last_name;
  std::wstring company;
  std::wstring department;
  std::wstring fax;
  std::wstring voice;
  std::wstring internet_email;
};

// The editable page of a user of the server's own database (mode 3). Member of the user node;
// the node fills it before the sheet shows it and, on the property change, writes values().
class CPropPageUserSmtp : public CMMCPropertyPage {
 public:
  CPropPageUserSmtp();
  ~CPropPageUserSmtp() override;

  // The user shown; `identity` is excluded from the uniqueness checks.
  void Fill(const UserPageValues& values, const std::wstring& identity);
  const UserPageValues& values() const { return values_; }

  BOOL OnKillActive() override;
  BOOL OnApply() override;

 protected:
  BOOL OnInitDialog() override;
  const pw::ui::MessageMap* GetMessageMap() const override;

 private:
  void OnEditChange(UINT id);
  void OnMailSystem(UINT id);
  // Warns, selects the field's text and focuses it.
  void Refuse(UINT message_id, UINT control);
  void ReadControls();
  // Whether another registered user has this login or address.
  bool LoginTaken(const std::wstring& login) const;
  bool AddressTaken(const std::wstring& address) const;

  UserPageValues values_;
  std::wstring identity_;
  std::wstring initial_login_;
  std::wstring initial_email_;
  std::unique_ptr<pw::UserFieldFiller> filler_;
};

class CComponentData;

namespace pw {

// Whether a registered user ("faxusers") other than `except_identity` is found in the user
// database by `search_type` (udbSearchLogin, udbSearchMail) with `text`. Store failures answer
// false: the database's own uniqueness check still refuses the save.
bool RegisteredUserHas(CComponentData* component_data, long search_type, const std::wstring& text,
                       const std::wstring& except_identity);

}  // namespace pw
