#include "veloui/foundation/core/blit_cache_rules.h"

#include <string>

BlitTable BlitTableOfStyle(std::uint32_t style) {
  if (style == UISTYLE_OFFICE2003_SHORT || style == UISTYLE_OFFICE2003) return BlitTable::Office2003;
  if (style == UISTYLE_OFFICE2007) return BlitTable::Office2007;
  return BlitTable::None;
}

std::uint32_t BlitColourStyle(BlitTable table) {
  return table == BlitTable::Office2007 ? UISTYLE_OFFICE2007 : UISTYLE_OFFICE2003_SHORT;
}

bool BlitCacheServes(std::uint32_t options, int cacheWidth, int cacheHeight, int width, int height) {
  const bool sameWidth = (options & kBlitSameWidth) != 0;
  const bool sameHeight = (options & kBlitSameHeight) != 0;
  const bool widthFits = sameWidth ? cacheWidth == width : cacheWidth >= width;
  const bool heightFits = sameHeight ? cacheHeight == height : cacheHeight >= height;
  return widthFits && heightFits;
}

BlitSizeChoice ChooseSizedCache(const std::vector<BlitCacheSize>& sizes, std::uint32_t options, int width,
                                int height) {
  const bool sameWidth = (options & kBlitSameWidth) != 0;
  const bool sameHeight = (options & kBlitSameHeight) != 0;
  const bool byWidth = sameWidth && !sameHeight;
  const bool byHeight = sameHeight && !sameWidth;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const BlitCacheSize& entry = sizes[i];
    const bool matches = byWidth    ? entry.Width == width
                         : byHeight ? entry.Height == height
                                    : entry.Width == width && entry.Height == height;
    if (!matches) continue;
    // The free dimension only has to be large enough: the cache's top-left part is copied.
    const bool tooSmall = (byWidth && entry.Height < height) || (byHeight && entry.Width < width);
    return {static_cast<int>(i), tooSmall};
  }
  return {};
}

std::vector<BlitPaintStep> BlitPaintSteps(int colourId, int w, int h) {
  using Kind = BlitPaintStep::Kind;
  auto vertical = [&](int from, int to) {
    return std::vector<BlitPaintStep>{{Kind::Gradient, from, to, 0, 0, 0, h - 1, 0, 0, w, h}};
  };
  switch (colourId) {
    case 6: return vertical(6, 7);
    case 10: return vertical(10, 11);
    case 44: return vertical(44, 45);
    case 52: return vertical(52, 53);
    case 13:
      return {{Kind::Gradient, 21, 22, 0, 0, w / 2 - 1, 0, 0, 0, w / 2, h},
              {Kind::Gradient, 23, 24, w / 2, 0, w - 1, 0, w / 2, 0, w / 2 + 1, h}};
    case 15: return {{Kind::FrameAndFill, 15, 14, 0, 0, 0, 0, 0, 0, w, h}};
    case 17: return {{Kind::FrameAndFill, 17, 16, 0, 0, 0, 0, 0, 0, w, h}};
    case 33:
      return {{Kind::Gradient, 33, 34, 0, 0, 0, h / 2, 0, 0, w, h / 2 + 1},
              {Kind::Gradient, 35, 36, 0, h / 2 + 1, 0, h - 2, 0, h / 2 + 1, w, h / 2 - 1},
              {Kind::Solid, 41, 41, 0, 0, 0, 0, 0, h - 1, w, 1}};
    default: return {};
  }
}

Text BlitCacheDebugLine(BlitTable table, int colourId, int width, int height) {
  const char* style = table == BlitTable::Office2007 ? "#UISTYLE_OFFICE2007" : "#UISTYLE_OFFICE2003";
  return AsciiText(std::string("Created new ") + style + " blitCache: ") + DecimalText(colourId) + u" Width: " +
         DecimalText(width) + u" Height: " + DecimalText(height);
}
