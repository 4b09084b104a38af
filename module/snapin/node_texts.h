// NodeTexts: the name and description of a tree node, loaded from the string table once.
#pragma once

#include <string>

#include "platform/com/types.h"

namespace pw {

// Loaded when the node is made, in the display language of that moment (the console thread's),
// so that every later display request answers without touching the resources.
class NodeTexts {
 public:
  NodeTexts(UINT name_id, UINT description_id);

  UINT name_id() const { return name_id_; }
  UINT description_id() const { return description_id_; }
  // Column 0 the name, column 1 the description, any other column an empty text.
  std::wstring Column(int column) const;

 private:
  UINT name_id_;
  UINT description_id_;
  std::wstring name_;
  std::wstring description_;
};

}  // namespace pw
