#pragma once
// When the rebars' style background images are drawn again, and how large they are: as wide
// as the widest monitor seen so far plus 4, 256 high. The width only ever grows, so a band
// never shows past the end of its image after a monitor was unplugged and plugged back.
#include <cstdint>

constexpr int kRebarBackgroundHeight = 256;
constexpr int kRebarBackgroundMargin = 4;

struct RebarBackgroundSize {
  int Width = 0;
  int Height = 0;
};

// The remembered widest monitor after seeing `current`.
int GrowWidestMonitor(int remembered, int current);
RebarBackgroundSize RebarBackgroundSizeFor(int widestMonitor);

// force 1 redraws an existing image; a missing, marked, narrower or lower one is drawn anyway.
bool RebarBackgroundNeedsRendering(std::int32_t force, bool exists, bool marked, RebarBackgroundSize have,
                                   RebarBackgroundSize want);
