// Copies of compiled dialog templates.
#include "platform/ui/dialog_template.h"

namespace pw::ui {

DialogTemplate DialogTemplate::FromResource(const pw::DialogResource& resource) {
  DialogTemplate copy;
  copy.id = resource.id;
  copy.caption = std::wstring(resource.caption);
  copy.font_name = std::wstring(resource.font_name);
  copy.font_size = resource.font_size;
  copy.style = resource.style;
  copy.ex_style = resource.ex_style;
  copy.rect = RECT{resource.x, resource.y, resource.x + resource.cx, resource.y + resource.cy};
  for (const pw::DialogControlResource& control : resource.controls) {
    DialogControlTemplate item;
    item.window_class = std::wstring(control.window_class);
    item.id = control.id;
    item.text = std::wstring(control.text);
    item.resource_id = control.resource_id;
    item.rect = RECT{control.x, control.y, control.x + control.cx, control.y + control.cy};
    item.style = control.style;
    item.ex_style = control.ex_style;
    copy.controls.push_back(std::move(item));
  }
  return copy;
}

}  // namespace pw::ui
