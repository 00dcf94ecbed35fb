#include "veloui/menus/core/bar_drawing_rules.h"

#include <algorithm>

namespace {
constexpr int kDotSpacing = 4;
constexpr int kDotSize = 2;
constexpr int kSmallMenuBarGripper = 26;
}  // namespace

std::vector<int> GripperDotTops(int height, bool menuBarBand) {
  std::vector<int> tops;
  if (height <= 0) return tops;
  const bool smallMenuBar = menuBarBand && height <= kSmallMenuBarGripper;
  const int n = std::min(height / 8, smallMenuBar ? 2 : 3);
  const int span = n * kDotSpacing + kDotSize;
  const int first = (height - span) / 2 + (smallMenuBar ? 1 : 0);
  for (int k = 0; k <= n; ++k) tops.push_back(first + k * kDotSpacing);
  return tops;
}

GradientIds ButtonGradientIds(std::uint32_t itemState, bool titleMenuOpen) {
  switch (itemState) {
    case kButtonHot:
      return titleMenuOpen ? GradientIds{10, 11} : GradientIds{52, 53};
    case kButtonHotPressed:
      return titleMenuOpen ? GradientIds{10, 11} : GradientIds{44, 45};
    case kButtonChecked:
      return {46, 47};
    case kButtonHotChecked:
    case kButtonHotCheckedPressed:
      return {44, 45};
    default:
      return {};
  }
}

int ThemedButtonState(std::uint32_t itemState) {
  switch (itemState) {
    case kButtonHot:
      return 2;
    case kButtonHotPressed:
    case kButtonHotCheckedPressed:
      return 3;
    case kButtonChecked:
      return 5;
    case kButtonHotChecked:
      return 6;
    default:
      return 0;
  }
}
