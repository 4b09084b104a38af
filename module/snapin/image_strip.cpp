// The snap-in's image strip: which icon stands at each position, loaded once per process.
#include "module/snapin/image_strip.h"

#include <array>
#include <map>

#include "module/resources/images.h"
#include "module/resources/resource.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/win/resources.h"

namespace {

constexpr int kIconSize = 16;

// The icon resource at each position of the strip. 38 and 39 are the same icon on purpose:
// the printer list and its entries look alike.
constexpr std::array<UINT, kImageStripSize> kStripIcons = {
    IDI_SNAPIN,
    IDI_GENERAL,
    IDI_DOCUMENT_CONVERSION,
    IDI_DIALLING,
    IDI_HEADER_FOOTER,
    IDI_JUNK_FILTER,
    IDI_LINES,
    IDI_DIGITAL_SENDER,
    IDI_MAIL_AGENT,
    IDI_TRANSFER_AGENT,
    IDI_REPORTS,
    IDI_ROUTING,
    IDI_ROUTES,
    IDI_COVERPAGES_FOLDER,
    IDI_ADMINISTRATORS,
    IDI_USERS,
    IDI_VERSION,
    IDI_FAX,
    IDI_CALL_BLOCKING,
    IDI_NETWORK_PRINTER,
    IDI_WEB_LINK,
    IDI_SMS,
    IDI_ADVANCED,
    IDI_STAMPING,
    IDI_TEXT_API,
    IDI_SENDING,
    IDI_RECEIVING,
    IDI_COVERPAGE,
    IDI_COVERPAGE_DEFAULT,
    IDI_MAILBOX_AGENT,
    IDI_USER,
    IDI_ROUTE_ITEM,
    IDI_LINE_ITEM,
    IDI_SEARCH_PHRASE,
    IDI_SMS_USERS,
    IDI_SMS_MESSAGE,
    IDI_LINE_ROUTES,
    IDI_OCR,
    IDI_PRINTER,
    IDI_PRINTER,
    IDI_SMS_GROUP,
    IDI_SMS_ROUTING,
};

// The loaded icons, one handle per resource, kept until the module goes.
class StripIcons {
 public:
  StripIcons() {
    for (int position = 0; position < kImageStripSize; ++position) {
      const UINT id = kStripIcons[position];
      auto [found, inserted] = by_id_.try_emplace(id, nullptr);
      if (inserted) found->second = LoadIcon(AfxGetResourceHandle(), id, kIconSize);
      icons_[position] = found->second;
    }
  }
  ~StripIcons() {
    for (const auto& [id, icon] : by_id_) {
      if (icon != nullptr) DestroyIcon(icon);
    }
  }
  StripIcons(const StripIcons&) = delete;
  StripIcons& operator=(const StripIcons&) = delete;

  HICON at(int position) const { return icons_[position]; }

 private:
  std::map<UINT, HICON> by_id_;
  std::array<HICON, kImageStripSize> icons_{};
};

const StripIcons& LoadedStrip() {
  static const StripIcons icons;
  return icons;
}

}  // namespace

HRESULT RegisterImageStrip(IImageList* image_list) {
  if (image_list == nullptr) return E_POINTER;
  const StripIcons& icons = LoadedStrip();
  for (int position = 0; position < kImageStripSize; ++position) {
    if (icons.at(position) == nullptr) continue;  // a missing resource leaves its place empty
    image_list->ImageListSetIcon(reinterpret_cast<LONG_PTR*>(icons.at(position)), position);
  }
  return S_OK;
}
