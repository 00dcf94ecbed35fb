#pragma once
// A style background: the cached gradient or framed fill of a colour slot that has one (drawn
// directly where GDI+ is missing and the cache cannot be painted), else the slot's solid colour;
// and the plain fills the bar painters draw with.
#include <windows.h>

#include <cstdint>

void PaintStyleBackground(HDC dc, std::uint32_t style, int colourId, const RECT& rect, std::uint32_t options);

void FillSolid(HDC dc, const RECT& rect, COLORREF colour);
void FrameSolid(HDC dc, const RECT& rect, COLORREF colour);
// From `top` at the rectangle's top edge to `bottom` at its bottom edge.
void VerticalGradient(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom);
