// The library's C exports: argument checks, and the guard that keeps every exception inside.
#include <new>
#include <string>

#include "installation/interfaces/routeio.h"
#include "installation/routeio/route_transfer.h"
#include "installation/routeio/routeio_log.h"
#include "platform/com/strings.h"

#define PW_LIBRARY_EXPORT extern "C" __attribute__((visibility("default")))

namespace pw::routeio {
namespace {

// Runs an export's body; any exception becomes a failure that is logged with its code.
template <typename Body>
BOOL Guarded(const wchar_t* function, Body&& body) noexcept {
  HRESULT hr = E_UNEXPECTED;
  try {
    return body() ? TRUE : FALSE;
  } catch (const ComError& error) {
    hr = error.Error();
  } catch (const std::bad_alloc&) {
    hr = E_OUTOFMEMORY;
  } catch (...) {
  }
  try {
    Log(L"FAILED %s. Error 0x%08X.", function, static_cast<ULONG>(hr));
  } catch (...) {
  }
  return FALSE;
}

// The rule type in the store's spelling, or empty for a type that has no route files.
std::wstring RouteFileType(LPCWSTR rule_type) {
  if (rule_type == nullptr) return {};
  const std::wstring type = ToLower(rule_type);
  return type == L"csid" || type == L"did" ? type : std::wstring();
}

// Checks the arguments both routines share; logs what is wrong.
bool ArgumentsValid(const wchar_t* function, IArdentRULEDB** rules, LONG directory_mode,
                    const std::wstring& type, LPCWSTR path) {
  if (rules == nullptr || *rules == nullptr || directory_mode < 1 || directory_mode > 3 ||
      type.empty() || path == nullptr || *path == L'\0') {
    Log(L"%s: invalid arguments.", function);
    return false;
  }
  return true;
}

IArdentUserLocator* LocatorOf(IArdentUserLocator** users) {
  return users != nullptr ? *users : nullptr;
}

}  // namespace
}  // namespace pw::routeio

using pw::routeio::Guarded;

PW_LIBRARY_EXPORT BOOL RouteFile_Import(IArdentRULEDB** rules, IArdentUserLocator** users,
                                        LONG directory_mode, LPCWSTR rule_type, LPCWSTR path) {
  constexpr wchar_t kName[] = L"RouteFile_Import";
  return Guarded(kName, [&] {
    const std::wstring type = pw::routeio::RouteFileType(rule_type);
    if (!pw::routeio::ArgumentsValid(kName, rules, directory_mode, type, path)) return false;
    pw::routeio::ImportSummary summary;
    return pw::routeio::ImportRouteFile(**rules, pw::routeio::LocatorOf(users), directory_mode,
                                        type, path, &summary);
  });
}

PW_LIBRARY_EXPORT BOOL RouteFile_Export(IArdentRULEDB** rules, IArdentUserLocator** users,
                                        LONG directory_mode, LPCWSTR rule_type, LPCWSTR path) {
  constexpr wchar_t kName[] = L"RouteFile_Export";
  return Guarded(kName, [&] {
    const std::wstring type = pw::routeio::RouteFileType(rule_type);
    if (!pw::routeio::ArgumentsValid(kName, rules, directory_mode, type, path)) return false;
    return pw::routeio::ExportRouteFile(**rules, pw::routeio::LocatorOf(users), directory_mode,
                                        type, path);
  });
}

PW_LIBRARY_EXPORT HRESULT RouteFile_SetLogFile(LPCWSTR path) {
  try {
    pw::routeio::SetLogPath(path != nullptr ? std::wstring_view(path) : std::wstring_view());
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}
