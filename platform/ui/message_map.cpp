// Lookups in the handler tables of window classes.
#include "platform/ui/message_map.h"

namespace pw::ui {

MessageMap::MessageMap(const MessageMap* base, std::initializer_list<Entry> entries)
    : base_(base), entries_(entries) {}

const MessageMap::Entry* MessageMap::Find(Entry::Kind kind, UINT code, int id) const {
  for (const MessageMap* map = this; map != nullptr; map = map->base_) {
    for (const Entry& entry : map->entries_) {
      if (entry.kind != kind || entry.code != code) continue;
      if (kind == Entry::Kind::kMessage) return &entry;
      if (entry.first_id == entry.last_id ? SameCommandId(entry.first_id, id)
                                          : id >= entry.first_id && id <= entry.last_id) {
        return &entry;
      }
    }
  }
  return nullptr;
}

const MessageMap::Entry* MessageMap::FindCommand(int id, UINT code) const {
  return Find(Entry::Kind::kCommand, code, id);
}

const MessageMap::Entry* MessageMap::FindNotify(int id, UINT code) const {
  return Find(Entry::Kind::kNotify, code, id);
}

const MessageMap::Entry* MessageMap::FindMessage(UINT message) const {
  return Find(Entry::Kind::kMessage, message, 0);
}

}  // namespace pw::ui
