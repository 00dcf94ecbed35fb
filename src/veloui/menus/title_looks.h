#pragma once
// The face of a hot or open menu-bar title in the styles that have no Office colour tables:
// Whidbey through the visual style's toolbar button when one is in use (else in the Whidbey
// table's hot and held colours), the styles below it in the classic raised and sunken edges.
// The caller draws the title's text over it.
#include <windows.h>

#include <cstdint>

// Whether `style` is one of those styles (not an Office style).
bool HasPlainTitleLook(std::int32_t style);
void PaintPlainTitleFace(HDC dc, const RECT& rect, std::int32_t style, bool open);
