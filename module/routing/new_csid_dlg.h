// CNewCSIDDlg: the "New CSID Route" dialog.
#pragma once

#include <string>

#include "platform/ui/dialog.h"

class CComponent;
class CComponentData;
class CRoutingDelegationBase;

// Asks for a new CSID and accepts it only when it is not empty and no route has it yet
// (ignoring case; the check asks the store). Lives on the stack of the "New" command.
class CNewCSIDDlg : public CDialog {
 public:
  CNewCSIDDlg(CRoutingDelegationBase* list, CComponentData* component_data, CComponent* component);

  // The trimmed CSID after IDOK.
  const std::wstring& csid() const { return csid_; }

  void OnOK() override;

 private:
  CRoutingDelegationBase* list_;
  CComponentData* component_data_;
  CComponent* component_;
  std::wstring csid_;
};
