#include "veloui/menus/core/band_drag_rules.h"

#include <algorithm>

int WindowHeightForBarChange(int windowHeight, int barChange, int windowTop, int workAreaBottom) {
  int height = windowHeight + barChange;
  if (barChange > 0) height = std::max(windowHeight, std::min(height, workAreaBottom - windowTop));
  return height > 0 ? height : windowHeight;
}
