#include "veloui/menus/core/shortcut_table.h"

#include <algorithm>

void ApplyShortcut(ShortcutMap& map, const Text& windowKey, const ParsedShortcut& parsed,
                   std::int32_t commandId) {
  if (!parsed.Valid) return;
  auto list = map.find(windowKey);
  if (list != map.end()) {
    auto entry = std::find_if(list->second.begin(), list->second.end(), [&](const ShortcutEntry& e) {
      return e.Flags == parsed.Flags && e.Key == parsed.Key;
    });
    if (entry != list->second.end()) {
      if (commandId == -1) {
        list->second.erase(entry);
        if (list->second.empty()) map.erase(list);
      } else {
        entry->CommandId = static_cast<std::int16_t>(commandId);
      }
      return;
    }
  }
  if (commandId == -1) return;
  map[windowKey].push_back({parsed.Key, parsed.Flags, static_cast<std::int16_t>(commandId)});
}

void RemoveWindowShortcuts(ShortcutMap& map, const Text& windowKey) { map.erase(windowKey); }

std::optional<std::int16_t> MatchShortcut(const ShortcutMap& map, const Text& windowKey,
                                          std::uint32_t modifiers, std::uint32_t virtualKey,
                                          std::uint32_t character) {
  auto list = map.find(windowKey);
  if (list == map.end()) return std::nullopt;
  for (const ShortcutEntry& entry : list->second) {
    if ((entry.Flags & kShortcutVirtualKey) != 0) {
      if (entry.Flags == (modifiers | kShortcutVirtualKey) && entry.Key == virtualKey) return entry.CommandId;
    } else if (entry.Flags == modifiers && entry.Key == character) {
      return entry.CommandId;
    }
  }
  return std::nullopt;
}
