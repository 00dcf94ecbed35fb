#pragma once
// The screen's DPI and the font services built on it: fonts by point size, their point size
// and face name, and handing a font to a window.
#include <windows.h>

#include <cstdint>

#include "runtime/portable/text.h"

// LOGPIXELSX of the screen when `horizontal` is not 0, else LOGPIXELSY.
int GetScreenDPI(int horizontal);
// Style flags: 1 or 0x100 (or a weight 700 to 708) bold, 2 or 0x200 italic, 4 underline,
// 8 strike-out, 0x10000 antialiased, 0x20000 not antialiased, 0x40000 ClearType; 400 is the
// normal weight, with a quality bit too.
HFONT CreateFontByPointSize(const Text& faceName, int pointSize, std::uint32_t styleFlags);
int FreeFontHandle(HFONT font);
int SetWindowFontHandle(HWND window, HFONT font);
// 0 when the font cannot be read.
int GetFontPointSize(HFONT font);
// The empty text when the font cannot be read.
Text GetFontFaceName(HFONT font);
