// CScrollBar: the size grip of resizable dialogs.
#include "platform/ui/scroll_bar.h"

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, int id) {
  return CreateWindowObject(kClassName, L"", style | WS_CHILD, 0, rect, parent, id);
}
