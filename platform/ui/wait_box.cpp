// CWaitBox: the modeless "please wait" window with a text and an animation.
#include "platform/ui/wait_box.h"

#include <algorithm>

#include "platform/ui/animate_ctrl.h"
#include "platform/ui/message_box.h"

namespace {

pw::ui::DialogTemplate WaitBoxTemplate(std::wstring_view text, UINT animation_id,
                                       std::wstring_view caption) {
  pw::ui::DialogTemplate result;
  result.caption = caption.empty() ? AfxGetAppName() : std::wstring(caption);
  result.font_name = L"MS Shell Dlg";
  result.font_size = 8;
  result.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER | WS_VISIBLE;
  const int text_left = animation_id != 0 ? 7 + 32 + 8 : 7;
  const int text_width = std::clamp(static_cast<int>(text.size()) * 4, 80, 220);
  result.rect = RECT{0, 0, text_left + text_width + 7, 7 + 32 + 7};
  if (animation_id != 0) {
    pw::ui::DialogControlTemplate animation;
    animation.window_class = L"SysAnimate32";
    animation.id = CWaitBox::kAnimationId;
    animation.resource_id = animation_id;
    animation.rect = RECT{7, 7, 7 + 32, 7 + 32};
    animation.style = WS_CHILD | WS_VISIBLE | ACS_CENTER | ACS_TRANSPARENT | ACS_AUTOPLAY;
    result.controls.push_back(std::move(animation));
  }
  pw::ui::DialogControlTemplate label;
  label.window_class = L"STATIC";
  label.id = CWaitBox::kTextId;
  label.text = std::wstring(text);
  label.rect = RECT{text_left, 7, text_left + text_width, 7 + 32};
  label.style = WS_CHILD | WS_VISIBLE | SS_LEFT;
  result.controls.push_back(std::move(label));
  return result;
}

}  // namespace

CWaitBox::CWaitBox(CWnd* owner, std::wstring_view text, UINT animation_id,
                   std::wstring_view caption) {
  CreateIndirect(WaitBoxTemplate(text, animation_id, caption), owner);
}

CWaitBox::~CWaitBox() {
  if (GetSafeHwnd() != nullptr) DestroyWindow();
}

BOOL CWaitBox::OnInitDialog() {
  CDialog::OnInitDialog();
  return FALSE;  // the person keeps working where the focus was
}

void CWaitBox::SetText(std::wstring_view text) { SetDlgItemText(kTextId, text); }

std::wstring CWaitBox::GetText() const { return GetDlgItemText(kTextId); }
