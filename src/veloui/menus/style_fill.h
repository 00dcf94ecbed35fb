#pragma once
// A style background that still shows without GDI+: the colour's solid fill first, then the
// cached gradient over it when GDI+ can paint one.
#include <windows.h>

#include <cstdint>

void PaintStyleBackground(HDC dc, std::uint32_t style, int colourId, const RECT& rect, std::uint32_t options);
