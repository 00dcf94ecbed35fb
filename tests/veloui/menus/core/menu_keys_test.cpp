#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "veloui/menus/core/child_kinds.h"
#include "veloui/menus/core/item_text.h"
#include "veloui/menus/core/menu_navigation.h"
#include "veloui/menus/core/shortcut_keys.h"
#include "veloui/menus/core/shortcut_table.h"

namespace {

TEST(MenuNavigation, NeighbourTitlesWrapAround) {
  const int cases[][4] = {{0, -1, 4, 3}, {3, +1, 4, 0}, {1, -1, 4, 0}, {1, +1, 4, 2}, {0, +1, 1, 0}, {0, +1, 0, -1}};
  for (const auto& c : cases) EXPECT_EQ(NeighbourTitle(c[0], c[1], c[2]), c[3]) << c[0] << " " << c[1] << " " << c[2];
}

TEST(MenuNavigation, ClassifyMenuKey) {
  using E = MenuKeyEvent;
  // Presses with or without bit 15, the Alt release, an auto-repeat, F10 elsewhere, other keys.
  const struct { std::uint32_t Key, Data; bool Active; E Event; } cases[] = {
      {kKeyAlt, 0x20380001, true, E::ActivatorPressed}, {kKeyAlt, 0x20388001, true, E::ActivatorPressed},
      {kKeyF10, 0x440001, true, E::ActivatorPressed},   {kKeyAlt, 0xC0380001, true, E::AltReleased},
      {kKeyAlt, 0x60380001, true, E::Other},            {kKeyF10, 0x440001, false, E::Other},
      {kKeyDown, 0x20388001, true, E::Other},
  };
  for (const auto& c : cases) EXPECT_EQ(ClassifyMenuKey(c.Key, c.Data, c.Active), c.Event) << c.Key << " " << c.Data;
  // Down (not the keypad's, which lacks the extended bit), Return and ordinary keys leave the bar's key
  // mode; arrows, a Return release and the activators do not.
  const struct { std::uint32_t Key, Data; bool Leaves; } leaving[] = {
      {kKeyDown, 0x01500001, true},  {kKeyDown, 0x41500001, true},  {kKeyDown, 0x00500001, false},
      {kKeyReturn, 0x001C0001, true}, {kKeyReturn, 0xC01C0001, false}, {'S', 0x001F0001, true},
      {kKeyLeft, 0x014B0001, false}, {kKeyRight, 0x014D0001, false}, {kKeyAlt, 0x20380001, false},
      {kKeyF10, 0x00440001, false},
  };
  for (const auto& c : leaving) EXPECT_EQ(KeyLeavesBarKeyMode(c.Key, c.Data), c.Leaves) << c.Key << " " << c.Data;
}

// Arrow keys on a scrollable copy of 12 items: mode 0 down a step, 1 up, 2 rebuilt at the end, 3 at the start.
TEST(MenuNavigation, DecideCopyScroll) {
  const struct { CopySelection Selection; int Mode, Select; } rows[] = {  // mode -1: no scroll
      {{kKeyDown, kCopyTopArrowId, true, false, 12}, 3, 0},    // the end is shown: rebuild at the start
      {{kKeyUp, kCopyBottomArrowId, false, true, 12}, 2, 11},  // the start is shown: rebuild at the end
      {{kKeyUp, kCopySpacerId, true, true, 12}, 1, 1},         {{kKeyUp, kCopyTopArrowId, true, true, 12}, 1, 1},
      {{kKeyDown, kCopySpacerId, true, true, 12}, 0, 10},      {{kKeyDown, kCopyBottomArrowId, true, true, 12}, 0, 10},
      {{kKeyDown, kCopyTopArrowId, true, true, 12}, -1, 0},    {{kKeyDown, 13, true, true, 12}, -1, 0},
      {{0, kCopySpacerId, true, true, 12}, -1, 0},
  };
  for (const auto& row : rows) {
    const auto scroll = DecideCopyScroll(row.Selection);
    EXPECT_EQ(scroll ? std::pair(scroll->Mode, scroll->SelectPosition) : std::pair(-1, 0), std::pair(row.Mode, row.Select))
        << row.Selection.LastKey << " " << row.Selection.SelectedId;
  }
}

// The spacer a scroll to an end left in that end's arrow place: past it lies the other end. A spacer
// next to an arrow, or at the other end, still scrolls a step.
TEST(MenuNavigation, KeysPastTheSpacerAtAnEndWrapToTheOtherEnd) {
  CopySelection atEnd{kKeyDown, kCopySpacerId, true, false, 12};
  atEnd.LastIsSpacer = true;
  CopySelection atStart{kKeyUp, kCopySpacerId, false, true, 12};
  atStart.FirstIsSpacer = true;
  const auto down = DecideCopyScroll(atEnd);
  const auto up = DecideCopyScroll(atStart);
  ASSERT_TRUE(down && up);
  EXPECT_EQ(std::pair(down->Mode, CopyScrollSelection(*down, 14)), std::pair(3, 0)) << "the first item";
  EXPECT_EQ(std::pair(up->Mode, CopyScrollSelection(*up, 9)), std::pair(2, 8)) << "the last item";
  CopySelection upAtEnd = atEnd;
  upAtEnd.LastKey = kKeyUp;
  CopySelection downAtStart = atStart;
  downAtStart.LastKey = kKeyDown;
  EXPECT_EQ(DecideCopyScroll(upAtEnd)->Mode, 1);
  EXPECT_EQ(DecideCopyScroll(downAtStart)->Mode, 0);
}

// Rows a scroll or rebuild leaves may be more or fewer than before: the ends are counted afterwards.
TEST(MenuNavigation, TheSelectionAfterACopyScrollCountsTheRowsItLeft) {
  const auto after = [](CopySelection selection, int rowsAfter) {
    const auto scroll = DecideCopyScroll(selection);
    return scroll ? CopyScrollSelection(*scroll, rowsAfter) : -99;
  };
  for (int rowsAfter : {9, 12, 15}) {
    SCOPED_TRACE(rowsAfter);
    EXPECT_EQ(after({kKeyUp, kCopyBottomArrowId, false, true, 12}, rowsAfter), rowsAfter - 1) << "the last row";
    EXPECT_EQ(after({kKeyDown, kCopyBottomArrowId, true, true, 12}, rowsAfter), rowsAfter - 2) << "above the arrow";
    EXPECT_EQ(after({kKeyDown, kCopyTopArrowId, true, false, 12}, rowsAfter), 0);
    EXPECT_EQ(after({kKeyUp, kCopyTopArrowId, true, true, 12}, rowsAfter), 1);
  }
}

TEST(SplitItemText, DollarRules) {
  const struct { const char16_t *Text, *Label, *Shortcut; bool Mark; } cases[] = {
      {u"Copy$Ctrl+K", u"Copy", u"Ctrl+K", true},
      {u"Save$$", u"Save$", u"", false},  // "$$" is a literal "$"
      {u"Pay $$5$ctrl-p", u"Pay $5", u"ctrl-p", true},
      {u"A$$$F2", u"A$", u"F2", true},    // a literal and a mark
      {u"X$a$$b", u"X", u"a$$b", true},   // later dollars belong to the shortcut
      {u"Item$", u"Item", u"", true},     // a mark with an empty shortcut
      {u"Refresh\tF5", u"Refresh\tF5", u"", false},
      {u"", u"", u"", false},
      {u"\\bDonate...", u"\\bDonate...", u"", false},  // coded text escapes stay
  };
  for (const auto& c : cases) {
    const SplitItem split = SplitItemText(c.Text);
    EXPECT_EQ(std::tuple(split.Label, split.Shortcut, split.HasShortcutMark),
              std::tuple(Text(c.Label), Text(c.Shortcut), c.Mark)) << TextToUtf8(c.Text);
  }
}

TEST(ShortcutKeys, ParseShortcutText) {
  std::set<std::string> names;  // a name twice in the tables would hide the second key
  for (const ShortcutKeyName& name : ShortcutKeyNames()) names.insert(name.Name);
  for (const ShortcutModifierName& name : ShortcutModifierNames()) names.insert(name.Name);
  EXPECT_EQ(names.size(), ShortcutKeyNames().size() + ShortcutModifierNames().size());
  constexpr std::uint32_t V = kShortcutVirtualKey, C = kShortcutControl, S = kShortcutShift, A = kShortcutAlt;
  const struct { const char16_t* Text; std::uint32_t Key, Flags; } cases[] = {
      {u"Ctrl+K", 0x4B, C},  {u"k", 0x4B, 0},  {u"alt+1", 0x31, A},  // a character shortcut has no virtual-key flag
      {u"ctrl-shift-f3", 0x72, V | S | C},  {u"CTRL SHIFT F3", 0x72, V | S | C}, {u"Control|Shift~F3", 0x72, V | S | C},
      {u"shift:alt;f24", 0x87, V | S | A},  {u"pgdn", 0x22, V},  {u"numpad7", 0x67, V},  {u"ENTER", 0x0D, V},
      {u"Ctrl+Period", 0xBE, V | C},  {u"\\bCtrl+\\iK", 0x4B, C},  // coded text escapes are ignored
      {u"a+f2", 0x71, V},  {u"f2+a", 0x41, 0},  // a later key replaces an earlier one
      {u"ctrl+k++banana", 0x4B, C},     // parsing stops at the first empty field
      {u"\u00e4", 0xC4, 0},            // Latin letters are upper-cased
  };
  for (const auto& c : cases) {
    const ParsedShortcut p = ParseShortcutText(c.Text);
    EXPECT_EQ(std::tuple(p.Valid, p.Key, p.Flags), std::tuple(true, c.Key, c.Flags)) << TextToUtf8(c.Text);
  }
  // An unknown field or an empty one before any key stores nothing ("." is a separator).
  for (const char16_t* text : {u"ctrl+banana", u"hyper+k", u"ctrl+.", u"", u"+k"})
    EXPECT_FALSE(ParseShortcutText(text).Valid) << TextToUtf8(text);
  // Case folding of ASCII and Latin-1; the multiplication and division signs have no other case.
  EXPECT_EQ(Text({LowerCaseUnit(u'Q'), LowerCaseUnit(u'\u00C9'), LowerCaseUnit(u'\u00D7')}), u"q\u00E9\u00D7");
  EXPECT_EQ(Text({UpperCaseUnit(u'z'), UpperCaseUnit(u'\u00F7')}), u"Z\u00F7");
  // Upper case also for Latin Extended-A, Greek and Cyrillic, the shortcut keys of other scripts.
  EXPECT_EQ(Text({UpperCaseUnit(u'\u0105'), UpperCaseUnit(u'\u03C9'), UpperCaseUnit(u'\u03C3'), UpperCaseUnit(u'\u0436'),
                  UpperCaseUnit(u'\u0451'), UpperCaseUnit(u'\u00FF'), UpperCaseUnit(u'\u0416')}),
            u"\u0104\u03A9\u03A3\u0416\u0401\u0178\u0416");
  EXPECT_EQ(ParseShortcutText(u"ctrl+\u03C9").Key, 0x3A9u);
}

const Text kWindow = u"1234";
std::int32_t Match(const ShortcutMap& map, const Text& window, std::uint32_t flags, std::uint32_t key, std::uint32_t ch) {
  return MatchShortcut(map, window, flags, key, ch).value_or(-1);
}

TEST(ShortcutTable, MatchByVirtualKeyOrCharacterPerWindowFirstEntryWinning) {
  ShortcutMap map;
  ApplyShortcut(map, kWindow, ParseShortcutText(u"ctrl-shift-f3"), 40);
  EXPECT_EQ(Match(map, kWindow, kShortcutControl | kShortcutShift, 0x72, 0), 40);
  EXPECT_EQ(Match(map, kWindow, kShortcutControl, 0x72, 0), -1);
  EXPECT_EQ(Match(map, u"99", kShortcutControl | kShortcutShift, 0x72, 0), -1);
  // A character entry matches the character: the same virtual key producing another one fires nothing.
  ApplyShortcut(map, kWindow, ParseShortcutText(u"Ctrl+K"), 7);
  EXPECT_EQ(Match(map, kWindow, kShortcutControl, 0x4B, 0x4B), 7);
  EXPECT_EQ(Match(map, kWindow, kShortcutControl, 0x4B, 0x4C), -1);
  EXPECT_EQ(Match(map, kWindow, 0, 0x4B, 0x4B), -1);
  // Two character entries cannot collide, but a virtual key and a character can: the first wins.
  map[kWindow].push_back({0x4B, kShortcutControl | kShortcutVirtualKey, 2});
  EXPECT_EQ(Match(map, kWindow, kShortcutControl, 0x4B, 0x4B), 7);
  // Window lists are separate.
  ApplyShortcut(map, kWindow, ParseShortcutText(u"f4"), 1);
  ApplyShortcut(map, kGlobalShortcutKey, ParseShortcutText(u"f4"), 2);
  RemoveWindowShortcuts(map, kWindow);
  EXPECT_EQ(Match(map, kWindow, 0, 0x73, 0), -1);
  EXPECT_EQ(Match(map, kGlobalShortcutKey, 0, 0x73, 0), 2);
  // Command ids above the 16-bit signed range keep their low word.
  ApplyShortcut(map, kWindow, ParseShortcutText(u"f6"), 65534);
  EXPECT_EQ(static_cast<std::uint16_t>(Match(map, kWindow, 0, 0x75, 0)), 65534);
}

TEST(ShortcutTable, ApplyRetargetsRemovesAndIgnoresInvalidShortcuts) {
  ShortcutMap map;
  const ParsedShortcut f3 = ParseShortcutText(u"f3");
  ApplyShortcut(map, kWindow, f3, -1);  // removing an unknown entry stores nothing
  EXPECT_TRUE(map.empty());
  ApplyShortcut(map, kWindow, f3, 1);
  ApplyShortcut(map, kWindow, ParseShortcutText(u"F3"), 12);  // the same key again: retargeted
  ASSERT_EQ(map[kWindow].size(), 1u);
  EXPECT_EQ(map[kWindow][0].CommandId, 12);
  ApplyShortcut(map, kWindow, f3, -1);
  ApplyShortcut(map, kWindow, f3, -1);  // disabled twice, enabled once
  ApplyShortcut(map, kWindow, f3, 12);
  ApplyShortcut(map, kWindow, ParseShortcutText(u"ctrl+banana"), 6);
  ApplyShortcut(map, kWindow, ParseShortcutText(u"ctrl+banana"), -1);
  ASSERT_EQ(map[kWindow].size(), 1u);
  EXPECT_EQ(map[kWindow][0].CommandId, 12);
}

TEST(ChildKinds, EditsByTheirParentGroupBoxesByButtonTypeAndNeverSubclassedHelpers) {
  const struct { const char16_t *Class, *Parent; std::uint32_t Style; int Kind; } kinds[] = {
      {u"Edit", u"ComboBox", 0, ChildKindComboEdit}, {u"Edit", u"WindowClass_0", 0, ChildKindEdit},
      {u"EDIT", u"combobox", 0, ChildKindComboEdit}, {u"Button", u"", 0x50000007, ChildKindGroupBox},
      {u"Button", u"", 0x50000003, ChildKindButton},  // auto check box
      {u"Button", u"", 0x5000000F, ChildKindGroupBox},
      {u"VeloUI_PanelExPages", u"", 0, ChildKindPassThrough}};  // not a page
  for (const auto& k : kinds) EXPECT_EQ(ChildKindOfClass(k.Class, k.Parent, k.Style), k.Kind) << TextToUtf8(k.Class);
  for (TextView name : {u"#32768", u"VeloUI_DropShadow", u"tooltips_class32", u"ComboLBox", u"static"})
    EXPECT_TRUE(IsNeverSubclassedClass(name)) << TextToUtf8(name);
  for (TextView name : {u"Edit", u"IME2", u""}) EXPECT_FALSE(IsNeverSubclassedClass(name)) << TextToUtf8(name);
}

}  // namespace
