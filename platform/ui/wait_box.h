// CWaitBox: a small modeless window with a text and an animation, shown during long work.
#pragma once

#include <string>
#include <string_view>

#include "platform/ui/dialog.h"

// Lives for its lifetime as a top-level window owned by `owner`. The animation is a bitmap
// strip of the module set with AfxSetResourceHandle (see CAnimateCtrl); without one only the
// text shows. The owner stays enabled: the work runs on the owner's thread and the box only
// tells the person to wait.
class CWaitBox : public CDialog {
 public:
  static constexpr int kTextId = 100;
  static constexpr int kAnimationId = 101;

  CWaitBox(CWnd* owner, std::wstring_view text, UINT animation_id = 0,
           std::wstring_view caption = {});
  ~CWaitBox() override;

  void SetText(std::wstring_view text);
  std::wstring GetText() const;

 protected:
  BOOL OnInitDialog() override;
};
