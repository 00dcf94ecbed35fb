#include "veloui/menus/core/shortcut_table.h"

#include <gtest/gtest.h>

namespace {

const Text kWindow = u"1234";

TEST(ShortcutTable, StoreThenMatchVirtualKey) {
  ShortcutMap map;
  ApplyShortcut(map, kWindow, ParseShortcutText(u"ctrl-shift-f3"), 40);
  const auto hit = MatchShortcut(map, kWindow, kShortcutControl | kShortcutShift, 0x72, 0);
  ASSERT_TRUE(hit.has_value());
  EXPECT_EQ(*hit, 40);
  EXPECT_FALSE(MatchShortcut(map, kWindow, kShortcutControl, 0x72, 0).has_value());
  EXPECT_FALSE(MatchShortcut(map, u"99", kShortcutControl | kShortcutShift, 0x72, 0).has_value());
}

TEST(ShortcutTable, CharacterEntriesMatchTheCharacterNotTheVirtualKey) {
  ShortcutMap map;
  ApplyShortcut(map, kWindow, ParseShortcutText(u"Ctrl+K"), 7);
  EXPECT_EQ(MatchShortcut(map, kWindow, kShortcutControl, 0x4B, 0x4B).value_or(-1), 7);
  // The same virtual key producing another character does not fire a character shortcut.
  EXPECT_FALSE(MatchShortcut(map, kWindow, kShortcutControl, 0x4B, 0x4C).has_value());
  EXPECT_FALSE(MatchShortcut(map, kWindow, 0, 0x4B, 0x4B).has_value());
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

TEST(ShortcutTable, FirstEntryInListOrderWins) {
  ShortcutMap map;
  // Two character entries cannot collide, but a virtual key and a character can.
  ApplyShortcut(map, kWindow, ParseShortcutText(u"ctrl+k"), 1);
  map[kWindow].push_back({0x4B, kShortcutControl | kShortcutVirtualKey, 2});
  EXPECT_EQ(MatchShortcut(map, kWindow, kShortcutControl, 0x4B, 0x4B).value_or(-1), 1);
}

TEST(ShortcutTable, WindowListsAreSeparate) {
  ShortcutMap map;
  ApplyShortcut(map, kWindow, ParseShortcutText(u"f4"), 1);
  ApplyShortcut(map, kGlobalShortcutKey, ParseShortcutText(u"f4"), 2);
  RemoveWindowShortcuts(map, kWindow);
  EXPECT_FALSE(MatchShortcut(map, kWindow, 0, 0x73, 0).has_value());
  EXPECT_EQ(MatchShortcut(map, kGlobalShortcutKey, 0, 0x73, 0).value_or(-1), 2);
}

TEST(ShortcutTable, CommandIdsAboveThe16BitSignedRangeKeepTheirLowWord) {
  ShortcutMap map;
  ApplyShortcut(map, kWindow, ParseShortcutText(u"f6"), 65534);
  const auto hit = MatchShortcut(map, kWindow, 0, 0x75, 0);
  ASSERT_TRUE(hit.has_value());
  EXPECT_EQ(static_cast<std::uint16_t>(*hit), 65534);
}

}  // namespace
