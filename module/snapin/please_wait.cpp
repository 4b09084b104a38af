// CPleaseWait: the animation, the worker thread of the computer lookup and its completion.
#include "module/snapin/please_wait.h"

#include <utility>

#include "module/resources/resource.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/ui/animate_ctrl.h"
#include "platform/ui/wait_cursor.h"

CPleaseWait::CPleaseWait(std::wstring computer_name, ComputerLookup lookup, CWnd* parent)
    : CDialog(IDD_PLEASE_WAIT, parent, AfxGetResourceHandle()),
      computer_name_(std::move(computer_name)),
      lookup_(std::move(lookup)) {}

CPleaseWait::~CPleaseWait() { JoinWorker(); }

const pw::ui::MessageMap* CPleaseWait::GetMessageMap() const {
  static const pw::ui::MessageMap map(
      CDialog::GetMessageMap(), {
                                    pw::ui::MapMessage(kLookupDone, &CPleaseWait::OnLookupDone),
                                });
  return &map;
}

BOOL CPleaseWait::OnInitDialog() {
  CDialog::OnInitDialog();
  if (auto* animation = GetDlgItem<CAnimateCtrl>(IDC_WAIT_ANIMATION);
      animation != nullptr && animation->Open(IDR_AVI_SEARCH)) {
    animation->Play(0, 0xFFFF, static_cast<UINT>(-1));
  }
  waiting_ = true;
  // The modal window already takes every click, which is what the mouse capture is for; the
  // busy cursor tells the person to wait.
  BeginWaitCursor();
  const HWND window = GetSafeHwnd();
  worker_ = pw::MessageQueue::Current().StartWorker([this, window] {
    if (lookup_) {
      result_ = lookup_(computer_name_);
    } else {
      result_.error = ERROR_INVALID_FUNCTION;
    }
    ::PostMessage(window, kLookupDone, 0, 0);
  });
  return TRUE;
}

void CPleaseWait::OnCancel() {
  // The lookup cannot be stopped; the dialog ends when it answers.
  if (waiting_) return;
  CDialog::OnCancel();
}

void CPleaseWait::OnDestroy() {
  // A window closed before the lookup answered must not leave the busy cursor behind.
  if (waiting_) {
    waiting_ = false;
    EndWaitCursor();
  }
  CDialog::OnDestroy();
}

LRESULT CPleaseWait::OnLookupDone(WPARAM, LPARAM) {
  JoinWorker();
  if (waiting_) {
    waiting_ = false;
    EndWaitCursor();
  }
  EndDialog(IDOK);
  return 0;
}

void CPleaseWait::JoinWorker() {
  if (worker_.joinable()) worker_.join();
}
