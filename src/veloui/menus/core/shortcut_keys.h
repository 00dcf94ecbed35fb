#pragma once
// Shortcut texts such as "Ctrl+K", "ctrl-shift-f3" or "pgdn": their key names, their
// modifier names and how a text becomes a key with ACCEL-style modifier flags.
#include <cstdint>
#include <span>

#include "runtime/portable/text.h"

constexpr std::uint32_t kShortcutVirtualKey = 0x01;  // FVIRTKEY: Key is a virtual-key code
constexpr std::uint32_t kShortcutShift = 0x04;       // FSHIFT
constexpr std::uint32_t kShortcutControl = 0x08;     // FCONTROL
constexpr std::uint32_t kShortcutAlt = 0x10;         // FALT

struct ShortcutKeyName {
  const char* Name;
  std::uint32_t VirtualKey;
};

struct ShortcutModifierName {
  const char* Name;
  std::uint32_t Flag;
};

std::span<const ShortcutKeyName> ShortcutKeyNames();
std::span<const ShortcutModifierName> ShortcutModifierNames();

struct ParsedShortcut {
  bool Valid = false;  // false: an unknown field, or no key at all; nothing is to be stored
  std::uint32_t Key = 0;    // virtual key, or the upper-cased character of a one-character key
  std::uint32_t Flags = 0;  // modifiers, plus kShortcutVirtualKey unless a character key
};

// The shortcut part of an item text (what follows its single "$").
ParsedShortcut ParseShortcutText(TextView shortcut);

// Case folding of our own, the same in both builds: ASCII and Latin-1 letters; upper case
// also for Latin Extended-A, Greek and Cyrillic, as the system maps them (the Windows build
// upper-cases a shortcut's character key with the system itself).
char16_t LowerCaseUnit(char16_t c);
char16_t UpperCaseUnit(char16_t c);
