// Loading the installation support library once per process and calling its route routines.
#include "module/routing/route_file_io.h"

#include <dlfcn.h>

#include "installation/interfaces/routeio.h"
#include "module/resources/routes.h"
#include "module/routing/routing_delegation_base.h"
#include "module/server/server_location.h"
#include "module/snapin/component_data.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/com/strings.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/wait_cursor.h"
#include "platform/win/paths.h"

namespace {

constexpr wchar_t kDefaultExtension[] = L"CSV";

// The library's handle, or null when it is missing; kept loaded for the life of the process,
// as a linked library would be.
void* Library() {
  static void* const library = [] {
    const std::string path = pw::ToHostPath(SnapinModuleFolder()) + "/" + ROUTEIO_LIBRARY_NAME;
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) WriteLog(L"Failed to load %S: %S", path, std::string(::dlerror()));
    return handle;
  }();
  return library;
}

}  // namespace

BOOL RunRouteFileRoutine(long ordinal, CComponentData* component_data,
                         const std::wstring& rule_type, const std::wstring& path) {
  const char* name = RouteIoExportName(ordinal);
  if (component_data == nullptr || name == nullptr || Library() == nullptr) return FALSE;
  auto routine = reinterpret_cast<RouteFileProc>(::dlsym(Library(), name));
  if (routine == nullptr) {
    WriteLog(L"The route file routine %d (%S) is missing.", ordinal, std::string(name));
    return FALSE;
  }
  IArdentRULEDB* rules = component_data->rule_store();
  IArdentUserLocator* users = component_data->user_locator();
  return routine(&rules, &users, static_cast<LONG>(component_data->directory_mode()),
                 rule_type.c_str(), path.c_str());
}

HRESULT ImportRouteFile(CRoutingDelegationBase& list, CComponent* component, IConsole* console,
                        UINT failed_message) {
  CFileDialog dialog(TRUE, kDefaultExtension, {},
                     OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
                     LoadModuleString(IDS_ROUTE_IMPORT_FILTER));
  const std::wstring title = LoadModuleString(IDS_ROUTE_IMPORT_TITLE);
  dialog.m_ofn.lpstrTitle = title.c_str();
  if (console != nullptr) console->GetMainWindow(&dialog.m_ofn.hwndOwner);
  if (dialog.DoModal() != IDOK) return S_FALSE;
  BOOL imported = FALSE;
  {
    CWaitCursor wait;
    imported = RunRouteFileRoutine(ROUTEIO_ORDINAL_IMPORT, list.component_data(), list.rule_type(),
                                   dialog.GetPathName());
  }
  if (!imported && list.component_data() != nullptr) {
    list.component_data()->ShowMessage(LoadModuleString(failed_message), MB_ICONEXCLAMATION);
  }
  return list.OnRefresh(component, console);
}

HRESULT ExportRouteFile(CRoutingDelegationBase& list, UINT failed_message) {
  CFileDialog dialog(FALSE, kDefaultExtension, {},
                     OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                     LoadModuleString(IDS_ROUTE_EXPORT_FILTER));
  const std::wstring title = LoadModuleString(IDS_ROUTE_EXPORT_TITLE);
  dialog.m_ofn.lpstrTitle = title.c_str();
  if (dialog.DoModal() != IDOK) return S_FALSE;
  BOOL exported = FALSE;
  {
    CWaitCursor wait;
    exported = RunRouteFileRoutine(ROUTEIO_ORDINAL_EXPORT, list.component_data(), list.rule_type(),
                                   dialog.GetPathName());
  }
  if (exported) return S_OK;
  if (list.component_data() != nullptr) {
    list.component_data()->ShowMessage(LoadModuleString(failed_message), MB_ICONEXCLAMATION);
  }
  return S_FALSE;
}
