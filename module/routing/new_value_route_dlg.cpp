// CNewValueRouteDlg, CNewLineDlg, CNewMSNDlg: the values no route uses yet, offered with icons.
#include "module/routing/new_value_route_dlg.h"

#include "module/resources/images.h"
#include "module/resources/routes_line_msn.h"
#include "module/routing/routing_delegation_base.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/ui/combo_box_ex.h"
#include "platform/win/resources.h"

namespace {
constexpr int kIconSize = 16;
}  // namespace

CNewValueRouteDlg::CNewValueRouteDlg(UINT template_id, UINT icon_id)
    : CDialog(template_id, nullptr, AfxGetResourceHandle()), icon_id_(icon_id) {}

CNewValueRouteDlg::~CNewValueRouteDlg() = default;

ValueListFailure CNewValueRouteDlg::Load(IArdentTextEnum& values, CRoutingDelegationBase& list,
                                         bool values_required) {
  available_.clear();
  std::size_t received = 0;
  values.Reset();
  _bstr_t value;
  while (values.Next(&value) == S_OK) {
    ++received;
    // Asks the store for every value: another session may have routed it meanwhile.
    if (!list.IsRuleInDB(value.str())) available_.push_back(value.str());
  }
  if (values_required && received == 0) return ValueListFailure::kNoIsdnCards;
  if (available_.empty()) return ValueListFailure::kNothingLeft;
  return ValueListFailure::kNone;
}

BOOL CNewValueRouteDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (!images_.IsCreated()) {
    images_.Create(kIconSize, kIconSize, ILC_COLOR32 | ILC_MASK, 1, 0);
    HICON icon = LoadIcon(AfxGetResourceHandle(), icon_id_, kIconSize);
    images_.Add(icon);
    // The image list keeps a copy of the pixels.
    if (icon != nullptr) DestroyIcon(icon);
  }
  CComboBoxEx& combo = *GetDlgItem<CComboBoxEx>(IDC_NEW_VALUE_COMBO);
  combo.SetImageList(&images_);
  for (const std::wstring& value : available_) {
    std::wstring text = value;
    COMBOBOXEXITEM item;
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
    item.iItem = -1;
    item.pszText = text.data();
    item.iImage = 0;
    item.iSelectedImage = 0;
    combo.InsertItem(&item);
  }
  if (!available_.empty()) combo.SetCurSel(0);
  return TRUE;
}

void CNewValueRouteDlg::OnOK() {
  const CComboBoxEx& combo = *GetDlgItem<CComboBoxEx>(IDC_NEW_VALUE_COMBO);
  const int selected = combo.GetCurSel();
  chosen_ = selected >= 0 ? combo.GetLBText(selected) : std::wstring();
  CDialog::OnOK();
}

CNewLineDlg::CNewLineDlg(Key) : CNewValueRouteDlg(IDD_NEW_LINE, IDI_LINE_ITEM) {}

std::unique_ptr<CNewLineDlg> CNewLineDlg::Create(CRoutingDelegationBase& list, IPagewell* settings,
                                                 ValueListFailure* failure) {
  return Build<CNewLineDlg>(
      [&](ValueListFailure* reason) {
        auto dialog = std::make_unique<CNewLineDlg>(Key());
        if (settings == nullptr) return dialog;
        IArdentTextEnumPtr lines = settings->EnumLines();
        if (!lines) return dialog;
        *reason = dialog->Load(*lines, list, false);
        return dialog;
      },
      failure);
}

CNewMSNDlg::CNewMSNDlg(Key) : CNewValueRouteDlg(IDD_NEW_MSN, IDI_ROUTE_ITEM) {}

std::unique_ptr<CNewMSNDlg> CNewMSNDlg::Create(CRoutingDelegationBase& list, IPagewell* settings,
                                               ValueListFailure* failure) {
  return Build<CNewMSNDlg>(
      [&](ValueListFailure* reason) {
        auto dialog = std::make_unique<CNewMSNDlg>(Key());
        if (settings == nullptr) return dialog;
        IArdentTextEnumPtr msns = settings->EnumMSNs();
        if (!msns) return dialog;
        *reason = dialog->Load(*msns, list, true);
        return dialog;
      },
      failure);
}
