// The rules shared by the own-database user page and the add-user dialog: what a valid login
// and e-mail address are, how names are split and joined, and the automatic filling of the
// fields while the administrator types.
#pragma once

#include <array>
#include <functional>
#include <string>

namespace pw {

// Mail system values of "ardentCustomFlags".
inline constexpr long kMailSystemNetworks = 0;
inline constexpr long kMailSystemSmtp = 1;

// Not empty, and none of | \ / : * ? " < >.
bool IsValidLogin(const std::wstring& login);
// One or more of letters, digits, '-', '.', '_'; '@'; one or more of the same; nothing else.
bool IsValidEmail(const std::wstring& address);
// Blanks and tabs off both ends.
std::wstring TrimBlanks(const std::wstring& text);
// "Last, First" or "First Last..." into its trimmed parts.
void SplitFullName(const std::wstring& full_name, std::wstring* first, std::wstring* last);
// "First Last", or the one that is not empty.
std::wstring JoinFullName(const std::wstring& first, const std::wstring& last);
// The Networks address a login gives: the login up to its first blank, then "@Pagewell" unless
// that text already holds an "@".
std::wstring NetworksAddressOnOk(const std::wstring& login);

// The fields the automatic filling knows.
enum class UserField { kLogin, kFullName, kEmail, kFirstName, kLastName, kInternetEmail };

// Automatic filling: each rule writes only a field that the administrator has not typed into;
// a field whose text becomes empty counts as untyped again. Owned by its dialog or page; the
// two functions read and write the fields' controls. Changes that the filler itself makes
// come back as change notifications: it ignores them.
class UserFieldFiller {
 public:
  using Reader = std::function<std::wstring(UserField)>;
  using Writer = std::function<void(UserField, const std::wstring&)>;

  UserFieldFiller(Reader read, Writer write) : read_(std::move(read)), write_(std::move(write)) {}

  // Marks every field that holds text as typed (a page showing an existing user).
  void MarkFilledAsTyped();
  void SetTyped(UserField field, bool typed) { typed_[Index(field)] = typed; }
  bool typed(UserField field) const { return typed_[Index(field)]; }
  void set_mail_system(long mail_system) { mail_system_ = mail_system; }
  long mail_system() const { return mail_system_; }
  // True while the filler writes a field.
  bool filling() const { return filling_; }

  // A field changed; answers false when the change was the filler's own.
  bool OnChanged(UserField field);
  // The Networks address for the current login, as while typing (not when it has a blank).
  void FillNetworksAddress();

 private:
  static std::size_t Index(UserField field) { return static_cast<std::size_t>(field); }
  void Write(UserField field, const std::wstring& text);
  void LoginRule(bool fill_email);
  void FullNameRule();

  Reader read_;
  Writer write_;
  std::array<bool, 6> typed_{};
  long mail_system_ = kMailSystemNetworks;
  bool filling_ = false;
};

}  // namespace pw
