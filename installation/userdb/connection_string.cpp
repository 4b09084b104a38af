// Parsing of connection strings.
#include "installation/userdb/connection_string.h"

#include <set>

#include "platform/com/strings.h"

namespace pw::userdb {
namespace {

constexpr std::wstring_view kDbPathKey = L"dbpath=";

bool IsOneOf(std::wstring_view word, std::initializer_list<std::wstring_view> words) {
  for (std::wstring_view candidate : words) {
    if (EqualsIgnoreCase(word, candidate)) return true;
  }
  return false;
}

}  // namespace

HRESULT ParseConnectionString(std::wstring_view text, ConnectionTarget* target) {
  *target = ConnectionTarget();
  text = Trim(text);
  if (text.size() >= kDbPathKey.size() &&
      EqualsIgnoreCase(text.substr(0, kDbPathKey.size()), kDbPathKey)) {
    target->kind = ConnectionTarget::Kind::kOwnDatabase;
    target->file = Trim(text.substr(kDbPathKey.size()));
    return target->file.empty() ? E_INVALIDARG : S_OK;
  }

  std::set<std::wstring, LessIgnoreCase> seen;
  std::wstring directory_type;
  while (!text.empty()) {
    const std::size_t end = text.find(L';');
    const std::wstring_view pair = Trim(text.substr(0, end));
    text = end == std::wstring_view::npos ? std::wstring_view() : text.substr(end + 1);
    if (pair.empty()) continue;
    const std::size_t equals = pair.find(L'=');
    if (equals == std::wstring_view::npos) return E_INVALIDARG;
    const std::wstring_view key = Trim(pair.substr(0, equals));
    const std::wstring_view value = Trim(pair.substr(equals + 1));
    if (value.empty() || !seen.emplace(key).second) return E_INVALIDARG;
    if (EqualsIgnoreCase(key, L"directorytype")) {
      if (!IsOneOf(value, {L"ad", L"ex55"})) return E_INVALIDARG;
      directory_type = value;
    } else if (EqualsIgnoreCase(key, L"directoryserver")) {
      target->server = value;
    } else if (EqualsIgnoreCase(key, L"searchscope")) {
      if (!IsOneOf(value, {L"base", L"onelevel", L"subtree", L"children"})) return E_INVALIDARG;
      target->scope = EqualsIgnoreCase(value, L"base")       ? ConnectionTarget::Scope::kBase
                      : EqualsIgnoreCase(value, L"onelevel") ? ConnectionTarget::Scope::kOneLevel
                                                             : ConnectionTarget::Scope::kSubtree;
    } else if (EqualsIgnoreCase(key, L"searchbase")) {
      if (!EqualsIgnoreCase(value, L"top")) target->search_base = value;
    } else {
      return E_INVALIDARG;
    }
  }
  if (directory_type.empty()) return E_INVALIDARG;
  if (EqualsIgnoreCase(directory_type, L"ad")) {
    target->kind = ConnectionTarget::Kind::kActiveDirectory;
    return S_OK;
  }
  target->kind = ConnectionTarget::Kind::kExchange55;
  return target->server.empty() ? E_INVALIDARG : S_OK;
}

}  // namespace pw::userdb
