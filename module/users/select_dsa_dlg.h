// CSelectDsaDlg: the "Exchange DSA" dialog that names the Exchange 5.5 directory server and
// connects to it.
#pragma once

#include "platform/ui/dialog.h"

class CComponentData;

// Modal, on the caller's stack for one connect command. OK connects at once: it closes only
// when the connection succeeded, and then the name is the component data's directory server
// and is stored in the settings store for the next start.
class CSelectDsaDlg : public CDialog {
 public:
  explicit CSelectDsaDlg(CComponentData* component_data, CWnd* parent = nullptr);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  const pw::ui::MessageMap* GetMessageMap() const override;

 private:
  void OnNameChanged();
  void OnBrowse();

  CComponentData* component_data_;
};
