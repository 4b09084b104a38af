// CWnd: a window of the model — its handle, text, styles, rectangle, children and focus —
// and the message dispatch that every dialog and control builds on.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/types.h"
#include "platform/ui/message_map.h"
#include "platform/ui/ui_check.h"
#include "platform/ui/ui_constants.h"
#include "platform/ui/ui_types.h"

// Windows' window-class name of dialogs.
inline constexpr std::wstring_view kDialogClassName = L"#32770";

// The base of every window. A CWnd object and its window are separate: the object exists
// first, Create… gives it a window (an HWND from the process's handle table), DestroyWindow
// ends the window and leaves the object. Destroying a window destroys its children first in
// the Windows order (WM_DESTROY to the parent, then to the children), and the windows it owns.
// Children made from a dialog template are owned by their parent (unique_ptr) and deleted
// once their window is gone; a child whose object was made elsewhere (a child dialog such as
// a property page inside its sheet) only loses its window and stays with its owner.
//
// All windows of a top-level window live on the thread that created it; only PostMessage
// and IsWindow may be used from other threads. Destroy a window (DestroyWindow, or the end of
// DoModal) before its object goes: a destructor can no longer reach the derived class's
// OnDestroy.
//
// Coordinates of the model are dialog units throughout (templates, GetWindowRect,
// MoveWindow); front ends scale them.
//
// To derive: override WindowProc for private messages, or declare a message map
// (GetMessageMap, see message_map.h) for WM_COMMAND/WM_NOTIFY handlers; override
// OnCommand/OnNotify only for handling that a table cannot express. Controls override the
// focus hooks and NotifyChanged-worthy setters.
class CWnd {
 public:
  // The window class name Windows gives this kind of window; "" for the base.
  static constexpr std::wstring_view kClassName = L"";

  CWnd();
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  // The object of a window of the calling thread; null for other threads, stale or made-up
  // handles.
  static CWnd* FromHandle(HWND window);

  HWND GetSafeHwnd() const { return hwnd_; }
  const std::wstring& GetClassName() const { return class_name_; }

  // Creates the window: a child when `style` has WS_CHILD (then `parent` is required), else a
  // top-level window owned by `parent` (may be null). For controls made in code; dialogs come
  // from templates.
  BOOL CreateWindowObject(std::wstring_view class_name, std::wstring_view text, DWORD style,
                          DWORD ex_style, const RECT& rect, CWnd* parent, int id);
  // Ends the window (and its children and owned windows). FALSE when there is none.
  virtual BOOL DestroyWindow();

  // Tree.
  CWnd* GetParent() const;          // the parent of a child, the owner of a top-level window
  CWnd* GetOwner() const;           // null for children
  CWnd* GetTopLevelParent() const;  // this window for a top-level window
  bool IsTopLevel() const { return (style_ & WS_CHILD) == 0; }
  std::span<CWnd* const> GetChildren() const { return children_; }
  int GetDlgCtrlID() const { return id_; }
  void SetDlgCtrlID(int id);

  // The direct child with `id`; null when there is none (as Windows answers).
  CWnd* GetDlgItem(int id) const;
  // The direct child with `id` as a T. A missing id or another kind of control is a
  // programming error and stops the program with a message naming both.
  template <typename T>
  T* GetDlgItem(int id) const {
    CWnd* child = GetDlgItem(id);
    PW_UI_CHECK(child != nullptr, DescribeMissingControl(id));
    T* typed = dynamic_cast<T*>(child);
    PW_UI_CHECK(typed != nullptr, DescribeWrongKind(*child, T::kClassName));
    return typed;
  }

  // Text.
  void SetWindowText(std::wstring_view text);
  std::wstring GetWindowText() const;
  int GetWindowTextLength() const;
  void SetDlgItemText(int id, std::wstring_view text);
  std::wstring GetDlgItemText(int id) const;
  void SetDlgItemInt(int id, UINT value, BOOL is_signed = TRUE);
  // The number in the control's text (leading and trailing blanks allowed); 0 and
  // *translated FALSE when there is none or it does not fit.
  UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL is_signed = TRUE) const;

  // State.
  BOOL EnableWindow(BOOL enable = TRUE);  // returns whether it was disabled before
  // Of the window itself, as Windows answers; a person can use a control only when its
  // parents and its top-level window are enabled too (see ui_input.h).
  BOOL IsWindowEnabled() const;
  BOOL ShowWindow(int command);  // returns whether it was visible before
  // Visible itself and all its parents.
  BOOL IsWindowVisible() const;
  DWORD GetStyle() const { return style_; }
  DWORD GetExStyle() const { return ex_style_; }
  BOOL ModifyStyle(DWORD remove, DWORD add);
  BOOL ModifyStyleEx(DWORD remove, DWORD add);

  // Geometry, in dialog units: of a child relative to its parent's client area, of a
  // top-level window as its template placed it.
  void GetWindowRect(RECT* rect) const;
  void GetClientRect(RECT* rect) const;
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
  void MoveWindow(const RECT& rect, BOOL repaint = TRUE);

  // Focus: the control that has it within the thread's active top-level window.
  CWnd* SetFocus();  // returns the window that had the focus
  static CWnd* GetFocus();
  // The control of this top-level window that has (or will get back) the focus.
  CWnd* GetFocusWithin() const;

  // Messages. SendMessage runs the window procedure now (same thread only); PostMessage
  // queues the message for the window's thread.
  LRESULT SendMessage(UINT message, WPARAM w_param = 0, LPARAM l_param = 0);
  BOOL PostMessage(UINT message, WPARAM w_param = 0, LPARAM l_param = 0);

  // Dialog helpers that Windows offers on any window with children.
  void CheckDlgButton(int id, UINT check);
  UINT IsDlgButtonChecked(int id) const;
  // Checks `check` and unchecks the other buttons from `first` to `last` (ids).
  void CheckRadioButton(int first, int last, int check);
  // The id of the checked button from `first` to `last`; 0 when none is.
  int GetCheckedRadioButton(int first, int last) const;
  // The next (or previous) control with WS_TABSTOP that is visible and enabled, wrapping;
  // `control` null starts from the beginning.
  CWnd* GetNextDlgTabItem(CWnd* control, BOOL previous = FALSE) const;
  // The next control of `control`'s WS_GROUP run, wrapping within the run.
  CWnd* GetNextDlgGroupItem(CWnd* control, BOOL previous = FALSE) const;
  // Every control of `control`'s WS_GROUP run, in order: from the nearest control at or
  // before it with WS_GROUP up to the next one with WS_GROUP. Empty for a stranger.
  std::vector<CWnd*> GetDlgGroup(CWnd* control) const;

  int MessageBox(std::wstring_view text, std::wstring_view caption = {}, UINT type = MB_OK);

  // The modal loop of a window (a dialog's DoModal, a message box). The host's loop ends once
  // ContinueModal answers false.
  bool ContinueModal() const { return in_modal_loop_ && continue_modal_; }
  virtual void EndModalLoop(int result);
  bool IsInModalLoop() const { return in_modal_loop_; }

  // The module whose resources this window loads (icons, animations): the one its template
  // came from.
  HINSTANCE GetResourceInstance() const { return instance_; }

  // Mark of change: tells the front end, through the host, that something it shows changed.
  void NotifyChanged();

 protected:
  friend class CDialog;
  friend struct WindowAccess;

  // The window procedure: WM_COMMAND → OnCommand, WM_NOTIFY → OnNotify, message-map
  // entries, WM_SETFOCUS/WM_KILLFOCUS → the focus hooks, WM_DESTROY → OnDestroy,
  // anything else → DefWindowProc.
  virtual LRESULT WindowProc(UINT message, WPARAM w_param, LPARAM l_param);
  LRESULT DefWindowProc(UINT message, WPARAM w_param, LPARAM l_param);
  // Handlers of the message map first; TRUE when one handled the command.
  virtual BOOL OnCommand(WPARAM w_param, LPARAM l_param);
  virtual BOOL OnNotify(WPARAM w_param, LPARAM l_param, LRESULT* result);
  virtual void OnDestroy() {}
  // After the window is gone; the object still exists.
  virtual void PostNcDestroy() {}
  virtual void OnSetFocus(CWnd* /*old_focus*/) {}
  virtual void OnKillFocus(CWnd* /*new_focus*/) {}
  // The table of handlers; derived classes chain theirs to their base's.
  virtual const pw::ui::MessageMap* GetMessageMap() const { return nullptr; }

  // For controls: WM_COMMAND with (id, code) to the parent; WM_NOTIFY with `header` filled in
  // (hwndFrom, idFrom, code) to the parent. 0 without a parent.
  LRESULT NotifyParentCommand(UINT code);
  LRESULT NotifyParent(UINT code, NMHDR* header);

  // Gives a child made from a template to this window, which then owns it.
  CWnd* AdoptChild(std::unique_ptr<CWnd> child);
  // Creates the window of an object that is not owned by its parent (a page in its sheet).
  BOOL CreateAttached(std::wstring_view class_name, std::wstring_view text, DWORD style,
                      DWORD ex_style, const RECT& rect, CWnd* parent, int id);

  void SetResourceInstance(HINSTANCE instance) { instance_ = instance; }
  void SetTextSilently(std::wstring text) { text_ = std::move(text); }
  // Puts the focus on `control` as dialog navigation does: an edit gets all its text selected.
  static void SetFocusFromNavigation(CWnd* control);

  // Set by the modal loops of dialogs and message boxes.
  void BeginModalState();
  int modal_result() const { return modal_result_; }
  void EndModalState();

 private:
  std::string DescribeMissingControl(int id) const;
  static std::string DescribeWrongKind(const CWnd& child, std::wstring_view wanted);
  BOOL CreateCommon(std::wstring_view class_name, std::wstring_view text, DWORD style,
                    DWORD ex_style, const RECT& rect, CWnd* parent, int id);
  void DestroyChildren();
  void DetachFromParent();

  HWND hwnd_ = nullptr;
  std::wstring class_name_;
  std::wstring text_;
  DWORD style_ = 0;
  DWORD ex_style_ = 0;
  RECT rect_;
  int id_ = 0;
  CWnd* parent_ = nullptr;  // the parent of a child, the owner of a top-level window
  std::vector<CWnd*> children_;
  std::vector<std::unique_ptr<CWnd>> owned_children_;
  HINSTANCE instance_ = nullptr;
  // Of a top-level window: the control that has the focus when the window is active.
  HWND focus_ = nullptr;
  bool in_modal_loop_ = false;
  bool continue_modal_ = false;
  int modal_result_ = -1;
  bool destroying_ = false;
  bool reported_ = false;  // a top-level window the host has been told about
};

// Windows-style free functions over handles, for code that holds an HWND.
BOOL IsWindow(HWND window);
LRESULT SendMessage(HWND window, UINT message, WPARAM w_param = 0, LPARAM l_param = 0);
BOOL DestroyWindow(HWND window);
BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsWindowEnabled(HWND window);
BOOL IsWindowVisible(HWND window);
HWND GetParent(HWND window);
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND window);
HWND SetFocus(HWND window);
HWND GetFocus();
