#include "veloui/skins/core/panelex_rules.h"

ScrollBarChange DecideScrollBar(std::int32_t content, std::int32_t extent, bool otherShown,
                                std::int32_t otherThickness, bool shown, bool neverShow) {
  const bool needed = content >= extent || (otherShown && content >= extent - otherThickness);
  if (needed && !shown && !neverShow) return ScrollBarChange::Show;
  if (!needed && shown) return ScrollBarChange::Hide;
  return ScrollBarChange::None;
}

ScrollPartsLayout LayoutScrollParts(std::int32_t right, std::int32_t bottom, std::int32_t thicknessX,
                                    std::int32_t thicknessY, bool horizontalShown, bool verticalShown) {
  ScrollPartsLayout layout;
  if (horizontalShown && verticalShown) {
    layout.Horizontal = {0, bottom - thicknessY, right - thicknessX, thicknessY};
    layout.Vertical = {right - thicknessX, 0, thicknessX, bottom - thicknessY};
    layout.SizeBox = {right - thicknessX, bottom - thicknessY, thicknessX, thicknessY};
    layout.SizeBoxShown = true;
  } else if (horizontalShown) {
    layout.Horizontal = {0, bottom - thicknessY, right, thicknessY};
  } else if (verticalShown) {
    layout.Vertical = {right - thicknessX, 0, thicknessX, bottom};
  }
  return layout;
}

std::int32_t ScrollBarPageSize(std::int32_t extent, bool otherShown, std::int32_t otherThickness) {
  return otherShown ? extent - otherThickness : extent;
}

std::uint8_t RepairedTextAlpha(std::uint8_t targetAlpha, std::uint8_t sourceAlpha, std::uint8_t sourceBlue,
                               std::uint8_t& lastAlpha) {
  if (sourceAlpha == 255) lastAlpha = targetAlpha;
  const int coverage = sourceBlue;
  // Text over a fully transparent background stays a little see-through; the divisor is the
  // established look of such text, not a slip for 255.
  if (sourceAlpha == 0 && lastAlpha == 0) return static_cast<std::uint8_t>(coverage * 255 / 355);
  return static_cast<std::uint8_t>(((255 - coverage) * lastAlpha + coverage * 255) / 255);
}
