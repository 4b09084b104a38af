// Per-class tables of message handlers: which member function handles a command, a control
// notification or a private message.
//
// A class that handles messages overrides GetMessageMap and returns a function-local static
// table chained to its base class's table:
//
//   const pw::ui::MessageMap* CNewDTMFDlg::GetMessageMap() const {
//     static const pw::ui::MessageMap map(CDialog::GetMessageMap(), {
//         pw::ui::MapCommand(IDC_FORCE, BN_CLICKED, &CNewDTMFDlg::OnForceClicked),
//         pw::ui::MapNotify(IDC_SPIN, UDN_DELTAPOS, &CNewDTMFDlg::OnDeltaPos),
//         pw::ui::MapMessage(WM_USER + 100, &CNewDTMFDlg::OnLookupDone),
//     });
//     return &map;
//   }
//
// Lookups try the class's own entries in order, then its base's table.
#pragma once

#include <functional>
#include <initializer_list>
#include <vector>

#include "platform/com/types.h"
#include "platform/ui/ui_types.h"

class CWnd;

namespace pw::ui {

class MessageMap {
 public:
  // Runs the handler on the window the table belongs to; the answer becomes the message's.
  using Handler = std::function<LRESULT(CWnd& window, WPARAM w_param, LPARAM l_param)>;

  struct Entry {
    enum class Kind { kCommand, kNotify, kMessage };
    Kind kind = Kind::kMessage;
    UINT code = 0;  // the notification code, or the message of a kMessage entry
    int first_id = 0;
    int last_id = 0;
    Handler handler;
  };

  MessageMap(const MessageMap* base, std::initializer_list<Entry> entries);

  // WM_COMMAND from control (or menu item) `id` with notification `code`.
  const Entry* FindCommand(int id, UINT code) const;
  // WM_NOTIFY from control `id` with notification `code`.
  const Entry* FindNotify(int id, UINT code) const;
  const Entry* FindMessage(UINT message) const;

 private:
  const Entry* Find(Entry::Kind kind, UINT code, int id) const;

  const MessageMap* base_;
  std::vector<Entry> entries_;
};

// The ids of WM_COMMAND are 16 bits: IDC_STATIC (-1) arrives as 0xFFFF.
constexpr bool SameCommandId(int a, int b) { return static_cast<WORD>(a) == static_cast<WORD>(b); }

// `handler` runs for WM_COMMAND with this id and code (BN_CLICKED, EN_CHANGE, CBN_SELCHANGE…).
template <typename T>
MessageMap::Entry MapCommand(int id, UINT code, void (T::*handler)()) {
  return {MessageMap::Entry::Kind::kCommand, code, id, id,
          [handler](CWnd& window, WPARAM, LPARAM) -> LRESULT {
            (static_cast<T&>(window).*handler)();
            return 0;
          }};
}

// `handler` gets the id of the control, for a run of controls that behave alike.
template <typename T>
MessageMap::Entry MapCommandRange(int first_id, int last_id, UINT code,
                                  void (T::*handler)(UINT id)) {
  return {MessageMap::Entry::Kind::kCommand, code, first_id, last_id,
          [handler](CWnd& window, WPARAM w_param, LPARAM) -> LRESULT {
            (static_cast<T&>(window).*handler)(LOWORD(w_param));
            return 0;
          }};
}

// `handler` gets the notification and sets *result (the answer of WM_NOTIFY), which starts 0.
template <typename T>
MessageMap::Entry MapNotify(int id, UINT code, void (T::*handler)(NMHDR*, LRESULT*)) {
  return {MessageMap::Entry::Kind::kNotify, code, id, id,
          [handler](CWnd& window, WPARAM, LPARAM l_param) -> LRESULT {
            LRESULT result = 0;
            (static_cast<T&>(window).*handler)(reinterpret_cast<NMHDR*>(l_param), &result);
            return result;
          }};
}

// A private or other window message (WM_USER + n, WM_CONTEXTMENU, WM_SIZE…).
template <typename T>
MessageMap::Entry MapMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM)) {
  return {MessageMap::Entry::Kind::kMessage, message, 0, 0,
          [handler](CWnd& window, WPARAM w_param, LPARAM l_param) -> LRESULT {
            return (static_cast<T&>(window).*handler)(w_param, l_param);
          }};
}

}  // namespace pw::ui
