// MessageView: the result pane a view shows when the snap-in asks for the message view
// control — a title, a body text and an icon that the snap-in sets through IMessageView.
#pragma once

#include <string>

#include "mmc/mmc.h"
#include "platform/com/com_ptr.h"

namespace pw::mmc {

// One per view while it shows the message view; the snap-in reaches it through
// IConsole::QueryResultView.
class MessageView final : public ComObject<IMessageView> {
 public:
  const std::wstring& title() const { return title_; }
  const std::wstring& body() const { return body_; }
  IconIdentifier icon() const { return icon_; }
  std::uint64_t revision() const { return revision_; }

  HRESULT SetTitleText(LPCOLESTR title) override;
  HRESULT SetBodyText(LPCOLESTR body) override;
  HRESULT SetIcon(IconIdentifier icon) override;
  HRESULT Clear() override;

 private:
  std::wstring title_;
  std::wstring body_;
  IconIdentifier icon_ = Icon_None;
  std::uint64_t revision_ = 0;
};

}  // namespace pw::mmc
