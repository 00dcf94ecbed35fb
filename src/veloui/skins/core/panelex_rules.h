#pragma once
// The arithmetic of PanelEx pages that needs no window: when a page's scroll bars come and
// go, where the bars and the size box between them go, and the alpha that text drawn by GDI
// onto a panel's 32-bit buffer gets back.
#include <cstdint>

// What happens to one scroll bar when the page's content or the panel changed size.
enum class ScrollBarChange { None, Show, Hide };

// content: the page's content extent along the bar; extent: the panel's client extent;
// otherShown/otherThickness: the crossing bar, which takes room from this one when shown.
ScrollBarChange DecideScrollBar(std::int32_t content, std::int32_t extent, bool otherShown,
                                std::int32_t otherThickness, bool shown, bool neverShow);

struct ScrollPartRect {
  std::int32_t X = 0, Y = 0, Width = 0, Height = 0;
};
struct ScrollPartsLayout {
  ScrollPartRect Horizontal, Vertical, SizeBox;
  bool SizeBoxShown = false;
};
// The places of the bars and the size box in a panel whose client area is right by bottom;
// thicknessX is the vertical bar's width, thicknessY the horizontal bar's height.
ScrollPartsLayout LayoutScrollParts(std::int32_t right, std::int32_t bottom, std::int32_t thicknessX,
                                    std::int32_t thicknessY, bool horizontalShown, bool verticalShown);

// The page size of a bar: the panel's extent less the crossing bar when that is shown.
std::int32_t ScrollBarPageSize(std::int32_t extent, bool otherShown, std::int32_t otherThickness);

// The new alpha of one buffer pixel under freshly drawn text. The text was drawn white on
// opaque black into a scratch image: its blue byte is the text's coverage, and its alpha is
// 255 where GDI left the pixel alone. lastAlpha carries the alpha of the last background
// pixel met, from pixel to pixel and from text to text.
std::uint8_t RepairedTextAlpha(std::uint8_t targetAlpha, std::uint8_t sourceAlpha, std::uint8_t sourceBlue,
                               std::uint8_t& lastAlpha);
