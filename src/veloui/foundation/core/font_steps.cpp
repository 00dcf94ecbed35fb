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
  // 400 alone is the plain weight; 700 to 708 are bold weights given as flags.
  if (flags == 400) return request;
  const bool boldWeight = flags >= 700 && flags <= 708;
  if (boldWeight || (flags & 0x1) != 0 || (flags & 0x100) != 0) request.Weight = 700;
  if (!boldWeight) {
    request.Italic = (flags & 0x2) != 0 || (flags & 0x200) != 0;
    request.Underline = (flags & 0x4) != 0;
    request.StrikeOut = (flags & 0x8) != 0;
  }
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
