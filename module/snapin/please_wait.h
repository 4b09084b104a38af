// CPleaseWait: the small modal dialog with an animation shown while a worker thread looks a
// computer up on the network.
#pragma once

#include <functional>
#include <string>
#include <thread>

#include "platform/ui/dialog.h"
#include "platform/win/message_queue.h"

// What the network check of a computer answers: `error` 0 when the computer answered (then
// platform, role and comment are its), otherwise the system error number.
struct ComputerLookupResult {
  DWORD error = 0;
  int platform = -1;  // 1 Windows NT 4, 2 Windows 2000 or later, -1 other or unknown
  int role = -1;      // 3 domain controller, 2 server, 1 workstation, -1 unknown
  std::wstring comment;
};

// The check itself; runs on the dialog's worker thread, so it touches nothing but its argument.
using ComputerLookup = std::function<ComputerLookupResult(const std::wstring& computer_name)>;

// DoModal shows the dialog, runs `lookup` with the computer name on a worker thread and ends
// with IDOK when the worker has posted its completion; the caller then reads result(). The
// person cannot cancel the wait. Lifetime: a local of the caller for the length of DoModal.
class CPleaseWait : public CDialog {
 public:
  // The completion message the worker posts.
  static constexpr UINT kLookupDone = WM_USER + 100;

  CPleaseWait(std::wstring computer_name, ComputerLookup lookup, CWnd* parent = nullptr);
  ~CPleaseWait() override;

  const std::wstring& computer_name() const { return computer_name_; }
  // Valid after DoModal answered IDOK.
  const ComputerLookupResult& result() const { return result_; }

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;
  void OnDestroy() override;
  const pw::ui::MessageMap* GetMessageMap() const override;

 private:
  LRESULT OnLookupDone(WPARAM w_param, LPARAM l_param);
  void JoinWorker();

  std::wstring computer_name_;
  ComputerLookup lookup_;
  ComputerLookupResult result_;
  std::thread worker_;
  bool waiting_ = false;
};
