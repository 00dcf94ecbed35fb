#include "veloui/menus/core/menu_navigation.h"

#include <gtest/gtest.h>

namespace {

TEST(NeighbourTitle, LeftOnTheFirstTitleOpensTheLastAndRightOnTheLastOpensTheFirst) {
  EXPECT_EQ(NeighbourTitle(0, -1, 4), 3);
  EXPECT_EQ(NeighbourTitle(3, +1, 4), 0);
  EXPECT_EQ(NeighbourTitle(1, -1, 4), 0);
  EXPECT_EQ(NeighbourTitle(1, +1, 4), 2);
  EXPECT_EQ(NeighbourTitle(0, +1, 1), 0);
  EXPECT_EQ(NeighbourTitle(0, +1, 0), -1);
}

TEST(ClassifyMenuKey, PressesWithOrWithoutBit15RepeatsAndOtherKeys) {
  EXPECT_EQ(ClassifyMenuKey(kKeyAlt, 0x20380001, true), MenuKeyEvent::ActivatorPressed);
  EXPECT_EQ(ClassifyMenuKey(kKeyAlt, 0x20388001, true), MenuKeyEvent::ActivatorPressed);
  EXPECT_EQ(ClassifyMenuKey(kKeyF10, 0x440001, true), MenuKeyEvent::ActivatorPressed);
  EXPECT_EQ(ClassifyMenuKey(kKeyAlt, 0xC0380001, true), MenuKeyEvent::AltReleased);
  EXPECT_EQ(ClassifyMenuKey(kKeyAlt, 0x60380001, true), MenuKeyEvent::Other);  // auto-repeat
  EXPECT_EQ(ClassifyMenuKey(kKeyF10, 0x440001, false), MenuKeyEvent::Other);
  EXPECT_EQ(ClassifyMenuKey(kKeyDown, 0x20388001, true), MenuKeyEvent::Other);
}

TEST(KeyLeavesBarKeyMode, DownReturnAndOrdinaryKeysLeaveArrowsAndActivatorsDoNot) {
  EXPECT_TRUE(KeyLeavesBarKeyMode(kKeyDown, 0x01500001));
  EXPECT_TRUE(KeyLeavesBarKeyMode(kKeyDown, 0x41500001));
  EXPECT_FALSE(KeyLeavesBarKeyMode(kKeyDown, 0x00500001));  // the keypad's Down, no extended bit
  EXPECT_TRUE(KeyLeavesBarKeyMode(kKeyReturn, 0x001C0001));
  EXPECT_FALSE(KeyLeavesBarKeyMode(kKeyReturn, 0xC01C0001));
  EXPECT_TRUE(KeyLeavesBarKeyMode('S', 0x001F0001));
  EXPECT_FALSE(KeyLeavesBarKeyMode(kKeyLeft, 0x014B0001));
  EXPECT_FALSE(KeyLeavesBarKeyMode(kKeyRight, 0x014D0001));
  EXPECT_FALSE(KeyLeavesBarKeyMode(kKeyAlt, 0x20380001));
  EXPECT_FALSE(KeyLeavesBarKeyMode(kKeyF10, 0x00440001));
}

TEST(DecideCopyScroll, DecisionRows) {
  struct Row {
    std::uint32_t Key;
    std::uint16_t Id;
    bool TopShown, BottomShown;
    int Mode;  // -1: no scroll
    int Select;
  };
  const Row rows[] = {
      {kKeyDown, kCopyTopArrowId, true, false, 3, 0},   // the end is shown: rebuild at the start
      {kKeyUp, kCopyBottomArrowId, false, true, 2, 11},  // the start is shown: rebuild at the end
      {kKeyUp, kCopySpacerId, true, true, 1, 1},
      {kKeyUp, kCopyTopArrowId, true, true, 1, 1},
      {kKeyDown, kCopySpacerId, true, true, 0, 10},
      {kKeyDown, kCopyBottomArrowId, true, true, 0, 10},
      {kKeyDown, kCopyTopArrowId, true, true, -1, 0},
      {kKeyDown, 13, true, true, -1, 0},
      {0, kCopySpacerId, true, true, -1, 0},
  };
  for (const Row& row : rows) {
    CopySelection selection;
    selection.LastKey = row.Key;
    selection.SelectedId = row.Id;
    selection.FirstIsTopArrow = row.TopShown;
    selection.LastIsBottomArrow = row.BottomShown;
    selection.ItemCount = 12;
    const auto scroll = DecideCopyScroll(selection);
    ASSERT_EQ(scroll.has_value(), row.Mode >= 0) << row.Key << " " << row.Id;
    if (!scroll) continue;
    EXPECT_EQ(scroll->Mode, row.Mode);
    EXPECT_EQ(scroll->SelectPosition, row.Select);
  }
}

}  // namespace
