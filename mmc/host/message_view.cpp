// MessageView.
#include "mmc/host/message_view.h"

namespace pw::mmc {

HRESULT MessageView::SetTitleText(LPCOLESTR title) {
  title_ = title != nullptr ? title : L"";
  ++revision_;
  return S_OK;
}

HRESULT MessageView::SetBodyText(LPCOLESTR body) {
  body_ = body != nullptr ? body : L"";
  ++revision_;
  return S_OK;
}

HRESULT MessageView::SetIcon(IconIdentifier icon) {
  switch (icon) {
    case Icon_None:
    case Icon_Error:
    case Icon_Question:
    case Icon_Warning:
    case Icon_Information:
      icon_ = icon;
      ++revision_;
      return S_OK;
  }
  return E_INVALIDARG;
}

HRESULT MessageView::Clear() {
  title_.clear();
  body_.clear();
  icon_ = Icon_None;
  ++revision_;
  return S_OK;
}

}  // namespace pw::mmc
