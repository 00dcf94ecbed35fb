#include "veloui/menus/core/shortcut_keys.h"

#include <array>
#include <string_view>
#include <vector>

namespace {

constexpr std::array<ShortcutKeyName, 109> kKeyNames = {{
    {"back", 0x08},      {"tab", 0x09},        {"clear", 0x0C},       {"return", 0x0D},
    {"ret", 0x0D},       {"enter", 0x0D},      {"ent", 0x0D},         {"pause", 0x13},
    {"capital", 0x14},   {"caps", 0x14},       {"capslock", 0x14},    {"escape", 0x1B},
    {"esc", 0x1B},       {"space", 0x20},      {"prior", 0x21},       {"pgup", 0x21},
    {"pageup", 0x21},    {"next", 0x22},       {"pgdn", 0x22},        {"pagedown", 0x22},
    {"end", 0x23},       {"home", 0x24},       {"left", 0x25},        {"up", 0x26},
    {"right", 0x27},     {"down", 0x28},       {"select", 0x29},      {"print", 0x2A},
    {"execute", 0x2B},   {"snapshot", 0x2C},   {"prtsc", 0x2C},       {"insert", 0x2D},
    {"ins", 0x2D},       {"delete", 0x2E},     {"del", 0x2E},         {"help", 0x2F},
    {"lwin", 0x5B},      {"leftwin", 0x5B},    {"leftwindows", 0x5B}, {"rwin", 0x5C},
    {"rightwin", 0x5C},  {"rightwindows", 0x5C}, {"apps", 0x5D},
    {"numpad0", 0x60},   {"numpad1", 0x61},    {"numpad2", 0x62},     {"numpad3", 0x63},
    {"numpad4", 0x64},   {"numpad5", 0x65},    {"numpad6", 0x66},     {"numpad7", 0x67},
    {"numpad8", 0x68},   {"numpad9", 0x69},
    {"num0", 0x60},      {"num1", 0x61},       {"num2", 0x62},        {"num3", 0x63},
    {"num4", 0x64},      {"num5", 0x65},       {"num6", 0x66},        {"num7", 0x67},
    {"num8", 0x68},      {"num9", 0x69},
    {"pad0", 0x60},      {"pad1", 0x61},       {"pad2", 0x62},        {"pad3", 0x63},
    {"pad4", 0x64},      {"pad5", 0x65},       {"pad6", 0x66},        {"pad7", 0x67},
    {"pad8", 0x68},      {"pad9", 0x69},
    {"multiply", 0x6A},  {"add", 0x6B},        {"separator", 0x6C},   {"subtract", 0x6D},
    {"decimal", 0x6E},   {"divide", 0x6F},
    {"f1", 0x70},  {"f2", 0x71},  {"f3", 0x72},  {"f4", 0x73},  {"f5", 0x74},  {"f6", 0x75},
    {"f7", 0x76},  {"f8", 0x77},  {"f9", 0x78},  {"f10", 0x79}, {"f11", 0x7A}, {"f12", 0x7B},
    {"f13", 0x7C}, {"f14", 0x7D}, {"f15", 0x7E}, {"f16", 0x7F}, {"f17", 0x80}, {"f18", 0x81},
    {"f19", 0x82}, {"f20", 0x83}, {"f21", 0x84}, {"f22", 0x85}, {"f23", 0x86}, {"f24", 0x87},
    {"numlock", 0x90},   {"scroll", 0x91},     {"plus", 0xBB},        {"comma", 0xBC},
    {"minus", 0xBD},     {"period", 0xBE},
}};

constexpr std::array<ShortcutModifierName, 4> kModifierNames = {{
    {"alt", kShortcutAlt},
    {"ctrl", kShortcutControl},
    {"control", kShortcutControl},
    {"shift", kShortcutShift},
}};

bool SameAscii(TextView field, const char* name) {
  const std::string_view ascii(name);
  if (field.size() != ascii.size()) return false;
  for (std::size_t k = 0; k < ascii.size(); ++k) {
    if (field[k] != static_cast<char16_t>(ascii[k])) return false;
  }
  return true;
}

void ReplaceAll(Text& text, TextView from, TextView to) {
  std::size_t at = 0;
  while ((at = text.find(from, at)) != Text::npos) {
    text.replace(at, from.size(), to);
    at += to.size();
  }
}

// Lower-cased, escapes gone, every separator made "+".
Text NormaliseShortcut(TextView shortcut) {
  Text text;
  text.reserve(shortcut.size());
  for (char16_t c : shortcut) text.push_back(LowerCaseUnit(c));
  for (const char16_t* code : {u"\\b", u"\\i", u"\\u", u"\\s", u"\\c", u"\\n"}) ReplaceAll(text, code, u"");
  for (char16_t separator : std::u16string_view(u"| -,.~^/\\:;")) {
    for (char16_t& c : text) {
      if (c == separator) c = u'+';
    }
  }
  return text;
}

// The "+"-separated fields up to (not including) the first empty one.
std::vector<TextView> LeadingFields(TextView text) {
  std::vector<TextView> fields;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t plus = text.find(u'+', start);
    const std::size_t end = plus == TextView::npos ? text.size() : plus;
    if (end == start) break;
    fields.push_back(text.substr(start, end - start));
    if (plus == TextView::npos) break;
    start = plus + 1;
  }
  return fields;
}

}  // namespace

std::span<const ShortcutKeyName> ShortcutKeyNames() { return kKeyNames; }
std::span<const ShortcutModifierName> ShortcutModifierNames() { return kModifierNames; }

char16_t LowerCaseUnit(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 0x20);
  return c;
}

char16_t UpperCaseUnit(char16_t c) {
  const auto minus = [c](int step) { return static_cast<char16_t>(c - step); };
  if (c >= u'a' && c <= u'z') return minus(0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return minus(0x20);
  if (c == 0xFF) return 0x178;
  if (c >= 0x101 && c <= 0x137 && c != 0x131) return c % 2 == 1 ? minus(1) : c;
  if (c >= 0x13A && c <= 0x148) return c % 2 == 0 ? minus(1) : c;
  if (c >= 0x14B && c <= 0x177) return c % 2 == 1 ? minus(1) : c;
  if (c >= 0x17A && c <= 0x17E) return c % 2 == 0 ? minus(1) : c;
  if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return minus(0x20);  // the final sigma keeps its form
  if (c >= 0x430 && c <= 0x44F) return minus(0x20);
  if (c >= 0x450 && c <= 0x45F) return minus(0x50);
  return c;
}

ParsedShortcut ParseShortcutText(TextView shortcut) {
  const Text text = NormaliseShortcut(shortcut);
  std::uint32_t modifiers = 0;
  std::uint32_t key = 0;
  bool haveKey = false;
  bool characterKey = false;
  for (TextView field : LeadingFields(text)) {
    bool known = false;
    for (const ShortcutModifierName& modifier : kModifierNames) {
      if (SameAscii(field, modifier.Name)) {
        modifiers |= modifier.Flag;
        known = true;
        break;
      }
    }
    if (known) continue;
    for (const ShortcutKeyName& name : kKeyNames) {
      if (SameAscii(field, name.Name)) {
        key = name.VirtualKey;
        haveKey = true;
        characterKey = false;
        known = true;
        break;
      }
    }
    if (known) continue;
    if (field.size() != 1) return {};
    key = UpperCaseUnit(field[0]);
    haveKey = true;
    characterKey = true;
  }
  // A shortcut without a key (for instance "ctrl+." where "." is a separator) could never
  // be pressed; storing it would only leave dead entries in the table.
  if (!haveKey) return {};
  ParsedShortcut parsed;
  parsed.Valid = true;
  parsed.Key = key;
  parsed.Flags = modifiers | (characterKey ? 0u : kShortcutVirtualKey);
  return parsed;
}
