#include "veloui/menus/core/menu_scroll_model.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// 60 items of 23 pixels with a separator of 2 at 10, arrows of 23, an Office frame of 3.
std::vector<int> Heights() {
  std::vector<int> heights(60, 23);
  heights[10] = 2;
  return heights;
}

TEST(CopyModel, FirstCopyFitsTheScreenWithSpacerAndBottomArrowOnly) {
  const std::vector<int> heights = Heights();
  const CopyGeometry geometry{heights, 23, 3, 0};
  const CopyView view = InitialCopyView(geometry, 1000);
  // 3 + 7 + 23 + 41 items of 23 + the separator = 978; one more item would pass 1000.
  EXPECT_EQ(view.First, 0);
  EXPECT_EQ(view.Last, 41);
  EXPECT_EQ(CopyOuterHeight(view, geometry), 978);
  const std::vector<int> rows = CopyRows(view, 60);
  EXPECT_EQ(rows.front(), 0);
  EXPECT_EQ(rows[rows.size() - 2], RowBottomSpacer(60));
  EXPECT_EQ(rows.back(), RowBottomArrow(60));
}

TEST(CopyModel, HeldArrowsWalkToEitherEndKeepingTheHeight) {
  const std::vector<int> heights = Heights();
  const CopyGeometry geometry{heights, 23, 3, 978};
  const CopyView start = StartCopyView(geometry);
  EXPECT_EQ(start.Last, 41);
  EXPECT_EQ(start.SpacerHeight, 7);
  // Down: the top arrow comes in first and pushes the first item out.
  CopyView view = WithLeavingArrow(start, geometry, 0);
  EXPECT_EQ(view.First, 1);
  EXPECT_TRUE(HasTopArrow(view) && view.SpacerAtTop);
  EXPECT_EQ(CopyPixelSteps(view, geometry, 0), 7);
  int steps = 0;
  for (; steps < 100 && !CopyScrollDone(view, 60, 0); ++steps) {
    view = *CopyStep(view, geometry, 0);
    EXPECT_EQ(CopyOuterHeight(view, geometry), 978);
  }
  EXPECT_EQ(steps, 18);
  EXPECT_FALSE(HasBottomArrow(view, 60));
  EXPECT_EQ(CopyRows(view, 60), CopyRows(EndCopyView(geometry), 60));
  EXPECT_FALSE(CopyStep(view, geometry, 0).has_value());
  // Up from the end, back to the start.
  view = WithLeavingArrow(view, geometry, 1);
  EXPECT_TRUE(HasBottomArrow(view, 60) && !view.SpacerAtTop);
  for (steps = 0; steps < 100 && !CopyScrollDone(view, 60, 1); ++steps) {
    EXPECT_EQ(CopyPixelSteps(view, geometry, 1), heights[static_cast<std::size_t>(view.First - 1)] / 3);
    view = *CopyStep(view, geometry, 1);
    EXPECT_EQ(CopyOuterHeight(view, geometry), 978);
  }
  EXPECT_EQ(view.First, 0);
  EXPECT_FALSE(HasTopArrow(view));
  EXPECT_EQ(CopyRows(view, 60), CopyRows(start, 60));
}

TEST(CopyModel, TheSpacerTakesWhatTheItemsLeave) {
  const std::vector<int> heights = Heights();
  const CopyGeometry geometry{heights, 23, 3, 990};
  const CopyView end = EndCopyView(geometry);
  // 3 + 23 + 41 items of 23 = 969 leave 21 for the spacer, above the items.
  EXPECT_EQ(end.First, 19);
  EXPECT_EQ(end.SpacerHeight, 21);
  EXPECT_EQ(CopyRows(end, 60)[1], kRowTopSpacer);
  const CopyBand band = CopyScrollBand(984, 23, end);
  EXPECT_EQ(band.Top, 23 + 21 - 5);
  EXPECT_EQ(band.Bottom, 984 - 23 + 5);
}

TEST(CopyModel, MnemonicIsTheLetterAfterASingleAmpersand) {
  const struct {
    std::u16string Label;
    char16_t Key;
  } rows[] = {{u"&File", u'F'}, {u"Sa&ve", u'V'}, {u"A&&B", 0}, {u"A&&B &c", u'C'}, {u"End&", 0}, {u"None", 0}};
  for (const auto& row : rows) EXPECT_EQ(CopyMnemonic(row.Label.data(), row.Label.size()), row.Key);
}

}  // namespace
