// The computer selection as the component data calls it.
#include "module/server/select_computer.h"

#include "module/snapin/pwconfig_app.h"

std::optional<std::wstring> AskForComputerToManage(IConsole*, const std::wstring& current) {
  WriteLog(L"Computer selection requested (current: %s); no selection dialog, cancelled", current);
  return std::nullopt;
}
