// CDupFaxAddr and CInvalidEmailDlg: the import's questions with "to all" answers.
#pragma once

#include <string>

#include "platform/ui/dialog.h"

// Results beyond IDYES, IDNO and IDCANCEL.
inline constexpr int kIdYesToAll = 207;
inline constexpr int kIdNoToAll = 208;

// A warning icon, the caller's text and answer buttons whose ids are the results. Modal, on
// the caller's stack; set the text before DoModal.
class CImportQuestionDlg : public CDialog {
 public:
  CImportQuestionDlg(UINT template_id, CWnd* parent);

  void SetMessage(const std::wstring& text) { message_ = text; }
  const std::wstring& message() const { return message_; }

  BOOL OnInitDialog() override;

 protected:
  const pw::ui::MessageMap* GetMessageMap() const override;
  void OnAnswer(UINT id);

 private:
  std::wstring message_;
};

// "The address is already present": Yes (6), Yes to all (207), No (7), No to all (208); the
// close box answers IDCANCEL (2).
class CDupFaxAddr : public CImportQuestionDlg {
 public:
  explicit CDupFaxAddr(CWnd* parent = nullptr);
};

// "Ignore this error?": Yes (6), Yes to all (207), Cancel (2).
class CInvalidEmailDlg : public CImportQuestionDlg {
 public:
  explicit CInvalidEmailDlg(CWnd* parent = nullptr);
};
