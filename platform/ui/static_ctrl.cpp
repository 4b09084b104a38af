// CStatic: labels, icons and separators.
#include "platform/ui/static_ctrl.h"

#include "platform/win/resources.h"

CStatic::~CStatic() { ReleaseOwnedIcon(); }

BOOL CStatic::Create(std::wstring_view text, DWORD style, const RECT& rect, CWnd* parent, int id) {
  return CreateWindowObject(kClassName, text, style | WS_CHILD, 0, rect, parent, id);
}

void CStatic::ReleaseOwnedIcon() {
  if (owns_icon_ && icon_ != nullptr) DestroyIcon(icon_);
  owns_icon_ = false;
}

HICON CStatic::SetIcon(HICON icon) {
  // An icon the control loaded itself is freed here, so it is not handed back.
  HICON previous = owns_icon_ ? nullptr : icon_;
  ReleaseOwnedIcon();
  icon_ = icon;
  icon_id_ = 0;
  NotifyChanged();
  return previous;
}

void CStatic::SetStandardIcon(UINT standard_icon_id) {
  ReleaseOwnedIcon();
  icon_ = nullptr;
  icon_id_ = standard_icon_id;
  NotifyChanged();
}

void CStatic::LoadTemplateIcon(HINSTANCE instance, UINT icon_id) {
  ReleaseOwnedIcon();
  icon_id_ = icon_id;
  icon_ = instance != nullptr ? LoadIcon(instance, icon_id) : nullptr;
  owns_icon_ = icon_ != nullptr;
  NotifyChanged();
}

bool CStatic::IsSeparator() const {
  const DWORD kind = GetStyle() & SS_TYPEMASK;
  return kind == SS_ETCHEDHORZ || kind == SS_ETCHEDVERT;
}
