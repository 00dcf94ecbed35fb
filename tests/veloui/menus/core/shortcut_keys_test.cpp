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
  EXPECT_EQ(ShortcutKeyNames().size(), 109u);
  EXPECT_EQ(ShortcutModifierNames().size(), 4u);
  std::set<std::string> names;
  for (const ShortcutKeyName& name : ShortcutKeyNames()) names.insert(name.Name);
  for (const ShortcutModifierName& name : ShortcutModifierNames()) names.insert(name.Name);
  EXPECT_EQ(names.size(), 113u);
}

TEST(ShortcutKeyNames, FunctionKeysAndNumberPadRunInOrder) {
  for (const ShortcutKeyName& name : ShortcutKeyNames()) {
    const std::string text = name.Name;
    if (text.size() >= 2 && text[0] == 'f' && text[1] >= '1' && text[1] <= '9') {
      EXPECT_EQ(name.VirtualKey, 0x6Fu + std::stoul(text.substr(1))) << text;
    }
    const char last = text.back();
    if ((text.starts_with("numpad") || text.starts_with("num") || text.starts_with("pad")) && last >= '0' &&
        last <= '9') {
      EXPECT_EQ(name.VirtualKey, 0x60u + static_cast<unsigned>(last - '0')) << text;
    }
  }
}

TEST(ParseShortcutText, CharacterShortcutHasNoVirtualKeyFlag) {
  ExpectShortcut(u"Ctrl+K", 0x4B, C);
  ExpectShortcut(u"k", 0x4B, 0);
  ExpectShortcut(u"alt+1", 0x31, A);
}

TEST(ParseShortcutText, SeparatorsAndCaseDoNotMatter) {
  ExpectShortcut(u"ctrl-shift-f3", 0x72, V | S | C);
  ExpectShortcut(u"CTRL SHIFT F3", 0x72, V | S | C);
  ExpectShortcut(u"Control|Shift~F3", 0x72, V | S | C);
  ExpectShortcut(u"shift:alt;f24", 0x87, V | S | A);
}

TEST(ParseShortcutText, NamedKeys) {
  ExpectShortcut(u"pgdn", 0x22, V);
  ExpectShortcut(u"pgup", 0x21, V);
  ExpectShortcut(u"numpad7", 0x67, V);
  ExpectShortcut(u"pad0", 0x60, V);
  ExpectShortcut(u"Ctrl+Period", 0xBE, V | C);
  ExpectShortcut(u"ENTER", 0x0D, V);
  ExpectShortcut(u"f1", 0x70, V);
}

TEST(ParseShortcutText, CodedTextEscapesAreIgnored) {
  ExpectShortcut(u"\\bCtrl+\\iK", 0x4B, C);
}

TEST(ParseShortcutText, LaterKeyReplacesEarlierOne) {
  ExpectShortcut(u"a+f2", 0x71, V);
  ExpectShortcut(u"f2+a", 0x41, 0);
}

TEST(ParseShortcutText, UnknownFieldStoresNothing) {
  EXPECT_FALSE(ParseShortcutText(u"ctrl+banana").Valid);
  EXPECT_FALSE(ParseShortcutText(u"hyper+k").Valid);
}

TEST(ParseShortcutText, ParseStopsAtTheFirstEmptyField) {
  // "." is a separator, so nothing follows the empty field: no key, nothing to store.
  EXPECT_FALSE(ParseShortcutText(u"ctrl+.").Valid);
  EXPECT_FALSE(ParseShortcutText(u"").Valid);
  EXPECT_FALSE(ParseShortcutText(u"+k").Valid);
  // The unknown field after the gap is never looked at.
  ExpectShortcut(u"ctrl+k++banana", 0x4B, C);
}

TEST(ParseShortcutText, LatinLettersAreUpperCased) {
  ExpectShortcut(u"\u00e4", 0xC4, 0);
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
