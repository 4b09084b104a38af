// The recording dialog and the helpers of the window model's tests.
#include "tests/ui/ui_test_fixture.h"

#include <cwchar>

#include "platform/com/strings.h"
#include "platform/ui/ui_constants.h"
#include "platform/win/message_queue.h"

namespace pw::test {

std::string CommandName(UINT code) {
  static const std::pair<UINT, const char*> kEditCodes[] = {
      {EN_SETFOCUS, "EN_SETFOCUS"}, {EN_KILLFOCUS, "EN_KILLFOCUS"}, {EN_CHANGE, "EN_CHANGE"},
      {EN_UPDATE, "EN_UPDATE"},     {EN_MAXTEXT, "EN_MAXTEXT"},
  };
  for (const auto& [value, name] : kEditCodes) {
    if (value == code) return name;
  }
  return std::to_string(code);
}

std::string NotifyName(UINT code) {
  static const std::pair<UINT, const char*> kCodes[] = {
      {NM_CLICK, "NM_CLICK"},
      {NM_DBLCLK, "NM_DBLCLK"},
      {NM_RCLICK, "NM_RCLICK"},
      {NM_SETFOCUS, "NM_SETFOCUS"},
      {NM_KILLFOCUS, "NM_KILLFOCUS"},
      {LVN_ITEMCHANGING, "LVN_ITEMCHANGING"},
      {LVN_ITEMCHANGED, "LVN_ITEMCHANGED"},
      {LVN_INSERTITEM, "LVN_INSERTITEM"},
      {LVN_DELETEITEM, "LVN_DELETEITEM"},
      {LVN_DELETEALLITEMS, "LVN_DELETEALLITEMS"},
      {LVN_COLUMNCLICK, "LVN_COLUMNCLICK"},
      {LVN_ODCACHEHINT, "LVN_ODCACHEHINT"},
      {LVN_ITEMACTIVATE, "LVN_ITEMACTIVATE"},
      {LVN_GETDISPINFO, "LVN_GETDISPINFO"},
      {LVN_ODFINDITEM, "LVN_ODFINDITEM"},
      {UDN_DELTAPOS, "UDN_DELTAPOS"},
  };
  for (const auto& [value, name] : kCodes) {
    if (value == code) return name;
  }
  return std::to_string(static_cast<int>(code));
}

namespace {

// Names of WM_COMMAND codes by the kind of control that sent them.
std::string CommandFrom(CWnd* control, UINT code) {
  const std::wstring kind = control != nullptr ? control->GetClassName() : L"";
  if (kind == L"EDIT") return CommandName(code);
  if (kind == L"BUTTON") {
    switch (code) {
      case BN_CLICKED:
        return "BN_CLICKED";
      case BN_SETFOCUS:
        return "BN_SETFOCUS";
      case BN_KILLFOCUS:
        return "BN_KILLFOCUS";
      default:
        break;
    }
  }
  if (kind == L"COMBOBOX" || kind == L"ComboBoxEx32") {
    switch (code) {
      case CBN_SELCHANGE:
        return "CBN_SELCHANGE";
      case CBN_SETFOCUS:
        return "CBN_SETFOCUS";
      case CBN_KILLFOCUS:
        return "CBN_KILLFOCUS";
      case CBN_EDITCHANGE:
        return "CBN_EDITCHANGE";
      case CBN_EDITUPDATE:
        return "CBN_EDITUPDATE";
      default:
        break;
    }
  }
  if (kind == L"SysAnimate32") return code == ACN_START ? "ACN_START" : "ACN_STOP";
  return "WM_COMMAND/" + std::to_string(code);
}

}  // namespace

BOOL RecordingDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  events.push_back("WM_INITDIALOG");
  if (auto* users = dynamic_cast<CListCtrl*>(GetDlgItem(IDC_USERS))) {
    users->InsertColumn(0, L"Name", LVCFMT_LEFT, 100);
    users->InsertColumn(1, L"E-mail", LVCFMT_LEFT, 100);
    users->SetItemCount(static_cast<int>(rows.size()));
  }
  return on_init ? on_init(*this) : TRUE;
}

BOOL RecordingDialog::OnCommand(WPARAM w_param, LPARAM l_param) {
  const int id = static_cast<short>(LOWORD(w_param));
  const UINT code = HIWORD(w_param);
  CWnd* control = CWnd::FromHandle(reinterpret_cast<HWND>(l_param));
  events.push_back(CommandFrom(control, code) + " " + std::to_string(id));
  const BOOL handled = CDialog::OnCommand(w_param, l_param);
  if (on_command) on_command(*this, id, code);
  return handled;
}

BOOL RecordingDialog::OnNotify(WPARAM w_param, LPARAM l_param, LRESULT* result) {
  auto* header = reinterpret_cast<NMHDR*>(l_param);
  std::string line = NotifyName(header->code) + " " + std::to_string(header->idFrom);
  switch (header->code) {
    case LVN_ITEMCHANGING:
    case LVN_ITEMCHANGED: {
      const auto* change = reinterpret_cast<NMLISTVIEW*>(l_param);
      line += " row=" + std::to_string(change->iItem) +
              " old=" + std::to_string(change->uOldState) +
              " new=" + std::to_string(change->uNewState);
      break;
    }
    case LVN_COLUMNCLICK:
      line += " column=" + std::to_string(reinterpret_cast<NMLISTVIEW*>(l_param)->iSubItem);
      break;
    case NM_CLICK:
    case NM_DBLCLK:
    case NM_RCLICK:
    case LVN_ITEMACTIVATE:
      line += " row=" + std::to_string(reinterpret_cast<NMITEMACTIVATE*>(l_param)->iItem);
      break;
    case LVN_ODCACHEHINT: {
      const auto* hint = reinterpret_cast<NMLVCACHEHINT*>(l_param);
      line += " " + std::to_string(hint->iFrom) + "-" + std::to_string(hint->iTo);
      break;
    }
    case LVN_GETDISPINFO: {
      auto* info = reinterpret_cast<NMLVDISPINFO*>(l_param);
      line += " " + std::to_string(info->item.iItem) + "/" + std::to_string(info->item.iSubItem);
      const auto row = static_cast<std::size_t>(info->item.iItem);
      const auto column = static_cast<std::size_t>(info->item.iSubItem);
      const bool mine = header->idFrom == IDC_USERS;
      if (mine && (info->item.mask & LVIF_TEXT) != 0 && row < rows.size() &&
          column < rows[row].size()) {
        std::wcsncpy(info->item.pszText, rows[row][column].c_str(),
                     static_cast<std::size_t>(info->item.cchTextMax - 1));
      }
      if (mine && (info->item.mask & LVIF_IMAGE) != 0) info->item.iImage = info->item.iItem;
      break;
    }
    case LVN_ODFINDITEM: {
      const auto* find = reinterpret_cast<NMLVFINDITEM*>(l_param);
      line += " start=" + std::to_string(find->iStart) + " " + pw::ToUtf8(find->lvfi.psz);
      *result = -1;
      const std::wstring_view wanted = find->lvfi.psz;
      for (std::size_t step = 0; step < rows.size(); ++step) {
        const std::size_t row = (static_cast<std::size_t>(find->iStart) + step) % rows.size();
        const std::wstring& name = rows[row][0];
        if (name.size() >= wanted.size() &&
            pw::EqualsIgnoreCase(std::wstring_view(name).substr(0, wanted.size()), wanted)) {
          *result = static_cast<LRESULT>(row);
          break;
        }
      }
      events.push_back(line);
      return TRUE;
    }
    case UDN_DELTAPOS: {
      const auto* change = reinterpret_cast<NMUPDOWN*>(l_param);
      line += " pos=" + std::to_string(change->iPos) + " delta=" + std::to_string(change->iDelta);
      events.push_back(line);
      *result = delta_answer;
      return TRUE;
    }
    default:
      break;
  }
  events.push_back(line);
  return CDialog::OnNotify(w_param, l_param, result);
}

LRESULT RecordingDialog::WindowProc(UINT message, WPARAM w_param, LPARAM l_param) {
  if (message == WM_VSCROLL || message == WM_HSCROLL) {
    events.push_back(std::string(message == WM_VSCROLL ? "WM_VSCROLL" : "WM_HSCROLL") + " " +
                     std::to_string(LOWORD(w_param)) +
                     " pos=" + std::to_string(static_cast<short>(HIWORD(w_param))));
  } else if (message == WM_CONTEXTMENU) {
    events.push_back("WM_CONTEXTMENU " +
                     std::to_string(::GetDlgCtrlID(reinterpret_cast<HWND>(w_param))));
  } else if (message >= WM_USER + 100 && on_message) {
    return on_message(*this, message, w_param, l_param);
  }
  return CDialog::WindowProc(message, w_param, l_param);
}

void RecordingDialog::OnDestroy() {
  destroyed = true;
  events.push_back("WM_DESTROY");
}

std::unique_ptr<RecordingDialog> ShowModeless(UINT template_id) {
  auto dialog = std::make_unique<RecordingDialog>(template_id);
  EXPECT_TRUE(dialog->Create());
  dialog->ShowWindow(SW_SHOW);
  dialog->Take();
  return dialog;
}

}  // namespace pw::test
