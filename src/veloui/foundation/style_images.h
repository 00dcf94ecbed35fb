#pragma once
// The per-style hot and disabled images of menu items and toolbar buttons, and the small
// downward triangle that drop-down parts draw.
#include <windows.h>

#include <cstdint>

// A new icon derived from `image` (an icon or a bitmap, which stays the caller's) for `style`:
// a faded copy for UISTYLE_WHIDBEY, a copy tinted in the scheme's colours for the Office
// styles, a faded grey copy for any other style. nullptr when nothing could be made, so that
// the caller keeps the image it had.
HICON MakeStyleImage(HANDLE image, std::uint32_t style);

// A filled triangle in `colour` pointing down inside (x, y, width, height). Returns 0.
int DrawPolygonGlyph(HDC dc, int x, int y, int width, int height, COLORREF colour);
