#include "veloui/menus/core/shortcut_keys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

constexpr std::uint32_t V = kShortcutVirtualKey;
constexpr std::uint32_t C = kShortcutControl;
constexpr std::uint32_t S = kShortcutShift;
constexpr std::uint32_t A = kShortcutAlt;

void ExpectShortcut(const char16_t* text, std::uint32_t key, std::uint32_t flags) {
  const ParsedShortcut parsed = ParseShortcutText(text);
  ASSERT_TRUE(parsed.Valid) << std::string(text, text + std::char_traits<char16_t>::length(text));
  EXPECT_EQ(parsed.Key, key);
  EXPECT_EQ(parsed.Flags, flags);
}

TEST(ShortcutKeyNames, TableHoldsEveryNameOnce) {
  std::set<std::string> names;
  for (const ShortcutKeyName& name : ShortcutKeyNames()) names.insert(name.Name);
  for (const ShortcutModifierName& name : ShortcutModifierNames()) names.insert(name.Name);
  EXPECT_EQ(names.size(), ShortcutKeyNames().size() + ShortcutModifierNames().size());
}

TEST(ParseShortcutText, KeysModifiersSeparatorsAndCase) {
  struct Case {
    const char16_t* Text;
    std::uint32_t Key, Flags;
  };
  const Case cases[] = {
      {u"Ctrl+K", 0x4B, C},  // a character shortcut has no virtual-key flag
      {u"k", 0x4B, 0},
      {u"alt+1", 0x31, A},
      {u"ctrl-shift-f3", 0x72, V | S | C},
      {u"CTRL SHIFT F3", 0x72, V | S | C},
      {u"Control|Shift~F3", 0x72, V | S | C},
      {u"shift:alt;f24", 0x87, V | S | A},
      {u"pgdn", 0x22, V},
      {u"numpad7", 0x67, V},
      {u"Ctrl+Period", 0xBE, V | C},
      {u"ENTER", 0x0D, V},
      {u"\\bCtrl+\\iK", 0x4B, C},  // coded text escapes are ignored
      {u"a+f2", 0x71, V},              // a later key replaces an earlier one
      {u"f2+a", 0x41, 0},
      {u"ctrl+k++banana", 0x4B, C},    // parsing stops at the first empty field
      {u"\u00e4", 0xC4, 0},           // Latin letters are upper-cased
  };
  for (const Case& c : cases) ExpectShortcut(c.Text, c.Key, c.Flags);
  // An unknown field or an empty one before any key stores nothing ("." is a separator).
  for (const char16_t* text : {u"ctrl+banana", u"hyper+k", u"ctrl+.", u"", u"+k"})
    EXPECT_FALSE(ParseShortcutText(text).Valid);
}

TEST(CaseFolding, AsciiAndLatin1) {
  EXPECT_EQ(LowerCaseUnit(u'Q'), u'q');
  EXPECT_EQ(LowerCaseUnit(u'\u00C9'), u'\u00E9');
  EXPECT_EQ(LowerCaseUnit(u'\u00D7'), u'\u00D7');
  EXPECT_EQ(UpperCaseUnit(u'\u00F7'), u'\u00F7');
  EXPECT_EQ(UpperCaseUnit(u'z'), u'Z');
  EXPECT_EQ(UpperCaseUnit(u'5'), u'5');
}

}  // namespace
