// CNewValueRouteDlg and its two kinds, CNewLineDlg and CNewMSNDlg: the dialogs that offer the
// configured values (lines, MSNs) that no route uses yet.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "installation/interfaces/ardent_db.h"
#include "platform/ui/dialog.h"
#include "platform/ui/image_list.h"

class CRoutingDelegationBase;

// Why a new-route dialog could not be made; the list reports each with its own message.
enum class ValueListFailure {
  kNone,
  kNothingLeft,  // every configured value already has a route
  kNoIsdnCards,  // the server lists no value at all, and the kind needs one
  kError,        // the settings or the rule store failed
};

// Computes, when made, the configured values that no rule of the list uses (compared without
// regard to case, asking the store), and offers them in an extended combo box, each with the
// same icon; OK takes the selected value. Lives on the stack of the "New" command.
//
// Deriving: a kind supplies its template (with an IDC_NEW_VALUE_COMBO), its icon and a static
// Create that enumerates its values and hands them to Load; a null dialog and the failure
// come back when nothing can be offered.
class CNewValueRouteDlg : public CDialog {
 public:
  ~CNewValueRouteDlg() override;

  // The values offered, in the order the server lists them.
  const std::vector<std::wstring>& available() const { return available_; }
  // After IDOK: the selected value (empty when nothing was selected).
  const std::wstring& chosen() const { return chosen_; }

  BOOL OnInitDialog() override;
  void OnOK() override;

 protected:
  CNewValueRouteDlg(UINT template_id, UINT icon_id);

  // Fills the available values from `values`; `values_required`: a server that lists none
  // fails with kNoIsdnCards rather than kNothingLeft. Throws ComError when the store fails.
  ValueListFailure Load(IArdentTextEnum& values, CRoutingDelegationBase& list,
                        bool values_required);

  // Runs `make` (which creates the dialog and loads it) and turns a store failure into kError.
  template <typename Dialog, typename Make>
  static std::unique_ptr<Dialog> Build(Make make, ValueListFailure* failure);

 private:
  UINT icon_id_;
  CImageList images_;
  std::vector<std::wstring> available_;
  std::wstring chosen_;
};

// "New Line Route": the lines of the server's line and device configuration.
class CNewLineDlg final : public CNewValueRouteDlg {
  struct Key {
    explicit Key() = default;
  };

 public:
  // Null with the reason when no line can be offered.
  static std::unique_ptr<CNewLineDlg> Create(CRoutingDelegationBase& list, IPagewell* settings,
                                             ValueListFailure* failure);
  // Only through Create.
  explicit CNewLineDlg(Key);
};

// "New MSN Route": the ISDN numbers of the server; a server without any has no ISDN card.
class CNewMSNDlg final : public CNewValueRouteDlg {
  struct Key {
    explicit Key() = default;
  };

 public:
  // Null with the reason when no MSN can be offered.
  static std::unique_ptr<CNewMSNDlg> Create(CRoutingDelegationBase& list, IPagewell* settings,
                                            ValueListFailure* failure);
  // Only through Create.
  explicit CNewMSNDlg(Key);
};

template <typename Dialog, typename Make>
std::unique_ptr<Dialog> CNewValueRouteDlg::Build(Make make, ValueListFailure* failure) {
  ValueListFailure reason = ValueListFailure::kError;
  std::unique_ptr<Dialog> dialog;
  try {
    dialog = make(&reason);
  } catch (const ComError&) {
    dialog.reset();
    reason = ValueListFailure::kError;
  }
  if (reason != ValueListFailure::kNone) dialog.reset();
  if (failure != nullptr) *failure = reason;
  return dialog;
}
