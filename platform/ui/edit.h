// CEdit: single- and multi-line edit fields with selection, caret and text limit.
#pragma once

#include "platform/ui/wnd.h"

// Setting the text from code sends EN_UPDATE then EN_CHANGE, except in a multi-line edit
// (as WM_SETTEXT does on Windows); ReplaceSel always does, within the text limit. What a
// person types goes through pw::ui::TypeText / TypeKeys, which also honour ES_READONLY,
// ES_NUMBER (non-digits refused) and ES_UPPERCASE/ES_LOWERCASE. Positions are character
// offsets; the caret is the end of the selection that SetSel was given.
class CEdit : public CWnd {
 public:
  static constexpr std::wstring_view kClassName = L"EDIT";
  // The limit of a new control, as Windows sets it.
  static constexpr int kDefaultLimit = 0x7FFFFFFE;

  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, int id);

  // start -1 removes the selection (the caret stays); end -1 or beyond the text selects to
  // the end. SetSel(0, -1) selects everything.
  void SetSel(int start, int end, BOOL no_scroll = FALSE);
  void GetSel(int& start, int& end) const;
  DWORD GetSel() const;  // MAKELONG(start, end)
  int GetCaretPos() const { return caret_; }
  // Replaces the selection, leaves the caret after the new text.
  void ReplaceSel(std::wstring_view text, BOOL can_undo = FALSE);
  void Clear() { ReplaceSel(L""); }

  // 0 restores the default limit.
  void SetLimitText(UINT max_chars);
  void LimitText(int max_chars = 0) { SetLimitText(static_cast<UINT>(max_chars)); }
  UINT GetLimitText() const { return limit_; }
  BOOL SetReadOnly(BOOL read_only = TRUE);
  bool IsReadOnly() const { return (GetStyle() & ES_READONLY) != 0; }
  bool IsMultiLine() const { return (GetStyle() & ES_MULTILINE) != 0; }
  int GetLineCount() const;

  // What a person does; pw::ui::TypeText and TypeKeys check focus and enabled state first.
  // Replaces the selection with `text` as one change (a paste): FALSE, and nothing changes,
  // when the edit is read-only or ES_NUMBER meets a non-digit.
  bool TypeReplacingSelection(std::wstring_view text);
  // One key: a character at the caret, or '\b' deleting before it. FALSE when refused.
  bool TypeKey(wchar_t key);

 protected:
  LRESULT WindowProc(UINT message, WPARAM w_param, LPARAM l_param) override;
  void OnSetFocus(CWnd* old_focus) override;
  void OnKillFocus(CWnd* new_focus) override;

 private:
  // Puts `text` in place of the selection within the limit and notifies; false when the
  // limit left no room and nothing was selected.
  bool Insert(std::wstring text);

  UINT limit_ = kDefaultLimit;
  int sel_start_ = 0;
  int sel_end_ = 0;
  int caret_ = 0;
};
