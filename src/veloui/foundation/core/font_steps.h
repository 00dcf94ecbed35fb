#pragma once
// Small font and text services that need no window: the gap beside menu item images, point
// sizes from font heights, the style flags of point-size fonts and the numeric-text test.
#include <cstdint>

#include "runtime/portable/text.h"

// 8 below 10 points; from 10 on it grows by 2 per point within each group of five and jumps
// by 8 from one group to the next.
int CalcFontStepSize(int pointSize);

// Points of a font whose LOGFONT height is `height` at `dpi` pixels per inch.
int PointSizeOfHeight(int height, int dpi);

// What the style flags of a point-size font ask for.
struct FontStyleRequest {
  int Weight = 400;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  int Quality = 0;  // the system's quality values: 0 default, 3 non-antialiased, 4 antialiased, 5 ClearType
};
// The quality bits: 0x10000 antialiased, 0x20000 not antialiased, 0x40000 ClearType.
inline constexpr std::uint32_t kFontQualityBits = 0x70000;
FontStyleRequest DecodeFontStyleFlags(std::uint32_t flags);

// 1 when the text is not empty, not only spaces, and holds only the digits 0-9 and ".".
int IsNumericString(TextView text);
