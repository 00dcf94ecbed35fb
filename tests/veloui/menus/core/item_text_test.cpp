#include "veloui/menus/core/item_text.h"

#include <gtest/gtest.h>

namespace {

TEST(SplitItemText, LabelAndShortcutAtTheFirstSingleDollar) {
  const SplitItem split = SplitItemText(u"Copy$Ctrl+K");
  EXPECT_EQ(split.Label, u"Copy");
  EXPECT_EQ(split.Shortcut, u"Ctrl+K");
  EXPECT_TRUE(split.HasShortcutMark);
}

TEST(SplitItemText, DoubleDollarIsALiteralDollarOfTheLabel) {
  const SplitItem split = SplitItemText(u"Save$$");
  EXPECT_EQ(split.Label, u"Save$");
  EXPECT_TRUE(split.Shortcut.empty());
  EXPECT_FALSE(split.HasShortcutMark);
}

TEST(SplitItemText, LiteralDollarBeforeTheShortcut) {
  const SplitItem split = SplitItemText(u"Pay $$5$ctrl-p");
  EXPECT_EQ(split.Label, u"Pay $5");
  EXPECT_EQ(split.Shortcut, u"ctrl-p");
  EXPECT_TRUE(split.HasShortcutMark);
}

TEST(SplitItemText, ThreeDollarsAreALiteralAndAMark) {
  const SplitItem split = SplitItemText(u"A$$$F2");
  EXPECT_EQ(split.Label, u"A$");
  EXPECT_EQ(split.Shortcut, u"F2");
}

TEST(SplitItemText, LaterDollarsBelongToTheShortcut) {
  const SplitItem split = SplitItemText(u"X$a$$b");
  EXPECT_EQ(split.Label, u"X");
  EXPECT_EQ(split.Shortcut, u"a$$b");
}

TEST(SplitItemText, TrailingSingleDollarIsAMarkWithAnEmptyShortcut) {
  const SplitItem split = SplitItemText(u"Item$");
  EXPECT_EQ(split.Label, u"Item");
  EXPECT_TRUE(split.Shortcut.empty());
  EXPECT_TRUE(split.HasShortcutMark);
}

TEST(SplitItemText, TextWithoutDollarIsAllLabel) {
  const Text text = u"Refresh\tF5";
  const SplitItem split = SplitItemText(text);
  EXPECT_EQ(split.Label, text);
  EXPECT_FALSE(split.HasShortcutMark);
  EXPECT_TRUE(SplitItemText(u"").Label.empty());
}

TEST(SplitItemText, CodedTextEscapesStayInTheLabel) {
  EXPECT_EQ(SplitItemText(u"\\bDonate...").Label, u"\\bDonate...");
}

}  // namespace
