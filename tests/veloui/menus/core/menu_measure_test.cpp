#include "veloui/menus/core/menu_measure.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Every character 6 pixels wide; a label holding "\b" is 16 high, anything else 13 high.
MenuTextMeasurer FixedMeasurer(std::vector<Text>* seen = nullptr) {
  MenuTextMeasurer measure;
  measure.Coded = [seen](TextView text) {
    if (seen != nullptr) seen->emplace_back(text);
    const bool tall = text.find(u"\\b") != TextView::npos;
    return TextExtent{static_cast<int>(text.size()) * 6, tall ? 16 : 13};
  };
  measure.Plain = [](TextView text) { return TextExtent{static_cast<int>(text.size()) * 5, 13}; };
  return measure;
}

MenuMetrics Metrics(int pointSize) {
  MenuMetrics metrics;
  metrics.MenuCheckWidth = 13;
  metrics.MenuSizeWidth = 18;
  metrics.FontPointSize = pointSize;
  metrics.SpacerHeight = 7;
  metrics.ArrowHeight = 19;
  return metrics;
}

MenuItemShape Item(const char16_t* text, int image = 16) {
  MenuItemShape item;
  item.ItemText = text;
  item.ImageWidth = image;
  item.ImageHeight = image;
  return item;
}

TEST(MenuItemHeight, TextOrImageWhicheverIsTaller) {
  const MenuTextMeasurer measure = FixedMeasurer();
  // Text 16 high with 16-pixel images: 16 + 4, then + 3.
  EXPECT_EQ(MenuItemHeight(Item(u"\\bDonate..."), UISTYLE_OFFICE2003_SHORT, measure, Metrics(9)), 23);
  // Text 13 high, images 16: the image decides.
  EXPECT_EQ(MenuItemHeight(Item(u"Quit"), UISTYLE_OFFICE2003_SHORT, measure, Metrics(9)), 23);
  // Text 13 high without images.
  EXPECT_EQ(MenuItemHeight(Item(u"Quit", 0), UISTYLE_OFFICE2003_SHORT, measure, Metrics(9)), 20);
  // Large images.
  EXPECT_EQ(MenuItemHeight(Item(u"Quit", 32), UISTYLE_OFFICE2003_SHORT, measure, Metrics(9)), 39);
}

TEST(MenuItemHeight, SeparatorsByStyleAndTheSpecialRowsOfAScrollableCopy) {
  const MenuTextMeasurer measure = FixedMeasurer();
  for (std::int32_t style : {UISTYLE_OFFICE2003_SHORT, UISTYLE_WHIDBEY, UISTYLE_OFFICE2007})
    EXPECT_EQ(MenuItemHeight(Item(u""), style, measure, Metrics(9)), 2) << style;
  EXPECT_EQ(MenuItemHeight(Item(u""), 4, measure, Metrics(9)), 7);
  MenuItemShape row = Item(u"");
  const int kinds[][2] = {{kMenuItemSpacer, 7}, {kMenuItemBottomArrow, 19}, {kMenuItemTopArrow, 19}};
  for (const auto& kind : kinds) {
    row.Kind = kind[0];
    EXPECT_EQ(MenuItemHeight(row, UISTYLE_OFFICE2003_SHORT, measure, Metrics(9)), kind[1]) << kind[0];
  }
}

TEST(MenuImageGap, SmallFontsTakeTwoOff) {
  EXPECT_EQ(MenuImageGap(9), 6);
  EXPECT_EQ(MenuImageGap(8), 6);
  EXPECT_EQ(MenuImageGap(10), 10);
  EXPECT_EQ(MenuImageGap(11), 12);
  EXPECT_EQ(MenuImageGap(16), 20);
}

TEST(MenuItemWidth, LabelAndShortcutAreMeasuredApart) {
  std::vector<Text> seen;
  const MenuTextMeasurer measure = FixedMeasurer(&seen);
  // "Copy" 24 + "Ctrl+K" 36 + 2 x 16 + gap 6 + check 13.
  EXPECT_EQ(MenuItemWidth(Item(u"Copy$Ctrl+K"), measure, Metrics(9)), 111);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], u"Copy");
  EXPECT_EQ(seen[1], u"Ctrl+K");
}

TEST(MenuItemWidth, WholeTextWithoutShortcut) {
  const MenuTextMeasurer measure = FixedMeasurer();
  // "Refresh\tF5" is 10 units: 60 + 0 images + gap 10 + check 13.
  EXPECT_EQ(MenuItemWidth(Item(u"Refresh\tF5", 0), measure, Metrics(10)), 83);
  // "Save$$" is drawn "Save$": 30 + 32 + 6 + 13.
  EXPECT_EQ(MenuItemWidth(Item(u"Save$$"), measure, Metrics(9)), 81);
}

TEST(PopupMenuHeight, ItemsPlusFrameOfTheStyle) {
  const MenuTextMeasurer measure = FixedMeasurer();
  std::vector<MenuItemShape> items = {Item(u"Connect"), Item(u"Quick Connect"), Item(u""), Item(u"Quit")};
  // 23 + 23 + 2 + 23 with the Office 2003 frame of 3.
  EXPECT_EQ(PopupMenuHeight(items, UISTYLE_OFFICE2003_SHORT, measure, Metrics(9)), 74);
  EXPECT_EQ(PopupMenuHeight(items, UISTYLE_WHIDBEY, measure, Metrics(9)), 76);
  // Styles below Whidbey draw 7-pixel separators and a frame of 6.
  EXPECT_EQ(PopupMenuHeight(items, 1, measure, Metrics(9)), 23 * 3 + 7 + 6);
  items[1].OwnerDrawn = false;  // only owner-drawn items are counted
  EXPECT_EQ(PopupMenuHeight(items, UISTYLE_OFFICE2003_SHORT, measure, Metrics(9)), 51);
  EXPECT_EQ(PopupMenuHeight({}, UISTYLE_OFFICE2003_SHORT, measure, Metrics(9)), 3);
}

TEST(PopupMenuWidth, WidestItemWithTheStyleAdjustment) {
  const MenuTextMeasurer measure = FixedMeasurer();
  const std::vector<MenuItemShape> items = {Item(u"Lock"), Item(u"Reload Ban-List"), Item(u"")};
  // "Reload Ban-List" 90 + 32 + 6 + 13 = 141; + SM_CXMENUSIZE 18.
  EXPECT_EQ(PopupMenuWidth(items, UISTYLE_OFFICE2003_SHORT, measure, Metrics(9)), 157);
  EXPECT_EQ(PopupMenuWidth(items, UISTYLE_OFFICE2003, measure, Metrics(9)), 157);
  EXPECT_EQ(PopupMenuWidth(items, UISTYLE_OFFICE2007, measure, Metrics(9)), 160);
  EXPECT_EQ(PopupMenuWidth(items, UISTYLE_WHIDBEY, measure, Metrics(9)), 159);
  EXPECT_EQ(PopupMenuWidth({}, UISTYLE_OFFICE2003_SHORT, measure, Metrics(9)), 0);
}

TEST(PopupMenuWidth, PlainItemsUseTheSystemMeasureAndTheCheckMargin) {
  const MenuTextMeasurer measure = FixedMeasurer();
  MenuItemShape plain = Item(u"A plain item text");  // 17 units, 85 pixels plainly
  plain.OwnerDrawn = false;
  // 85 + round(2.5 x 13 + 12) = 85 + 45 (44.5 rounds up).
  EXPECT_EQ(PopupMenuWidth(std::vector<MenuItemShape>{plain}, UISTYLE_OFFICE2003_SHORT, measure, Metrics(9)), 130);
}

TEST(MenuTitleButtonSize, ShortTextsAreRaisedAndStylesTrimmed) {
  EXPECT_EQ(MenuTitleButtonSize({40, 13}, UISTYLE_OFFICE2003_SHORT).Width, 56);
  EXPECT_EQ(MenuTitleButtonSize({40, 13}, UISTYLE_OFFICE2003_SHORT).BarHeight, 19);
  EXPECT_EQ(MenuTitleButtonSize({40, 13}, UISTYLE_OFFICE2007).BarHeight, 20);
  EXPECT_EQ(MenuTitleButtonSize({40, 13}, UISTYLE_WHIDBEY).Width, 58);
  EXPECT_EQ(MenuTitleButtonSize({40, 13}, UISTYLE_WHIDBEY).BarHeight, 22);
  EXPECT_EQ(MenuTitleButtonSize({40, 20}, UISTYLE_WHIDBEY).BarHeight, 28);
  EXPECT_EQ(MenuTitleButtonSize({40, 20}, UISTYLE_OFFICE2003_SHORT).BarHeight, 25);
}

}  // namespace
