// The room a title's drop-down keeps below it when the host decides whether it fits.
#include <gtest/gtest.h>

#include "veloui/foundation/core/ui_colour_ids.h"
#include "veloui/menus/core/popup_placement.h"

namespace {

TEST(DropDownFitMarginTest, OfficeTwoThousandThreeKeepsFourWhidbeyThreeTheOthersNothing) {
  const struct { std::uint32_t Style; int Margin; } cases[] = {
      {UISTYLE_OFFICE2003_SHORT, 4}, {UISTYLE_OFFICE2003, 4}, {UISTYLE_WHIDBEY, 3}, {UISTYLE_OFFICE2007, 0},
      {4, 0}, {7, 0}, {0, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(DropDownFitMargin(c.Style), c.Margin) << c.Style;
}

}  // namespace
