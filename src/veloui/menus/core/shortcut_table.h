#pragma once
// The per-window shortcut table: the decimal text of a top-level window's handle, or "0"
// for shortcuts that hold in every window, names the list of that window's shortcuts.
#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/portable/text.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/menus/core/shortcut_keys.h"

struct ShortcutEntry {
  std::uint32_t Key = 0;
  std::uint32_t Flags = 0;
  std::int16_t CommandId = 0;
};

using ShortcutMap = ToolkitTextMap<std::vector<ShortcutEntry>>;

// The key that holds the shortcuts of every window.
inline const Text kGlobalShortcutKey = u"0";

// Stores, re-targets or (command id -1) removes the entry of `parsed` in the list of
// `windowKey`. A removal that empties a list drops the list.
void ApplyShortcut(ShortcutMap& map, const Text& windowKey, const ParsedShortcut& parsed,
                   std::int32_t commandId);
// Forgets every shortcut of one window.
void RemoveWindowShortcuts(ShortcutMap& map, const Text& windowKey);

// The command of the first entry of `windowKey` that a key press matches: an entry with
// kShortcutVirtualKey matches `virtualKey` with exactly `modifiers`; any other entry matches
// `character` (the key's character) with exactly `modifiers`.
std::optional<std::int16_t> MatchShortcut(const ShortcutMap& map, const Text& windowKey,
                                          std::uint32_t modifiers, std::uint32_t virtualKey,
                                          std::uint32_t character);
