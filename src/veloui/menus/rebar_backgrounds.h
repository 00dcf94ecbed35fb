#pragma once
// The style background images behind the bands of Office-style rebars: one gradient image
// per style, shared by every band of that style, drawn again when the desktop grows or the
// colours change.
#include <windows.h>

#include <cstdint>

// Draws the images that need it (force 1: both, even when they fit); 0 when there are no rebars.
std::int32_t RenderRebarBackgrounds(std::int32_t force);
// Gives every band of every rebar of `style` the bitmap (bands with their own bitmap keep it).
void SetRebarBandBackgrounds(std::uint32_t style, HBITMAP bitmap);

// The current image of a style, or nullptr.
HBITMAP RebarBackgroundImage(std::uint32_t style);
// The next RenderRebarBackgrounds draws this style's image again.
void MarkRebarBackgroundForRendering(std::uint32_t style);
