// CNameTranslate: the login of a directory user from its distinguished name.
#include "module/users/name_translate.h"

#include <cwctype>
#include <vector>

#include "platform/com/strings.h"

HRESULT CNameTranslate::Init(LONG init_type, std::wstring_view path, IArdentUserLocator* users) {
  if (init_type != ADS_NAME_INITTYPE_GC || !path.empty() || users == nullptr) {
    return E_INVALIDARG;
  }
  users_ = users;
  return S_OK;
}

HRESULT CNameTranslate::Set(LONG type, std::wstring_view name) {
  if (type != ADS_NAME_TYPE_1779 || name.empty()) return E_INVALIDARG;
  if (users_ == nullptr) return E_UNEXPECTED;
  distinguished_name_ = name;
  return S_OK;
}

HRESULT CNameTranslate::Get(LONG type, std::wstring* name) const {
  if (name == nullptr) return E_POINTER;
  name->clear();
  if (type != ADS_NAME_TYPE_NT4) return E_INVALIDARG;
  if (users_ == nullptr || distinguished_name_.empty()) return E_UNEXPECTED;
  const std::wstring domain = DomainOf(distinguished_name_);
  if (domain.empty()) return kNameNotFound;
  IArdentUser* raw = nullptr;
  const HRESULT found = users_->raw_FindUser(udbSearchDN, distinguished_name_.c_str(), &raw);
  const IArdentUserPtr user = IArdentUserPtr::Adopt(raw);
  if (FAILED(found)) return found;
  if (!user) return kNameNotFound;
  VARIANT account;
  const HRESULT read = user->raw_GetAttribute(L"ardentWindowsAccount", &account);
  if (FAILED(read)) return read;
  if (account.vt() != VT_BSTR || account.bstrVal().empty()) return kNameNotFound;
  *name = domain + L"\\" + account.bstrVal();
  return S_OK;
}

std::wstring CNameTranslate::DomainOf(std::wstring_view distinguished_name) {
  std::vector<std::wstring> parts(1);
  for (std::size_t i = 0; i < distinguished_name.size(); ++i) {
    const wchar_t c = distinguished_name[i];
    if (c == L'\\' && i + 1 < distinguished_name.size()) {
      parts.back() += distinguished_name[++i];
    } else if (c == L',') {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  for (const std::wstring& part : parts) {
    const std::wstring_view trimmed = pw::Trim(part);
    const std::size_t equals = trimmed.find(L'=');
    if (equals == std::wstring_view::npos ||
        !pw::EqualsIgnoreCase(pw::Trim(trimmed.substr(0, equals)), L"DC")) {
      continue;
    }
    std::wstring domain(pw::Trim(trimmed.substr(equals + 1)));
    for (wchar_t& letter : domain) {
      letter = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(letter)));
    }
    return domain;
  }
  return {};
}
