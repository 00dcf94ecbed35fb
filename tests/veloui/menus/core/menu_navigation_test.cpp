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

TEST(ClassifyMenuKey, AltAndF10PressesWithOrWithoutBit15) {
  EXPECT_EQ(ClassifyMenuKey(kKeyAlt, 0x20380001, true), MenuKeyEvent::ActivatorPressed);
  EXPECT_EQ(ClassifyMenuKey(kKeyAlt, 0x20388001, true), MenuKeyEvent::ActivatorPressed);
  EXPECT_EQ(ClassifyMenuKey(kKeyF10, 0x440001, true), MenuKeyEvent::ActivatorPressed);
  EXPECT_EQ(ClassifyMenuKey(kKeyAlt, 0xC0380001, true), MenuKeyEvent::AltReleased);
}

TEST(ClassifyMenuKey, RepeatsSwitchedOffF10AndOtherKeysAreOther) {
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

CopySelection Selection(std::uint32_t key, std::uint16_t id) {
  CopySelection selection;
  selection.LastKey = key;
  selection.SelectedId = id;
  selection.FirstIsTopArrow = true;
  selection.LastIsBottomArrow = true;
  selection.ItemCount = 12;
  return selection;
}

TEST(DecideCopyScroll, DownOntoTheTopArrowRebuildsAtTheStartWhenTheEndIsShown) {
  CopySelection selection = Selection(kKeyDown, kCopyTopArrowId);
  selection.LastIsBottomArrow = false;
  const auto scroll = DecideCopyScroll(selection);
  ASSERT_TRUE(scroll.has_value());
  EXPECT_EQ(scroll->Mode, 3);
  EXPECT_EQ(scroll->SelectPosition, 0);
}

TEST(DecideCopyScroll, UpOntoTheBottomArrowRebuildsAtTheEndWhenTheStartIsShown) {
  CopySelection selection = Selection(kKeyUp, kCopyBottomArrowId);
  selection.FirstIsTopArrow = false;
  const auto scroll = DecideCopyScroll(selection);
  ASSERT_TRUE(scroll.has_value());
  EXPECT_EQ(scroll->Mode, 2);
  EXPECT_EQ(scroll->SelectPosition, 11);
}

TEST(DecideCopyScroll, UpOntoTheSpacerOrTopArrowScrollsUpOneStep) {
  for (std::uint16_t id : {kCopySpacerId, kCopyTopArrowId}) {
    const auto scroll = DecideCopyScroll(Selection(kKeyUp, id));
    ASSERT_TRUE(scroll.has_value());
    EXPECT_EQ(scroll->Mode, 1);
    EXPECT_EQ(scroll->SelectPosition, 1);
  }
}

TEST(DecideCopyScroll, DownOntoTheSpacerOrBottomArrowScrollsDownOneStep) {
  for (std::uint16_t id : {kCopySpacerId, kCopyBottomArrowId}) {
    const auto scroll = DecideCopyScroll(Selection(kKeyDown, id));
    ASSERT_TRUE(scroll.has_value());
    EXPECT_EQ(scroll->Mode, 0);
    EXPECT_EQ(scroll->SelectPosition, 10);
  }
}

TEST(DecideCopyScroll, DownOntoTheTopArrowWithBothArrowsShownScrollsNothing) {
  EXPECT_FALSE(DecideCopyScroll(Selection(kKeyDown, kCopyTopArrowId)).has_value());
}

TEST(DecideCopyScroll, OrdinaryItemsOrNoKeyScrollNothing) {
  EXPECT_FALSE(DecideCopyScroll(Selection(kKeyDown, 13)).has_value());
  EXPECT_FALSE(DecideCopyScroll(Selection(0, kCopySpacerId)).has_value());
}

}  // namespace
