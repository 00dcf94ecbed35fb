#pragma once
// A style background: the cached gradient or framed fill of a colour slot that has one (drawn
// directly where GDI+ is missing and the cache cannot be painted), else the slot's solid colour.
#include <windows.h>

#include <cstdint>

void PaintStyleBackground(HDC dc, std::uint32_t style, int colourId, const RECT& rect, std::uint32_t options);
