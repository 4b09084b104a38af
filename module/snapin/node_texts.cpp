// NodeTexts: the two texts of a node by column.
#include "module/snapin/node_texts.h"

#include "module/snapin/pwconfig_app.h"

namespace pw {

NodeTexts::NodeTexts(UINT name_id, UINT description_id)
    : name_id_(name_id),
      description_id_(description_id),
      name_(LoadModuleString(name_id)),
      description_(LoadModuleString(description_id)) {}

std::wstring NodeTexts::Column(int column) const {
  if (column == 0) return name_;
  if (column == 1) return description_;
  return {};
}

}  // namespace pw
