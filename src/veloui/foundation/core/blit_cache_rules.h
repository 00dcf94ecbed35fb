#pragma once
// When a cached style background may serve a request, and what is painted into a new one.
// The caches hold gradients and framed fills per colour slot, so that a background is painted
// once per size and colour mode and copied afterwards.
#include <cstdint>
#include <vector>

#include "runtime/portable/text.h"
#include "veloui/foundation/core/ui_colour_ids.h"

inline constexpr std::uint32_t kBlitSameWidth = 0x100;
inline constexpr std::uint32_t kBlitSameHeight = 0x1000;
inline constexpr std::uint32_t kBlitSizeList = 0x10000;

inline constexpr int kUIColourCount = 57;

enum class BlitTable { None, Office2003, Office2007 };

BlitTable BlitTableOfStyle(std::uint32_t style);
// The style the colour lookup is asked with for a table.
std::uint32_t BlitColourStyle(BlitTable table);

// Whether a single cache of cacheWidth x cacheHeight serves a request of width x height under
// `options` (0, 0x100, 0x1000 or 0x1100, without the size-list bit).
bool BlitCacheServes(std::uint32_t options, int cacheWidth, int cacheHeight, int width, int height);

struct BlitCacheSize {
  int Width = 0;
  int Height = 0;
};

// The size-list mode's choice: which entry to use (-1: append a new one) and whether it must be
// (re)painted at the requested size.
struct BlitSizeChoice {
  int Index = -1;
  bool Remake = true;
};
BlitSizeChoice ChooseSizedCache(const std::vector<BlitCacheSize>& sizes, std::uint32_t options, int width, int height);

// One painting step of a new cache. Fills are x, y, width, height.
struct BlitPaintStep {
  enum class Kind { Gradient, FrameAndFill, Solid } Type = Kind::Gradient;
  int FromId = 0;  // gradient start colour, frame colour, or the solid colour
  int ToId = 0;    // gradient end colour, or the fill inside the frame
  int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  int FillX = 0, FillY = 0, FillWidth = 0, FillHeight = 0;
};
std::vector<BlitPaintStep> BlitPaintSteps(int colourId, int width, int height);

Text BlitCacheDebugLine(BlitTable table, int colourId, int width, int height);
