#include "veloui/foundation/core/font_steps.h"

#include <cmath>
#include <cstdlib>

int CalcFontStepSize(int pointSize) {
  if (pointSize < 10) return 8;
  return 10 + 2 * (pointSize % 5) + 8 * (pointSize / 5 - 2);
}

int PointSizeOfHeight(int height, int dpi) {
  if (dpi <= 0) return 0;
  return static_cast<int>(std::lround(std::abs(static_cast<double>(height)) * 72.0 / dpi));
}

FontStyleRequest DecodeFontStyleFlags(std::uint32_t flags) {
  FontStyleRequest request;
  // 400 and 700 to 708 are weights, not sets of style bits (400 holds the bold bit 0x100); a
  // quality bit beside them still leaves them weights.
  const std::uint32_t style = flags & ~kFontQualityBits;
  const bool boldWeight = style >= 700 && style <= 708;
  if (style != 400 && !boldWeight) {
    request.Weight = (style & 0x1) != 0 || (style & 0x100) != 0 ? 700 : 400;
    request.Italic = (style & 0x2) != 0 || (style & 0x200) != 0;
    request.Underline = (style & 0x4) != 0;
    request.StrikeOut = (style & 0x8) != 0;
  }
  if (boldWeight) request.Weight = 700;
  if ((flags & 0x10000) != 0) request.Quality = 4;
  if ((flags & 0x20000) != 0) request.Quality = 3;
  if ((flags & 0x40000) != 0) request.Quality = 5;
  return request;
}

int IsNumericString(TextView text) {
  bool anyDigitOrPoint = false;
  for (const char16_t c : text) {
    if ((c >= u'0' && c <= u'9') || c == u'.') {
      anyDigitOrPoint = true;
    } else {
      return 0;
    }
  }
  return anyDigitOrPoint ? 1 : 0;
}
