#include "veloui/menus/core/rebar_background_rules.h"

#include <algorithm>

int GrowWidestMonitor(int remembered, int current) { return std::max(remembered, current); }

RebarBackgroundSize RebarBackgroundSizeFor(int widestMonitor) {
  return {widestMonitor + kRebarBackgroundMargin, kRebarBackgroundHeight};
}

bool RebarBackgroundNeedsRendering(std::int32_t force, bool exists, bool marked, RebarBackgroundSize have,
                                   RebarBackgroundSize want) {
  if (!exists || marked) return true;
  if (force == 1) return true;
  return have.Width < want.Width || have.Height < want.Height;
}
