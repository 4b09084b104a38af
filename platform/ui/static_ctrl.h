// CStatic: a label, an icon, or an etched separator line.
#pragma once

#include "platform/ui/wnd.h"

// Created from LTEXT/RTEXT/CTEXT/ICON statements or CONTROL "STATIC". The kind is the
// SS_TYPEMASK part of its style. An icon comes from the template (loaded from the dialog's
// module and owned by the control), from SetIcon (borrowed: the caller keeps it alive), or
// is one of the standard icons of a message box, known by its IDI_ id alone.
class CStatic : public CWnd {
 public:
  static constexpr std::wstring_view kClassName = L"STATIC";

  CStatic() = default;
  ~CStatic() override;

  BOOL Create(std::wstring_view text, DWORD style, const RECT& rect, CWnd* parent,
              int id = IDC_STATIC);

  // Returns the icon shown before.
  HICON SetIcon(HICON icon);
  HICON GetIcon() const { return icon_; }
  // The standard icon (IDI_ERROR…) or the resource id of the template's icon; 0 if none.
  UINT GetIconId() const { return icon_id_; }
  void SetStandardIcon(UINT standard_icon_id);

  bool IsIcon() const { return (GetStyle() & SS_TYPEMASK) == SS_ICON; }
  bool IsSeparator() const;

  // Used while building from a template.
  void LoadTemplateIcon(HINSTANCE instance, UINT icon_id);

 private:
  void ReleaseOwnedIcon();

  HICON icon_ = nullptr;
  bool owns_icon_ = false;
  UINT icon_id_ = 0;
};
