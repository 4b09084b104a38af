// The table of server settings.
#include "installation/store/settings_catalog.h"

#include "platform/com/strings.h"

namespace pw::store {
namespace {

// Defaults: failed transmissions are reported (bit 0x1) and nothing else is switched on; OCR
// matches at 70 percent (the middle of the recommended range) on the first page; the network
// fax printer searches for "To:", "Company:" and "Fax:"; coverpages are A4 with half-inch
// margins (thousandths of an inch).
constexpr SettingInfo kSettings[] = {
    {L"IPW_Flags", VT_I4, 0x1, L"", false},
    {L"IPW_Exc_DSAorDOM", VT_BSTR, 0, L"", true},
    {L"IPW_OcrRatio", VT_I4, 70, L"", true},
    {L"IPW_OCR_ScnPgs", VT_I4, 1, L"", true},
    {L"IPW_NPQ_Fld_To", VT_BSTR, 0, L"To:", false},
    {L"IPW_NPQ_Fld_Cmp", VT_BSTR, 0, L"Company:", false},
    {L"IPW_NPQ_Fld_Fax", VT_BSTR, 0, L"Fax:", false},
    {L"IPW_NPQ_EOFT", VT_BSTR, 0, L";", false},
    {L"IPW_PaperSize", VT_I4, 1, L"", false},
    {L"IPW_Mrgn_Left", VT_I4, 500, L"", false},
    {L"IPW_Mrgn_Right", VT_I4, 500, L"", false},
    {L"IPW_Mrgn_Top", VT_I4, 500, L"", false},
    {L"IPW_Mrgn_Bottom", VT_I4, 500, L"", false},
};

}  // namespace

VARIANT SettingInfo::DefaultValue() const {
  return vt == VT_BSTR ? VARIANT::FromBstr(default_text) : VARIANT::FromI4(default_number);
}

const SettingInfo* FindSetting(std::wstring_view name) {
  for (const SettingInfo& setting : kSettings) {
    if (EqualsIgnoreCase(setting.name, name)) return &setting;
  }
  return nullptr;
}

}  // namespace pw::store
