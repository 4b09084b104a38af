// The shared user field rules and the automatic filling.
#include "module/users/user_pages_fields.h"

#include <cwctype>

namespace pw {
namespace {

bool IsAddressChar(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
         c == L'-' || c == L'.' || c == L'_';
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

bool IsValidLogin(const std::wstring& login) {
  return !login.empty() && login.find_first_of(L"|\\/:*?\"<>") == std::wstring::npos;
}

bool IsValidEmail(const std::wstring& address) {
  const std::size_t at = address.find(L'@');
  if (at == std::wstring::npos || at == 0 || at + 1 == address.size()) return false;
  for (std::size_t i = 0; i < address.size(); ++i) {
    if (i != at && !IsAddressChar(address[i])) return false;
  }
  return true;
}

std::wstring TrimBlanks(const std::wstring& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

void SplitFullName(const std::wstring& full_name, std::wstring* first, std::wstring* last) {
  const std::size_t comma = full_name.find(L',');
  if (comma != std::wstring::npos) {
    *last = TrimBlanks(full_name.substr(0, comma));
    *first = TrimBlanks(full_name.substr(comma + 1));
    return;
  }
  const std::wstring trimmed = TrimBlanks(full_name);
  const std::size_t blank = trimmed.find_first_of(L" \t");
  if (blank == std::wstring::npos) {
    *first = trimmed;
    last->clear();
    return;
  }
  *first = trimmed.substr(0, blank);
  *last = TrimBlanks(trimmed.substr(blank + 1));
}

std::wstring JoinFullName(const std::wstring& first, const std::wstring& last) {
  if (first.empty()) return last;
  if (last.empty()) return first;
  return first + L" " + last;
}

std::wstring NetworksAddressOnOk(const std::wstring& login) {
  std::wstring address = login.substr(0, login.find(L' '));
  if (address.find(L'@') == std::wstring::npos) address += L"@Pagewell";
  return address;
}

void UserFieldFiller::MarkFilledAsTyped() {
  for (UserField field : {UserField::kLogin, UserField::kFullName, UserField::kEmail,
                          UserField::kFirstName, UserField::kLastName, UserField::kInternetEmail}) {
    typed_[Index(field)] = !read_(field).empty();
  }
}

void UserFieldFiller::Write(UserField field, const std::wstring& text) {
  if (typed_[Index(field)]) return;
  const bool outer = !filling_;
  filling_ = true;
  write_(field, text);
  if (outer) filling_ = false;
}

bool UserFieldFiller::OnChanged(UserField field) {
  if (filling_) return false;
  typed_[Index(field)] = !read_(field).empty();
  filling_ = true;
  switch (field) {
    case UserField::kLogin:
      LoginRule(true);
      break;
    case UserField::kFullName:
      FullNameRule();
      break;
    case UserField::kFirstName:
    case UserField::kLastName:
      Write(UserField::kFullName,
            JoinFullName(read_(UserField::kFirstName), read_(UserField::kLastName)));
      break;
    case UserField::kEmail: {
      const std::wstring address = read_(UserField::kEmail);
      Write(UserField::kLogin, address.substr(0, address.find(L'@')));
      LoginRule(false);
      Write(UserField::kInternetEmail, address);
      break;
    }
    case UserField::kInternetEmail:
      break;
  }
  filling_ = false;
  return true;
}

void UserFieldFiller::FillNetworksAddress() {
  const bool outer = !filling_;
  filling_ = true;
  const std::wstring login = read_(UserField::kLogin);
  // A login that is already an address gets no second suffix, as on OK.
  if (login.find(L' ') == std::wstring::npos) {
    Write(UserField::kEmail,
          login.empty() || login.find(L'@') != std::wstring::npos ? login : login + L"@Pagewell");
  }
  if (outer) filling_ = false;
}

void UserFieldFiller::LoginRule(bool fill_email) {
  const std::wstring login = read_(UserField::kLogin);
  if (!typed(UserField::kFullName)) {
    Write(UserField::kFullName, login);
    FullNameRule();
  }
  if (fill_email) {
    if (mail_system_ == kMailSystemSmtp) {
      Write(UserField::kEmail, login);
    } else {
      FillNetworksAddress();
    }
  }
  Write(UserField::kInternetEmail, read_(UserField::kEmail));
}

void UserFieldFiller::FullNameRule() {
  std::wstring first;
  std::wstring last;
  SplitFullName(read_(UserField::kFullName), &first, &last);
  Write(UserField::kFirstName, first);
  Write(UserField::kLastName, last);
}

}  // namespace pw
