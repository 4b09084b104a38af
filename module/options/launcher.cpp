// The launcher of the server's configuration programs.
#include "module/options/launcher.h"

#include <string>

#include "module/resources/server.h"
#include "module/server/server_location.h"
#include "module/snapin/component_data.h"
#include "module/snapin/static_node.h"
#include "platform/win/last_error.h"
#include "platform/win/process.h"

namespace {

// The program path is kept in a buffer of this many characters.
constexpr std::size_t kMaxPathChars = 260;

}  // namespace

bool LaunchServerProgram(const CComponentData* component_data, std::wstring_view file_name,
                         std::wstring_view arguments, bool quiet, bool wait) {
  const bool remote = component_data->remote_kind() != 0;
  const std::wstring& computer = component_data->root()->computer_name();
  std::wstring command_line(arguments);
  std::wstring program;
  if (remote) {
    command_line += L" -remote:\"" + computer + L"\"";
    program = ServerSharePath(computer) + L"\\" + std::wstring(file_name);
    if (program.size() > kMaxPathChars) program.resize(kMaxPathChars);
  } else {
    program = component_data->install_path();
    if (!program.empty() && program.back() != L'\\' && program.back() != L'/') program += L'\\';
    program += file_name;
  }
  WriteLog(L"Calling %s %s", program, command_line);

  PROCESS_INFORMATION process;
  if (!CreateProcess(program, command_line, component_data->install_path(), &process)) {
    const DWORD error = GetLastError();
    if (!quiet) {
      component_data->ShowMessage(
          pw::FormatString(LoadModuleString(IDS_LAUNCH_FAILED), static_cast<int>(error)),
          MB_OK | MB_ICONERROR);
    }
    return false;
  }
  if (wait) WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hProcess);
  return true;
}
